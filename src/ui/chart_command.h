// celvaro-chart: one chart of a program directory's data and configuration,
// drawn through the program's own renderer and written to a file.
#pragma once

#include <functional>
#include <string>

#include "app/chart_request.h"

namespace celvaro {

class AppModel;

// The chart's pixels across a picture's at a scale (picture pixels per
// chart pixel), at least 1.
int chartPixels(int picturePixels, double scale);

// Sets a model up for the request: configuration, place, time, data, view.
// 0, or 2 when the setting file cannot be read or there is no star catalog
// (said on the standard error).
int prepareChartModel(AppModel& model, const ChartRequest& request);

// Draws and writes the chart, printing statistics and timings as asked;
// the process exit code. `startQt` makes the application object when a
// picture is drawn; the chart's data are read on another thread meanwhile.
// Once a run: the data are left for the process's end to free.
int runChartRequest(const ChartRequest& request, const std::function<void()>& startQt);

}  // namespace celvaro
