#include "station/log_entry.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>

#include "record/field_conversions.h"

namespace zr::station {
namespace {

const platform::AnsiCodePage Western(1252);

QJsonValue Json(const char* text) { return QJsonDocument::fromJson(QByteArray("[") + text + "]").array().first(); }

// A write after a backup: every line read but 0xA0, whose old bytes are then
// unknown; the band and a byte of the production date change.
TransferOutcome WriteOutcome(TransferEnd end) {
  FactoryImage radio;
  FieldWriter(radio, Western).PutChars(0x10, QStringLiteral("ZR93KW"), 7);
  FieldWriter(radio, Western).PutText(0x30, QStringLiteral("SN0042"), 16);
  radio[0x4A] = 0x30;
  TransferOutcome outcome;
  outcome.kind = TransferKind::Write;
  outcome.end = end;
  for (int line = 0; line < FactoryImageSize; line += FactoryLineSize) {
    if (line != 0xA0) outcome.blockAsRead.Store(line, radio.Line(line));
  }
  outcome.blockSent = radio;
  (*outcome.blockSent)[0x03] = 14;
  (*outcome.blockSent)[0x4A] = 0x31;
  (*outcome.blockSent)[0xA0] = 'L';
  (*outcome.blockSent)[0xF0] = 0x77;  // in a line the radio never acknowledged
  outcome.linesWritten = {0x00, 0x40, 0xA0};
  outcome.backupPath = QStringLiteral("/b/SN0042-20261206T104212Z.bin");
  return outcome;
}

LogContext Station(std::optional<QString> packageCode = std::nullopt) {
  LogContext context;
  context.comPort = 3;
  context.device = QStringLiteral("/dev/ttyUSB0");
  context.packageCode = std::move(packageCode);
  context.ended = QDateTime(QDate(2026, 12, 6), QTime(18, 42, 12, 345), Qt::OffsetFromUTC, 8 * 3600);
  return context;
}

TEST(LogEntry, AWriteSaysWhatItChangedFromWhatWasReadAndWhereItWasSaved) {
  TransferOutcome outcome = WriteOutcome(TransferEnd::VerifyFailed);
  outcome.linesMismatched = {0x40};
  const QJsonObject entry = LogEntry(outcome, Station(), Western);
  EXPECT_EQ(entry.value("time"), Json(R"("2026-12-06T10:42:12.345Z")"));
  EXPECT_EQ(entry.value("port"), Json(R"({"com": 3, "device": "/dev/ttyUSB0"})"));
  EXPECT_EQ(entry.value("serial"), Json(R"("SN0042")"));
  EXPECT_EQ(entry.value("model"), Json(R"("ZR93KW")"));
  EXPECT_EQ(entry.value("backup"), Json(R"("/b/SN0042-20261206T104212Z.bin")"));
  EXPECT_EQ(entry.value("linesWritten"), Json(R"(["0x00", "0x40", "0xA0"])"));
  EXPECT_EQ(entry.value("changes"), Json(R"([{"offset": "0x03", "old": "0x00", "new": "0x0E"},
                                              {"offset": "0x4A", "old": "0x30", "new": "0x31"}])"));
  EXPECT_EQ(entry.value("linesWrittenUnread"), Json(R"(["0xA0"])"));
  EXPECT_EQ(entry.value("linesMismatched"), Json(R"(["0x40"])"));
}

TEST(LogEntry, TheAssociationSaysWhatBecameOfThePackageCode) {
  const std::tuple<std::optional<QString>, TransferEnd, const char*> cases[] = {
      {std::nullopt, TransferEnd::WriteComplete, "none"},           {"BOX-1", TransferEnd::WriteComplete, "recorded"},
      {"BOX-1", TransferEnd::AssociationMissing, "missing"},        {"BOX-1", TransferEnd::DatabaseFailed, "failed"},
      {"BOX-1", TransferEnd::CommunicationFailed, "not attempted"},
  };
  for (const auto& [package, end, association] : cases) {
    const QJsonObject entry = LogEntry(WriteOutcome(end), Station(package), Western);
    EXPECT_EQ(entry.value("association").toString(), QLatin1String(association)) << EndName(end).toStdString();
    EXPECT_EQ(entry.value("package"), package ? QJsonValue(*package) : QJsonValue());
  }
}

TEST(LogEntry, AReadCutShortHasNullsForWhatItDidNotReadAndNoWriteFields) {
  TransferOutcome outcome;
  outcome.end = TransferEnd::CommunicationFailed;
  outcome.blockAsRead.Store(0x00, FactoryImage().Line(0x00));
  const QJsonObject entry = LogEntry(outcome, Station(), Western);
  EXPECT_TRUE(entry.value("serial").isNull() && entry.value("model").isNull());
  EXPECT_FALSE(entry.contains("changes") || entry.contains("association"));
}

}  // namespace
}  // namespace zr::station
