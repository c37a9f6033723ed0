// Full read and write transfers against the simulated radio over a
// pseudo-terminal, and the floor: the same round trips by a bare loop over the
// same device. Times exclude the 100 ms start timer and the port opening.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdlib>
#include <memory>
#include <optional>

#include "link/form_host.h"
#include "link/qt_serial_device.h"
#include "link/radio_link.h"
#include "platform/settings_file.h"
#include "station/transfer_records.h"
#include "tests/support/radio_simulator.h"

namespace zr {
namespace {

// Bytes on the wire per transfer (both directions), for the wire-time figure.
constexpr int ReadTransferBytes = (7 + 3) + 16 * (6 + 24) + (3 + 1);
constexpr int WriteTransferBytes = (7 + 3) + 5 * (6 + 24) + 14 * (24 + 1) + (3 + 1);
// A write with its backup reads the 11 lines it would not read otherwise.
constexpr int RecordedWriteTransferBytes = WriteTransferBytes + 11 * (6 + 24);
constexpr double SecondsPerByte = 10.0 / 921600.0;  // 8N1

// The window's stand-in: the form's values, every box answered OK.
class QuietHost : public FormHost, public PackageAssociations {
 public:
  using FormHost::FormHost;
  MessageButton ShowMessage(const QString&, MessageStyle) override { return MessageButton::Ok; }
  bool SaveAssociation(const QString&, const QString&) override { return true; }
  bool AssociationExists(const QString&, const QString&) override { return true; }
  void TransferEnded(const TransferOutcome& outcome) override {
    if (records != nullptr) logFailure = records->Record(outcome, State().CurrentComPort, std::nullopt).Why();
  }

  const station::TransferRecords* records = nullptr;  // null: nothing logged
  QString logFailure;
};

// One simulated radio per pacing, started once.
test::RadioSimulator& Radio(bool paced) {
  static std::unique_ptr<test::RadioSimulator> radios[2];
  auto& radio = radios[paced ? 1 : 0];
  if (!radio) {
    radio = std::make_unique<test::RadioSimulator>();
    const auto started = radio->Start(paced ? QStringList{QStringLiteral("--pace")} : QStringList{});
    if (!started) std::abort();
  }
  setenv("ZR93KW_PORT_DIR", radio->PortDir().toLocal8Bit().constData(), 1);
  return *radio;
}

// `recorded`: every write saves a backup first and every transfer adds a log
// entry, as the station does by default; both go to a temporary folder.
void Transfer(benchmark::State& bench, OperationModes mode, bool paced, int wireBytes, bool recorded = false) {
  Radio(paced);
  StationState state;
  state.CurrentComPort = 1;
  state.UiLanguage = lang::UiLanguage::English;
  QuietHost host(state);
  QtSerialDevice device;
  QTemporaryDir dir;
  platform::SettingsFile settings(dir.filePath(QStringLiteral("mysetup.ini")));
  const platform::AnsiCodePage codePage(1252);
  // No start delay: the clock runs from the open port to the transfer's end.
  RadioLink link(state, host, device, settings, codePage, host, std::chrono::milliseconds(0));
  station::TransferRecords records(
      StationRecordsOptions{.backup = true,
                            .backupDir = dir.filePath(QStringLiteral("backups")),
                            .verify = false,
                            .logPath = dir.filePath(QStringLiteral("station-log.jsonl"))},
      codePage);
  if (recorded) {
    host.records = &records;
    link.SetWriteChecks(records.Backup(), records.Journal(), false);
  }
  for (auto _ : bench) {
    if (!(mode == OperationModes::Read ? link.StartRead() : link.StartWrite())) {
      bench.SkipWithError("cannot open the simulated radio's port");
      return;
    }
    QElapsedTimer clock;
    clock.start();
    while (link.Busy()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    bench.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
    const std::optional<TransferOutcome>& outcome = link.Outcome();
    if (!host.logFailure.isEmpty()) {
      bench.SkipWithError(("log not written: " + host.logFailure).toStdString().c_str());
      return;
    }
    if (!outcome || !outcome->Succeeded()) {
      const QString why = outcome ? EndName(outcome->end) + QStringLiteral(": ") + outcome->cause : QStringLiteral("no end");
      bench.SkipWithError(("transfer ended with " + why).toStdString().c_str());
      return;
    }
  }
  bench.counters["wire_ms"] = wireBytes * SecondsPerByte * 1000.0;
}

// The floor: the same frames and reply sizes by a plain loop on the same device.
void BareRoundTrips(benchmark::State& bench, bool paced, bool write) {
  Radio(paced);
  QtSerialDevice device;
  if (device.Open(QStringLiteral("COM1")) == 0) {
    bench.SkipWithError("cannot open the simulated radio's port");
    return;
  }
  LineState line;
  device.GetState(line);
  line.BaudRate = 921600;
  device.SetState(line);
  device.SetTimeouts(LineTimeouts{300, 300, 300, 300, 300});
  const auto roundTrip = [&](const Bytes& frame, int replyLength) {
    device.Purge(PurgeFlags::RxClear | PurgeFlags::TxClear);
    device.Write(frame);
    int got = 0;
    while (got < replyLength) {
      const Bytes part = device.Read(replyLength - got);
      if (part.empty()) return false;
      got += static_cast<int>(part.size());
    }
    return true;
  };
  FactoryImage block;
  for (auto _ : bench) {
    QElapsedTimer clock;
    clock.start();
    bool ok = roundTrip(BuildProgram(), ProgramReplyLength);
    const int reads = write ? 5 : 16;
    for (int i = 0; i < reads && ok; ++i) ok = roundTrip(BuildReadRequest(FactoryBase + 16u * static_cast<unsigned>(i), 16), DataReplyLength);
    if (write) {
      // The 14 lines a write sends; their content does not matter for the floor.
      for (int offset : {0x00, 0x20, 0x40, 0x50, 0x60, 0x70, 0x80, 0x90, 0xA0, 0xB0, 0xC0, 0xD0, 0xE0, 0xF0}) {
        ok = ok && roundTrip(BuildWriteFrame(FactoryBase + static_cast<unsigned>(offset), block.Line(offset)),
                             WriteReplyLength);
      }
    }
    ok = ok && roundTrip(BuildEnd(), EndReplyLength);
    bench.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
    if (!ok) {
      bench.SkipWithError("the simulated radio did not answer");
      return;
    }
  }
  device.Close();
}

void BM_ReadTransfer(benchmark::State& s) { Transfer(s, OperationModes::Read, false, ReadTransferBytes); }
void BM_ReadTransferPaced(benchmark::State& s) { Transfer(s, OperationModes::Read, true, ReadTransferBytes); }
void BM_WriteTransfer(benchmark::State& s) { Transfer(s, OperationModes::Write, false, WriteTransferBytes); }
void BM_WriteTransferPaced(benchmark::State& s) { Transfer(s, OperationModes::Write, true, WriteTransferBytes); }
void BM_WriteTransferRecordedPaced(benchmark::State& s) {
  Transfer(s, OperationModes::Write, true, RecordedWriteTransferBytes, true);
}
// The station's records alone, flushed to disk as in a transfer: one backup
// saved, one log entry appended.
void BM_BackupSave(benchmark::State& bench) {
  QTemporaryDir dir;
  station::BackupFolder folder(dir.filePath(QStringLiteral("backups")), platform::AnsiCodePage(1252));
  const FactoryImage block;
  for (auto _ : bench) benchmark::DoNotOptimize(folder.Save(block));
}
void BM_LogAppend(benchmark::State& bench) {
  QTemporaryDir dir;
  const station::TransferRecords records(
      StationRecordsOptions{.backup = false, .backupDir = {}, .verify = false,
                            .logPath = dir.filePath(QStringLiteral("station-log.jsonl"))},
      platform::AnsiCodePage(1252));
  TransferOutcome outcome;
  outcome.kind = TransferKind::Write;
  outcome.end = TransferEnd::WriteComplete;
  outcome.blockAsRead.lines.set();
  outcome.blockSent = outcome.blockAsRead.bytes;
  for (int line = 0; line < FactoryImageSize; line += FactoryLineSize) outcome.linesWritten.push_back(line);
  for (int offset = 0xA0; offset < 0xB0; ++offset) (*outcome.blockSent)[offset] = 'x';
  for (auto _ : bench) {
    if (!records.Record(outcome, 1, std::nullopt).Ok()) {
      bench.SkipWithError("log not written");
      return;
    }
  }
}
void BM_ReadFloor(benchmark::State& s) { BareRoundTrips(s, false, false); }
void BM_ReadFloorPaced(benchmark::State& s) { BareRoundTrips(s, true, false); }
void BM_WriteFloor(benchmark::State& s) { BareRoundTrips(s, false, true); }
void BM_WriteFloorPaced(benchmark::State& s) { BareRoundTrips(s, true, true); }

BENCHMARK(BM_ReadFloor)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadTransfer)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteFloor)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteTransfer)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadFloorPaced)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadTransferPaced)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteFloorPaced)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteTransferPaced)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteTransferRecordedPaced)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BackupSave)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LogAppend)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zr
