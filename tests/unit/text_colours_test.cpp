#include "text_colours.h"

#include <gtest/gtest.h>

using namespace zelvo;

TEST(ToTextColours, PaperTakesTheWindowColourAndTheDrawingTheTextColour) {
    const struct {
        Pixel pixel, ink, paper, expected;
    } kCases[] = {
        {0xFFFFFF, 0xFFFFFF, 0x000000, 0x000000}, // white paper on a black window
        {0x000000, 0xFFFFFF, 0x000000, 0xFFFFFF}, // black drawing in white text
        {0x999999, 0xFFFF00, 0x000000, 0xFFFF00}, // 60 % luminance: all ink
        {0xCCCCCC, 0xFFFF00, 0x000000, 0x808000}, // 80 %: half ink, half paper
        {0x2A6FC8, 0x000000, 0xFFFFFF, 0x000000}, // the banner's blue on a white window
        {0xE3E8EE, 0xFFFFFF, 0x000000, 0x3C3C3C}, // a pale track stays faint
    };
    for (const auto& c : kCases) {
        std::vector<Pixel> pixels = {c.pixel};
        ToTextColours(pixels, c.ink, c.paper);
        EXPECT_EQ(pixels[0], c.expected) << std::hex << c.pixel;
    }
}
