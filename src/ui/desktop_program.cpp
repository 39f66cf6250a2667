#include "ui/desktop_program.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QSessionManager>

#include "app/app_model.h"
#include "app/configuration.h"
#include "app/place_time_options.h"
#include "app/program_paths.h"
#include "app/startup.h"
#include "app/ui_resources.h"
#include "model/text_ids.h"
#include "platform/data_paths.h"
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

// Says over the window where no star catalog was found; the window stays
// open and usable.
void tellNoStarCatalog(QWidget* window, UiResources& resources, const std::string& programDir) {
  const auto text = [&resources](int id, const char* english) { return QString::fromStdString(resources.textOr(id, english)); };
  QStringList places;
  for (const std::string& path : dataPathCandidates(programDir, kMainCatalogPath)) places << QString::fromStdString(path);
  auto* box = new QMessageBox(QMessageBox::Critical, text(text_id::kErrorCaption, "Error"),
                              text(text_id::kNoStarCatalog, "No star catalog was found at %1.").arg(places.join(", ")),
                              QMessageBox::Ok, window);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
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
  // The chart opens on the sky of now, at the stored place.
  model.setUniversalDate(instantOf(PlaceTimeOptions{}));
  const bool stars = runDataLoad(model);
  int exitCode = 0;
  {
    MainWindow window(resources, model);
    QuitSignals quitSignals([] { QApplication::quit(); });
    // A logout may end the process without returning from the loop.
    const QMetaObject::Connection keep =
        QObject::connect(qApp, &QGuiApplication::commitDataRequest, [&model] { saveUserFiles(model); });
    window.show();
    if (!stars) tellNoStarCatalog(&window, resources, programDir);
    exitCode = QApplication::exec();
    QObject::disconnect(keep);
  }
  runShutdown(model);
  return exitCode;
}

}  // namespace celvaro
