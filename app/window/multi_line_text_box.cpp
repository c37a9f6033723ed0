#include "app/window/multi_line_text_box.h"

#include <QTextCursor>

namespace zr::window {

namespace {

const QString CrLf = QStringLiteral("\r\n");

QString WithCrLf(QString shown) { return shown.replace(QLatin1Char('\n'), CrLf); }

// How many characters of `shown` fit in `limit` once its line breaks are CR LF.
qsizetype FittingLength(const QString& shown, int limit) {
  qsizetype stored = 0;
  for (qsizetype i = 0; i < shown.size(); ++i) {
    stored += shown[i] == QLatin1Char('\n') ? 2 : 1;
    if (stored > limit) return i;
  }
  return shown.size();
}

}  // namespace

MultiLineTextBox::MultiLineTextBox(int limit, QWidget* parent) : QPlainTextEdit(parent), limit_(limit) {
  setTabChangesFocus(true);
  // A plain text box has no length limit of its own.
  connect(this, &QPlainTextEdit::textChanged, this, [this] { KeepWithinLimit(); });
}

void MultiLineTextBox::SetText(const QString& text) {
  given_ = text.left(limit_);
  taking_ = true;
  setPlainText(given_);
  taking_ = false;
  shown_ = toPlainText();
}

QString MultiLineTextBox::Text() const {
  const QString shown = toPlainText();
  return shown == shown_ ? given_ : WithCrLf(shown);
}

void MultiLineTextBox::KeepWithinLimit() {
  if (taking_) return;
  const QString shown = toPlainText();
  const qsizetype fitting = FittingLength(shown, limit_);
  // The given text keeps its own line breaks and was cut as given.
  if (shown == shown_ || fitting == shown.size()) return;
  QTextCursor cursor = textCursor();
  const int position = std::min(cursor.position(), static_cast<int>(fitting));
  setPlainText(shown.left(fitting));
  cursor.setPosition(position);
  setTextCursor(cursor);
}

}  // namespace zr::window
