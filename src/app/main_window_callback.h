// The main window and the chart window as the application model and the
// dialogs see them. Only the user-interface thread calls these, except
// postUserMessage, which any thread may call.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "astro/chart_date.h"

namespace celvaro {

class Canvas;

// The user message that carries telescope events to the user-interface thread.
constexpr int kUserMessage = 1024;

class iMainWindowCallback {
 public:
  virtual ~iMainWindowCallback() = default;
  // Queues onUserMessage(code, parameter) for the user-interface thread.
  virtual void postUserMessage(int code, uint32_t parameter) = 0;
  virtual void setStatusText(const std::string& text) = 0;
  virtual void showField(int fieldArcmin) = 0;
  virtual void showStarLimit(int limitHundredths) = 0;
  virtual void showDeepskyLevel(int level) = 0;
  virtual void showDates(const ChartDate& local, const ChartDate& universal) = 0;
  // Opens the observing-place dialog; on OK the model's placeChanged runs.
  virtual void editObservingPlace() = 0;
  virtual void showObjectInfo() = 0;
  // The chart's selection changed: an open object-information window shows
  // the new one.
  virtual void selectionChanged() {}
  // Repaints the chart when a redraw is pending and rewrites the status bar
  // when anything is pending.
  virtual void refresh() = 0;
  virtual void refreshStatus() = 0;
  virtual void updateTelescopePanel() = 0;
};

// The chart window: repaints the whole chart at once, synchronously.
class iChartView {
 public:
  virtual ~iChartView() = default;
  virtual void repaintNow() = 0;
  // Runs `draw` on the picture the window shows and shows the result at
  // once, without drawing the chart again; nothing while there is no picture.
  virtual void drawOnChart(const std::function<void(Canvas&)>& draw) = 0;
};

}  // namespace celvaro
