#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcessEnvironment>
#include <csignal>
#include <functional>
#include <utility>
#include <vector>

#include "tests/support/radio_simulator.h"

namespace zr::test {

struct StationRun {
  int status;
  QString out;
  QString err;
};

// Variables set for a run; a null value removes the variable.
using Variables = std::vector<std::pair<QString, QString>>;

inline const Variables NoDisplay{{"DISPLAY", {}}, {"WAYLAND_DISPLAY", {}}, {"QT_QPA_PLATFORM", {}}};

// Arguments written as one line; none of them holds a blank.
inline QStringList Args(const char* line) { return QString::fromUtf8(line).split(QLatin1Char(' ')); }

inline QProcessEnvironment StationEnvironment(const Variables& variables) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("LANG"), QStringLiteral("en_US.UTF-8"));
  environment.remove(QStringLiteral("LC_ALL"));
  for (const auto& [name, value] : variables) {
    value.isNull() ? environment.remove(name) : environment.insert(name, value);
  }
  return environment;
}

// Runs the station's executable to its end with `arguments`, in English unless
// `variables` say otherwise, and `meanwhile`, if given, as it runs. A station a
// signal killed has status -1, which only a run with `meanwhile` expects.
inline StationRun RunStation(const QStringList& arguments, const Variables& variables = {},
                             const std::function<void(QProcess&)>& meanwhile = {}) {
  QProcess station;
  station.setProcessEnvironment(StationEnvironment(variables));
  station.start(QStringLiteral(ZR_STATION_PATH), arguments);
  if (meanwhile) meanwhile(station);
  EXPECT_TRUE(station.waitForFinished(20000) || station.state() == QProcess::NotRunning);  // or ended meanwhile
  EXPECT_TRUE(meanwhile || station.exitStatus() == QProcess::NormalExit) << "the station crashed";
  return {station.exitStatus() == QProcess::NormalExit ? station.exitCode() : -1,
          QString::fromUtf8(station.readAllStandardOutput()), QString::fromUtf8(station.readAllStandardError())};
}

// The station against the simulated radio, with a state folder of its own.
class OnRadio : public ::testing::Test {
 protected:
  Variables Environment(Variables more = {}) const {
    more.insert(more.begin(), {{"ZR93KW_PORT_DIR", radio.PortDir()}, {"XDG_STATE_HOME", state.path()}});
    return more;
  }
  StationRun Station(const QStringList& arguments, const Variables& more = {}) {
    return RunStation(arguments, Environment(more));
  }
  QString StatePath(const char* name) const { return state.filePath(QStringLiteral("zr93kw-setfactory/") + name); }
  std::vector<QJsonObject> LogEntries() const {
    QFile file(StatePath("station-log.jsonl"));
    std::vector<QJsonObject> entries;
    if (!file.open(QIODevice::ReadOnly)) return entries;
    for (const QByteArray& line : file.readAll().split('\n')) {
      if (!line.isEmpty()) entries.push_back(QJsonDocument::fromJson(line).object());
    }
    return entries;
  }
  // Runs the station and sends it the signal once the radio's trace past its
  // first `from` characters holds `text`.
  StationRun Interrupted(const QStringList& arguments, int signalNumber, const char* text, qsizetype from = 0) {
    return RunStation(arguments, Environment(), [&](QProcess& station) {
      const QDeadlineTimer deadline(10000);
      while (!radio.Trace().mid(from).contains(QLatin1String(text)) && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
      }
      ::kill(static_cast<pid_t>(station.processId()), signalNumber);
    });
  }

  QTemporaryDir state;
  RadioSimulator radio;
};

}  // namespace zr::test
