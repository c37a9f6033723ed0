// The station as an automated line runs it: one process per command, against
// the simulated radio paced at 921600 baud. A write is one session (its reads,
// backup, log entries and writes), so it should cost little more than a read.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdlib>


namespace zr {
namespace {

// Runs the station once; its wall time in milliseconds, or a negative number when it failed.
double RunStation(const QStringList& arguments, const QProcessEnvironment& environment) {
  QProcess station;
  station.setProcessEnvironment(environment);
  QElapsedTimer clock;
  clock.start();
  station.start(QStringLiteral(ZR_STATION_PATH), arguments);
  if (!station.waitForFinished(30000) || station.exitStatus() != QProcess::NormalExit || station.exitCode() != 0) {
    return -1;
  }
  return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

// The simulated radio paced at 921600 baud, holding its block in memory and
// tracing nothing: the test harness's simulator saves its image file after
// every write frame, which would bill the radio's own disk to the station.
class PacedRadio {
 public:
  PacedRadio() {
    QDir().mkpath(PortDir());
    radio_.setProgram(QStringLiteral(ZR_RADIO_SIM_PATH));
    radio_.setArguments({QStringLiteral("--port-dir"), PortDir(), QStringLiteral("--port"), QStringLiteral("1"),
                         QStringLiteral("--pace")});
    radio_.setStandardErrorFile(QProcess::nullDevice());
    radio_.start(QIODevice::ReadOnly);
    ready_ = radio_.waitForReadyRead(10000) && radio_.canReadLine();
  }
  ~PacedRadio() {
    radio_.terminate();
    radio_.waitForFinished(5000);
  }
  bool Ready() const { return ready_; }
  QString PortDir() const { return folder_.filePath(QStringLiteral("ports")); }

 private:
  QTemporaryDir folder_;
  QProcess radio_;
  bool ready_ = false;
};

void BM_WholeProcessWriteOverRead(benchmark::State& bench) {
  PacedRadio radio;
  if (!radio.Ready()) {
    bench.SkipWithError("cannot start the simulated radio");
    return;
  }
  QTemporaryDir state;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("ZR93KW_PORT_DIR"), radio.PortDir());
  environment.insert(QStringLiteral("XDG_STATE_HOME"), state.path());
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  double readMs = 0;
  double writeMs = 0;
  int seller = 0;
  for (auto _ : bench) {
    const double read = RunStation({QStringLiteral("read"), QStringLiteral("--port"), QStringLiteral("1")}, environment);
    const double write = RunStation({QStringLiteral("write"), QStringLiteral("--port"), QStringLiteral("1"),
                                     QStringLiteral("--set"), QStringLiteral("Seller=S%1").arg(++seller % 1000)},
                                    environment);
    if (read < 0 || write < 0) {
      bench.SkipWithError("the station did not end in success");
      return;
    }
    readMs += read;
    writeMs += write;
    bench.SetIterationTime((read + write) / 1e3);
  }
  const auto runs = static_cast<double>(bench.iterations());
  bench.counters["read_ms"] = readMs / runs;
  bench.counters["write_ms"] = writeMs / runs;
  bench.counters["write_over_read"] = writeMs / readMs;
}

BENCHMARK(BM_WholeProcessWriteOverRead)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
}  // namespace zr
