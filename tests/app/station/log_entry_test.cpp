#include "app/station/log_entry.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

#include "record/field_conversions.h"

namespace zr::station {
namespace {

const platform::AnsiCodePage Western("windows-1252");

QJsonValue Json(const char* text) { return QJsonDocument::fromJson(QByteArray("[") + text + "]").array().first(); }

// A write after a backup: every line read but 0xA0, whose old bytes are
// then not known; the band, a byte of the production date and the seller change.
TransferOutcome WriteOutcome() {
  FactoryImage radio;
  FieldWriter writer(radio, Western);
  writer.PutChars(0x10, QStringLiteral("ZR93KW"), 7);
  writer.PutText(0x30, QStringLiteral("SN0042"), 16);
  radio[0x4A] = 0x30;
  TransferOutcome outcome;
  outcome.kind = TransferKind::Write;
  outcome.end = TransferEnd::WriteComplete;
  for (int line = 0; line < FactoryImageSize; line += FactoryLineSize) {
    if (line != 0xA0) outcome.blockAsRead.Store(line, radio.Line(line));
  }
  FactoryImage sent = radio;
  sent[0x03] = 14;
  sent[0x4A] = 0x31;
  sent[0xA0] = 'L';
  sent[0xF0] = 0x77;  // in a line the radio never acknowledged
  outcome.blockSent = sent;
  outcome.linesWritten = {0x00, 0x40, 0xA0};
  outcome.linesMismatched = {0x40};
  outcome.backupPath = QStringLiteral("/state/backups/SN0042-20261206T104212Z.bin");
  outcome.frames = 12;
  outcome.resends = 1;
  outcome.durationMs = 480;
  return outcome;
}

LogContext Station(std::optional<QString> packageCode = std::nullopt) {
  LogContext context;
  context.host = QStringLiteral("line-3");
  context.user = QStringLiteral("operator");
  context.version = QStringLiteral("0.1.0");
  context.comPort = 3;
  context.device = QStringLiteral("/dev/ttyUSB0");
  context.packageCode = std::move(packageCode);
  context.ended = QDateTime(QDate(2026, 12, 6), QTime(18, 42, 12, 345), Qt::OffsetFromUTC, 8 * 3600);
  return context;
}

TEST(LogEntry, AWriteSaysWhatItChangedWhereAndFromWhichBackup) {
  const QJsonObject entry = LogEntry(WriteOutcome(), Station(QStringLiteral("BOX-1")), Western);
  EXPECT_EQ(entry.value(QLatin1String("time")), Json(R"("2026-12-06T10:42:12.345Z")"));
  EXPECT_EQ(entry.value(QLatin1String("port")), Json(R"({"com": 3, "device": "/dev/ttyUSB0"})"));
  EXPECT_EQ(entry.value(QLatin1String("operation")), Json(R"("write")"));
  EXPECT_EQ(entry.value(QLatin1String("outcome")), Json(R"("write complete")"));
  EXPECT_EQ(entry.value(QLatin1String("serial")), Json(R"("SN0042")"));
  EXPECT_EQ(entry.value(QLatin1String("model")), Json(R"("ZR93KW")"));
  EXPECT_EQ(entry.value(QLatin1String("package")), Json(R"("BOX-1")"));
  EXPECT_EQ(entry.value(QLatin1String("backup")), Json(R"("/state/backups/SN0042-20261206T104212Z.bin")"));
  EXPECT_EQ(entry.value(QLatin1String("linesWritten")), Json(R"(["0x00", "0x40", "0xA0"])"));
  EXPECT_EQ(entry.value(QLatin1String("changes")), Json(R"([{"offset": "0x03", "old": "0x00", "new": "0x0E"},
                                                            {"offset": "0x4A", "old": "0x30", "new": "0x31"}])"));
  EXPECT_EQ(entry.value(QLatin1String("linesWrittenUnread")), Json(R"(["0xA0"])"));
  EXPECT_EQ(entry.value(QLatin1String("linesMismatched")), Json(R"(["0x40"])"));
  EXPECT_EQ(entry.value(QLatin1String("durationMs")), Json("480"));
}

TEST(LogEntry, TheAssociationSaysWhatBecameOfThePackageCode) {
  const struct {
    std::optional<QString> package;
    TransferEnd end;
    const char* association;
  } cases[] = {
      {std::nullopt, TransferEnd::WriteComplete, "none"},
      {std::nullopt, TransferEnd::CommunicationFailed, "none"},
      {QStringLiteral("BOX-1"), TransferEnd::WriteComplete, "recorded"},
      {QStringLiteral("BOX-1"), TransferEnd::AssociationMissing, "missing"},
      {QStringLiteral("BOX-1"), TransferEnd::DatabaseFailed, "failed"},
      {QStringLiteral("BOX-1"), TransferEnd::CommunicationFailed, "not attempted"},
      {QStringLiteral("BOX-1"), TransferEnd::BackupFailed, "not attempted"},
  };
  for (const auto& test : cases) {
    TransferOutcome outcome = WriteOutcome();
    outcome.end = test.end;
    const QJsonObject entry = LogEntry(outcome, Station(test.package), Western);
    EXPECT_EQ(entry.value(QLatin1String("association")).toString(), QLatin1String(test.association))
        << EndName(test.end).toStdString();
    EXPECT_EQ(entry.value(QLatin1String("package")), test.package ? QJsonValue(*test.package) : QJsonValue());
  }
}

TEST(LogEntry, AReadCutShortHasNoWriteFieldsAndNoTextsItDidNotRead) {
  TransferOutcome outcome;
  outcome.kind = TransferKind::Read;
  outcome.end = TransferEnd::CommunicationFailed;
  outcome.cause = QStringLiteral("read of line 0x10: no reply within the time-outs, after 2 resends");
  outcome.blockAsRead.Store(0x00, FactoryImage().Line(0x00));
  const QJsonObject entry = LogEntry(outcome, Station(), Western);
  EXPECT_EQ(entry.value(QLatin1String("serial")), QJsonValue());
  EXPECT_EQ(entry.value(QLatin1String("model")), QJsonValue());
  EXPECT_EQ(entry.value(QLatin1String("cause")).toString(), outcome.cause);
  for (const char* key : {"package", "association", "backup", "linesWritten", "changes"}) {
    EXPECT_FALSE(entry.contains(QLatin1String(key))) << key;
  }
}

TEST(LogEntry, ThisStationNamesTheAccountAndTheProgramVersion) {
  const LogContext context = ThisStation();
  EXPECT_FALSE(context.user.isEmpty());
  EXPECT_FALSE(context.host.isEmpty());
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+\\.\\d+\\.\\d+$")).match(context.version).hasMatch())
      << context.version.toStdString();
}

}  // namespace
}  // namespace zr::station
