#pragma once

#include <QDate>
#include <QTimer>
#include <QTranslator>
#include <QWidget>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "app/window/busy_cursor.h"
#include "app/window/form_layout.h"
#include "app/window/message_presenter.h"
#include "app/window/status_line.h"
#include "db/database_settings.h"
#include "db/package_database.h"
#include "lang/messages.h"
#include "link/port_list.h"
#include "link/radio_link.h"
#include "link/serial_device.h"
#include "link/station_state.h"
#include "link/transfer_host.h"
#include "platform/ansi_code_page.h"
#include "platform/os_version.h"
#include "platform/settings_file.h"
#include "record/factory_fields.h"
#include "record/form_values.h"
#include "station/records_options.h"
#include "station/transfer_records.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace zr::window {

// What the window takes from the system; tests replace any of it.
struct FrmMainOptions {
  QString settingsPath;                   // empty: "mysetup.ini" beside the program
  MessagePresenter* presenter = nullptr;  // null: modal message boxes
  std::function<std::optional<platform::OsVersion>()> queryOsVersion = platform::QueryOsVersion;
  std::function<quint32()> systemLcid;  // unset: the system default locale
  QString localeName;                   // empty: the system locale (dates, code page)
  std::function<std::vector<PortListEntry>()> listPorts = EnumComPortEntries;
  // What the system knows of its serial devices, for the port list's tooltips.
  std::function<std::vector<std::pair<QString, platform::SerialPortDetails>>()> portDetails =
      platform::SystemPortDetails;
  QString qtTranslationsDir;  // empty: Qt's translations folder
  std::function<QDate()> today = [] { return QDate::currentDate(); };
  db::DatabaseSettings database;
  // Where scan-code write mode records associations; null: the package database.
  PackageAssociations* associations = nullptr;
  SerialDevice* device = nullptr;  // null: this PC's serial ports
  StationRecordsOptions records;   // backups, read-back, the station log
};

// Whether Text1(textIndex) takes 7-bit ASCII only: it shows a field of one byte per character.
bool TakesAsciiOnly(int textIndex);

// The station window. Its start-up runs in the constructor; closing it
// closes the port. The controls keep their design names so that the rules
// read as the operator sees them; control arrays are arrays, with a null
// where the design has no control (Text1(7), Combo1(2), Label1(8)).
class FrmMain : public QWidget, public TransferHost {
 public:
  explicit FrmMain(FrmMainOptions options = {}, QWidget* parent = nullptr);
  ~FrmMain() override;

  // The controls.
  QGroupBox* Frame1 = nullptr;
  QGroupBox* Frame2 = nullptr;
  std::array<QWidget*, BoxCount(BoxKind::Text)> Text1{};    // QLineEdit; Text1(4) a MultiLineTextBox; no Text1(7)
  std::array<QComboBox*, BoxCount(BoxKind::List)> Combo1{};  // no Combo1(2)
  std::array<QRadioButton*, 3> Option1{};
  std::array<QLabel*, 15> Label1{};  // no Label1(8)
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label7 = nullptr;
  // Check1 to Check8 by their numbers, as the field table numbers them; no Check4.
  std::array<QCheckBox*, BoxCount(BoxKind::Check)> Check{};
  QComboBox* Combo2 = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
  QPushButton* Command3 = nullptr;
  // Below the buttons: the frame a transfer is at, why one failed, a port
  // folder that cannot be read, a log entry that could not be written.
  StatusLine* Status = nullptr;
  QTimer Timer_SNFocus;
  QTimer ReShowComPortTimer;

  qint16 FixedPortListOs = 0;

  StationState& State() { return state_; }
  RadioLink& Link() { return *link_; }
  const FormLayout& Layout() const { return layout_; }
  QWidget* Control(const QString& name) const;
  const lang::BandChangeMessageTable& BandChangeMessage() const { return bandChangeMessage_; }

  QString TextOf(int index) const;
  void SetText(int index, const QString& text);

  // The operator's actions and the timers.
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Option1_Click();
  void Combo2_Click();
  void ReShowComPortTimer_Timer();
  void Timer_SNFocus_Timer();

  // Start-up steps.
  void DetectOsType();
  qint16 EnumComPorts();
  bool InComPorts(qint16 portNumber) const;
  void ApplyLanguage();

  // TransferHost
  void ProcessPendingEvents() override;
  MessageButton ShowMessage(const QString& text, MessageStyle style) override;
  void ShowPlainMessage(const QString& text) override;
  void SetPortListRefresh(bool enabled) override;
  void ShowSerialNumber(const QString& serialNumber) override;
  bool GetDataByShow() override;
  void ShowByData() override;
  AssociationMode SelectedMode() const override;
  void SetStatusLabel(const QString& text) override;
  void AdvancePackageCode() override;
  void TransferEnded(const TransferOutcome& outcome) override;
  void FrameSent(const TransferOutcome& progress, int plannedFrames) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Text1(index); a programming error for an index the array does not have.
  QWidget* TextBox(int index) const;
  void CreateControls();
  void SetTabOrder();
  void FormLoad();
  void Shutdown();
  Dpi ScreenDpi() const { return {static_cast<qreal>(logicalDpiX()), static_cast<qreal>(logicalDpiY())}; }
  void Place(const QString& control);
  void SetCaption(const QString& control, const QString& text);
  bool Text1_KeyPress(int index, QEvent* event);
  void Text1_GotFocus(int index);
  int TextIndexOf(const QObject* object) const;
  FormValues FormFromControls() const;
  void FormToControls(const FormValues& form);
  void ShowPortDetails(const std::vector<PortListEntry>& entries);
  void SelectPort(const PortSelection& selection);
  void WriteComPort();
  qint16 StoredComPort() const;
  void StartTransfer(bool (RadioLink::*start)());
  MessageButton Present(const QString& text, MessageStyle style);
  void ShowStatus();

  FrmMainOptions options_;
  QString localeName_;
  StationState state_;
  platform::SettingsFile settings_;
  platform::AnsiCodePage codePage_;
  std::unique_ptr<SerialDevice> ownedDevice_;
  std::unique_ptr<MessagePresenter> ownedPresenter_;
  MessagePresenter* presenter_ = nullptr;
  db::PackageDatabase database_;
  station::TransferRecords records_;
  bool logFailureShown_ = false;
  QString unreadablePortFolder_;  // "ZR93KW_PORT_DIR=/path" while it leaves the port list empty
  QString transferStatus_;  // the running transfer's frame, or how the last one failed
  std::unique_ptr<RadioLink> link_;
  FormLayout layout_;
  std::map<QString, QWidget*> controls_;
  std::vector<PortListEntry> describedPorts_;  // the entries the port list's tooltips describe
  std::unique_ptr<QTranslator> qtTranslation_;
  BusyCursor busyCursor_;
  lang::BandChangeMessageTable bandChangeMessage_{};
  bool shutDown_ = false;
};

}  // namespace zr::window
