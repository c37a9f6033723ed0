#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace zr::test {

struct StationRun {
  int status;
  QString out;
  QString err;
};

// Runs the station's executable to its end with `arguments`, in English unless
// `environment` says otherwise.
inline StationRun RunStation(const QStringList& arguments,
                             const std::vector<std::pair<QString, QString>>& environment = {}) {
  QProcess station;
  QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
  variables.insert(QStringLiteral("LANG"), QStringLiteral("en_US.UTF-8"));
  variables.remove(QStringLiteral("LC_ALL"));
  for (const auto& [name, value] : environment) variables.insert(name, value);
  station.setProcessEnvironment(variables);
  station.start(QStringLiteral(ZR_STATION_PATH), arguments);
  EXPECT_TRUE(station.waitForFinished(20000));
  return {station.exitCode(), QString::fromUtf8(station.readAllStandardOutput()),
          QString::fromUtf8(station.readAllStandardError())};
}

}  // namespace zr::test
