#include "app/window/window_main.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QPixmap>
#include <QTextStream>
#include <QTimer>

#include "app/station/state_folder.h"
#include "app/window/frm_main.h"
#include "db/database_settings.h"
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
  parser.setApplicationDescription(QStringLiteral("The ZR93KW factory station window."));
  parser.addHelpOption();
  const QCommandLineOption dbServer(QStringLiteral("db-server"),
                                    QStringLiteral("Package database server (default localhost)."),
                                    QStringLiteral("NAME"));
  const QCommandLineOption dbDriver(QStringLiteral("db-driver"),
                                    QStringLiteral("ODBC driver of the package database (default " ZR_DEFAULT_ODBC_DRIVER ")."),
                                    QStringLiteral("NAME"));
  const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                      QStringLiteral("Read the radio on the selected port, save the window as "
                                                     "a PNG to FILE and exit."),
                                      QStringLiteral("FILE"));
  const QCommandLineOption backupDir(QStringLiteral("backup-dir"),
                                     QStringLiteral("Save each radio's block to DIR before writing it (default "
                                                    ZR_BACKUP_FOLDER_WORDS ")."),
                                     QStringLiteral("DIR"));
  const QCommandLineOption noBackup(QStringLiteral("no-backup"), QStringLiteral("Write without saving the block first."));
  const QCommandLineOption verify(QStringLiteral("verify"), QStringLiteral("Read the written lines back."));
  const QCommandLineOption log(QStringLiteral("log"),
                               QStringLiteral("The station log (default "
                                              ZR_STATION_LOG_WORDS ")."),
                               QStringLiteral("FILE"));
  const QList<QCommandLineOption> accepted = {dbServer, dbDriver, screenshot, backupDir, noBackup, verify, log};
  parser.addOptions(accepted);
  parser.process(app);
  if (parser.isSet(noBackup) && parser.isSet(backupDir)) {
    QTextStream(stderr) << "zr93kw-setfactory: --no-backup and --backup-dir exclude each other\n";
    return 1;
  }
  for (const QCommandLineOption& option : accepted) {
    if (parser.values(option).size() > 1) {
      QTextStream(stderr) << "zr93kw-setfactory: --" << option.names().front() << " is given more than once\n";
      return 1;
    }
  }

  FrmMainOptions options;
  if (parser.isSet(dbServer)) options.database.server = parser.value(dbServer);
  if (parser.isSet(dbDriver)) options.database.driver = parser.value(dbDriver);
  options.records.backup = !parser.isSet(noBackup);
  options.records.backupDir = parser.value(backupDir);
  options.records.verify = parser.isSet(verify);
  options.records.logPath = parser.value(log);
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
