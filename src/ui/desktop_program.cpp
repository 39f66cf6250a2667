#include "ui/desktop_program.h"

#include <QApplication>
#include <QSessionManager>

#include "app/app_model.h"
#include "app/configuration.h"
#include "app/startup.h"
#include "app/ui_resources.h"
#include "ui/dialogs/dlg_languages.h"
#include "ui/main_window.h"
#include "ui/quit_signals.h"

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
    QuitSignals quitSignals([] { QApplication::quit(); });
    // A logout may end the process without returning from the loop.
    const QMetaObject::Connection keep =
        QObject::connect(qApp, &QGuiApplication::commitDataRequest, [&model] { saveUserFiles(model); });
    window.show();
    exitCode = QApplication::exec();
    QObject::disconnect(keep);
  }
  runShutdown(model);
  return exitCode;
}

}  // namespace celvaro
