#include "picture_scale.h"

#include <gtest/gtest.h>

using namespace zelvo;

namespace {

const std::vector<PictureVariant> kAllThree = {{2, 100}, {12, 150}, {22, 200}};

int ChosenId(const std::vector<PictureVariant>& present, unsigned dpi) {
    const auto chosen = NearestVariant(present, dpi);
    return chosen ? chosen->resourceId : -1;
}

} // namespace

TEST(NearestVariant, EachScaleGetsTheVariantDrawnForIt) {
    EXPECT_EQ(ChosenId(kAllThree, 96), 2);
    EXPECT_EQ(ChosenId(kAllThree, 144), 12);
    EXPECT_EQ(ChosenId(kAllThree, 192), 22);
}

TEST(NearestVariant, BetweenScalesTheNearestWinsAndATieGoesToTheLarger) {
    EXPECT_EQ(ChosenId(kAllThree, 110), 2);  // 115 %
    EXPECT_EQ(ChosenId(kAllThree, 120), 12); // 125 %: as near to 100 as to 150
    EXPECT_EQ(ChosenId(kAllThree, 168), 22); // 175 %
    EXPECT_EQ(ChosenId(kAllThree, 72), 2);   // below 100 %
    EXPECT_EQ(ChosenId(kAllThree, 288), 22); // above 200 %
}

TEST(NearestVariant, OnlyVariantsPresentAreChosen) {
    EXPECT_EQ(ChosenId({{2, 100}}, 192), 2);
    EXPECT_EQ(ChosenId({{2, 100}, {22, 200}}, 144), 22);
    EXPECT_EQ(ChosenId({{22, 200}, {2, 100}}, 143), 2);
    EXPECT_EQ(ChosenId({}, 96), -1);
}
