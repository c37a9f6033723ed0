// The window's port list: building it, the refresh, the operator's choice.
#include <QComboBox>
#include <QTextStream>
#include <QVariant>

#include "app/window/frm_main.h"
#include "platform/serial_devices.h"

namespace zr::window {

namespace {

const QString SettingsSection = QStringLiteral("language");
const QString ComPortKey = QStringLiteral("comPort");

// The list keeps the problem it last reported, so that the refresh, which
// rebuilds it every second, reports a problem once and again only after it
// changed.
constexpr char ReportedProblemProperty[] = "reportedPortListProblem";

void ReportPortListProblem(QComboBox& list, const QString& problem) {
  if (list.property(ReportedProblemProperty).toString() == problem) return;
  list.setProperty(ReportedProblemProperty, problem);
  if (!problem.isEmpty()) QTextStream(stderr) << problem << '\n';
}

}  // namespace

qint16 FrmMain::StoredComPort() const { return StoredPortNumber(settings_.GetString(SettingsSection, ComPortKey)); }

qint16 FrmMain::EnumComPorts() {
  const std::vector<PortListEntry> entries = options_.listPorts();
  // An empty list may be a mistyped port folder, which the operator must hear of.
  const QString unreadable = entries.empty() ? platform::UnreadablePortDirectorySetting() : QString();
  ReportPortListProblem(*Combo2, unreadable.isEmpty() ? QString() : platform::PortDirectoryError());
  if (unreadable != unreadablePortFolder_) {
    unreadablePortFolder_ = unreadable;
    ShowStatus();
  }
  const QStringList names = EntryNames(entries);
  QStringList shown;
  for (int i = 0; i < Combo2->count(); ++i) shown << Combo2->itemText(i);
  // Rebuilt only when it changed, so that an open list is not torn down every second.
  const bool rebuilt = names != shown;
  if (rebuilt) {
    Combo2->clear();
    Combo2->addItems(names);
    Combo2->setCurrentIndex(-1);
  }
  // Asking the system for the details takes milliseconds: only for a changed list.
  if (rebuilt || entries != describedPorts_) ShowPortDetails(entries);
  return FirstPortNumber(entries);
}

void FrmMain::ShowPortDetails(const std::vector<PortListEntry>& entries) {
  const auto details = options_.portDetails();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    Combo2->setItemData(static_cast<int>(i), PortToolTip(entries[i], platform::DetailsOf(details, entries[i].device)),
                        Qt::ToolTipRole);
  }
  describedPorts_ = entries;
}

bool FrmMain::InComPorts(qint16 portNumber) const {
  QStringList entries;
  for (int i = 0; i < Combo2->count(); ++i) entries << Combo2->itemText(i);
  return zr::InComPorts(entries, portNumber);
}

void FrmMain::SelectPort(const PortSelection& selection) {
  if (Combo2->currentIndex() != selection.index) Combo2->setCurrentIndex(selection.index);
  state_.CurrentComPort = selection.currentComPort;
}

void FrmMain::WriteComPort() {
  // A failed settings write is ignored.
  settings_.WriteString(SettingsSection, ComPortKey, QString::number(state_.CurrentComPort));
}

void FrmMain::ReShowComPortTimer_Timer() {
  const qint16 first = EnumComPorts();
  QStringList entries;
  for (int i = 0; i < Combo2->count(); ++i) entries << Combo2->itemText(i);
  const qint16 wanted = state_.AssociationDone ? state_.LastWritePort : state_.CurrentComPort;
  SelectPort(RefreshSelection(entries, first, wanted));
}

void FrmMain::Combo2_Click() {
  const QString chosen = Combo2->currentIndex() >= 0 ? Combo2->currentText() : QString();
  if (chosen.size() <= 3) return;
  state_.CurrentComPort = PortNumberOfEntry(chosen);
  // An entry that names no port number is not stored.
  if (state_.CurrentComPort != 0) WriteComPort();
}

void FrmMain::DetectOsType() {
  const std::optional<platform::OsVersion> version = options_.queryOsVersion();
  if (!version) {
    ShowMessage(lang::UnknownOperatingSystemText, MessageStyle::OkOnly);
    FixedPortListOs = 0;
    return;
  }
  FixedPortListOs = static_cast<qint16>(platform::FixedPortListOsFor(*version));
}

}  // namespace zr::window
