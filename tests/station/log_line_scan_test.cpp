#include "station/log_line_scan.h"

#include <gtest/gtest.h>

#include <QJsonDocument>

#include "station/log_entry.h"

namespace zr::station {
namespace {

using Texts = std::vector<std::optional<std::string>>;  // time, serial, outcome, writeId

std::optional<Texts> Scanned(QByteArrayView line) {
  const std::optional<LogLineScan> scan = LogLineScan::Of(line);
  if (!scan) return std::nullopt;
  Texts texts;
  for (LogMember member : {LogMember::Time, LogMember::Serial, LogMember::Outcome, LogMember::WriteId}) {
    const std::optional<std::string_view> text = scan->Text(member);
    texts.push_back(text ? std::optional<std::string>(*text) : std::nullopt);
  }
  return texts;
}

TEST(LogLineScan, FindsTheTopLevelTextsAsAJsonParserReadsThem) {
  const std::pair<const char*, std::optional<Texts>> cases[] = {
      {R"({"time":"T","serial":"SN-A","outcome":"write started","writeId":"w1"})", Texts{"T", "SN-A", "write started", "w1"}},
      {R"( { "serial" : "SN\u002DA\"" , "a" : [ 1 , -0.5e+3 , true , false , null , { "b" : [ ] } ] } )",
       Texts{{}, "SN-A\"", {}, {}}},
      {R"({"s\u0065rial":"X","port":{"serial":"nested"},"x":"serial"})", Texts{{}, "X", {}, {}}},
      {R"({"serial":"A","serial":"B","outcome":"o","outcome":null,"writeId":7})", Texts{{}, "B", {}, {}}},
      {"{\"serial\":\"\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x93\xBB\"}", Texts{{}, "\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x93\xBB", {}, {}}},
      // No JSON object: torn, foreign, or not quite JSON.
      {R"({"serial":"SN)", std::nullopt},
      {"not json", std::nullopt},
      {"[1]", std::nullopt},
      {R"({"a":1}x)", std::nullopt},
      {R"({"a":01})", std::nullopt},
      {R"({"a":1.})", std::nullopt},
      {R"({"a":[1,]})", std::nullopt},
      {R"({"a":1,})", std::nullopt},
      {R"({"a":"\x"})", std::nullopt},
      {R"({"a":"\u12G4"})", std::nullopt},
      {"{\"a\":\"\x1B\"}", std::nullopt},
      {"{\"a\":\"\xC0\xAF\"}", std::nullopt},      // overlong
      {"{\"a\":\"\xED\xA0\x80\"}", std::nullopt},  // a surrogate
      {"{\"a\":\"\xE4\xB8\"}", std::nullopt},      // cut short
      {"", std::nullopt},
  };
  for (const auto& [line, expected] : cases) EXPECT_EQ(Scanned(line), expected) << line;

  std::string deep = R"({"a":)" + std::string(100, '[') + std::string(100, ']') + "}";
  EXPECT_EQ(Scanned(deep.c_str()), std::nullopt);
}

// A line cut anywhere, as a crash or a full disk cuts it, holds no entry.
TEST(LogLineScan, EveryCutOfAnEntryIsRefused) {
  TransferOutcome outcome;
  outcome.kind = TransferKind::Write;
  outcome.cause = QStringLiteral("\"quoted\" \\ é\x1B");
  LogContext context;
  context.ended = QDateTime::currentDateTimeUtc();
  const QByteArray line = QJsonDocument(LogEntry(outcome, context, platform::AnsiCodePage(1252)))
                              .toJson(QJsonDocument::Compact);
  ASSERT_TRUE(Scanned(line).has_value());
  for (qsizetype length = 0; length < line.size(); ++length) {
    EXPECT_FALSE(Scanned(line.first(length)).has_value()) << line.first(length).constData();
  }
}

}  // namespace
}  // namespace zr::station
