// The whole desktop program over a scratch program directory: what it
// writes at its end, however it ends: its window closed, Chart → Exit, a
// signal from the system, in this process and as the real program run as a
// child process.
#include "ui/ui_test_support.h"

#include <QDateTime>
#include <QProcess>
#include <QThread>

#include <signal.h>

#include "ui/desktop_program.h"
#include "ui/dialogs/dlg_navigation_settings.h"

namespace celvaro {
namespace {

using namespace testing;

// The program in a scratch directory holding locale.inf, so it starts
// without asking. `act` runs on its main window once the window shows.
int runProgram(const ScratchDir& dir, std::function<void(MainWindow&)> act) {
  writeBytes(dir.file("locale.inf"), "EN");
  auto* poll = new QTimer;
  poll->setInterval(10);
  QObject::connect(poll, &QTimer::timeout, [poll, act] {
    for (QWidget* top : QApplication::topLevelWidgets()) {
      auto* main = dynamic_cast<MainWindow*>(top);
      if (!main || !main->isVisible()) continue;
      poll->stop();
      poll->deleteLater();
      act(*main);
      return;
    }
  });
  poll->start();
  return runDesktopProgram(dir.path().string());
}

// Six zoom steps chosen in the navigation dialog, left with OK.
void chooseSixZoomSteps(MainWindow& main) {
  whenShown([](QWidget* dialog) {
    controlOf<QSlider>(dialog, DlgNavigationSettings::kZoomSteps)->setValue(5);
    press(dialog, kIdOk);
  });
  main.action(702)->trigger();
}

bool handled(int signal) {
  struct sigaction current {};
  sigaction(signal, nullptr, &current);
  return current.sa_handler != SIG_DFL && current.sa_handler != SIG_IGN;
}

constexpr const char* kSixZoomSteps = "navigation.zoomsteps=6\r\n";

// A custom star colour in celvaro.cfg outlives night vision: switched off,
// the chart shows it again; left on at exit, the file still holds it.
TEST(DesktopProgram, NightVisionKeepsTheUsersColours) {
  ScratchDir dir;
  writeOneStarCatalog(dir);
  writeBytes(dir.file("celvaro.cfg"), "color.stars=200;100;50\r\n");
  QRgb centre = 0;
  runProgram(dir, [&](MainWindow& main) {
    main.action(704)->trigger();
    main.action(704)->trigger();
    const QImage& chart = main.chartWindow().image();
    centre = chart.pixel(chart.width() / 2, chart.height() / 2);  // the star
    main.close();
  });
  EXPECT_EQ(centre, qRgb(200, 100, 50));
  const std::string custom = "color.stars=200;100;50\r\n";
  EXPECT_NE(readBytes(dir.file("celvaro.cfg")).find(custom), std::string::npos);
  writeBytes(dir.file("celvaro.cfg"), custom);
  runProgram(dir, [](MainWindow& main) {
    main.action(704)->trigger();
    main.close();
  });
  EXPECT_NE(readBytes(dir.file("celvaro.cfg")).find(custom), std::string::npos);
}

// The chart opens at the computer's clock, whatever the model's default.
TEST(DesktopProgram, TheChartOpensAtTheComputersClock) {
  ScratchDir dir;
  writeOneStarCatalog(dir);
  const QString today = QDateTime::currentDateTimeUtc().toString("yyyy.MM.dd");
  QString dates;
  EXPECT_EQ(runProgram(dir, [&dates](MainWindow& main) {
              dates = main.statusParts().part(4);
              main.close();
            }),
            0);
  EXPECT_TRUE(dates.contains("UT " + today)) << dates.toStdString();
}

// Chart → Exit, also by Ctrl+Q, ends the program as closing its window
// does; so does the system's request to end (kill, Ctrl+C in the terminal,
// a closed terminal), through its event loop, so a change made in a dialog
// reaches celvaro.cfg; afterwards the signals act as before. Signal 0: Exit.
TEST(DesktopProgram, ExitAndEndingSignalsWriteTheSettings) {
  for (int signal : {0, SIGTERM, SIGINT, SIGHUP}) {
    ScratchDir dir;
    writeOneStarCatalog(dir);
    QKeySequence shortcut;
    const int exitCode = runProgram(dir, [&](MainWindow& main) {
      chooseSixZoomSteps(main);
      QAction* exit = main.action(MainWindow::kExit);
      if (signal == 0 && exit) {
        shortcut = exit->shortcut();
        exit->trigger();
      } else if (signal != 0 && handled(signal)) {
        kill(getpid(), signal);
      } else {
        ADD_FAILURE() << (signal ? "the signal would end the test program" : "no Exit command");
        main.close();
      }
    });
    EXPECT_EQ(exitCode, 0) << signal;
    EXPECT_NE(readBytes(dir.file("celvaro.cfg")).find(kSixZoomSteps), std::string::npos) << signal;
    EXPECT_EQ(readBytes(dir.file("locale.inf")), "EN") << signal;
    if (signal) {
      EXPECT_FALSE(handled(signal)) << signal;
    } else {
      EXPECT_EQ(shortcut, QKeySequence("Ctrl+Q"));
    }
  }
}

// A program directory without a star catalog: the window opens and says
// where no catalog was found, rather than showing an empty sky in silence.
TEST(DesktopProgram, NoStarCatalogIsSaidInAMessage) {
  ScratchDir dir;
  QString message;
  runProgram(dir, [&message](MainWindow& main) {
    if (auto* box = main.findChild<QMessageBox*>()) message = box->text();
    main.close();
  });
  EXPECT_TRUE(message.contains(QString::fromStdString(dir.file("data/stars_hip.dat")))) << message.toStdString();
}

// Whether a process has a handler for a signal, from the caught-signal
// mask the kernel shows in /proc/<pid>/status (hexadecimal, bit n - 1 for
// signal n).
bool catches(qint64 pid, int signal) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("SigCgt:", 0) != 0) continue;
    const unsigned long long mask = std::stoull(line.substr(7), nullptr, 16);
    return (mask >> (signal - 1)) & 1;
  }
  return false;
}

// The real program, started by the system as a user would start it from a
// terminal, in a program directory whose celvaro.cfg it has not written:
// a signal makes it leave as from the window, writing celvaro.cfg anew from
// what it read, and locale.inf. Without the handling the process dies
// and both files stay as they were.
TEST(DesktopProgram, TheRealProgramWritesItsFilesWhenKilled) {
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
    ScratchDir dir;
    writeOneStarCatalog(dir);
    writeBytes(dir.file("locale.inf"), "en");
    writeBytes(dir.file("celvaro.cfg"), "# kept by hand\ncolor.stars=200;100;50\n");
    QProcess program;
    program.setWorkingDirectory(QString::fromStdString(dir.path().string()));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(CELVARO_RUN_DIR "/celvaro"), {});
    ASSERT_TRUE(program.waitForStarted(10000)) << signal;
    for (int wait = 0; wait < 300 && !catches(program.processId(), signal); ++wait) QThread::msleep(100);
    EXPECT_TRUE(catches(program.processId(), signal)) << signal;
    kill(program.processId(), signal);
    ASSERT_TRUE(program.waitForFinished(20000)) << signal;
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << signal;
    EXPECT_EQ(program.exitCode(), 0) << signal;
    const std::string written = readBytes(dir.file("celvaro.cfg"));
    EXPECT_EQ(written.rfind("navigation.panstepssimple=8\r\n", 0), 0u) << signal;
    EXPECT_NE(written.find("color.stars=200;100;50\r\n"), std::string::npos) << signal;
    EXPECT_EQ(readBytes(dir.file("locale.inf")), "EN") << signal;
  }
}

}  // namespace
}  // namespace celvaro
