#include "station/log_entry.h"

#include <QJsonArray>
#include <QSysInfo>
#include <utility>

#include "platform/text_format.h"
#include "platform/user_account.h"
#include "record/factory_fields.h"
#include "record/image_codec.h"
#include "station/log_entry_keys.h"

namespace zr::station {

namespace {

// "0x4A": the form the station's other reports use for offsets and bytes.
QString Hex(int value) {
  return QStringLiteral("0x") + zr::Hex(static_cast<unsigned>(value));
}

QJsonArray HexList(const std::vector<int>& values) {
  QJsonArray list;
  for (int value : values) list.append(Hex(value));
  return list;
}

// What became of the package association the write was to record.
QString Association(const TransferOutcome& outcome, bool packageAsked) {
  const std::string_view association = EndingOf(outcome.end).association;
  return packageAsked ? Latin1(association) : QStringLiteral("none");
}

}  // namespace

LogContext ThisStation() {
  LogContext context;
  context.host = QSysInfo::machineHostName();
  context.user = platform::UserAccountName();
  context.version = QStringLiteral(ZR_PROGRAM_VERSION);
  return context;
}

namespace {

// What every entry says: when, who and where, the operation and its outcome,
// and the radio as read.
QJsonObject EntryHead(const TransferOutcome& outcome, const LogContext& context, const QString& outcomeName,
                      const platform::AnsiCodePage& codePage) {
  const BlockAsRead& read = outcome.blockAsRead;
  // A text as read; null when its line was not read, so that nobody mistakes
  // an unread line's zeros for an empty field.
  const auto asRead = [&](Field field, auto decode) {
    return read.Holds(FieldOf(field).offset) ? QJsonValue(decode(read.bytes, codePage)) : QJsonValue();
  };
  return {
      {QStringLiteral("time"), context.ended.toUTC().toString(Qt::ISODateWithMs)},
      {QStringLiteral("host"), context.host},
      {QStringLiteral("user"), context.user},
      {QStringLiteral("version"), context.version},
      {QStringLiteral("port"),
       QJsonObject{{QStringLiteral("com"), context.comPort}, {QStringLiteral("device"), context.device}}},
      {QStringLiteral("operation"), KindName(outcome.kind)},
      {QStringLiteral("outcome"), outcomeName},
      {QStringLiteral("serial"), asRead(Field::SerialNumber, SerialNumberText)},
      {QStringLiteral("model"), asRead(Field::ModelName, ModelText)},
  };
}

QJsonValue BackupOf(const TransferOutcome& outcome) {
  return outcome.backupPath.isEmpty() ? QJsonValue() : QJsonValue(outcome.backupPath);
}

}  // namespace

QJsonObject WriteStartedEntry(const TransferOutcome& progress, const LogContext& context, const std::vector<int>& lines,
                              const QString& writeId, const platform::AnsiCodePage& codePage) {
  QJsonObject entry = EntryHead(progress, context, log_keys::WriteStarted, codePage);
  entry.insert(log_keys::WriteId, writeId);
  entry.insert(log_keys::Backup, BackupOf(progress));
  entry.insert(log_keys::LinesToWrite, HexList(lines));
  return entry;
}

QJsonObject LogEntry(const TransferOutcome& outcome, const LogContext& context,
                     const platform::AnsiCodePage& codePage) {
  QJsonObject entry = EntryHead(outcome, context, EndName(outcome.end), codePage);
  const std::pair<QString, QJsonValue> counts[] = {
      {QStringLiteral("cause"), outcome.cause},
      {QStringLiteral("frames"), outcome.frames},
      {QStringLiteral("resends"), outcome.resends},
      {QStringLiteral("durationMs"), outcome.durationMs},
  };
  for (const auto& [key, value] : counts) entry.insert(key, value);
  if (outcome.kind == TransferKind::Read) return entry;

  QJsonArray changes;
  for (const ByteChange& change : ChangedBytes(outcome)) {
    changes.append(QJsonObject{{QStringLiteral("offset"), Hex(change.offset)},
                               {QStringLiteral("old"), Hex(change.before)},
                               {QStringLiteral("new"), Hex(change.after)}});
  }
  const std::pair<QString, QJsonValue> writeFields[] = {
      {QStringLiteral("package"), context.packageCode ? QJsonValue(*context.packageCode) : QJsonValue()},
      {QStringLiteral("association"), Association(outcome, context.packageCode.has_value())},
      {QStringLiteral("backup"), BackupOf(outcome)},
      {QStringLiteral("linesWritten"), HexList(outcome.linesWritten)},
      {QStringLiteral("changes"), changes},
      {QStringLiteral("linesWrittenUnread"), HexList(LinesWrittenUnread(outcome))},
      {QStringLiteral("linesMismatched"), HexList(outcome.linesMismatched)},
  };
  for (const auto& [key, value] : writeFields) entry.insert(key, value);
  if (!outcome.writeId.isEmpty()) entry.insert(log_keys::WriteId, outcome.writeId);
  return entry;
}

}  // namespace zr::station
