#include "lang/label_placement.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "lang/captions.h"
#include "lang/ui_language.h"

namespace zr::lang {
namespace {

TEST(AlignedLabelLeft, EndsFiftyTwipsBeforeTheReference) {
  EXPECT_FLOAT_EQ(AlignedLabelLeft(2160.0f, 900.0f), 1210.0f);
  EXPECT_EQ(AlignedLabelLeft(2160.0f, 900.0f), 1210.0f);
  // A caption wider than the room left of the box goes past the frame edge.
  EXPECT_EQ(AlignedLabelLeft(600.0f, 900.0f), -350.0f);
}

TEST(LabelAnchors, MovedLabelsAndTheirReferences) {
  std::map<QString, QString> anchors;
  for (const auto& anchor : LabelAnchors()) anchors.emplace(anchor.Label, anchor.Reference);
  ASSERT_EQ(anchors.size(), std::size_t{LabelAnchorCount});
  EXPECT_EQ(anchors.at(QStringLiteral("Label2")), QStringLiteral("Text1(0)"));
  for (int i = 0; i <= 7; ++i) EXPECT_EQ(anchors.at(QStringLiteral("Label1(%1)").arg(i)), QStringLiteral("Text1(0)"));
  for (int i = 9; i <= 12; ++i) EXPECT_EQ(anchors.at(QStringLiteral("Label1(%1)").arg(i)), QStringLiteral("Text1(8)"));
  EXPECT_EQ(anchors.at(QStringLiteral("Label1(13)")), QStringLiteral("Text1(12)"));
  EXPECT_EQ(anchors.at(QStringLiteral("Label1(14)")), QStringLiteral("Combo1(3)"));
  EXPECT_EQ(anchors.count(QStringLiteral("Label3")), 0u);
  EXPECT_EQ(anchors.count(QStringLiteral("Label1(8)")), 0u);
}

// Labels size themselves to their captions; stand in with a width per
// character in whole pixels (15 twips each), as a window at 96 dpi reports.
void ExpectRightEdgesAligned(qint16 uiLanguage) {
  const std::map<QString, float> lefts{{QStringLiteral("Text1(0)"), 2160.0f},
                                       {QStringLiteral("Text1(8)"), 1815.0f},
                                       {QStringLiteral("Text1(12)"), 6495.0f},
                                       {QStringLiteral("Combo1(3)"), 6390.0f}};
  std::map<QString, float> widths;
  for (const auto& caption : LanguageCaptions()) {
    const float perCharacter = uiLanguage == UiLanguageChinese ? 180.0f : 105.0f;
    widths[caption.Control] = static_cast<float>(caption.Text(uiLanguage).size()) * perCharacter;
  }
  std::set<QString> asked;
  const auto leftOf = [&](const QString& control) { asked.insert(control); return lefts.at(control); };
  const auto widthOf = [&](const QString& label) { return widths.at(label); };

  const auto moved = AlignedLabelLefts(leftOf, widthOf);
  ASSERT_EQ(moved.size(), LabelAnchors().size());
  for (std::size_t i = 0; i < moved.size(); ++i) {
    const auto& anchor = LabelAnchors()[i];
    EXPECT_EQ(moved[i].Label, anchor.Label);
    EXPECT_EQ(moved[i].Left + widths.at(anchor.Label), lefts.at(anchor.Reference) - 50.0f)
        << anchor.Label.toStdString();
  }
  EXPECT_EQ(asked.size(), lefts.size());  // only reference controls are asked for their left
}

TEST(AlignedLabelLefts, RightEdgesLineUpInBothLanguages) {
  ExpectRightEdgesAligned(UiLanguageEnglish);
  ExpectRightEdgesAligned(UiLanguageChinese);
}

}  // namespace
}  // namespace zr::lang
