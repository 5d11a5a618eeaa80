#include <gtest/gtest.h>

#include <random>

#include "codegen/css_values.h"
#include "model/errors.h"

namespace zarvex {
namespace {

TEST(CssValues, ColorTextAndValueRoundTrip) {
    EXPECT_EQ(ColorToHexText(0x000000FFu), "FF0000");
    EXPECT_EQ(ColorToHexText(0x00C56A31u), "316AC5");
    EXPECT_EQ(ColorToHexText(0), "000000");
    EXPECT_EQ(HexTextToColor("316AC5"), 0x00C56A31u);
    EXPECT_EQ(HexTextToColor("316ac5"), 0x00C56A31u);
    EXPECT_EQ(HexTextToColor("Transparent"), 0u);
    EXPECT_EQ(HexTextToColor("TRANSPARENT"), 0u);
    std::mt19937 rng(7);
    for (int i = 0; i < 2000; ++i) {
        const ColorValue c = rng() & 0xFFFFFFu;
        ASSERT_EQ(HexTextToColor(ColorToHexText(c)), c);
    }
    EXPECT_THROW(HexTextToColor("GGGGGG"), ConversionError);
    EXPECT_EQ(HexTextToColor(""), 0u);
}

TEST(CssValues, ColorsAndLengths) {
    EXPECT_EQ(CssColor("000000"), "#000000");
    EXPECT_EQ(CssColor("TRANSPARENT"), "TRANSPARENT");
    EXPECT_EQ(CssColor("transparent"), "transparent");
    EXPECT_EQ(CssColor(""), "#");
    EXPECT_EQ(CssLength("0"), "0px");
    EXPECT_EQ(CssLength("11"), "11px");
    EXPECT_EQ(CssLength(""), "px");
}

TEST(CssValues, BorderStylesAndCursorsByIndex) {
    EXPECT_EQ(CssBorderStyle("3"), "solid");
    EXPECT_EQ(CssBorderStyle("0"), "none");
    EXPECT_EQ(CssBorderStyle("8"), "window-inset");
    EXPECT_EQ(CssBorderStyle("9"), "outset");
    EXPECT_EQ(CssBorderStyle("-1"), "solid");
    EXPECT_EQ(CssBorderStyle("10"), "solid");
    EXPECT_EQ(CssCursor("2"), "default");
    EXPECT_EQ(CssCursor("9"), "N-resize");
    EXPECT_EQ(CssCursor("23"), "url(uri)");
    EXPECT_EQ(CssCursor("24"), "vertical-text");
    EXPECT_EQ(CssCursor("-1"), "default");
    EXPECT_EQ(CssCursor("25"), "default");
    try {
        CssCursor("x");
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'x' is not a valid integer value");
    }
    EXPECT_THROW(CssBorderStyle(""), ConversionError);
}

}  // namespace
}  // namespace zarvex
