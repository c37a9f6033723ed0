#include "app/window/label_placement.h"

namespace zr::window {

const std::array<LabelAnchor, LabelAnchorCount>& LabelAnchors() {
  static const std::array<LabelAnchor, LabelAnchorCount> anchors{{
      {QStringLiteral("Label2"), QStringLiteral("Text1(0)")},
      {QStringLiteral("Label1(0)"), QStringLiteral("Text1(0)")},
      {QStringLiteral("Label1(1)"), QStringLiteral("Text1(0)")},
      {QStringLiteral("Label1(2)"), QStringLiteral("Text1(0)")},
      {QStringLiteral("Label1(3)"), QStringLiteral("Text1(0)")},
      {QStringLiteral("Label1(4)"), QStringLiteral("Text1(0)")},
      {QStringLiteral("Label1(5)"), QStringLiteral("Text1(0)")},
      {QStringLiteral("Label1(6)"), QStringLiteral("Text1(0)")},
      {QStringLiteral("Label1(7)"), QStringLiteral("Text1(0)")},
      {QStringLiteral("Label1(9)"), QStringLiteral("Text1(8)")},
      {QStringLiteral("Label1(10)"), QStringLiteral("Text1(8)")},
      {QStringLiteral("Label1(11)"), QStringLiteral("Text1(8)")},
      {QStringLiteral("Label1(12)"), QStringLiteral("Text1(8)")},
      {QStringLiteral("Label1(13)"), QStringLiteral("Text1(12)")},
      {QStringLiteral("Label1(14)"), QStringLiteral("Combo1(3)")},
  }};
  return anchors;
}

float AlignedLabelLeft(float referenceLeft, float labelWidth) {
  const float rightEdge = referenceLeft - LabelGap;
  return rightEdge - labelWidth;
}

std::array<LabelLeft, LabelAnchorCount> AlignedLabelLefts(const ControlMeasure& leftOf,
                                                          const ControlMeasure& widthOf) {
  std::array<LabelLeft, LabelAnchorCount> lefts;
  const auto& anchors = LabelAnchors();
  for (std::size_t i = 0; i < anchors.size(); ++i) {
    lefts[i] = {anchors[i].Label, AlignedLabelLeft(leftOf(anchors[i].Reference), widthOf(anchors[i].Label))};
  }
  return lefts;
}

}  // namespace zr::window
