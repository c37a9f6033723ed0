#pragma once

#include <QRect>
#include <QString>
#include <map>

namespace zr::window {

// The station window is designed in twips (1440 to the inch): positions and
// sizes stay in twips, as single-precision values, and become pixels only
// when they are put on the screen, by the screen's logical DPI (96, 120,
// 144: QT_FONT_DPI or the X server's), the DPI its fonts are sized by.
inline constexpr float TwipsPerInch = 1440.0f;
inline constexpr float ClientWidthTwips = 9255.0f;
// The design's 8895, and the status line below the buttons.
inline constexpr float ClientHeightTwips = 9075.0f;

// A screen's logical dots per inch, across and down.
struct Dpi {
  qreal x = 96;
  qreal y = 96;
};

int TwipsToPixels(float twips, qreal dpi);
float PixelsToTwips(int pixels, qreal dpi);

struct TwipsRect {
  float left = 0.0f;
  float top = 0.0f;
  float width = 0.0f;
  float height = 0.0f;

  float right() const { return left + width; }
  float bottom() const { return top + height; }
};

// Where a control sits: in the form itself, "Frame1" or "Frame2", in the
// container's own coordinates.
struct ControlPlace {
  QString container;
  TwipsRect rect;
};

// The form's design: every control by name ("Text1(0)", "Command2", "Frame1").
// Labels size themselves to their captions; their widths here are only where
// they start.
class FormLayout {
 public:
  FormLayout();

  const ControlPlace& Place(const QString& control) const;
  TwipsRect& Rect(const QString& control);
  const TwipsRect& Rect(const QString& control) const;
  bool Has(const QString& control) const { return places_.count(control) != 0; }
  const std::map<QString, ControlPlace>& Places() const { return places_; }

  // The rectangle in pixels at `dpi`, relative to the control's container.
  // Its edges are rounded, not its size: controls that line up in twips
  // line up on the screen.
  QRect PixelRect(const QString& control, Dpi dpi) const;

 private:
  std::map<QString, ControlPlace> places_;
};

}  // namespace zr::window
