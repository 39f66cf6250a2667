#include "ui/desktop_program.h"

#include <QApplication>
#include <QIcon>
#include <QSessionManager>

#include "app/app_model.h"
#include "app/configuration.h"
#include "app/startup.h"
#include "app/ui_resources.h"
#include "ui/dialogs/dlg_languages.h"
#include "ui/main_window.h"
#include "ui/quit_signals.h"

namespace celvaro {
namespace {

constexpr char kDesktopEntry[] = "org.celvaro.celvaro";

// Lets desktops match the windows with the menu entry: on Wayland through
// the desktop file name, on X11 through the class of WM_CLASS (the
// application name, the entry's StartupWMClass). The icon is the icon
// theme's when the program is installed, else the picture built into it.
void identifyWithMenuEntry() {
  QGuiApplication::setApplicationName("celvaro");
  QGuiApplication::setDesktopFileName(kDesktopEntry);
  QGuiApplication::setWindowIcon(QIcon::fromTheme(kDesktopEntry, QIcon(":/icons/org.celvaro.celvaro.png")));
}

}  // namespace

int runDesktopProgram(const std::string& programDir) {
  identifyWithMenuEntry();
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
