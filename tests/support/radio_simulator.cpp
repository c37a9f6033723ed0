#include "tests/support/radio_simulator.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>

#include "tools/radio-sim/radio_block.h"
#include "tools/radio-sim/setup_error.h"

namespace zr::test {

namespace {

constexpr int StopTimeoutMs = 5000;

QString ReadAll(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

}  // namespace

RadioSimulator::RadioSimulator() : imagePath_(dir_.filePath(QStringLiteral("radio.bin"))) {
  QDir(dir_.path()).mkpath(QStringLiteral("ports"));
  process_.setProgram(ExecutablePath());
  process_.setStandardErrorFile(dir_.filePath(QStringLiteral("stderr.txt")));
}

RadioSimulator::~RadioSimulator() { Stop(); }

QString RadioSimulator::ExecutablePath() { return QStringLiteral(ZR_RADIO_SIM_PATH); }

QString RadioSimulator::PortDir() const { return dir_.filePath(QStringLiteral("ports")); }

QString RadioSimulator::PortName() const { return QStringLiteral("COM%1").arg(port_); }

QString RadioSimulator::Trace() const { return ReadAll(dir_.filePath(QStringLiteral("stderr.txt"))); }

bool RadioSimulator::Running() const { return process_.state() != QProcess::NotRunning; }

::testing::AssertionResult RadioSimulator::Start(const QStringList& options, int port, int timeoutMs) {
  if (!dir_.isValid())
    return testing::AssertionFailure() << "no temporary directory: " << dir_.errorString().toStdString();
  if (Running()) return testing::AssertionFailure() << "the radio simulator is already running";
  port_ = port;
  process_.setArguments(QStringList{QStringLiteral("--port-dir"), PortDir(), QStringLiteral("--port"),
                                    QString::number(port), QStringLiteral("--image"), imagePath_,
                                    QStringLiteral("--trace")} +
                        options);
  process_.start(QIODevice::ReadOnly);

  const QDeadlineTimer deadline(timeoutMs);
  while (!process_.canReadLine()) {
    if (!process_.waitForReadyRead(static_cast<int>(deadline.remainingTime())) || deadline.hasExpired()) {
      if (process_.canReadLine()) break;
      const bool ran = Running();
      Stop();
      return testing::AssertionFailure() << "the radio simulator " << ExecutablePath().toStdString()
                                         << (ran ? " gave no ready line in time" : " ended before it was ready")
                                         << (process_.error() == QProcess::FailedToStart ? " (it failed to start)" : "")
                                         << "; its stderr:\n"
                                         << Trace().toStdString();
    }
  }
  const QStringList ready = QString::fromUtf8(process_.readLine()).trimmed().split(QLatin1Char(' '));
  if (ready.size() != 3 || ready[0] != QLatin1String("ready") || ready[1] != PortName()) {
    Stop();
    return testing::AssertionFailure() << "unexpected ready line: " << ready.join(QLatin1Char(' ')).toStdString();
  }
  return testing::AssertionSuccess();
}

int RadioSimulator::Stop() {
  if (!Running()) return -1;
  process_.terminate();
  if (!process_.waitForFinished(StopTimeoutMs)) {
    process_.kill();
    process_.waitForFinished(StopTimeoutMs);
    return -1;
  }
  return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
}

bool RadioSimulator::WriteImage(const FactoryImage& block) const {
  return sim::SaveBlockFile(imagePath_, block).isEmpty();
}

std::optional<FactoryImage> RadioSimulator::ReadImage() const {
  try {
    return sim::LoadBlockFile(imagePath_);
  } catch (const sim::SetupError&) {
    return std::nullopt;
  }
}

}  // namespace zr::test
