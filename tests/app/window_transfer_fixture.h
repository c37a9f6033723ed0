#pragma once

#include <QTimer>
#include <functional>

#include "tests/support/radio_simulator.h"
#include "window_fixture.h"

namespace zr::window::test {

// A radio with every field set.
inline FactoryImage FilledBlock() {
  FactoryImage block;
  block[0x00] = 1;     // remote kill
  block[0x02] = 1;     // factory mode
  block[0x03] = 5;     // band
  block[0x04] = 2;     // work country
  block[0x06] = 0x81;  // three-band capable, frequency expansion on
  block[0x07] = 0x03;  // APRS: bit 0 only
  block[0x09] = 1;     // turbo power
  block[0x16] = 0xFF;  // after the model text
  const std::pair<int, const char*> texts[] = {
      {0x10, "ZR93KW"},     {0x28, "123"},        {0x2C, "AB12"},   {0x30, "SN12345678901234"},
      {0x40, "2026/01/02"}, {0x50, "BATCH-01"},   {0x60, "2026/02/03"}, {0x70, "DEALER7"},
      {0x80, "2026/03/04"}, {0x90, "2026/04/05"}, {0xA0, "SELLER"}, {0xB0, "Antenna replaced"}};
  for (const auto& [offset, text] : texts) {
    for (int i = 0; text[i] != '\0'; ++i) block[offset + i] = static_cast<std::uint8_t>(text[i]);
  }
  return block;
}

class WindowTransfer : public WindowTest {
 protected:
  void TearDown() override {
    window.reset();
    qunsetenv("ZR93KW_PORT_DIR");
  }

  // The simulated radio on COM3 with `block`, and the window on it.
  FrmMain& OpenOnRadio(const FactoryImage& block, const QStringList& simOptions = {}, FrmMainOptions options = {}) {
    EXPECT_TRUE(radio.WriteImage(block));
    EXPECT_TRUE(radio.Start(simOptions, 3));
    qputenv("ZR93KW_PORT_DIR", radio.PortDir().toLocal8Bit());
    if (!options.presenter) options = Options();
    options.listPorts = EnumComPortEntries;
    FrmMain& w = Open(std::move(options));
    EXPECT_EQ(w.State().CurrentComPort, 3);
    return w;
  }

  FactoryImage RadioBlock() const { return radio.ReadImage().value_or(FactoryImage{}); }

  // Runs `action` once from inside the transfer loop, as an operator's click
  // would arrive while the radio is talking.
  void WhileTransferRuns(std::function<void()> action) {
    auto* poll = new QTimer(window.get());
    QObject::connect(poll, &QTimer::timeout, poll, [this, poll, action = std::move(action)] {
      if (!window->Link().PortOpen() || window->Link().StartPending()) return;
      poll->stop();
      action();
    });
    poll->start(5);
  }

  zr::test::RadioSimulator radio;
};

}  // namespace zr::window::test
