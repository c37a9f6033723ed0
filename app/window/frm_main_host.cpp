// The window as the transfer's host: messages, and the fields to and from the record.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QRadioButton>

#include "app/window/frm_main.h"
#include "link/window_into_record.h"

namespace zr::window {

namespace {

qint16 CheckValue(const QCheckBox* box) {
  switch (box->checkState()) {
    case Qt::Checked:
      return 1;
    case Qt::PartiallyChecked:
      return 2;
    default:
      return 0;
  }
}

// 2 shows the box greyed; the operator's clicks still only switch on and off.
void SetCheckValue(QCheckBox* box, qint16 value) {
  box->setTristate(value == 2);
  box->setCheckState(value == 2 ? Qt::PartiallyChecked : value == 1 ? Qt::Checked : Qt::Unchecked);
}

}  // namespace

WindowFields FrmMain::FieldsFromControls() const {
  WindowFields fields;
  fields.Check1 = CheckValue(Check1);
  fields.Check2 = CheckValue(Check2);
  fields.Check3 = CheckValue(Check3);
  fields.Check5 = CheckValue(Check5);
  fields.Check6 = CheckValue(Check6);
  fields.Check7 = CheckValue(Check7);
  fields.Check8 = CheckValue(Check8);
  fields.ModelText = Combo1[0]->currentText();
  fields.BandPosition = Combo1[1]->currentIndex();
  fields.WorkCountryPosition = Combo1[3]->currentIndex();
  for (int i = 0; i < static_cast<int>(Text1.size()); ++i) {
    if (Text1[i] != nullptr) fields.Text1[i] = TextOf(i);
  }
  return fields;
}

void FrmMain::FieldsToControls(const WindowFields& fields) {
  SetCheckValue(Check1, fields.Check1);
  SetCheckValue(Check2, fields.Check2);
  SetCheckValue(Check3, fields.Check3);
  SetCheckValue(Check5, fields.Check5);
  SetCheckValue(Check6, fields.Check6);
  SetCheckValue(Check7, fields.Check7);
  SetCheckValue(Check8, fields.Check8);
  Combo1[0]->setCurrentIndex(Combo1[0]->findText(fields.ModelText));
  Combo1[1]->setCurrentIndex(fields.BandPosition);
  Combo1[3]->setCurrentIndex(fields.WorkCountryPosition);
  for (int i = 0; i < static_cast<int>(Text1.size()); ++i) {
    // The package-code box belongs to the operator and the scanner.
    if (Text1[i] != nullptr && i != TextBox::PackageCode) SetText(i, fields.Text1[i]);
  }
}

void FrmMain::ProcessPendingEvents() { QCoreApplication::processEvents(); }

MessageButton FrmMain::ShowMessage(const QString& text, MessageStyle style) {
  if (shutDown_) {
    // The window is gone: nothing is asked any more.
    return style == MessageStyle::OkCancelWarning ? MessageButton::Cancel
           : style == MessageStyle::YesNo         ? MessageButton::No
                                                  : MessageButton::None;
  }
  const bool pulling = Timer_SNFocus.isActive();
  Timer_SNFocus.stop();
  const MessageButton answer = presenter_->Present(this, text, style);
  if (pulling && !shutDown_) Timer_SNFocus.start();
  return answer;
}

void FrmMain::ShowPlainMessage(const QString& text) {
  if (!shutDown_) presenter_->Present(this, text, MessageStyle::OkOnly);
}

void FrmMain::SetPortListRefresh(bool enabled) {
  if (enabled && !shutDown_) {
    ReShowComPortTimer.start();
  } else {
    ReShowComPortTimer.stop();
  }
}

void FrmMain::ShowSerialNumber(const QString& serialNumber) { SetText(TextBox::SerialNumber, serialNumber); }

bool FrmMain::GetDataByShow() {
  WindowFields fields = FieldsFromControls();
  const bool taken = TakeWindowIntoRecord(fields, state_, *this,
                                          bandChangeMessage_.at(static_cast<std::size_t>(state_.UiLanguage)));
  // A cancelled band change puts the list back on the radio's band.
  Combo1[1]->setCurrentIndex(fields.BandPosition);
  return taken;
}

void FrmMain::ShowByData() {
  WindowFields fields = FieldsFromControls();
  try {
    ShowRecordInFields(state_.FactoryRecord, fields);
  } catch (...) {
    // The controls before the one that failed show their new values.
    FieldsToControls(fields);
    throw;
  }
  FieldsToControls(fields);
}

AssociationMode FrmMain::SelectedMode() const {
  if (Option1[0]->isChecked()) return AssociationMode::ScanCodeWrite;
  if (Option1[1]->isChecked()) return AssociationMode::AutoIncrement;
  return AssociationMode::NoPackageAssociation;
}

void FrmMain::SetStatusLabel(const QString& text) { Label7->setText(text); }

void FrmMain::AdvancePackageCode() { SetText(TextBox::PackageCode, QString()); }

}  // namespace zr::window
