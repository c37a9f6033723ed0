#pragma once

#include <QString>
#include <array>
#include <functional>

namespace zr::window {

// Captions differ in width between the languages, so after the captions are
// set each field label is moved to end just left of its input box. All
// coordinates are in twips, in single precision as the window keeps them.

// Space between a label's right edge and its reference control.
inline constexpr float LabelGap = 50.0f;

// A label that is moved, and the control whose left edge it lines up with.
// Label3 (serial port) is not moved; there is no Label1(8).
struct LabelAnchor {
  QString Label;
  QString Reference;
};

inline constexpr int LabelAnchorCount = 15;

// Label2 and Label1(0)..(7) on Text1(0), Label1(9)..(12) on Text1(8),
// Label1(13) on Text1(12), Label1(14) on Combo1(3).
const std::array<LabelAnchor, LabelAnchorCount>& LabelAnchors();

// (referenceLeft - 50) - labelWidth, computed in float.
float AlignedLabelLeft(float referenceLeft, float labelWidth);

struct LabelLeft {
  QString Label;
  float Left = 0.0f;
};

// Looks up a measure (left edge or width, in twips) of a control by name.
using ControlMeasure = std::function<float(const QString& control)>;

// New left edges of all moved labels, in the order of LabelAnchors().
// leftOf is asked only for reference controls, widthOf only for labels.
std::array<LabelLeft, LabelAnchorCount> AlignedLabelLefts(const ControlMeasure& leftOf,
                                                          const ControlMeasure& widthOf);

}  // namespace zr::window
