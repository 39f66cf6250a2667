#include "ui/desktop_program.h"

#include <QApplication>

#include "app/app_model.h"
#include "app/configuration.h"
#include "app/startup.h"
#include "app/ui_resources.h"
#include "ui/dialogs/dlg_languages.h"
#include "ui/main_window.h"

namespace celvaro {

int runDesktopProgram(const std::string& programDir) {
  UiResources resources;
  resources.setProgramDir(programDir);
  loadStartLanguage(resources, [&resources] {
    DlgLanguageOpen dialog(resources);
    return dialog.runModal(nullptr) == 1 ? dialog.chosen() : static_cast<int>(kLanguageNone);
  });
  resources.colors().applyScheme(1);
  AppModel model(programDir, configurationPath(programDir), resources);
  model.loadConfiguration();
  runDataLoad(model);
  int exitCode = 0;
  {
    MainWindow window(resources, model);
    window.show();
    exitCode = QApplication::exec();
  }
  runShutdown(model);
  return exitCode;
}

}  // namespace celvaro
