#include "tools/radio-sim/trace_log.h"

namespace zr::sim {

QString TraceLine(std::chrono::nanoseconds sinceStart, char direction, const Bytes& bytes, const QString& note) {
  const double ms = std::chrono::duration<double, std::milli>(sinceStart).count();
  QString line = QStringLiteral("%1 %2").arg(ms, 10, 'f', 3).arg(QLatin1Char(direction));
  for (std::uint8_t byte : bytes) line += QStringLiteral(" %1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
  if (!note.isEmpty()) line += (bytes.empty() ? QStringLiteral(" ") : QStringLiteral("  # ")) + note;
  return line;
}

void TraceLog::Write(TimePoint at, char direction, const Bytes& bytes, const QString& note) {
  if (!enabled_) return;
  const QByteArray line = TraceLine(at - start_, direction, bytes, note).toUtf8() + '\n';
  std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stream_);
  std::fflush(stream_);
}

}  // namespace zr::sim
