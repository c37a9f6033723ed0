// The transfer engine and the read and write sequences, over a radio in memory.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <optional>
#include <tuple>

#include "link/radio_link.h"
#include "platform/settings_file.h"
#include "record/factory_tables.h"
#include "recording_host.h"
#include "scripted_device.h"

namespace zr {
namespace {

using testing::MemoryRadio;
using testing::RecordingHost;
using testing::ScriptedDevice;

// "PROGRAM", "END", "R30" (read line 0x30), "W20" (write line 0x20).
QString Describe(const Bytes& frame) {
  if (frame == BuildProgram()) return QStringLiteral("PROGRAM");
  if (frame == BuildEnd()) return QStringLiteral("END");
  const auto line = QStringLiteral("%1").arg(FrameAddress(frame) - FactoryBase, 2, 16, QLatin1Char('0')).toUpper();
  return (frame[0] == 'R' ? QStringLiteral("R") : QStringLiteral("W")) + line;
}

QStringList Lines(const char* prefix, std::initializer_list<int> offsets) {
  QStringList lines;
  for (int offset : offsets) {
    lines << QString::fromLatin1(prefix) + QStringLiteral("%1").arg(offset, 2, 16, QLatin1Char('0')).toUpper();
  }
  return lines;
}

const QStringList ReadFrames = QStringList{QStringLiteral("PROGRAM")} +
                               Lines("R", {0x00, 0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70, 0x80, 0x90, 0xA0, 0xB0, 0xC0,
                                           0xD0, 0xE0, 0xF0}) +
                               QStringList{QStringLiteral("END")};
const QStringList WriteFrames =
    QStringList{QStringLiteral("PROGRAM")} + Lines("R", {0x00, 0x10, 0x20, 0x50, 0x30}) +
    Lines("W", {0x00, 0x20, 0x40, 0x50, 0x60, 0x70, 0x80, 0x90, 0xA0, 0xB0, 0xC0, 0xD0, 0xE0, 0xF0}) +
    QStringList{QStringLiteral("END")};

class Transfer : public ::testing::Test {
 protected:
  Transfer() {
    for (const auto& [offset, text] : {std::pair(0x10, "ZR93KW"), std::pair(0x30, "SN00000000000042")}) {
      for (int i = 0; text[i] != '\0'; ++i) radio.block[offset + i] = static_cast<std::uint8_t>(text[i]);
    }
    state.UiLanguage = lang::UiLanguage::English;
    state.CurrentComPort = 3;
  }

  // Runs one command to its end, as the window's event loop would.
  bool Run(OperationModes mode) {
    const bool started = mode == OperationModes::Read ? link.StartRead() : link.StartWrite();
    while (link.Busy()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    return started;
  }

  QStringList Sent() const {
    QStringList sent;
    for (const Bytes& frame : device.written) sent << Describe(frame);
    return sent;
  }

  QString CommHandle() const { return settings.GetString(QStringLiteral("language"), QStringLiteral("CommHandle")); }

  // Lets a test intercept frames; returning nullopt passes the frame to the radio.
  std::function<std::optional<std::vector<Bytes>>(const Bytes&)> fault;

  StationState state;
  RecordingHost host{state};
  MemoryRadio radio;
  ScriptedDevice device{[this](const Bytes& frame) {
    if (fault) {
      if (auto reply = fault(frame)) return *reply;
    }
    return radio.Answer(frame);
  }};
  QTemporaryDir dir;
  platform::SettingsFile settings{dir.filePath(QStringLiteral("mysetup.ini")), platform::AnsiCodePage("windows-1252")};
  platform::AnsiCodePage codePage{"GBK"};
  RadioLink link{state, host, device, settings, codePage, host};
};

TEST_F(Transfer, ReadRequestsEveryLineInOrderAndShowsTheRecord) {
  radio.block[0x03] = 5;
  radio.block[0x06] = 0x81;
  radio.block[0xA0] = 'Z';
  ASSERT_TRUE(Run(OperationModes::Read));

  EXPECT_EQ(Sent(), ReadFrames);
  EXPECT_EQ(state.FactoryImage, radio.block);
  EXPECT_EQ(host.form.bandPosition, 5);
  EXPECT_EQ(host.form.freqExpand, 1);
  EXPECT_EQ(host.form.seller, QStringLiteral("Z"));
  EXPECT_EQ(host.form.serialNumber, QStringLiteral("SN00000000000042"));
  EXPECT_TRUE(state.TriBandCapable);
  EXPECT_EQ(host.Texts(), QStringList{QStringLiteral("Read Complete!")});

  EXPECT_EQ(state.OperationMode, OperationModes::Idle);
  EXPECT_EQ(state.CurAddress, AddressBeforeBlock);
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

TEST_F(Transfer, CommHandleHoldsTheHandleWhileThePortIsOpen) {
  fault = [this](const Bytes& frame) -> std::optional<std::vector<Bytes>> {
    if (frame == BuildEnd()) {
      EXPECT_EQ(CommHandle(), QStringLiteral("7"));
    }
    return std::nullopt;
  };
  Run(OperationModes::Read);
  EXPECT_EQ(CommHandle(), QStringLiteral("0"));
}

TEST_F(Transfer, WriteSparesModelAndSerialLinesAndKeepsTheRadiosOwnBytes) {
  for (int i = 0x58; i < 0x60; ++i) radio.block[i] = static_cast<std::uint8_t>(0xC0 + i);
  radio.block[0x00] = 1;  // remote kill, from the radio
  radio.block[0x06] = 0x80;
  state.FactoryImage[0x58] = 0x11;  // left over from another radio
  host.form.freqExpand = 1;
  host.form.turboPower = 1;
  host.form.workCountryPosition = 2;
  host.form.seller = QStringLiteral("Ann   ");
  host.form.serialNumber = QStringLiteral("typed over");
  const FactoryImage before = radio.block;

  ASSERT_TRUE(Run(OperationModes::Write));

  EXPECT_EQ(Sent(), WriteFrames);
  EXPECT_EQ(host.form.serialNumber, QStringLiteral("SN00000000000042"));
  for (int i = 0x10; i < 0x20; ++i) EXPECT_EQ(radio.block[i], before[i]);
  for (int i = 0x30; i < 0x40; ++i) EXPECT_EQ(radio.block[i], before[i]);
  for (int i = 0x58; i < 0x60; ++i) EXPECT_EQ(radio.block[i], before[i]) << i;
  EXPECT_EQ(radio.block[0x00], 1);
  EXPECT_EQ(radio.block[0x06], 0x81);
  EXPECT_EQ(radio.block[0x04], 2);
  EXPECT_EQ(radio.block[0xA3], 0x00);  // trailing blanks never reach the radio
  EXPECT_EQ(radio.block[0xA2], 'n');
  EXPECT_EQ(host.Texts(), QStringList{QStringLiteral("Write Complete!")});
  EXPECT_EQ(state.OperationMode, OperationModes::Idle);
  EXPECT_EQ(state.LastWritePort, 3);
  EXPECT_FALSE(state.AssociationDone);
}

TEST_F(Transfer, ModelCheckAcceptsOnlyTheExactModel) {
  for (const auto& [model, accepted] : std::vector<std::pair<Bytes, bool>>{
           {{'Z', 'R', '9', '3', 'K', 'W', 0x00}, true},
           {{'Z', 'R', '9', '3', 'K', 'W', 0xFF}, true},
           {{'Z', 'R', '9', '3', 'K', 'W', ' '}, true},
           {{'z', 'r', '9', '3', 'k', 'w', 0x00}, false},
           {{'Z', 'R', '9', '3', 'K', 'X', 0x00}, false},
           {{'Z', 'R', '9', '3', 'K', 'W', 'A'}, false}}) {
    device.written.clear();
    host.messages.clear();
    std::copy(model.begin(), model.end(), radio.block.Line(0x10).begin());
    Run(OperationModes::Read);
    if (accepted) {
      EXPECT_EQ(host.Texts(), QStringList{QStringLiteral("Read Complete!")});
    } else {
      EXPECT_EQ(Sent(), (QStringList{QStringLiteral("PROGRAM"), QStringLiteral("R00"), QStringLiteral("R10"),
                                     QStringLiteral("END")}));
      EXPECT_EQ(host.Texts(), QStringList{QStringLiteral("Model Type Error!")});
      EXPECT_EQ(state.OperationMode, OperationModes::Read);  // left for the next command
      EXPECT_NE(state.CurAddress, AddressBeforeBlock);
    }
  }
}

TEST_F(Transfer, ModelErrorInAWriteWritesNothingAndSpeaksTheWindowsLanguage) {
  state.UiLanguage = lang::UiLanguage::Chinese;
  radio.block[0x10] = 'X';
  Run(OperationModes::Write);
  EXPECT_EQ(Sent(), QStringList{QStringLiteral("PROGRAM")} + Lines("R", {0x00, 0x10, 0x20, 0x50, 0x30}) +
                        QStringList{QStringLiteral("END")});
  EXPECT_EQ(host.Texts(), QStringList{QString::fromUtf8("机型错误!")});
  EXPECT_EQ(host.takes, 0);
  EXPECT_EQ(link.Outcome()->end, TransferEnd::ModelError);
  EXPECT_EQ(link.Outcome()->cause, QStringLiteral("the radio's model is \"XR93KW\", not \"ZR93KW\""));
}

TEST_F(Transfer, NoRadioSendsProgramThreeTimesThenFails) {
  fault = [](const Bytes&) { return std::optional<std::vector<Bytes>>(std::vector<Bytes>{}); };
  Run(OperationModes::Read);
  EXPECT_EQ(Sent(), QStringList(3, QStringLiteral("PROGRAM")));
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, QStringLiteral("Communication failed!"));
  EXPECT_TRUE(host.messages[0].plain);
  EXPECT_FALSE(device.IsOpen());
  EXPECT_EQ(state.OperationMode, OperationModes::Read);
}

TEST_F(Transfer, UnansweredEndStillCompletes) {
  fault = [](const Bytes& frame) -> std::optional<std::vector<Bytes>> {
    if (frame == BuildEnd()) return std::vector<Bytes>{};
    return std::nullopt;
  };
  Run(OperationModes::Read);
  EXPECT_EQ(Sent().mid(17), QStringList(3, QStringLiteral("END")));
  EXPECT_EQ(host.Texts(), QStringList{QStringLiteral("Read Complete!")});
}

TEST_F(Transfer, RepeatRequestsResendUpToTwentyThenCountAsNoReply) {
  int repeats = 0;
  int limit = 19;
  fault = [&](const Bytes& frame) -> std::optional<std::vector<Bytes>> {
    if (frame[0] == 'W' && FrameAddress(frame) == FactoryBase + 0x40 && repeats < limit) {
      ++repeats;
      return std::vector<Bytes>{{RepeatRequestByte}};
    }
    return std::nullopt;
  };
  Run(OperationModes::Write);
  EXPECT_EQ(Sent().count(QStringLiteral("W40")), 20);
  EXPECT_EQ(host.Texts(), QStringList{QStringLiteral("Write Complete!")});

  // A radio that asks again for ever no longer keeps the station resending.
  repeats = 0;
  limit = 1000;
  device.written.clear();
  host.messages.clear();
  Run(OperationModes::Write);
  EXPECT_EQ(Sent().count(QStringLiteral("W40")), 20);
  EXPECT_EQ(host.Texts(), QStringList{QStringLiteral("Communication failed!")});
  ASSERT_TRUE(link.Outcome());
  EXPECT_EQ(link.Outcome()->end, TransferEnd::CommunicationFailed);
  EXPECT_EQ(link.Outcome()->cause, QStringLiteral("write of line 0x40: 20 repeat requests, after 19 resends"));
  EXPECT_EQ(link.Outcome()->linesWritten, (std::vector<int>{0x00, 0x20}));
}

TEST_F(Transfer, AReplyForAnotherLineIsNeverStoredAndIsAskedForAgain) {
  // A radio that answers line 0x00 with line 0x40: without the check its
  // bytes 0x00-0x0F would be zeroed by the write.
  for (int i = 0; i < 16; ++i) radio.block[0x40 + i] = static_cast<std::uint8_t>(0x30 + i);
  radio.block[0x03] = 7;
  fault = [&](const Bytes& frame) -> std::optional<std::vector<Bytes>> {
    if (frame[0] == 'R' && FrameAddress(frame) == FactoryBase) {
      return std::vector<Bytes>{BuildWriteFrame(FactoryBase + 0x40, radio.block.Line(0x40))};
    }
    return std::nullopt;
  };
  const FactoryImage before = radio.block;
  Run(OperationModes::Write);
  EXPECT_EQ(Sent(), (QStringList{QStringLiteral("PROGRAM")} + QStringList(3, QStringLiteral("R00"))));
  EXPECT_EQ(host.Texts(), QStringList{QStringLiteral("Communication failed!")});
  EXPECT_EQ(radio.block, before);
  EXPECT_EQ(link.Outcome()->cause, QStringLiteral("read of line 0x00: the reply was for line 0x40, after 2 resends"));

  // One late duplicate of line 0x00's reply, in front of line 0x10's: asked
  // again, and the radio's own model and serial number are what the read shows.
  bool duplicated = false;
  fault = [&](const Bytes& frame) -> std::optional<std::vector<Bytes>> {
    if (frame[0] == 'R' && FrameAddress(frame) == FactoryBase + 0x10 && !duplicated) {
      duplicated = true;
      return std::vector<Bytes>{BuildWriteFrame(FactoryBase, radio.block.Line(0x00))};
    }
    return std::nullopt;
  };
  device.written.clear();
  host.messages.clear();
  Run(OperationModes::Read);
  EXPECT_EQ(Sent().count(QStringLiteral("R10")), 2);
  EXPECT_EQ(state.FactoryImage, radio.block);
  EXPECT_EQ(host.Texts(), QStringList{QStringLiteral("Read Complete!")});
}

TEST_F(Transfer, AStopEndsTheTransferAtTheNextFrameBoundaryAfterEnd) {
  host.onPump = [&] {
    if (Sent().count(QStringLiteral("W20")) == 1) link.RequestStop(QStringLiteral("stopped by SIGTERM"));
  };
  const FactoryImage before = radio.block;
  Run(OperationModes::Write);
  EXPECT_EQ(Sent().mid(6), (QStringList{QStringLiteral("W00"), QStringLiteral("W20"), QStringLiteral("END")}));
  EXPECT_TRUE(host.messages.empty());
  EXPECT_FALSE(device.IsOpen());
  EXPECT_EQ(state.OperationMode, OperationModes::Idle);
  ASSERT_TRUE(link.Outcome());
  EXPECT_EQ(link.Outcome()->end, TransferEnd::Interrupted);
  EXPECT_EQ(link.Outcome()->cause, QStringLiteral("stopped by SIGTERM"));
  EXPECT_EQ(link.Outcome()->linesWritten, (std::vector<int>{0x00, 0x20}));
  EXPECT_EQ(radio.block.Line(0x40)[0], before.Line(0x40)[0]);

  // Asked for before the first frame: nothing is sent at all.
  host.onPump = nullptr;
  device.written.clear();
  ASSERT_TRUE(link.StartWrite());
  link.RequestStop(QStringLiteral("stopped by SIGINT"));
  while (link.Busy()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
  EXPECT_TRUE(device.written.empty());
  EXPECT_EQ(link.Outcome()->end, TransferEnd::Interrupted);
  EXPECT_EQ(CommHandle(), QStringLiteral("0"));
}

TEST_F(Transfer, TwoRepeatRequestsThenSilenceFailsAtThatSilence) {
  int writes = 0;
  fault = [&](const Bytes& frame) -> std::optional<std::vector<Bytes>> {
    if (frame[0] != 'W') return std::nullopt;
    return ++writes <= 2 ? std::vector<Bytes>{{RepeatRequestByte}} : std::vector<Bytes>{};
  };
  Run(OperationModes::Write);
  EXPECT_EQ(Sent().count(QStringLiteral("W00")), 3);
  EXPECT_EQ(link.RetryCount(), 2);
  EXPECT_EQ(host.Texts(), QStringList{QStringLiteral("Communication failed!")});
}

TEST_F(Transfer, UnrecognisedRepliesAreResentLikeSilence) {
  int bad = 0;
  fault = [&](const Bytes& frame) -> std::optional<std::vector<Bytes>> {
    if (frame[0] == 'R' && FrameAddress(frame) == FactoryBase + 0x20 && bad < 2) {
      ++bad;
      Bytes reply = BuildWriteFrame(FrameAddress(frame), radio.block.Line(0x20));
      ++reply[22];  // checksum one off
      return std::vector<Bytes>{reply};
    }
    if (frame == BuildProgram() && bad == 0) {
      ++bad;
      return std::vector<Bytes>{{'T', 'K', 0x07}};
    }
    return std::nullopt;
  };
  Run(OperationModes::Read);
  EXPECT_EQ(Sent().count(QStringLiteral("PROGRAM")), 2);
  EXPECT_EQ(Sent().count(QStringLiteral("R20")), 2);
  EXPECT_EQ(host.Texts(), QStringList{QStringLiteral("Read Complete!")});
}

TEST_F(Transfer, RepliesInPiecesAreReadUntilWhole) {
  fault = [&](const Bytes& frame) -> std::optional<std::vector<Bytes>> {
    std::vector<Bytes> whole = radio.Answer(frame);
    if (whole.empty() || whole[0].size() < 2) return whole;
    const Bytes& reply = whole[0];
    return std::vector<Bytes>{Bytes(reply.begin(), reply.begin() + 1), Bytes(reply.begin() + 1, reply.end() - 1),
                              Bytes(reply.end() - 1, reply.end())};
  };
  Run(OperationModes::Read);
  EXPECT_EQ(Sent(), ReadFrames);
  EXPECT_EQ(state.FactoryImage, radio.block);
}

TEST_F(Transfer, APartOfAReplyThenSilenceIsResent) {
  bool cut = false;
  fault = [&](const Bytes& frame) -> std::optional<std::vector<Bytes>> {
    if (frame[0] == 'R' && FrameAddress(frame) == FactoryBase + 0x70 && !cut) {
      cut = true;
      const Bytes reply = radio.Answer(frame)[0];
      return std::vector<Bytes>{Bytes(reply.begin(), reply.begin() + 10)};
    }
    return std::nullopt;
  };
  Run(OperationModes::Read);
  EXPECT_EQ(Sent().count(QStringLiteral("R70")), 2);
  EXPECT_EQ(host.Texts(), QStringList{QStringLiteral("Read Complete!")});
}

TEST_F(Transfer, AValueTheWindowCannotShowEndsTheReadThroughTheErrorPath) {
  radio.block[0x03] = 0xFF;  // no such band
  Run(OperationModes::Read);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, QStringLiteral("Cannot Open Communication Port."));
  EXPECT_FALSE(host.messages[0].plain);
  EXPECT_FALSE(device.IsOpen());
  EXPECT_EQ(state.FactoryRecord.BandIndex, 0xFF);  // the record holds what was decoded
  EXPECT_EQ(link.Outcome()->end, TransferEnd::RuntimeError);
  EXPECT_TRUE(link.Outcome()->cause.contains(QStringLiteral("255"))) << link.Outcome()->cause.toStdString();
}

TEST_F(Transfer, ACharacterThatIsNotAByteStopsTheWriteBeforeAnyLine) {
  host.form.areaCode = QString::fromUtf8("1\u4e2d");
  Run(OperationModes::Write);
  EXPECT_EQ(Sent().filter(QStringLiteral("W")).size(), 0);
  EXPECT_EQ(host.Texts(), QStringList{QStringLiteral("Cannot Open Communication Port.")});
}

TEST_F(Transfer, ThreeBandRefusalEndsTheWriteWithoutWritingOrAssociating) {
  host.mode = AssociationMode::ScanCodeWrite;
  host.form.bandPosition = ThreeBandPosition;
  host.form.packageCode = QStringLiteral("PKG-2");
  state.PackageCode = QStringLiteral("PKG-1");
  Run(OperationModes::Write);
  EXPECT_EQ(Sent(), QStringList{QStringLiteral("PROGRAM")} + Lines("R", {0x00, 0x10, 0x20, 0x50, 0x30}) +
                        QStringList{QStringLiteral("END")});
  EXPECT_EQ(host.Texts(), QStringList{QStringLiteral("write error")});
  EXPECT_TRUE(host.saves.empty());
  EXPECT_EQ(state.PackageCode, QStringLiteral("PKG-1"));
  EXPECT_EQ(state.OperationMode, OperationModes::Idle);
  EXPECT_FALSE(device.IsOpen());
  EXPECT_TRUE(host.statusLabel.isEmpty());
  EXPECT_EQ(link.Outcome()->end, TransferEnd::WriteRefused);
}

TEST_F(Transfer, BandChangeIsAskedAndCancelKeepsTheRadiosBand) {
  radio.block[0x03] = 2;
  radio.block[0x06] = 0x80;
  host.form.bandPosition = ThreeBandPosition;
  host.answers = {MessageButton::Cancel};
  Run(OperationModes::Write);
  EXPECT_EQ(radio.block[0x03], 2);
  EXPECT_EQ(host.form.bandPosition, 2);

  host.answers = {MessageButton::Ok};
  host.form.bandPosition = ThreeBandPosition;
  host.messages.clear();
  Run(OperationModes::Write);
  EXPECT_EQ(radio.block[0x03], ThreeBandPosition);
  EXPECT_EQ(host.Texts(), (QStringList{QStringLiteral("band?"), QStringLiteral("Write Complete!")}));
}

TEST_F(Transfer, PortThatCannotOpenLeavesEverythingIdle) {
  device.openFails = true;
  EXPECT_FALSE(Run(OperationModes::Read));
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, QStringLiteral("Cannot Open Communication Port."));
  EXPECT_TRUE(host.messages[0].plain);
  EXPECT_EQ(state.OperationMode, OperationModes::Idle);
  EXPECT_FALSE(link.StartPending());
  EXPECT_TRUE(device.written.empty());
  EXPECT_EQ(link.Outcome()->end, TransferEnd::PortNotOpened);
  EXPECT_EQ(link.Outcome()->cause, QStringLiteral("COM3 could not be opened"));

  device.openFails = false;
  device.setStateFails = true;
  EXPECT_FALSE(Run(OperationModes::Read));
  EXPECT_FALSE(device.IsOpen());
  EXPECT_EQ(CommHandle(), QStringLiteral("0"));
}

TEST_F(Transfer, ASecondCommandDuringATransferIsIgnored) {
  bool tried = false;
  host.onPump = [&] {
    if (!tried && link.PortOpen()) {
      tried = true;
      EXPECT_FALSE(link.StartWrite());
    }
  };
  Run(OperationModes::Read);
  EXPECT_TRUE(tried);
  EXPECT_EQ(host.Texts(), QStringList{QStringLiteral("Read Complete!")});
}

TEST_F(Transfer, ClosingThePortDuringATransferEndsItSilently) {
  host.onPump = [&] {
    if (device.written.size() == 5) link.Close();
  };
  Run(OperationModes::Read);
  EXPECT_EQ(device.written.size(), 5u);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(link.Outcome()->end, TransferEnd::Interrupted);
}

TEST_F(Transfer, ScanCodeWriteAssociatesTrimmedValuesAndAsksUntilTheOperatorStops) {
  host.mode = AssociationMode::ScanCodeWrite;
  host.form.packageCode = QStringLiteral("BOX-7  ");
  host.existsAnswers = {false, false, true};
  host.answers = {MessageButton::Yes, MessageButton::Yes};
  Run(OperationModes::Write);
  EXPECT_EQ(host.saves, std::vector<QString>(3, QStringLiteral("SN00000000000042|BOX-7")));
  EXPECT_EQ(host.Texts(), QStringList(2, QStringLiteral("在数据库中建立关联失败,是否重建关联？")));
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
  EXPECT_TRUE(state.AssociationDone);
  EXPECT_EQ(host.statusLabel, QString::fromUtf8("请换下一台机器..."));
  EXPECT_EQ(link.Outcome()->end, TransferEnd::AssociationMissing);
}

TEST_F(Transfer, DatabaseFailureEndsTheWriteThroughTheErrorPath) {
  host.mode = AssociationMode::ScanCodeWrite;
  host.databaseDown = true;
  Run(OperationModes::Write);
  EXPECT_EQ(host.Texts(), QStringList{QStringLiteral("Cannot Open Communication Port.")});
  EXPECT_FALSE(state.AssociationDone);
  EXPECT_TRUE(host.statusLabel.isEmpty());
  EXPECT_EQ(host.advances, 0);
  EXPECT_FALSE(device.IsOpen());
  // The radio is written; only the association failed, and the driver's words say why.
  EXPECT_EQ(link.Outcome()->end, TransferEnd::DatabaseFailed);
  EXPECT_EQ(link.Outcome()->cause, QStringLiteral("database unreachable"));
  EXPECT_EQ(link.Outcome()->linesWritten.size(), 14u);
}

}  // namespace
}  // namespace zr
