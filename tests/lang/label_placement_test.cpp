#include "lang/label_placement.h"

#include <gtest/gtest.h>

#include <map>

namespace zr::lang {
namespace {

TEST(AlignedLabelLeft, EndsFiftyTwipsBeforeTheReference) {
  EXPECT_EQ(AlignedLabelLeft(2160.0f, 900.0f), 1210.0f);
  // A caption wider than the room left of the box goes past the frame edge.
  EXPECT_EQ(AlignedLabelLeft(600.0f, 900.0f), -350.0f);
}

// The window's alignment test lines every label up with the reference named
// here; this pins which reference that is.
TEST(LabelAnchors, MovedLabelsAndTheirReferences) {
  std::map<QString, QString> anchors;
  for (const auto& anchor : LabelAnchors()) anchors.emplace(anchor.Label, anchor.Reference);
  ASSERT_EQ(anchors.size(), std::size_t{LabelAnchorCount});
  EXPECT_EQ(anchors.at(QStringLiteral("Label2")), QStringLiteral("Text1(0)"));
  for (int i = 0; i <= 7; ++i) EXPECT_EQ(anchors.at(QStringLiteral("Label1(%1)").arg(i)), QStringLiteral("Text1(0)"));
  for (int i = 9; i <= 12; ++i) EXPECT_EQ(anchors.at(QStringLiteral("Label1(%1)").arg(i)), QStringLiteral("Text1(8)"));
  EXPECT_EQ(anchors.at(QStringLiteral("Label1(13)")), QStringLiteral("Text1(12)"));
  EXPECT_EQ(anchors.at(QStringLiteral("Label1(14)")), QStringLiteral("Combo1(3)"));
}

}  // namespace
}  // namespace zr::lang
