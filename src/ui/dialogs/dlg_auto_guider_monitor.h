// "Monitoring external autoguider program": the guider port (the first one
// that is not the mount's is offered), Connect and Disconnect, the port's
// state, the corrections of the last seconds as two graphs, right
// ascension and declination, and a note when the connected mount does not
// take them. Not modal; it relabels itself when the language changes.
#pragma once

#include "app/language_changed_listener.h"
#include "telescope/telescope_dialog_listeners.h"
#include "ui/dialog_framework.h"

namespace celvaro {

class AppModel;
class DifferenceGraph;

class DlgAutoGuiderMonitor final : public FwDialogBase,
                                   public AutoguiderMonitorDlgListener,
                                   public iLanguageChangedListener {
 public:
  static constexpr int kPort = 100, kConnect = 101, kDisconnect = 102, kStatus = 103, kNotSent = 104;
  static constexpr int kRaGraph = 110, kDecGraph = 111;
  // The port offered for the guider: the first that is not the mount's.
  static int firstPortBesides(int mountPort) { return mountPort == 1 ? 2 : 1; }

  DlgAutoGuiderMonitor(UiResources& resources, AppModel& model);
  ~DlgAutoGuiderMonitor() override;
  int resourceId() const override { return 511; }
  void onInitDialog() override;
  void onCommand(int id, int code, QWidget* control) override;
  void showGuiderPortState(int code) override;
  void addMovementSample(int dx, int dy) override;
  void showCorrectionsSent(bool sent) override;
  void languageChanged() override;

  void showOver(QWidget* parent);
  DifferenceGraph* graph(int id) const { return id == kRaGraph ? ra_ : dec_; }

 private:
  AppModel& model_;
  DifferenceGraph* ra_ = nullptr;
  DifferenceGraph* dec_ = nullptr;
  int portState_ = -1;  // the last state of the guider port, -1 none
  bool correctionsSent_ = true;
};

}  // namespace celvaro
