#pragma once

#include <QPlainTextEdit>
#include <QString>

namespace zr::window {

// A text box of several lines whose text ends its lines as the radio keeps
// them, in CR LF. The box itself shows any line break (CR LF, LF or CR) as one
// and knows only LF, so it remembers the text it was given: until the
// operator changes what it shows, that text comes back byte for byte.
class MultiLineTextBox : public QPlainTextEdit {
 public:
  // `limit`: maximum length in characters, a CR LF counting as two.
  MultiLineTextBox(int limit, QWidget* parent);

  // Shows `text` cut to the limit.
  void SetText(const QString& text);
  // The text as given while the operator has not changed it; else what the
  // box shows, with CR LF line breaks.
  QString Text() const;

 private:
  void KeepWithinLimit();

  int limit_;
  QString given_;
  QString shown_;  // the box's own text right after it took given_
  bool taking_ = false;
};

}  // namespace zr::window
