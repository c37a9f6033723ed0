// The headless commands, run as the operator's automation runs them: the
// executable against the simulated radio.
#include <QRegularExpression>
#include <sys/stat.h>

#include "app/cli/block_file.h"
#include "app/cli/field_arguments.h"
#include "record/factory_fields.h"
#include "station/block_file.h"
#include "station_run.h"
#include "tests/db/test_database.h"
#include "tools/radio-sim/radio_block.h"

namespace zr {
namespace {

using namespace test;
using Cli = OnRadio;

// Each way a command can end has its exit status, its message and a cause
// line; only a write that reached the radio changes its block.
TEST_F(Cli, EachEndHasItsExitStatusMessageAndCause) {
  FactoryImage block;
  for (int i = 0; i < 6; ++i) block[0x10 + i] = static_cast<std::uint8_t>("ZR93KW"[i]);
  struct Case { QStringList simOptions; int band; QStringList arguments; int status; QString err; };
  const QString saved = state.filePath(QStringLiteral("radio.bin"));
  const std::vector<Case> cases{
      // The radio's text is shown, its control characters escaped.
      {{"--model", "ZR\x1B[2J"}, 0, Args("read --port 1"), 4,
       "Model Type Error!\nzr93kw-setfactory: model error: the radio's model is \"ZR\\x1B[2J\", not \"ZR93KW\"\n"},
      {{}, 0, Args("read --port 2"), 2,
       "Cannot Open Communication Port.\nzr93kw-setfactory: port not opened: no serial port COM2 on this PC\n"},
      {Args("--no-answer program"), 0, Args("read --port 1 --trace"), 3,
       "Communication failed!\nzr93kw-setfactory: communication failed: PROGRAM: no reply within the time-outs, "
       "after 2 resends\n"},
      // The value is named, not only the window's text; the block is saved all the same.
      {{}, 16, Args("read --port 1 --save") << saved, 8,
       "Cannot Open Communication Port.\nzr93kw-setfactory: run-time error: the BandIndex list has no entry 16\n"},
      {{}, 0, Args("write --port 1 --set BandIndex=14 --band-change ok --set Seller=never"), 5,
       "write error\nzr93kw-setfactory: write refused: the three-band entry is not for this radio; "
       "nothing was written\n"},
      // A band change is a decision: refused unanswered, once the radio's band is known.
      {{}, 0, Args("write --port 1 --set BandIndex=3"), 5,
       "zr93kw-setfactory: write refused: BandIndex 3 is not the radio's band 0: say --band-change ok to change "
       "it, or cancel to keep it; nothing was written\n"},
      {{}, 0, Args("write --port 1 --from-defaults --set BandIndex=3"), 1,
       "--set BandIndex with --from-defaults needs --band-change ok or cancel\n"
       "Try 'zr93kw-setfactory write --help'.\n"},
      // Too long is refused, not cut.
      {{}, 0, Args("write --port 1 --set Seller=12345678901234567"), 1,
       "Seller holds at most 16 characters, not 17\nTry 'zr93kw-setfactory write --help'.\n"},
      {{}, 0, Args("write --port 1 --package 12345678901234567"), 1,
       "--package holds at most 16 characters, not 17\nTry 'zr93kw-setfactory write --help'.\n"},
      // Written, but the database is not there: not mistaken for an untouched radio.
      {{}, 0, Args("write --port 1 --set Seller=db --package BOX-1 --db-server") << db::ClosedServer, 7,
       "zr93kw-setfactory: database failed: "},
      {{}, 0, Args("write --port 1 --set Seller=Li --backup-dir /dev/null/backups"), 9,
       "Cannot Open Communication Port.\nzr93kw-setfactory: backup failed: cannot use the backup folder "
       "/dev/null/backups: Not a directory\n"},
      {Args("--drop-write 0xA0"), 0, Args("write --port 1 --no-backup --verify --set Seller=Li"), 10,
       "Communication failed!\nzr93kw-setfactory: verify failed: lines 0xA0 read back different from what was "
       "written\nzr93kw-setfactory: lines written: 0x00"},
      // The read itself went through; a write whose entry cannot go ahead of it writes nothing.
      {{}, 0, Args("read --port 1 --log /"), 12, "zr93kw-setfactory: log not written: "},
      {{}, 0, Args("write --port 1 --set Seller=Li --log /dev/full"), 12,
       "Cannot Open Communication Port.\nzr93kw-setfactory: log not written: cannot write the station log /dev/full: "
       "not a regular file\n"},
      // Nothing of a half read is shown.
      {Args("--unplug-after 5"), 0, Args("read --port 1"), 3,
       "Communication failed!\nzr93kw-setfactory: communication failed: read of line 0x40: "},
      // Each reply's second half comes after the 300 ms interval: the station reads on for it.
      {Args("--split-ms 350"), 0, Args("read --port 1"), 0, "Read Complete!\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
    block[0x03] = static_cast<std::uint8_t>(c.band);
    ASSERT_TRUE(radio.Start(block, c.simOptions));
    const StationRun run = Station(c.arguments);
    EXPECT_EQ(run.status, c.status) << run.err.toStdString();
    const bool written = c.status == 7;
    // A text without its last line break is the start of the last lines.
    EXPECT_TRUE(c.err.endsWith(u'\n') ? run.err.endsWith(c.err) : run.err.contains(c.err)) << run.err.toStdString();
    // The fields are shown when the transfer went through, and only then.
    const bool through = c.status == 0 || written || (c.status == 12 && c.arguments.first() == QLatin1String("read"));
    EXPECT_EQ(run.out.isEmpty(), !through);
    EXPECT_EQ(radio.ReadImage() == block, !written);
    EXPECT_TRUE(!c.arguments.contains(saved) || sim::LoadBlockFile(saved) == block);
    const int programsTraced = c.arguments.contains(QStringLiteral("--trace")) ? 3 : 0;
    EXPECT_EQ(run.err.count(QStringLiteral("> 50 52 4F 47 52 41 4D")), programsTraced);
  }
}

// A radio's texts cannot move the cursor or clear the screen: the tables show
// their control characters escaped, the description's line breaks too.
TEST_F(Cli, ControlCharactersFromTheRadioArePrintedEscaped) {
  FactoryImage block = sim::FreshBlock(QStringLiteral("ZR93KW"), QStringLiteral("SN\x1B[2J\x07"));
  const char description[] = "a\r\nb";
  std::copy(description, description + 4, block.Bytes().begin() + FieldOf(Field::MaintainedDescription).offset);
  ASSERT_TRUE(radio.Start(block));
  const StationRun read = Station(Args("read --port 1"));
  EXPECT_TRUE(read.out.contains(QStringLiteral("SerialNumber: SN\\x1B[2J\\x07\n"))) << read.out.toStdString();
  EXPECT_TRUE(read.out.contains(QStringLiteral("MaintainedDescription: a\\r\\nb\n"))) << read.out.toStdString();
  const StationRun log = Station(Args("log"));
  EXPECT_TRUE(log.out.contains(QStringLiteral("SN\\x1B[2J\\x07  -"))) << log.out.toStdString();
  EXPECT_FALSE((read.out + log.out).contains(QChar(0x1B)));
  // The log holds it escaped as JSON escapes it, and --serial still finds it.
  EXPECT_EQ(Station({"log", "--serial", "SN\x1B[2J\x07"}).out.count('\n'), 2);
}

// --save is kept as safe as a backup: a regular file replaced whole, new files the owner's alone.
TEST(BlockFile, SavingReplacesOnlyARegularFileAndKeepsANewOneToItsOwner) {
  QTemporaryDir dir;
  FactoryImage block;
  block[0] = 0x42;
  const QString fifo = dir.filePath(QStringLiteral("fifo"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  const QString shared = dir.filePath(QStringLiteral("shared.bin"));
  ASSERT_TRUE(QFile(shared).open(QIODevice::WriteOnly));
  ASSERT_EQ(::chmod(QFile::encodeName(shared).constData(), 0640), 0);
  const std::tuple<QString, const char*, int> cases[] = {
      {fifo, "not a regular file", 010600}, {dir.path(), "not a regular file", 040700},
      {dir.filePath(QStringLiteral("new.bin")), "", 0100600}, {shared, "", 0100640}};
  for (const auto& [path, why, mode] : cases) {
    const QString error = station::SaveBlockFile(path, block).Why();
    EXPECT_EQ(error, *why ? QStringLiteral("cannot save the block to %1: %2").arg(path, why) : QString());
    struct stat status {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &status), 0);
    EXPECT_EQ(status.st_mode, static_cast<mode_t>(mode)) << path.toStdString();
    EXPECT_TRUE(*why || sim::LoadBlockFile(path) == block);
  }
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);  // no temporary file left
  EXPECT_THROW(cli::RefuseSaveTarget(fifo), cli::UsageError);  // before the radio is read
}

TEST_F(Cli, NoReplyIsResentOnlyAfterTheSerialPortsReadTimeOut) {
  ASSERT_TRUE(radio.Start(Args("--no-answer program")));
  EXPECT_EQ(Station(Args("read --port 1")).status, 3);
  static const QRegularExpression program(QStringLiteral("^\\s*([0-9.]+) > 50 52 4F 47"),
                                          QRegularExpression::MultilineOption);
  std::vector<double> times;
  for (auto match = program.globalMatch(radio.Trace()); match.hasNext();) {
    times.push_back(match.next().captured(1).toDouble());
  }
  ASSERT_EQ(times.size(), 3u) << radio.Trace().toStdString();
  for (std::size_t i = 1; i < times.size(); ++i) {
    EXPECT_GT(times[i] - times[i - 1], 1000.0) << "a resend came before the 1200 ms read time-out";
    EXPECT_LT(times[i] - times[i - 1], 3000.0);
  }
}

TEST_F(Cli, ASignalStopsAWriteAtAFrameBoundaryAndSaysWhatWasWritten) {
  ASSERT_TRUE(radio.Start({QStringLiteral("--delay-ms"), QStringLiteral("30")}));
  for (const auto& [signalNumber, status] : {std::pair(SIGINT, 130), std::pair(SIGTERM, 143), std::pair(SIGHUP, 129)}) {
    const qsizetype traced = radio.Trace().size();
    // Once the radio has taken line 0x20, the write is half done.
    const auto [exit, out, err] = Interrupted(Args("write --port 1 --set Seller=Q"), signalNumber,
                                              "> 57 02 FA 00 20 10", traced);
    EXPECT_EQ(exit, status) << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("interrupted: stopped by "))) << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("lines written: 0x00 0x20"))) << err.toStdString();
    // The radio was let out of programming mode, and nothing came after that.
    const QString afterwards = radio.Trace().mid(traced);
    EXPECT_TRUE(afterwards.trimmed().contains(QStringLiteral("45 4E 44"))) << afterwards.toStdString();
    EXPECT_FALSE(afterwards.contains(QStringLiteral("> 57 02 FA 00 F0 10")));
  }
}

TEST_F(Cli, ASignalOnceEndIsOnItsWayLeavesTheOutcomeAsItIs) {
  // "END" goes unanswered twice: the signal comes while the station waits for it.
  ASSERT_TRUE(radio.Start(Args("--no-answer end:2")));
  const StationRun run = Interrupted(Args("write --port 1 --set Seller=Q"), SIGINT, "> 45 4E 44");
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
}

TEST_F(Cli, BrokenOutputNeitherKillsTheStationNorPassesAsSuccess) {
  ASSERT_TRUE(radio.Start());
  const QString station = QStringLiteral(ZR_STATION_PATH);
  for (const QString& line : {station + QStringLiteral(" read --port 1 --json > /dev/full"),
                              // The reader is gone before the station writes: no SIGPIPE death.
                              station + QStringLiteral(" read --port 1 --json | (exec 0<&-; sleep 1)")}) {
    QProcess shell;
    shell.setProcessEnvironment(StationEnvironment(Environment()));
    shell.start(QStringLiteral("bash"), {QStringLiteral("-c"), QStringLiteral("set -o pipefail; ") + line});
    ASSERT_TRUE(shell.waitForFinished(20000));
    EXPECT_EQ(shell.exitCode(), 11) << line.toStdString() << shell.readAllStandardError().toStdString();
    EXPECT_TRUE(QString::fromUtf8(shell.readAllStandardError()).contains(QStringLiteral("cannot write the output")));
  }
}

TEST_F(Cli, BadArgumentsAreNamedAndNothingIsSent) {
  ASSERT_TRUE(radio.Start());
  // Text the radio cannot hold as given is refused before the port opens, naming the character.
  for (const auto& [arguments, named] : std::vector<std::pair<const char*, const char*>>{
           {"read", ""}, {"read --port COMX", ""}, {"read --port +1", ""}, {"read --port 1x", ""}, {"read --port 0", ""},
           {"read --port 1 --json --json", ""}, {"write --port 1 --set Color=red", ""}, {"read --port 1 --package B", ""},
           {"write --port 1 --set BandIndex=+3", ""}, {"write --port 1 --set WorkCountry=01x", ""},
           {"write --port 1 --band-change maybe", ""}, {"fly", ""}, {"write --port 1 --set Seller=张三", "U+5F20"},
           {"write --port 1 --set DealerCode=aÿ", "U+00FF"}, {"write --port 1 --set Seller=a\x1B[2J", "Seller"},
           {"write --port 1 --set Seller=a --set Aprs=1 --set Seller=b", "--set Seller is given more than once"}}) {
    const StationRun run = Station(Args(arguments));
    EXPECT_EQ(run.status, 1) << arguments;
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("zr93kw-setfactory: "))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QString::fromLatin1(named))) << run.err.toStdString();
  }
  // A block file whose values the window could not show never reaches the radio.
  FactoryImage unshowable = sim::FreshBlock(QStringLiteral("ZR93KW"), QStringLiteral("2026120600000001"));
  unshowable[0x03] = 200;
  const QString file = state.filePath(QStringLiteral("band200.bin"));
  ASSERT_TRUE(sim::SaveBlockFile(file, unshowable).isEmpty());
  const StationRun image = Station(Args("write --port 1 --image") << file);
  EXPECT_EQ(image.status, 1);
  EXPECT_TRUE(image.err.contains(QStringLiteral("BandIndex list has no entry 200"))) << image.err.toStdString();
  EXPECT_FALSE(radio.Trace().contains(QStringLiteral("50 52 4F 47 52 41 4D")));

  // Options may stand before the subcommand, and no display is needed for one.
  EXPECT_EQ(Station(Args("--port 1 read"), NoDisplay).status, 0);
  const StationRun window = Station({}, NoDisplay);
  EXPECT_EQ(window.status, 1);
  EXPECT_TRUE(window.err.contains(QStringLiteral("no display"))) << window.err.toStdString();
  // The window refuses a repeated switch as the subcommands do, before it opens.
  const StationRun twice = Station(Args("--verify --verify"), {{"QT_QPA_PLATFORM", "offscreen"}});
  EXPECT_EQ(twice.status, 1);
  EXPECT_TRUE(twice.err.contains(QStringLiteral("--verify is given more than once"))) << twice.err.toStdString();

  // A mistyped port folder never falls back to the system's ports.
  for (const char* arguments : {"read --port 1", "ports"}) {
    const StationRun run = Station(Args(arguments), {{"ZR93KW_PORT_DIR", radio.PortDir() + QStringLiteral("-typo")}});
    EXPECT_EQ(run.status, 1) << arguments;
    EXPECT_TRUE(run.err.contains(QStringLiteral("ZR93KW_PORT_DIR="))) << run.err.toStdString();
  }
}

TEST_F(Cli, PackageOptionRecordsTheAssociationOrReportsItMissing) {
  const auto server = db::RequireTestDatabase();
  if (!server) return;
  db::TestTable table(*server);
  table.Reset({{QStringLiteral("CLI-0000000002"), std::nullopt, std::nullopt}});
  ASSERT_TRUE(radio.Start({QStringLiteral("--serial"), QStringLiteral("CLI-0000000002")}));
  const QStringList database{QStringLiteral("--db-server"), server->server, QStringLiteral("--db-driver"),
                             server->driver};
  const QStringList write = QStringList{"write", "--port", "1", "--package", "BOX-'7  "} + database;
  StationRun run = Station(write);
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(run.err, QStringLiteral("Waitting next...\n"));
  ASSERT_EQ(table.Rows().size(), 1);
  EXPECT_EQ(table.Rows()[0].packageCode, QStringLiteral("BOX-'7"));
  // The log says what the database got; a block file's write records its package too.
  EXPECT_TRUE(Station(Args("log --json")).out.contains(QStringLiteral("\"package\":\"BOX-'7\"")));
  const QString block = state.filePath(QStringLiteral("radio.bin"));
  ASSERT_EQ(Station(Args("read --port 1 --save") << block).status, 0);
  ASSERT_EQ(Station(QStringList{"write", "--port", "1", "--image", block, "--package", "BOX-8"} + database).status, 0);
  EXPECT_EQ(table.Rows()[0].packageCode, QStringLiteral("BOX-8"));

  table.Reset({});
  run = Station(write);
  EXPECT_EQ(run.status, 6);
  EXPECT_TRUE(run.err.contains(QStringLiteral("在数据库中建立关联失败,是否重建关联？ -> No"))) << run.err.toStdString();
  EXPECT_TRUE(run.err.contains(QStringLiteral("zr93kw-setfactory: association missing: the database holds no "
                                              "association of CLI-0000000002 with BOX-'7")))
      << run.err.toStdString();
  EXPECT_TRUE(table.Rows().isEmpty());
}

TEST(WindowFieldNames, SettingAFieldFollowsTheWindowsEntryRules) {
  FormValues form;
  cli::SetWindowField(form, QStringLiteral("MaintainedDescription"), QString(80, QLatin1Char('x')));
  EXPECT_EQ(form.maintainedDescription.size(), 80);
  cli::SetWindowField(form, QStringLiteral("MaintainedDescription"), QStringLiteral("a\r\nb"));  // its line breaks
  cli::SetWindowField(form, QStringLiteral("WorkCountry"), QStringLiteral("2"));
  EXPECT_EQ(form.workCountryPosition, 2);
  // A value longer than its box is refused, never cut.
  for (const auto& [name, value] : std::vector<std::pair<const char*, const char*>>{
           {"MaintainedDescription", "x\r\nxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"
                                     "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"},
           {"ProgramPassword", "12345"}, {"AreaCode", "区号"}, {"WorkCountry", "3"}, {"Aprs", "2"},
           {"SerialNumber", "X"}, {"RemoteKill", "1"}, {"Seller", "a\x7F"}, {"DealerCode", "\xC2\x9B"},
           {"MaintainedDescription", "a\tb"}, {"Seller", "a\r\nb"}}) {
    EXPECT_THROW(cli::SetWindowField(form, QString::fromLatin1(name), QString::fromUtf8(value)), cli::UsageError)
        << name;
  }
}

}  // namespace
}  // namespace zr
