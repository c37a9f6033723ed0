#include "lang/label_placement.h"

#include <gtest/gtest.h>

namespace zr::lang {
namespace {

TEST(AlignedLabelLeft, EndsFiftyTwipsBeforeTheReference) {
  EXPECT_EQ(AlignedLabelLeft(2160.0f, 900.0f), 1210.0f);
  // A caption wider than the room left of the box goes past the frame edge.
  EXPECT_EQ(AlignedLabelLeft(600.0f, 900.0f), -350.0f);
}

}  // namespace
}  // namespace zr::lang
