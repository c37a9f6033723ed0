#pragma once

#include <QApplication>
#include <QCursor>
#include <QDeadlineTimer>
#include <QTimer>
#include <cstring>
#include <functional>
#include <memory>
#include <ostream>

#include "app/window/frm_main.h"
#include "platform/settings_file.h"
#include "tests/support/radio_simulator.h"
#include "tests/support/scripted_answers.h"

// Readable failures for texts and lists of texts.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& texts, std::ostream* out) {
  *out << '{' << texts.join(QStringLiteral(" | ")).toStdString() << '}';
}

namespace zr::window::test {

// The transfer's wait cursor, or none.
inline std::optional<Qt::CursorShape> OverrideCursor() {
  const QCursor* cursor = QApplication::overrideCursor();
  return cursor != nullptr ? std::optional(cursor->shape()) : std::nullopt;
}

// Answers the window's boxes and remembers them: whether the focus pull ran
// and which cursor showed while each was open, and the cursor once the window
// went on after it.
class ScriptedPresenter : public MessagePresenter {
 public:
  struct Shown {
    QString text;
    MessageStyle style;
    bool focusPullRunning;
    std::optional<Qt::CursorShape> cursor;
    std::optional<Qt::CursorShape> cursorAfter;
  };

  MessageButton Present(QWidget* parent, const QString& text, MessageStyle style) override {
    const auto* window = dynamic_cast<const FrmMain*>(parent);
    shown.push_back({text, style, window != nullptr && window->Timer_SNFocus.isActive(), OverrideCursor(), {}});
    // Timed on the window, so that no look outlives it.
    QTimer::singleShot(0, parent, [this, box = shown.size() - 1] {
      if (box < shown.size()) shown[box].cursorAfter = OverrideCursor();
    });
    if (style == MessageStyle::OkOnly) return MessageButton::None;
    return zr::test::NextAnswer(answers, style == MessageStyle::YesNo ? MessageButton::No : MessageButton::Cancel);
  }

  QStringList Texts() const { return zr::test::TextsOf(shown); }

  std::vector<Shown> shown;
  std::deque<MessageButton> answers;
};

// The list a system with the ports COM<number> gives.
inline std::vector<PortListEntry> Ports(const std::vector<int>& numbers) {
  std::vector<platform::SerialPortEntry> system;
  for (int n : numbers) system.push_back({QStringLiteral("COM%1").arg(n), QStringLiteral("/dev/null")});
  return ComPortEntries(system);
}

// A window with its own settings file, the system's language `lcid` (English
// unless a test says), a system that is not the fixed-list one and the port
// list `ports` (changeable by the test).
class WindowTest : public ::testing::Test {
 protected:
  FrmMainOptions Options(quint32 lcid = lang::Lcid::EnglishUs) {
    FrmMainOptions options;
    options.settingsPath = SettingsPath();
    options.presenter = &presenter;
    options.queryOsVersion = [] { return platform::OsVersion{0, 6, 1}; };
    options.systemLcid = [lcid] { return lcid; };
    options.localeName = QStringLiteral("en_US");
    options.listPorts = [this] { return ports; };
    options.today = [] { return QDate(2026, 12, 6); };
    return options;
  }

  FrmMain& Open(FrmMainOptions options) { window = std::make_unique<FrmMain>(std::move(options)); return *window; }
  FrmMain& Open() { return Open(Options()); }

  QString SettingsPath() const { return dir.filePath(QStringLiteral("mysetup.ini")); }
  QString Setting(const QString& key) const {
    return platform::SettingsFile(SettingsPath()).GetString(QStringLiteral("language"), key);
  }
  bool SettingsWrite(const QString& key, const QString& value) {
    return platform::SettingsFile(SettingsPath()).WriteString(QStringLiteral("language"), key, value);
  }

  // Runs the event loop until the window's transfer is over.
  bool WaitIdle(int timeoutMs = 15000) {
    QDeadlineTimer deadline(timeoutMs);
    while (window->Link().Busy() && !deadline.hasExpired()) {
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    }
    return !window->Link().Busy();
  }

  QTemporaryDir dir;
  ScriptedPresenter presenter;
  std::vector<PortListEntry> ports;
  std::unique_ptr<FrmMain> window;
};

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
  for (const auto& [offset, text] : texts) std::copy(text, text + std::strlen(text), block.Bytes().begin() + offset);
  return block;
}

class WindowTransfer : public WindowTest {
 protected:
  void TearDown() override { window.reset(); qunsetenv("ZR93KW_PORT_DIR"); }

  // The simulated radio on COM3 with `block`, and the window on it.
  FrmMain& OpenOnRadio(const FactoryImage& block, const QStringList& simOptions = {}, FrmMainOptions options = {}) {
    EXPECT_TRUE(radio.Start(block, simOptions, 3));
    qputenv("ZR93KW_PORT_DIR", radio.PortDir().toLocal8Bit());
    if (!options.presenter) options = Options();
    options.listPorts = EnumComPortEntries;
    FrmMain& w = Open(std::move(options));
    EXPECT_EQ(w.State().CurrentComPort, 3);
    return w;
  }

  FactoryImage RadioBlock() const { return radio.ReadImage().value_or(FactoryImage{}); }
  // Clicks Read or Write and runs the event loop until the transfer is over.
  bool ReadToTheEnd() { window->Command1_Click(); return WaitIdle(); }
  bool WriteToTheEnd() { window->Command2_Click(); return WaitIdle(); }

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
