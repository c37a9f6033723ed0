#include "app/window/frm_main.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>

#include "app/window/cut_entry_tip.h"
#include "app/window/label_placement.h"
#include "app/window/list_wheel_guard.h"
#include "app/window/multi_line_text_box.h"
#include "app/window/option_group_tab.h"
#include "app/window/qt_translation.h"
#include "app/window/window_captions.h"
#include "lang/ui_language.h"
#include "link/system_serial_device.h"
#include "platform/contract.h"
#include "platform/system_locale.h"
#include "record/factory_tables.h"

namespace zr::window {

namespace {

constexpr int TimerIntervalMs = 1000;

QString Indexed(const char* array, int index) { return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(index); }

}  // namespace

FrmMain::FrmMain(FrmMainOptions options, QWidget* parent)
    : QWidget(parent),
      options_(std::move(options)),
      localeName_(options_.localeName.isEmpty() ? platform::SystemLocaleName() : options_.localeName),
      settings_(options_.settingsPath.isEmpty() ? platform::ProgramSettingsPath() : options_.settingsPath),
      codePage_(options_.localeName.isEmpty() ? platform::AnsiCodePage::System()
                                              : platform::AnsiCodePage::ForLocale(localeName_)),
      database_(options_.database),
      records_(options_.records, codePage_) {
  SerialDevice* device = options_.device;
  if (device == nullptr) {
    ownedDevice_ = std::make_unique<SystemSerialDevice>();
    device = ownedDevice_.get();
  }
  presenter_ = options_.presenter;
  if (presenter_ == nullptr) {
    ownedPresenter_ = std::make_unique<MessageBoxPresenter>();
    presenter_ = ownedPresenter_.get();
  }
  PackageAssociations& associations = options_.associations != nullptr ? *options_.associations : database_;
  link_ = std::make_unique<RadioLink>(state_, *this, *device, settings_, codePage_, associations);
  link_->SetWriteChecks(records_.Backup(), records_.Journal(), records_.Verify());

  CreateControls();
  SetTabOrder();
  Timer_SNFocus.setInterval(TimerIntervalMs);
  ReShowComPortTimer.setInterval(TimerIntervalMs);
  connect(&Timer_SNFocus, &QTimer::timeout, this, [this] { Timer_SNFocus_Timer(); });
  connect(&ReShowComPortTimer, &QTimer::timeout, this, [this] { ReShowComPortTimer_Timer(); });
  // The refresh runs from the window's creation on, whatever the system.
  ReShowComPortTimer.start();
  FormLoad();
}

FrmMain::~FrmMain() {
  // The window's objects may go only once no transfer is on the stack; a
  // window destroyed without being closed still closes its port first.
  Shutdown();
  // The boxes outlive this part of the window by a moment; their events no longer concern it.
  for (QWidget* box : Text1) {
    if (box != nullptr) box->removeEventFilter(this);
  }
}

void FrmMain::CreateControls() {
  setWindowTitle(WindowCaption);
  setFont(QFont(QStringLiteral("Arial"), 9));
  setFixedSize(TwipsToPixels(ClientWidthTwips, ScreenDpi().x), TwipsToPixels(ClientHeightTwips, ScreenDpi().y));

  Frame1 = new QGroupBox(this);
  Frame2 = new QGroupBox(Frame1);
  controls_[QStringLiteral("Frame1")] = Frame1;
  controls_[QStringLiteral("Frame2")] = Frame2;
  auto containerOf = [this](const QString& control) -> QWidget* {
    const QString& container = layout_.Place(control).container;
    if (container.isEmpty()) return static_cast<QWidget*>(this);
    QWidget* frame = Control(container);
    platform::Expects(frame != nullptr, "a control's frame is made before the control");
    return frame;
  };
  // Every control is created in its design container and known by its design name.
  auto make = [&]<typename Control>(const QString& name) {
    auto* created = new Control(containerOf(name));
    controls_[name] = created;
    return created;
  };

  for (int i = 0; i < static_cast<int>(Text1.size()); ++i) {
    const FactoryField* field = FieldInBox({BoxKind::Text, i});
    if (field == nullptr) continue;
    const QString name = Indexed("Text1", i);
    if (field->field == Field::MaintainedDescription) {
      Text1[i] = new MultiLineTextBox(field->width, containerOf(name));
    } else {
      auto* box = new QLineEdit(containerOf(name));
      box->setMaxLength(field->width);
      // The key filter stops typing; this stops a mouse paste or a drop of
      // text that the radio's one-byte fields cannot hold.
      if (TakesAsciiOnly(i)) {
        box->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[\\x{0}-\\x{7f}]*")), box));
      }
      Text1[i] = box;
    }
    Text1[i]->installEventFilter(this);
    controls_[name] = Text1[i];
  }
  Text1[BoxIndex(Field::SerialNumber)]->setEnabled(false);

  for (int i : {0, 1, 3}) {
    Combo1[i] = make.operator()<QComboBox>(Indexed("Combo1", i));
  }
  Combo1[0]->addItems(ModelList());
  Combo1[3]->addItems(WorkCountries());
  // The band texts are long: the open list shows them whole.
  Combo1[1]->view()->setMinimumWidth(Combo1[1]->fontMetrics().horizontalAdvance(BandDescriptions().value(14)) + 40);

  for (int i = 0; i < static_cast<int>(Label1.size()); ++i) {
    if (i == 8) continue;
    Label1[i] = make.operator()<QLabel>(Indexed("Label1", i));
  }
  Label2 = make.operator()<QLabel>(QStringLiteral("Label2"));
  Label3 = make.operator()<QLabel>(QStringLiteral("Label3"));
  Label7 = make.operator()<QLabel>(QStringLiteral("Label7"));
  Label7->setStyleSheet(QStringLiteral("color: red;"));

  for (const FactoryField& field : FactoryFields) {
    if (field.box.kind != BoxKind::Check) continue;
    QCheckBox*& box = Check[static_cast<std::size_t>(field.box.index)];
    box = make.operator()<QCheckBox>(QStringLiteral("Check%1").arg(field.box.index));
    // The remote kill and stun flags are shown to nobody; they carry what a read found.
    box->setVisible(field.settable);
  }

  for (int i = 0; i < static_cast<int>(Option1.size()); ++i) {
    const QString name = Indexed("Option1", i);
    Option1[i] = new QRadioButton(this);
    controls_[name] = Option1[i];
    connect(Option1[i], &QRadioButton::clicked, this, [this] { Option1_Click(); });
  }
  Option1[1]->setEnabled(false);
  TabToSelectedOption(Option1);

  Combo2 = new QComboBox(this);
  controls_[QStringLiteral("Combo2")] = Combo2;
  // Only the operator's choice counts; selections by the program do not.
  connect(Combo2, &QComboBox::activated, this, [this] { Combo2_Click(); });

  auto button = [&](const char* name, void (FrmMain::*handler)()) {
    auto* created = new QPushButton(this);
    controls_[QLatin1String(name)] = created;
    connect(created, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
    return created;
  };
  Command1 = button("Command1", &FrmMain::Command1_Click);
  Command2 = button("Command2", &FrmMain::Command2_Click);
  Command3 = button("Command3", &FrmMain::Command3_Click);
  Status = make.operator()<StatusLine>(QStringLiteral("Status"));

  auto* wheelGuard = new ListWheelGuard(this);
  for (QComboBox* list : findChildren<QComboBox*>()) wheelGuard->Guard(list);
  auto* cutEntryTip = new CutEntryTip(this);
  for (QComboBox* list : Combo1) {
    if (list != nullptr) cutEntryTip->Follow(list);
  }

  // The design-time captions; ApplyLanguage replaces those that follow the language.
  for (const LanguageCaption& caption : LanguageCaptions()) SetCaption(caption.Control, caption.Chinese);
  for (const FixedCaption& caption : FixedCaptions()) SetCaption(caption.Control, caption.Text);
  for (const auto& entry : layout_.Places()) Place(entry.first);
}

void FrmMain::SetTabOrder() {
  const std::vector<QWidget*> order = {
      Check[1], Combo1[0],  Combo1[1],  Text1[0],   Text1[1],  Text1[2],  Text1[3],  Text1[4],  Command1, Command2,
      Command3, Combo2,     Text1[6],   Text1[8],   Text1[9],  Text1[10], Text1[11], Text1[12], Check[2], Check[3],
      Text1[5], Option1[1], Option1[0], Option1[2], Combo1[3], Check[7],  Check[6],  Check[5],  Check[8]};
  for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

void FrmMain::FormLoad() {
  state_.OperationMode = OperationModes::Idle;
  InitRecord(state_.FactoryRecord, options_.today(), localeName_);
  DetectOsType();
  Label7->setText(QString());

  state_.CurrentComPort = StoredComPort();
  if (FixedPortListOs == 1) {
    Combo2->clear();
    Combo2->addItems(FixedPortList());
    SelectPort(FixedListSelection(FixedPortList(), state_.CurrentComPort));
    if (Combo2->currentIndex() >= 0) WriteComPort();
  } else {
    const qint16 first = EnumComPorts();
    QStringList entries;
    for (int i = 0; i < Combo2->count(); ++i) entries << Combo2->itemText(i);
    SelectPort(StartupSelection(entries, first, state_.CurrentComPort));
    if (state_.CurrentComPort != 0) WriteComPort();
  }

  Combo1[1]->clear();
  Combo1[1]->addItems(BandDescriptions());
  Combo1[1]->setCurrentIndex(0);
  Combo1[0]->setEnabled(false);
  ApplyLanguage();
  ShowStatus();  // in the language chosen now
  ShowByData();
  Option1[2]->setChecked(true);
  Option1_Click();
  Timer_SNFocus.start();
  if (!ReShowComPortTimer.isActive()) ReShowComPortTimer.start();
}

void FrmMain::Shutdown() {
  if (shutDown_) return;
  shutDown_ = true;
  Timer_SNFocus.stop();
  // A transfer about to start must not start on a closed window; a running
  // one sees its port closed and returns.
  link_->Close();
  // A transfer that was about to start ends without an outcome.
  busyCursor_.Hide();
  ReShowComPortTimer.stop();
}

void FrmMain::closeEvent(QCloseEvent* event) {
  Shutdown();
  event->accept();
}

QWidget* FrmMain::Control(const QString& name) const {
  const auto found = controls_.find(name);
  return found == controls_.end() ? nullptr : found->second;
}

void FrmMain::Place(const QString& control) {
  if (QWidget* widget = Control(control)) widget->setGeometry(layout_.PixelRect(control, ScreenDpi()));
}

void FrmMain::SetCaption(const QString& control, const QString& text) {
  QWidget* widget = Control(control);
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setText(text);
  } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
    frame->setTitle(text);
  }
}

QWidget* FrmMain::TextBox(int index) const {
  platform::Expects(index >= 0 && static_cast<std::size_t>(index) < Text1.size(), "a Text1 index");
  return Text1[static_cast<std::size_t>(index)];
}

QString FrmMain::TextOf(int index) const {
  if (auto* line = qobject_cast<QLineEdit*>(TextBox(index))) return line->text();
  if (auto* lines = dynamic_cast<MultiLineTextBox*>(TextBox(index))) return lines->Text();
  return QString();
}

void FrmMain::SetText(int index, const QString& text) {
  if (auto* line = qobject_cast<QLineEdit*>(TextBox(index))) line->setText(text);
  if (auto* lines = dynamic_cast<MultiLineTextBox*>(TextBox(index))) lines->SetText(text);
}
// Captions follow the system locale; labels then line up on their fields.

void FrmMain::ApplyLanguage() {
  const quint32 lcid = options_.systemLcid ? options_.systemLcid() : lang::SystemDefaultLcid();
  state_.UiLanguage = lang::UiLanguageForLcid(lcid);
  for (const LanguageCaption& caption : LanguageCaptions()) {
    SetCaption(caption.Control, caption.Text(state_.UiLanguage));
  }
  // Labels size themselves to their captions.
  const Dpi dpi = ScreenDpi();
  for (const auto& [name, widget] : controls_) {
    auto* label = qobject_cast<QLabel*>(widget);
    if (label == nullptr || label == Label7 || label == Status) continue;
    // Whole pixels that hold the caption's last fraction of one, and the
    // line of the fonts that draw it.
    const QSize size = label->sizeHint();
    TwipsRect& rect = layout_.Rect(name);
    rect.width = PixelsToTwips(size.width(), dpi.x);
    rect.height = PixelsToTwips(size.height(), dpi.y);
    Place(name);
  }
  const auto lefts = AlignedLabelLefts([this](const QString& control) { return layout_.Rect(control).left; },
                                             [this](const QString& label) { return layout_.Rect(label).width; });
  for (const LabelLeft& left : lefts) {
    layout_.Rect(left.Label).left = left.Left;
    Place(left.Label);
  }
  bandChangeMessage_ = lang::BandChangeMessages();
  // Qt's own texts, the boxes' buttons, in the captions' language; the old
  // translator leaves the application with its object.
  qtTranslation_ = LoadQtTranslation(state_.UiLanguage, options_.qtTranslationsDir);
  if (qtTranslation_) QCoreApplication::installTranslator(qtTranslation_.get());
}

}  // namespace zr::window
