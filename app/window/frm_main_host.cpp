// The window as the transfer's host: messages, and the fields to and from the record.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QRadioButton>
#include <QStringList>
#include <QTextStream>

#include "app/window/frm_main.h"
#include "app/window/outcome_status.h"
#include "app/window/window_captions.h"
#include "link/form_host.h"
#include "platform/contract.h"
#include "lang/status_texts.h"
#include "record/field_conversions.h"

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

FormValues FrmMain::FormFromControls() const {
  FormValues form;
  for (const FactoryField& field : FactoryFields) {
    const int box = field.box.index;
    switch (field.box.kind) {
      case BoxKind::Check:
        form.*field.formCheck = CheckValue(Check[static_cast<std::size_t>(box)]);
        break;
      case BoxKind::List:
        if (field.formText) {
          form.*field.formText = Combo1[box]->currentText();
        } else {
          form.*field.formPosition = Combo1[box]->currentIndex();
        }
        break;
      case BoxKind::Text:
        form.*field.formText = TextOf(box);
        break;
    }
  }
  return form;
}

void FrmMain::FormToControls(const FormValues& form) {
  for (const Field id : BoxOrder) {
    const FactoryField& field = FieldOf(id);
    const int box = field.box.index;
    switch (field.box.kind) {
      case BoxKind::Check:
        SetCheckValue(Check[static_cast<std::size_t>(box)], form.*field.formCheck);
        break;
      case BoxKind::List:
        Combo1[box]->setCurrentIndex(field.formText ? Combo1[box]->findText(form.*field.formText)
                                                    : form.*field.formPosition);
        break;
      case BoxKind::Text:
        // The package-code box belongs to the operator and the scanner.
        if (id != Field::PackageCode) SetText(box, form.*field.formText);
        break;
    }
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
  const MessageButton answer = Present(text, style);
  if (pulling && !shutDown_) Timer_SNFocus.start();
  return answer;
}

void FrmMain::ShowPlainMessage(const QString& text) {
  if (!shutDown_) Present(text, MessageStyle::OkOnly);
}

MessageButton FrmMain::Present(const QString& text, MessageStyle style) {
  // A box waits for the operator, not for the radio: it gets the normal
  // cursor, and a transfer that goes on after it gets the wait cursor back.
  const bool busy = busyCursor_.Shown();
  busyCursor_.Hide();
  const MessageButton answer = presenter_->Present(this, text, style);
  if (busy && !shutDown_) busyCursor_.Show();
  return answer;
}

void FrmMain::SetPortListRefresh(bool enabled) {
  if (enabled && !shutDown_) {
    ReShowComPortTimer.start();
  } else {
    ReShowComPortTimer.stop();
  }
}

void FrmMain::ShowSerialNumber(const QString& serialNumber) { SetText(BoxIndex(Field::SerialNumber), serialNumber); }

bool FrmMain::GetDataByShow() {
  FormValues form = FormFromControls();
  const auto entry = static_cast<std::size_t>(state_.UiLanguage);
  platform::Expects(entry < bandChangeMessage_.size(), "the band change question in the window's language");
  const bool taken = TakeFormIntoStation(form, state_, *this, bandChangeMessage_[entry]);
  // A cancelled band change puts the list back on the radio's band.
  Combo1[BoxIndex(Field::BandIndex)]->setCurrentIndex(form.bandPosition);
  return taken;
}

void FrmMain::ShowByData() {
  FormValues form = FormFromControls();
  try {
    ShowRecordInForm(state_.FactoryRecord, form);
  } catch (...) {
    // The controls before the one that failed show their new values.
    FormToControls(form);
    throw;
  }
  FormToControls(form);
}

AssociationMode FrmMain::SelectedMode() const {
  if (Option1[0]->isChecked()) return AssociationMode::ScanCodeWrite;
  if (Option1[1]->isChecked()) return AssociationMode::AutoIncrement;
  return AssociationMode::NoPackageAssociation;
}

void FrmMain::SetStatusLabel(const QString& text) { Label7->setText(text); }

void FrmMain::TransferEnded(const TransferOutcome& outcome) {
  // The last message comes after this, with the normal cursor.
  busyCursor_.Hide();
  const station::FileResult<> logged = records_.RecordEnd(outcome, state_, SelectedMode());
  const QString& why = logged.Why();
  // Why it failed, and the log's failure, where the operator sees them
  // without another box to close.
  QStringList status{OutcomeStatus(outcome, state_.UiLanguage)};
  if (!why.isEmpty()) status << lang::StatusLineText(state_.UiLanguage, lang::StatusText::LogNotWritten, why);
  status.removeAll(QString());
  transferStatus_ = status.join(QLatin1Char('\n'));
  ShowStatus();
  if (why.isEmpty() || logFailureShown_) return;
  logFailureShown_ = true;
  QTextStream(stderr) << "zr93kw-setfactory: log not written: " << why << Qt::endl;
}

void FrmMain::FrameSent(const TransferOutcome& progress, int plannedFrames) {
  // A radio that stays silent takes seconds under the time-outs: the resends show it is no hang.
  transferStatus_ = lang::FrameProgressText(state_.UiLanguage, progress.frames, plannedFrames, progress.resends);
  ShowStatus();
}

void FrmMain::ShowStatus() {
  QStringList lines{transferStatus_};
  if (!unreadablePortFolder_.isEmpty()) {
    lines.prepend(lang::StatusTextOf(lang::StatusText::PortFolderUnreadable, state_.UiLanguage).arg(unreadablePortFolder_));
  }
  lines.removeAll(QString());
  Status->Show(lines.join(QLatin1Char('\n')));
}

void FrmMain::AdvancePackageCode() { SetText(BoxIndex(Field::PackageCode), QString()); }

}  // namespace zr::window
