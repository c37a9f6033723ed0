// `log` on a station log of a gigabyte, run as the operator runs it: the
// program as a child process, so that its time and its peak resident memory
// are its own. The log is made once per run in a temporary folder, from
// entries as the station writes them, for many radios.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>
#include <random>
#include <vector>

#include "record/field_conversions.h"
#include "station/log_entry.h"

extern char** environ;

namespace zr {
namespace {

constexpr qint64 LogBytes = qint64{1} << 30;
constexpr int Radios = 50000;
// One radio's entries, some 20 in the log.
const char* const OneRadio = "SN-0000000004242";

// Stand-ins, each as long as what takes its place in every line.
const QByteArray SerialMark = "SN-#############";
const QByteArray TimeMark = "2026-12-05T09:30:00.123Z";
const QByteArray WriteIdMark = "################";

// The kinds of entries a station writes, with the marks in place of the serial
// number, the time and the write's id.
enum Template { Read, WriteStarted, WriteOutcome, ReadFailed };
std::vector<QByteArray> EntryTemplates() {
  const platform::AnsiCodePage western(1252);
  const auto line = [](const QJsonObject& entry) { return QJsonDocument(entry).toJson(QJsonDocument::Compact) + '\n'; };
  station::LogContext context = station::ThisStation();
  context.comPort = 3;
  context.device = QStringLiteral("/dev/ttyUSB0");
  context.ended = QDateTime::fromString(QString::fromLatin1(TimeMark), Qt::ISODateWithMs);
  const auto outcome = [&](TransferKind kind, TransferEnd end) {
    TransferOutcome outcome;
    outcome.kind = kind;
    outcome.end = end;
    outcome.frames = kind == TransferKind::Read ? 18 : 32;
    outcome.durationMs = 812;
    outcome.device = context.device;
    FieldWriter(outcome.blockAsRead.bytes, western).PutChars(0x10, QStringLiteral("ZR93KW"), 7);
    FieldWriter(outcome.blockAsRead.bytes, western).PutText(0x30, QString::fromLatin1(SerialMark), 16);
    outcome.blockAsRead.lines.set();
    if (end == TransferEnd::CommunicationFailed) {
      outcome.cause = QStringLiteral("read of line 0x40: no reply within the time-outs, after 2 resends");
      outcome.blockAsRead.lines.reset(4);
    }
    if (kind == TransferKind::Write) {
      outcome.blockSent = outcome.blockAsRead.bytes;
      for (int offset = 0xA0; offset < 0xA8; ++offset) (*outcome.blockSent)[offset] = 'x';  // the seller
      for (int offset = 0x90; offset < 0x98; ++offset) (*outcome.blockSent)[offset] = '1';  // a date
      for (int line = 0; line < FactoryImageSize; line += FactoryLineSize) {
        if (line != 0x10 && line != 0x30) outcome.linesWritten.push_back(line);
      }
      outcome.backupPath = QStringLiteral("/home/operator/.local/state/zr93kw-setfactory/backups/") +
                           QString::fromLatin1(SerialMark) + QStringLiteral("-20261205T093000Z.bin");
      outcome.writeId = QString::fromLatin1(WriteIdMark);
    }
    return outcome;
  };
  const TransferOutcome written = outcome(TransferKind::Write, TransferEnd::WriteComplete);
  station::LogContext packed = context;
  packed.packageCode = QStringLiteral("BOX-000123");
  return {line(station::LogEntry(outcome(TransferKind::Read, TransferEnd::ReadComplete), context, western)),
          line(station::WriteStartedEntry(written, context, written.linesWritten, written.writeId, western)),
          line(station::LogEntry(written, packed, western)),
          line(station::LogEntry(outcome(TransferKind::Read, TransferEnd::CommunicationFailed), context, western))};
}

// Writes the log at `path`, in a child process so that none of this takes
// the benchmark's own memory (a program started later inherits its peak).
bool MakeLog(const QString& path) {
  const pid_t child = ::fork();
  if (child < 0) return false;
  if (child > 0) {
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
  const std::vector<QByteArray> templates = EntryTemplates();
  const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  QByteArray buffer;
  qint64 written = 0;
  const QDateTime start = QDateTime::fromString(QString::fromLatin1(TimeMark), Qt::ISODateWithMs);
  std::minstd_rand random(42);
  for (qint64 i = 0; fd >= 0 && written < LogBytes; ++i) {
    // Half of them writes, some reads, a failure now and then; one write in a
    // thousand interrupted, without its outcome.
    const unsigned kind = random() % 1000;
    std::vector<Template> entries{Read};
    if (kind >= 400) entries = {WriteStarted, WriteOutcome};
    if (kind >= 900) entries = {ReadFailed};
    if (kind == 999) entries = {WriteStarted};
    const QByteArray serial = QByteArray("SN-") + QByteArray::number(random() % Radios).rightJustified(13, '0');
    const QByteArray time = start.addSecs(i * 20).toString(Qt::ISODateWithMs).toLatin1();
    for (Template entry : entries) {
      buffer += QByteArray(templates[entry])
                    .replace(SerialMark, serial)
                    .replace(TimeMark, time)
                    .replace(WriteIdMark, QByteArray::number(i, 16).rightJustified(16, '0'));
    }
    if (buffer.size() > (4 << 20)) {
      written += buffer.size();
      if (::write(fd, buffer.constData(), static_cast<std::size_t>(buffer.size())) != buffer.size()) std::_Exit(1);
      buffer.clear();
    }
  }
  std::_Exit(fd >= 0 && ::write(fd, buffer.constData(), static_cast<std::size_t>(buffer.size())) == buffer.size() &&
                     ::close(fd) == 0
                 ? 0
                 : 1);
}

struct BigLog {
  QTemporaryDir folder;
  QString path = folder.filePath(QStringLiteral("station-log.jsonl"));
  qint64 bytes = 0;
};

const BigLog& TheLog() {
  static BigLog log;
  if (log.bytes == 0 && MakeLog(log.path)) log.bytes = QFileInfo(log.path).size();
  return log;
}

// `log ARGUMENTS` on the big log, its output thrown away; its peak resident memory in bytes, or -1 when it failed.
long RunLog(const QStringList& arguments) {
  QList<QByteArray> words{QByteArray(ZR_STATION_PATH), "log", "--log", QFile::encodeName(TheLog().path)};
  for (const QString& argument : arguments) words << argument.toUtf8();
  std::vector<char*> argv;
  for (QByteArray& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t child = 0;
  const int spawned = ::posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return -1;
  int status = 0;
  rusage usage{};
  if (::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return usage.ru_maxrss * 1024L;
}

void FilterLog(benchmark::State& bench, const QStringList& arguments) {
  if (TheLog().bytes == 0) {
    bench.SkipWithError("the log could not be made");
    return;
  }
  long peak = 0;
  for (auto _ : bench) {
    const long resident = RunLog(arguments);
    if (resident < 0) {
      bench.SkipWithError("log failed");
      return;
    }
    peak = std::max(peak, resident);
  }
  bench.SetBytesProcessed(bench.iterations() * TheLog().bytes);
  bench.counters["peak_rss_MiB"] = static_cast<double>(peak) / (1 << 20);
  rusage self{};
  ::getrusage(RUSAGE_SELF, &self);
  bench.counters["bench_rss_MiB"] = static_cast<double>(self.ru_maxrss) / 1024;  // inherited by the child: below
}

void BM_LogTableBySerial(benchmark::State& s) {
  FilterLog(s, {QStringLiteral("--serial"), QString::fromLatin1(OneRadio)});
}
void BM_LogJsonBySerial(benchmark::State& s) {
  FilterLog(s, {QStringLiteral("--serial"), QString::fromLatin1(OneRadio), QStringLiteral("--json")});
}
BENCHMARK(BM_LogTableBySerial)->Iterations(3)->UseRealTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_LogJsonBySerial)->Iterations(3)->UseRealTime()->Unit(benchmark::kSecond);

}  // namespace
}  // namespace zr
