#include "tests/support/radio_simulator.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>

#include "tools/radio-sim/radio_block.h"
#include "tools/radio-sim/setup_error.h"

namespace zr::test {

RadioSimulator::RadioSimulator() : imagePath_(dir_.filePath(QStringLiteral("radio.bin"))) {
  QDir(dir_.path()).mkpath(QStringLiteral("ports"));
  process_.setProgram(QStringLiteral(ZR_RADIO_SIM_PATH));
  process_.setStandardErrorFile(dir_.filePath(QStringLiteral("stderr.txt")));
}

RadioSimulator::~RadioSimulator() { Stop(); }

QString RadioSimulator::PortDir() const { return dir_.filePath(QStringLiteral("ports")); }

QString RadioSimulator::Trace() const {
  QFile file(dir_.filePath(QStringLiteral("stderr.txt")));
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

::testing::AssertionResult RadioSimulator::Start(const QStringList& options, int port) {
  if (!dir_.isValid())
    return testing::AssertionFailure() << "no temporary directory: " << dir_.errorString().toStdString();
  Stop();  // the one that runs, for a radio with another block or faults
  process_.setArguments(QStringList{QStringLiteral("--port-dir"), PortDir(), QStringLiteral("--port"),
                                    QString::number(port), QStringLiteral("--image"), imagePath_,
                                    QStringLiteral("--trace")} +
                        options);
  process_.start(QIODevice::ReadOnly);

  const QDeadlineTimer deadline(10000);
  while (!process_.canReadLine()) {
    if (!process_.waitForReadyRead(static_cast<int>(deadline.remainingTime())) || deadline.hasExpired()) {
      if (process_.canReadLine()) break;
      Stop();
      return testing::AssertionFailure() << "the radio simulator " << ZR_RADIO_SIM_PATH
                                         << " gave no ready line; its stderr:\n" << Trace().toStdString();
    }
  }
  const QString ready = QString::fromUtf8(process_.readLine()).trimmed();
  if (!ready.startsWith(QStringLiteral("ready COM%1 ").arg(port))) {
    Stop();
    return testing::AssertionFailure() << "unexpected ready line: " << ready.toStdString();
  }
  return testing::AssertionSuccess();
}

void RadioSimulator::Stop() {
  if (process_.state() == QProcess::NotRunning) return;
  process_.terminate();
  if (!process_.waitForFinished(5000)) { process_.kill(); process_.waitForFinished(5000); }
}

::testing::AssertionResult RadioSimulator::Start(const FactoryImage& block, const QStringList& options, int port) {
  const QString error = sim::SaveBlockFile(imagePath_, block);
  return error.isEmpty() ? Start(options, port) : testing::AssertionFailure() << error.toStdString();
}

std::optional<FactoryImage> RadioSimulator::ReadImage() const {
  try {
    return sim::LoadBlockFile(imagePath_);
  } catch (const sim::SetupError&) {
    return std::nullopt;
  }
}

}  // namespace zr::test
