#include "charselect/characters.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace rz6 {
namespace {

const std::string ideographicSpace = "\u3000";

TEST(Characters, TableHoldsTheThreeCharactersInOptionOrder) {
    const Character& ren = character(0);
    EXPECT_EQ(ren.name, "灰原" + ideographicSpace + "蓮");
    EXPECT_EQ(ren.windowLength, 1200);
    EXPECT_EQ(ren.scoreMultiplier, 1.0);
    EXPECT_EQ(ren.restPicture, "portrait_ren_rest");
    EXPECT_EQ(ren.readyPicture, "portrait_ren_ready");

    const Character& yukina = character(1);
    EXPECT_EQ(yukina.name, "灰原" + ideographicSpace + "雪菜");
    EXPECT_EQ(yukina.windowLength, 1100);
    EXPECT_DOUBLE_EQ(yukina.scoreMultiplier, 1.1);
    EXPECT_EQ(yukina.restPicture, "portrait_yukina_rest");
    EXPECT_EQ(yukina.readyPicture, "portrait_yukina_ready");

    const Character& sakon = character(2);
    EXPECT_EQ(sakon.name, "真壁" + ideographicSpace + "左近");
    EXPECT_EQ(sakon.windowLength, 1000);
    EXPECT_DOUBLE_EQ(sakon.scoreMultiplier, 1.2);
    EXPECT_EQ(sakon.restPicture, "portrait_sakon_rest");
    EXPECT_EQ(sakon.readyPicture, "portrait_sakon_ready");
}

// The status text pads an ASCII colon with ideographic spaces, never plain ones.
TEST(Characters, StatusTextIsPrefixColonAndName) {
    for (const Character& c : characters()) {
        const std::string expected =
            "使用キャラ" + ideographicSpace + ":" + ideographicSpace + std::string(c.name);
        EXPECT_EQ(c.statusText, expected);
        EXPECT_EQ(std::string(c.statusText).find(' '), std::string::npos);
    }
}

// A shorter combo window is paid for with a higher multiplier.
TEST(Characters, ShorterWindowComesWithLargerMultiplier) {
    for (int i = 1; i < characterCount; ++i) {
        EXPECT_LT(character(i).windowLength, character(i - 1).windowLength);
        EXPECT_GT(character(i).scoreMultiplier, character(i - 1).scoreMultiplier);
    }
}

TEST(Characters, IndexOutsideTheTableIsRefused) {
    EXPECT_THROW(character(-1), std::out_of_range);
    EXPECT_THROW(character(characterCount), std::out_of_range);
    EXPECT_EQ(&character(characterCount - 1), &characters().back());
}

} // namespace
} // namespace rz6
