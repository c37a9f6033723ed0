#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTemporaryDir>
#include <deque>
#include <memory>
#include <ostream>
#include <vector>

#include "app/window/frm_main.h"
#include "platform/settings_file.h"

// Readable failures for texts and lists of texts.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& texts, std::ostream* out) {
  *out << '{' << texts.join(QStringLiteral(" | ")).toStdString() << '}';
}

namespace zr::window::test {

// Answers the window's boxes and remembers them, with whether the focus pull
// was running while each box was open.
class ScriptedPresenter : public MessagePresenter {
 public:
  struct Shown {
    QString text;
    MessageStyle style;
    bool focusPullRunning;
  };

  MessageButton Present(QWidget* parent, const QString& text, MessageStyle style) override {
    const auto* window = dynamic_cast<const FrmMain*>(parent);
    shown.push_back({text, style, window != nullptr && window->Timer_SNFocus.isActive()});
    if (style == MessageStyle::OkOnly) return MessageButton::None;
    if (answers.empty()) return style == MessageStyle::YesNo ? MessageButton::No : MessageButton::Cancel;
    const MessageButton answer = answers.front();
    answers.pop_front();
    return answer;
  }

  QStringList Texts() const {
    QStringList texts;
    for (const Shown& s : shown) texts << s.text;
    return texts;
  }

  std::vector<Shown> shown;
  std::deque<MessageButton> answers;
};

inline std::vector<PortListEntry> Ports(std::initializer_list<int> numbers) {
  std::vector<PortListEntry> entries;
  for (int n : numbers) {
    entries.push_back({QStringLiteral("COM%1").arg(n), QStringLiteral("/dev/null"), static_cast<qint16>(n)});
  }
  return entries;
}

// A window with its own settings file, English captions, a system that is
// not the fixed-list one and the port list `ports` (changeable by the test).
class WindowTest : public ::testing::Test {
 protected:
  FrmMainOptions Options() {
    FrmMainOptions options;
    options.settingsPath = SettingsPath();
    options.presenter = &presenter;
    options.queryOsVersion = [] { return platform::OsVersion{0, 6, 1}; };
    options.systemLcid = [] { return 0x0409u; };
    options.localeName = QStringLiteral("en_US");
    options.listPorts = [this] { return ports; };
    options.today = [] { return QDate(2026, 12, 6); };
    return options;
  }

  FrmMain& Open(FrmMainOptions options) {
    window = std::make_unique<FrmMain>(std::move(options));
    return *window;
  }
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

}  // namespace zr::window::test
