#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <optional>

#include "link/radio_link.h"
#include "platform/settings_file.h"
#include "record/factory_tables.h"
#include "recording_host.h"
#include "scripted_device.h"

namespace zr::testing {

// "PROGRAM", "END", "R30" (read line 0x30), "W20" (write line 0x20).
inline QString Describe(const Bytes& frame) {
  if (frame == BuildProgram()) return QStringLiteral("PROGRAM");
  if (frame == BuildEnd()) return QStringLiteral("END");
  const auto line = QStringLiteral("%1").arg(FrameAddress(frame) - FactoryBase, 2, 16, QLatin1Char('0')).toUpper();
  return (frame[0] == ReadRequestCode ? QStringLiteral("R") : QStringLiteral("W")) + line;
}

inline QStringList Frames(const char* names) { return QString::fromLatin1(names).split(QLatin1Char(' ')); }

// A write reads the lines that name the radio and its band, then writes all but the model and serial lines.
inline const QStringList ModelCheckReads = Frames("PROGRAM R00 R10 R20 R50 R30");
inline const QStringList Writes = Frames("W00 W20 W40 W50 W60 W70 W80 W90 WA0 WB0 WC0 WD0 WE0 WF0");
inline const QStringList End = Frames("END");

// Replaces the radio's answer to a frame; nullopt lets the radio answer.
using Fault = std::function<std::optional<std::vector<Bytes>>(const Bytes&)>;

// The link on COM3 to a radio in memory, model ZR93KW, serial SN00000000000042,
// seller "B", bytes of no field at 0x58-0x5F.
class Transfer : public ::testing::Test {
 protected:
  Transfer() {
    for (const auto& [offset, text] : {std::pair(0x10, "ZR93KW"), std::pair(0x30, "SN00000000000042")}) {
      for (int i = 0; text[i] != '\0'; ++i) radio.block[offset + i] = static_cast<std::uint8_t>(text[i]);
    }
    for (int i = 0x58; i < 0x60; ++i) radio.block[i] = static_cast<std::uint8_t>(0xC0 + i);
    radio.block[0xA0] = 'B';
    original = radio.block;
    state.UiLanguage = lang::UiLanguage::English;
    state.CurrentComPort = 3;
  }

  // Runs one command to its end, as the window's event loop would; false when it did not start.
  bool Run(const std::function<bool()>& start) {
    device.written.clear();
    host.messages.clear();
    const bool started = start();
    while (link.Busy()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    return started;
  }
  bool Run(OperationModes mode) {
    return Run([&] { return mode == OperationModes::Read ? link.StartRead() : link.StartWrite(); });
  }
  TransferOutcome Outcome() const { return link.Outcome().value(); }

  QStringList Sent() const {
    QStringList sent;
    for (const Bytes& frame : device.written) sent << Describe(frame);
    return sent;
  }

  // The first `times` frames named `name` (any frame when empty) get, in place
  // of the radio's reply, what `change` makes of it.
  Fault Intercept(const QString& name, int times, std::function<std::vector<Bytes>(Bytes)> change) {
    return [=, this, left = times](const Bytes& frame) mutable -> std::optional<std::vector<Bytes>> {
      if (left == 0 || (!name.isEmpty() && Describe(frame) != name)) return std::nullopt;
      --left;
      return change(radio.Answer(frame).at(0));
    };
  }

  QString CommHandle() const { return settings.GetString(QStringLiteral("language"), QStringLiteral("CommHandle")); }

  Fault fault;
  StationState state;
  RecordingHost host{state};
  MemoryRadio radio;
  FactoryImage original;  // the radio's block before the test
  ScriptedDevice device{[this](const Bytes& frame) {
    if (fault) {
      if (auto reply = fault(frame)) return *reply;
    }
    return radio.Answer(frame);
  }};
  QTemporaryDir dir;
  platform::SettingsFile settings{dir.filePath(QStringLiteral("mysetup.ini")), platform::AnsiCodePage(1252)};
  platform::AnsiCodePage codePage{936};
  RadioLink link{state, host, device, settings, codePage, host};
};

}  // namespace zr::testing
