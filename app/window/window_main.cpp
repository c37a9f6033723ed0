#include "app/window/window_main.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QPixmap>
#include <QTextStream>
#include <QTimer>

#include "app/cli/command_options.h"
#include "app/window/frm_main.h"
#include "platform/termination_signals.h"

namespace zr::window {

namespace {

constexpr int ScreenshotTimeoutMs = 30000;

// The screenshot mode answers every box itself: its text goes to standard
// error, questions are answered Cancel or No.
class LoggingPresenter : public MessagePresenter {
 public:
  MessageButton Present(QWidget*, const QString& text, MessageStyle style) override {
    QTextStream(stderr) << text << '\n';
    if (style == MessageStyle::OkCancelWarning) return MessageButton::Cancel;
    if (style == MessageStyle::YesNo) return MessageButton::No;
    return MessageButton::None;
  }
};

}  // namespace

void UseScreenDpi() {
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Floor);
}

int RunWindow(int& argc, char** argv) {
  platform::BlockTerminationSignals();
  UseScreenDpi();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("zr93kw-setfactory"));

  QCommandLineParser parser;
  if (const QString why = cli::ParseOptions(parser, QCoreApplication::arguments(), cli::FrontEnd::Window);
      !why.isEmpty()) {
    QTextStream(stderr) << "zr93kw-setfactory: " << why << '\n';
    return 1;
  }
  const QString dbServer = QStringLiteral("db-server");
  const QString dbDriver = QStringLiteral("db-driver");
  const QString screenshot = QStringLiteral("screenshot");
  const QString backupDir = QStringLiteral("backup-dir");
  const QString noBackup = QStringLiteral("no-backup");
  if (parser.isSet(noBackup) && parser.isSet(backupDir)) {
    QTextStream(stderr) << "zr93kw-setfactory: --no-backup and --backup-dir exclude each other\n";
    return 1;
  }

  FrmMainOptions options;
  if (parser.isSet(dbServer)) options.database.server = parser.value(dbServer);
  if (parser.isSet(dbDriver)) options.database.driver = parser.value(dbDriver);
  options.records.backup = !parser.isSet(noBackup);
  options.records.backupDir = parser.value(backupDir);
  options.records.verify = parser.isSet(QStringLiteral("verify"));
  options.records.logPath = parser.value(QStringLiteral("log"));
  LoggingPresenter logging;
  const bool shooting = parser.isSet(screenshot);
  if (shooting) options.presenter = &logging;

  FrmMain window(options);
  // A session's end or a kill ends the window as Exit does: a running
  // transfer stops and the port is closed.
  const platform::TerminationSignals termination([&window](int) { window.close(); });
  window.show();
  if (!shooting) return app.exec();

  // The window is taken once the read has ended and its last message is shown.
  const QString path = parser.value(screenshot);
  int status = 1;
  auto shoot = [&] {
    status = window.grab().save(path, "PNG") ? 0 : 1;
    if (status != 0) QTextStream(stderr) << "cannot write " << path << '\n';
    window.close();
  };
  QTimer ended;
  ended.setInterval(20);
  QObject::connect(&ended, &QTimer::timeout, &window, [&] {
    const std::optional<TransferOutcome>& outcome = window.Link().Outcome();
    if (window.Link().Busy() || !outcome) return;
    ended.stop();
    if (!outcome->Succeeded()) QTextStream(stderr) << EndName(outcome->end) << ": " << outcome->cause << '\n';
    shoot();
  });
  QTimer::singleShot(0, &window, [&] {
    window.Command1_Click();
    ended.start();
  });
  QTimer::singleShot(ScreenshotTimeoutMs, &window, [&] {
    QTextStream(stderr) << "no answer from the radio in time\n";
    shoot();
  });
  app.exec();
  return status;
}

}  // namespace zr::window
