#include "app/window/status_line.h"

#include <QEvent>
#include <QStringList>
#include <QTextLayout>
#include <vector>

namespace zr::window {

StatusLine::StatusLine(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setTextInteractionFlags(Qt::TextSelectableByMouse);
}

void StatusLine::Show(const QString& text) {
  text_ = text;
  Fit();
}

void StatusLine::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  Fit();
}

void StatusLine::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  if (event->type() == QEvent::FontChange) Fit();
}

void StatusLine::Fit() {
  // The label shows the lines as broken here, so that what fits is what shows.
  struct Line {
    QString text;
    QString rest;  // this line and all after it, on one line
    qreal height;
  };
  const QRect area = contentsRect();
  std::vector<Line> lines;
  const QStringList paragraphs = text_.split(QLatin1Char('\n'));
  for (qsizetype p = 0; p < paragraphs.size(); ++p) {
    const QString later = paragraphs.mid(p + 1).join(QLatin1Char(' '));
    QTextLayout layout(paragraphs[p], font(), this);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(area.width());
      const QString rest = paragraphs[p].mid(line.textStart());
      lines.push_back({paragraphs[p].mid(line.textStart(), line.textLength()).trimmed(),
                       later.isEmpty() ? rest : rest + QLatin1Char(' ') + later, line.height()});
    }
    layout.endLayout();
  }
  std::size_t fitting = 0;
  for (qreal height = 0; fitting < lines.size() && height + lines[fitting].height <= area.height(); ++fitting) {
    height += lines[fitting].height;
  }
  const bool cut = fitting < lines.size();
  QStringList shown;
  for (std::size_t i = 0; i < lines.size() && i < fitting; ++i) shown << lines[i].text;
  // The last line that fits takes the rest, cut short with "…".
  if (cut) {
    const std::size_t last = fitting == 0 ? 0 : fitting - 1;
    shown = shown.mid(0, static_cast<qsizetype>(last));
    shown << fontMetrics().elidedText(lines[last].rest, Qt::ElideRight, area.width());
  }
  setText(shown.join(QLatin1Char('\n')));
  setToolTip(cut ? text_ : QString());
}

}  // namespace zr::window
