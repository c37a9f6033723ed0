#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "tools/radio-sim/radio_block.h"
#include "tools/radio-sim/setup_error.h"
#include "tools/radio-sim/sim_options.h"

namespace zr::sim {
namespace {

SimOptions Parse(QStringList arguments, const QString& environment = QStringLiteral("/env/ports")) {
  arguments.prepend(QStringLiteral("zr93kw-radio-sim"));
  CommandLine commandLine = ParseCommandLine(arguments, environment);
  EXPECT_TRUE(commandLine.options);
  return commandLine.options.value_or(SimOptions{});
}

TEST(SimOptions, PortDirectoryComesFromOptionOrEnvironment) {
  const SimOptions defaults = Parse({});
  EXPECT_EQ(defaults.portDir, QStringLiteral("/env/ports"));
  EXPECT_EQ(defaults.port, 1);
  EXPECT_TRUE(defaults.block.imagePath.isEmpty());
  EXPECT_FALSE(defaults.unplugAfter);
  EXPECT_EQ(Parse({"--port-dir", "/mine", "--port", "12"}).portDir, QStringLiteral("/mine"));
  EXPECT_THROW(Parse({}, QString()), SetupError);
}

TEST(SimOptions, RejectsBadValues) {
  for (const QStringList& bad :
       {QStringList{"--port", "0"}, QStringList{"--port", "x"}, QStringList{"--delay-ms", "-1"},
        QStringList{"--split-ms", "0"}, QStringList{"--unplug-after", "2x"}, QStringList{"--bogus"},
        QStringList{"stray"}, QStringList{"--no-answer", "read:"}}) {
    EXPECT_THROW(Parse(bad), SetupError) << bad.join(' ').toStdString();
  }
}

TEST(SimOptions, FaultRulesTakeKindsLinesAndCounts) {
  const SimOptions options = Parse({"--no-answer", "read@0x30:2", "--no-answer", "write@0x02FA00F0", "--no-answer",
                                    "end", "--repeat-request", "3", "--bad-checksum", "0x10:1", "--delay-ms", "7",
                                    "--split-ms", "2", "--pace", "--unplug-after", "5", "--trace"});
  ASSERT_EQ(options.faults.noAnswer.size(), 3u);
  EXPECT_EQ(options.faults.noAnswer[0].kind, FrameKind::Read);
  EXPECT_EQ(options.faults.noAnswer[0].address, 0x02FA0030u);
  EXPECT_EQ(options.faults.noAnswer[0].count, 2);
  EXPECT_EQ(options.faults.noAnswer[1].address, 0x02FA00F0u);
  EXPECT_FALSE(options.faults.noAnswer[1].count);
  EXPECT_EQ(options.faults.noAnswer[2].kind, FrameKind::End);
  EXPECT_EQ(options.faults.repeatRequests, 3);
  ASSERT_EQ(options.faults.badChecksum.size(), 1u);
  EXPECT_EQ(options.faults.badChecksum[0].address, 0x02FA0010u);
  EXPECT_EQ(options.timing.delay.count(), 7);
  EXPECT_EQ(options.timing.split.count(), 2);
  EXPECT_TRUE(options.timing.pace);
  EXPECT_EQ(options.unplugAfter, 5);
  EXPECT_TRUE(options.trace);

  for (const char* bad : {"read@0x31", "read@0x100", "read@0x02FB0000", "program@0x10", "reed", "read@"}) {
    EXPECT_THROW(ParseNoAnswer(QString::fromLatin1(bad)), SetupError) << bad;
  }
  EXPECT_EQ(ParseLineAddress(QStringLiteral("48"), QStringLiteral("--bad-checksum")), 0x02FA0030u);
}

TEST(RadioBlock, FreshRadioHoldsModelSerialAndDefaults) {
  const FactoryImage block = InitialBlock({});
  FactoryImage expected;
  const QByteArray model = "ZR93KW", serial = "2026120600000001";
  for (int i = 0; i < model.size(); ++i) expected[0x10 + i] = static_cast<std::uint8_t>(model[i]);
  for (int i = 0; i < serial.size(); ++i) expected[0x30 + i] = static_cast<std::uint8_t>(serial[i]);
  expected[0x04] = 1;
  expected[0x09] = 1;
  EXPECT_EQ(block, expected);

  const FactoryImage custom = InitialBlock({{}, QStringLiteral("ZR9"), QStringLiteral("42"), true});
  EXPECT_EQ(custom[0x06], 0x80);
  EXPECT_EQ(custom[0x13], 0x00);  // the rest of the model field is zero-filled
  EXPECT_EQ(custom[0x32], 0x00);
  EXPECT_THROW(InitialBlock({{}, QStringLiteral("ZR93KWXX"), std::nullopt, false}), SetupError);
  EXPECT_THROW(InitialBlock({{}, std::nullopt, QStringLiteral("20261206000000012"), false}), SetupError);
}

TEST(RadioBlock, ImageFileIsLoadedOverriddenAndSaved) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("radio.bin"));
  BlockSettings settings{path, std::nullopt, std::nullopt, false};
  const FactoryImage fresh = InitialBlock(settings);  // no file yet: a fresh radio

  FactoryImage stored;
  stored.Bytes().fill(0xFF);
  ASSERT_TRUE(SaveBlockFile(path, stored).isEmpty());
  EXPECT_NE(InitialBlock(settings), fresh);
  EXPECT_EQ(InitialBlock(settings), stored);  // defaults do not touch a loaded block

  settings.model = QStringLiteral("ZR93KW");
  settings.triBand = true;
  const FactoryImage overridden = InitialBlock(settings);
  EXPECT_EQ(overridden[0x10], 'Z');
  EXPECT_EQ(overridden[0x16], 0x00);
  EXPECT_EQ(overridden[0x30], 0xFF);  // serial not given: kept
  EXPECT_EQ(overridden[0x06], 0xFF);

  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::Append));
  file.write("x");
  file.close();
  EXPECT_THROW(InitialBlock(settings), SetupError);
}

}  // namespace
}  // namespace zr::sim
