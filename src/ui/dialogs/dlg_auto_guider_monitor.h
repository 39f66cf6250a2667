// "Monitoring external autoguider program": the guider port, Connect and
// Disconnect, the port's state, and the corrections of the last seconds
// as two graphs, right ascension and declination. Not modal.
#pragma once

#include "telescope/telescope_dialog_listeners.h"
#include "ui/dialog_framework.h"

namespace celvaro {

class AppModel;
class DifferenceGraph;

class DlgAutoGuiderMonitor final : public FwDialogBase, public AutoguiderMonitorDlgListener {
 public:
  static constexpr int kPort = 100, kConnect = 101, kDisconnect = 102, kStatus = 103;
  static constexpr int kRaGraph = 110, kDecGraph = 111;
  static constexpr int kPortCount = 256;

  DlgAutoGuiderMonitor(UiResources& resources, AppModel& model);
  ~DlgAutoGuiderMonitor() override;
  int resourceId() const override { return 511; }
  void onInitDialog() override;
  void onCommand(int id, int code, QWidget* control) override;
  void showGuiderPortState(int code) override;
  void addMovementSample(int dx, int dy) override;

  void showOver(QWidget* parent);
  DifferenceGraph* graph(int id) const { return id == kRaGraph ? ra_ : dec_; }

 private:
  AppModel& model_;
  DifferenceGraph* ra_ = nullptr;
  DifferenceGraph* dec_ = nullptr;
};

}  // namespace celvaro
