// The transfer engine and the read and write sequences, over a radio in memory.
#include <tuple>

#include "transfer_fixture.h"

namespace zr {
namespace {

using namespace testing;

TEST_F(Transfer, ReadRequestsEveryLineInOrderAndShowsTheRecord) {
  radio.block[0x06] = 0x81;
  radio.block[0xA0] = 'Z';
  fault = [this](const Bytes& frame) -> std::optional<std::vector<Bytes>> {
    if (frame == BuildEnd()) {
      EXPECT_EQ(CommHandle(), QStringLiteral("7"));  // the handle while the port is open
    }
    return std::nullopt;
  };
  ASSERT_TRUE(Run(OperationModes::Read));

  EXPECT_EQ(Sent(), Frames("PROGRAM R00 R10 R20 R30 R40 R50 R60 R70 R80 R90 RA0 RB0 RC0 RD0 RE0 RF0 END"));
  EXPECT_EQ(state.FactoryImage, radio.block);
  EXPECT_EQ(host.form.seller, QStringLiteral("Z"));
  EXPECT_EQ(host.form.serialNumber, QStringLiteral("SN00000000000042"));
  EXPECT_TRUE(state.TriBandCapable);
  EXPECT_EQ(host.Texts(), QStringList{lang::ReadCompleteText});

  EXPECT_EQ(state.OperationMode, OperationModes::Idle);
  EXPECT_FALSE(device.IsOpen());
  EXPECT_EQ(CommHandle(), QStringLiteral("0"));
  EXPECT_EQ(host.refresh, (std::vector<bool>{false, true}));
  EXPECT_EQ(device.openedNames, std::vector<QString>{QStringLiteral("COM3")});
  // 921600 baud, 8N1, EOF character 26.
  EXPECT_EQ(std::make_tuple(device.line.BaudRate, device.line.ByteSize, device.line.Parity, device.line.StopBits,
                            device.line.EofChar),
            std::make_tuple(921600u, quint8{8}, LineParity::None, LineStopBits::One, quint8{26}));
  EXPECT_EQ(device.timeouts.ReadInterval, 300u);
  EXPECT_EQ(device.timeouts.WriteTotalConstant, 300u);
  // Every frame starts from empty queues.
  EXPECT_EQ(device.purges.size(), device.written.size());
}

TEST_F(Transfer, WriteSparesModelAndSerialLinesAndKeepsTheRadiosOwnBytes) {
  radio.block[0x00] = 1;            // remote kill, from the radio
  state.FactoryImage[0x58] = 0x11;  // left over from another radio
  host.form.seller = QStringLiteral("Ann");

  ASSERT_TRUE(Run(OperationModes::Write));

  EXPECT_EQ(Sent(), ModelCheckReads + Writes + End);
  EXPECT_EQ(radio.block[0x00], 1);
  for (int i = 0x58; i < 0x60; ++i) EXPECT_EQ(radio.block[i], original[i]) << i;
  EXPECT_EQ(radio.block[0xA2], 'n');
  EXPECT_EQ(host.Texts(), QStringList{lang::WriteCompleteText});
  EXPECT_EQ(state.OperationMode, OperationModes::Idle);
  EXPECT_EQ(state.LastWritePort, 3);
  EXPECT_FALSE(state.AssociationDone);
  // Without a backup the log says which old bytes the write never saw.
  EXPECT_TRUE(Outcome().backupPath.isEmpty());
  EXPECT_EQ(LinesWrittenUnread(Outcome()), (std::vector<int>{0x40, 0x60, 0x70, 0x80, 0x90, 0xA0, 0xB0, 0xC0, 0xD0,
                                                              0xE0, 0xF0}));
}

TEST_F(Transfer, ModelCheckAcceptsOnlyTheExactModelAndStopsTheTransfer) {
  for (const auto& [model, accepted] : std::vector<std::pair<Bytes, bool>>{
           {{'Z', 'R', '9', '3', 'K', 'W', 0x00}, true},
           {{'Z', 'R', '9', '3', 'K', 'W', 0xFF}, true},
           {{'Z', 'R', '9', '3', 'K', 'W', ' '}, true},
           {{'z', 'r', '9', '3', 'k', 'w', 0x00}, false},
           {{'Z', 'R', '9', '3', 'K', 'X', 0x00}, false},
           {{'Z', 'R', '9', '3', 'K', 'W', 'A'}, false}}) {
    std::copy(model.begin(), model.end(), radio.block.Line(0x10).begin());
    Run(OperationModes::Read);
    if (accepted) {
      EXPECT_EQ(host.Texts(), QStringList{lang::ReadCompleteText});
    } else {
      EXPECT_EQ(Sent(), Frames("PROGRAM R00 R10 END"));
      EXPECT_EQ(host.Texts(), QStringList{QStringLiteral("Model Type Error!")});
      EXPECT_EQ(state.OperationMode, OperationModes::Read);  // left for the next command
    }
  }
  // A write reads no further and takes nothing from the window; the message is in the window's language.
  state.UiLanguage = lang::UiLanguage::Chinese;
  Run(OperationModes::Write);
  EXPECT_EQ(Sent(), ModelCheckReads + End);
  EXPECT_EQ(host.Texts(), QStringList{QString::fromUtf8("机型错误!")});
  EXPECT_EQ(host.takes, 0);
  EXPECT_EQ(link.Outcome()->end, TransferEnd::ModelError);
  EXPECT_EQ(link.Outcome()->cause, QStringLiteral("the radio's model is \"ZR93KWA\", not \"ZR93KW\""));
}

// Silence, a reply that is not whole or not right, and repeat requests: the
// frame is sent again, three times at most (twenty for repeat requests).
TEST_F(Transfer, FramesAreResentUntilAWholeRightReplyOrTheLimit) {
  using Replies = std::vector<Bytes>;
  const auto none = [](Bytes) { return Replies{}; };
  const auto repeat = [](Bytes) { return Replies{{RepeatRequestByte}}; };
  const auto lineOf = [this](int offset) {
    return [this, offset](Bytes) { return Replies{BuildWriteFrame(FactoryBase + offset, radio.block.Line(offset))}; };
  };
  const auto inThreePieces = [](Bytes r) {
    if (r.size() < 2) return Replies{r};
    return Replies{Bytes(r.begin(), r.begin() + 1), Bytes(r.begin() + 1, r.end() - 1), Bytes(r.end() - 1, r.end())};
  };
  struct Case {
    const char* what;
    OperationModes mode;
    Fault fault;
    QString frame;  // sent `sent` times
    int sent;
    QString text;
    QString cause;
  };
  const QString read = lang::ReadCompleteText;
  const QString failed = lang::CommunicationFailedText;
  const std::vector<Case> cases{
      {"no radio", OperationModes::Read, Intercept({}, 100, none), "PROGRAM", 3, failed,
       "PROGRAM: no reply within the time-outs, after 2 resends"},
      {"END unanswered", OperationModes::Read, Intercept("END", 100, none), "END", 3, read, {}},
      {"a wrong answer to PROGRAM", OperationModes::Read,
       Intercept("PROGRAM", 1, [](Bytes r) { r[2] = 0x07; return Replies{r}; }), "PROGRAM", 2, read, {}},
      {"a checksum one off", OperationModes::Read, Intercept("R20", 1, [](Bytes r) { ++r[22]; return Replies{r}; }),
       "R20", 2, read, {}},
      {"every reply in pieces", OperationModes::Read, Intercept({}, 100, inThreePieces), "R70", 1, read, {}},
      {"part of a reply, then silence", OperationModes::Read,
       Intercept("R70", 1, [](Bytes r) { r.resize(10); return Replies{r}; }), "R70", 2, read, {}},
      // Stored, line 0x40's bytes would overwrite line 0x00's in the write.
      {"a reply for another line", OperationModes::Write, Intercept("R00", 100, lineOf(0x40)), "R00", 3, failed,
       "read of line 0x00: the reply was for line 0x40, after 2 resends"},
      {"a late duplicate of the last reply", OperationModes::Read, Intercept("R10", 1, lineOf(0x00)), "R10", 2, read,
       {}},
      {"19 repeat requests", OperationModes::Write, Intercept("W40", 19, repeat), "W40", 20, lang::WriteCompleteText,
       {}},
      // Repeat requests count as resends: the silence after two is the third.
      {"two repeat requests, then silence", OperationModes::Write,
       Intercept("W00", 100, [n = 0](Bytes) mutable { return ++n <= 2 ? Replies{{RepeatRequestByte}} : Replies{}; }),
       "W00", 3, failed, "write of line 0x00: no reply within the time-outs, after 2 resends"},
      {"repeat requests for ever", OperationModes::Write, Intercept("W40", 100, repeat), "W40", 20, failed,
       "write of line 0x40: 20 repeat requests, after 19 resends"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fault = c.fault;
    Run(c.mode);
    EXPECT_EQ(Sent().count(c.frame), c.sent) << Sent().join(QLatin1Char(' ')).toStdString();
    ASSERT_EQ(host.Texts(), QStringList{c.text});
    EXPECT_EQ(host.messages[0].plain, c.text == failed);
    EXPECT_FALSE(device.IsOpen());
    EXPECT_EQ(link.Outcome()->cause, c.cause);
    EXPECT_EQ(state.OperationMode == OperationModes::Idle, c.text != failed);  // a failure is left for the next command
    if (c.text == lang::ReadCompleteText) {
      EXPECT_EQ(state.FactoryImage, radio.block);
    }
  }
  EXPECT_EQ(link.Outcome()->linesWritten, (std::vector<int>{0x00, 0x20}));  // the last write, cut short at 0x40
}

TEST_F(Transfer, AStopEndsTheTransferAtTheNextFrameBoundaryAfterEnd) {
  host.onPump = [&] {
    if (Sent().count(QStringLiteral("W20")) == 1) link.RequestStop(QStringLiteral("stopped by SIGTERM"));
  };
  Run(OperationModes::Write);
  EXPECT_EQ(Sent().mid(6), Frames("W00 W20 END"));
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(state.OperationMode, OperationModes::Idle);
  EXPECT_EQ(Outcome().end, TransferEnd::Interrupted);

  // Asked for before the first frame: nothing is sent at all.
  host.onPump = nullptr;
  ASSERT_TRUE(Run([this] {
    const bool started = link.StartWrite();
    link.RequestStop(QStringLiteral("stopped by SIGINT"));
    return started;
  }));
  EXPECT_TRUE(device.written.empty());
  EXPECT_EQ(Outcome().cause, QStringLiteral("stopped by SIGINT"));
  EXPECT_EQ(CommHandle(), QStringLiteral("0"));
}

TEST_F(Transfer, ClosingThePortDuringATransferEndsItSilently) {
  host.onPump = [&] {
    if (device.written.size() == 5) link.Close();
  };
  Run(OperationModes::Read);
  EXPECT_EQ(device.written.size(), 5u);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(Outcome().end, TransferEnd::Interrupted);
}

// A value the window or the block cannot take ends the transfer through the
// error path: the port closes and "Cannot Open Communication Port." shows.
// (A read's band the list lacks is the command line's exit status test.)
TEST_F(Transfer, ValuesTheWindowOrTheBlockCannotTakeEndThroughTheErrorPath) {
  host.form.areaCode = QString::fromUtf8("1\u4e2d");
  Run(OperationModes::Write);
  EXPECT_TRUE(Sent().filter(QStringLiteral("W")).isEmpty());
  ASSERT_EQ(host.Texts(), QStringList{lang::CannotOpenPortText});
  EXPECT_FALSE(host.messages[0].plain);
  EXPECT_FALSE(device.IsOpen());
  EXPECT_EQ(link.Outcome()->end, TransferEnd::RuntimeError);
  EXPECT_TRUE(link.Outcome()->cause.contains(QStringLiteral("U+4E2D"))) << link.Outcome()->cause.toStdString();
}

TEST_F(Transfer, DatabaseFailureEndsTheWriteThroughTheErrorPath) {
  host.mode = AssociationMode::ScanCodeWrite;
  host.databaseDown = true;
  Run(OperationModes::Write);
  EXPECT_EQ(host.Texts(), QStringList{lang::CannotOpenPortText});
  EXPECT_FALSE(state.AssociationDone);
  EXPECT_TRUE(host.statusLabel.isEmpty());
  EXPECT_EQ(host.advances, 0);
  EXPECT_FALSE(device.IsOpen());
  // The radio is written; only the association failed, and the driver's words say why.
  EXPECT_EQ(link.Outcome()->end, TransferEnd::DatabaseFailed);
  EXPECT_EQ(link.Outcome()->cause, QStringLiteral("database unreachable"));
  EXPECT_EQ(link.Outcome()->linesWritten.size(), 14u);
}

TEST_F(Transfer, ThreeBandRefusalEndsTheWriteWithoutWritingOrAssociating) {
  host.mode = AssociationMode::ScanCodeWrite;
  host.form.bandPosition = ThreeBandPosition;
  host.form.packageCode = QStringLiteral("PKG-2");
  state.PackageCode = QStringLiteral("PKG-1");
  Run(OperationModes::Write);
  EXPECT_EQ(Sent(), ModelCheckReads + End);
  EXPECT_EQ(host.Texts(), QStringList{lang::WriteErrorText});
  EXPECT_TRUE(host.saves.empty());
  EXPECT_EQ(state.PackageCode, QStringLiteral("PKG-1"));
  EXPECT_EQ(state.OperationMode, OperationModes::Idle);
  EXPECT_FALSE(device.IsOpen());
  EXPECT_EQ(link.Outcome()->end, TransferEnd::WriteRefused);
}

TEST_F(Transfer, PortThatCannotOpenLeavesEverythingIdle) {
  device.openFails = true;
  device.openError = PortOpenError::PermissionDenied;
  EXPECT_FALSE(Run(OperationModes::Read));
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, lang::CannotOpenPortText);
  EXPECT_TRUE(host.messages[0].plain);
  EXPECT_EQ(state.OperationMode, OperationModes::Idle);
  EXPECT_FALSE(link.StartPending());
  EXPECT_TRUE(device.written.empty());
  EXPECT_EQ(link.Outcome()->end, TransferEnd::PortNotOpened);
  EXPECT_EQ(link.Outcome()->cause, QStringLiteral("COM3 could not be opened"));
  EXPECT_EQ(link.Outcome()->portOpenError, PortOpenError::PermissionDenied);  // the window asks about dialout

  device.openFails = false;
  device.setStateFails = true;
  EXPECT_FALSE(Run(OperationModes::Read));
  EXPECT_FALSE(device.IsOpen());
  EXPECT_EQ(CommHandle(), QStringLiteral("0"));
}

TEST_F(Transfer, ScanCodeWriteAssociatesTrimmedValuesAndAsksUntilTheOperatorStops) {
  host.mode = AssociationMode::ScanCodeWrite;
  host.form.packageCode = QStringLiteral("BOX-7  ");
  host.existsAnswers = {false, false, true};
  host.answers = {MessageButton::Yes, MessageButton::Yes};
  Run(OperationModes::Write);
  EXPECT_EQ(host.saves, std::vector<QString>(3, QStringLiteral("SN00000000000042|BOX-7")));
  EXPECT_EQ(host.Texts(), QStringList(2, lang::AssociationFailedRetryText));
  EXPECT_EQ(host.statusLabel, QStringLiteral("Waitting next..."));
  EXPECT_EQ(host.form.packageCode, QString());
  EXPECT_EQ(state.PackageCode, QStringLiteral("BOX-7  "));
  EXPECT_TRUE(state.AssociationDone);
  EXPECT_EQ(link.Outcome()->end, TransferEnd::WriteComplete);

  host.existsAnswers = {false};
  host.answers = {MessageButton::No};
  host.saves.clear();
  state.UiLanguage = lang::UiLanguage::Chinese;
  Run(OperationModes::Write);
  EXPECT_EQ(host.saves.size(), 1u);
  EXPECT_EQ(host.advances, 2);  // the operator gave up: the code still moves on
  EXPECT_TRUE(state.AssociationDone);
  EXPECT_EQ(host.statusLabel, QString::fromUtf8("请换下一台机器..."));
  EXPECT_EQ(link.Outcome()->end, TransferEnd::AssociationMissing);
}

}  // namespace
}  // namespace zr
