#include "app/window/form_layout.h"

#include "platform/contract.h"

#include <cmath>
#include <stdexcept>

namespace zr::window {

namespace {

struct DesignRow {
  const char* control;
  const char* container;
  float left, top, width, height;
};

// A column of fields in Frame1 with the labels to their left, the dealer
// fields in Frame2 on the right, the modes, the port and the commands below.
// Rows are 540 twips apart; labels sit 45 twips below their field's top.
// The status line, two lines of text, spans the options and the buttons.
// clang-format off
constexpr DesignRow Design[] = {
    {"Frame1", "", 120, 120, 9015, 6420},
    {"Check1", "Frame1", 2400, 360, 1200, 255},
    {"Check5", "Frame1", 3600, 360, 960, 255},
    {"Check6", "Frame1", 4560, 360, 960, 255},
    {"Check7", "Frame1", 5520, 360, 1560, 255},
    {"Check8", "Frame1", 7080, 360, 1695, 255},
    {"Check2", "Frame1", 3720, 900, 1080, 255},
    {"Check3", "Frame1", 4920, 900, 1080, 255},
    {"Label1(0)", "Frame1", 120, 960, 1200, 195},
    {"Combo1(0)", "Frame1", 2400, 900, 2400, 315},
    {"Label1(1)", "Frame1", 120, 1500, 1200, 195},
    {"Combo1(1)", "Frame1", 2400, 1440, 6375, 315},
    {"Label2", "Frame1", 120, 2025, 1200, 195},
    {"Text1(0)", "Frame1", 2400, 1980, 900, 285},
    {"Label1(2)", "Frame1", 120, 2565, 1200, 195},
    {"Text1(1)", "Frame1", 2400, 2520, 2400, 285},
    {"Label1(3)", "Frame1", 120, 3105, 1200, 195},
    {"Text1(2)", "Frame1", 2400, 3060, 2400, 285},
    {"Label1(4)", "Frame1", 120, 3645, 1200, 195},
    {"Text1(3)", "Frame1", 2400, 3600, 2400, 285},
    {"Label1(7)", "Frame1", 120, 4185, 1200, 195},
    {"Text1(6)", "Frame1", 2400, 4140, 2400, 285},
    {"Label1(6)", "Frame1", 120, 4725, 1200, 195},
    {"Text1(5)", "Frame1", 2400, 4680, 2400, 285},
    {"Label1(5)", "Frame1", 120, 5265, 1200, 195},
    {"Text1(4)", "Frame1", 2400, 5220, 6375, 1005},
    {"Frame2", "Frame1", 5040, 1860, 3735, 2220},
    {"Label1(9)", "Frame2", 120, 405, 1200, 195},
    {"Text1(8)", "Frame2", 1500, 360, 2055, 285},
    {"Label1(10)", "Frame2", 120, 885, 1200, 195},
    {"Text1(9)", "Frame2", 1500, 840, 2055, 285},
    {"Label1(11)", "Frame2", 120, 1365, 1200, 195},
    {"Text1(10)", "Frame2", 1500, 1320, 2055, 285},
    {"Label1(12)", "Frame2", 120, 1845, 1200, 195},
    {"Text1(11)", "Frame2", 1500, 1800, 2055, 285},
    {"Label1(13)", "Frame1", 5160, 4185, 1200, 195},
    {"Text1(12)", "Frame1", 6960, 4140, 900, 285},
    {"Label1(14)", "Frame1", 5160, 4740, 1200, 195},
    {"Combo1(3)", "Frame1", 6960, 4680, 1815, 315},
    {"Option1(0)", "", 240, 6720, 2160, 255},
    {"Option1(1)", "", 240, 7080, 2160, 255},
    {"Option1(2)", "", 240, 7440, 2160, 255},
    {"Label7", "", 2520, 7020, 1935, 375},
    {"Label3", "", 5160, 6780, 1080, 195},
    {"Combo2", "", 6360, 6720, 1455, 315},
    {"Command1", "", 4440, 7920, 1335, 495},
    {"Command2", "", 5880, 7920, 1335, 495},
    {"Command3", "", 7320, 7920, 1335, 495},
    {"Status", "", 240, 8475, 8415, 480},
};
// clang-format on

}  // namespace

int TwipsToPixels(float twips, qreal dpi) { return static_cast<int>(std::lround(twips * dpi / TwipsPerInch)); }

float PixelsToTwips(int pixels, qreal dpi) { return static_cast<float>(pixels * TwipsPerInch / dpi); }

FormLayout::FormLayout() {
  for (const DesignRow& row : Design) {
    places_[QString::fromLatin1(row.control)] = {QString::fromLatin1(row.container),
                                                 TwipsRect{row.left, row.top, row.width, row.height}};
  }
}

const ControlPlace& FormLayout::Place(const QString& control) const {
  const auto found = places_.find(control);
  platform::Expects(found != places_.end(), "a control that is not in the form");
  return found->second;
}

TwipsRect& FormLayout::Rect(const QString& control) {
  const auto found = places_.find(control);
  platform::Expects(found != places_.end(), "a control that is not in the form");
  return found->second.rect;
}

const TwipsRect& FormLayout::Rect(const QString& control) const { return Place(control).rect; }

QRect FormLayout::PixelRect(const QString& control, Dpi dpi) const {
  const TwipsRect& rect = Rect(control);
  const QPoint topLeft(TwipsToPixels(rect.left, dpi.x), TwipsToPixels(rect.top, dpi.y));
  const QPoint end(TwipsToPixels(rect.right(), dpi.x), TwipsToPixels(rect.bottom(), dpi.y));
  return QRect(topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y()));
}

}  // namespace zr::window
