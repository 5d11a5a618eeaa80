#include <gtest/gtest.h>

#include <array>

#include "model/errors.h"
#include "model/tagged_text.h"

namespace zarvex {
namespace {

std::vector<std::string> Lines(std::string_view text) {
    TaggedLineReader reader("f", text);
    std::vector<std::string> lines;
    while (reader.TryAdvance())
        lines.emplace_back(reader.Line());
    return lines;
}

TEST(TaggedLineReader, EndsLinesAtLineFeedsCarriageReturnsOrBoth) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Lines("a\r\nb\r\n"), (V{"a", "b"}));
    EXPECT_EQ(Lines("a\nb"), (V{"a", "b"}));
    EXPECT_EQ(Lines("a\r\n\r\nb\r"), (V{"a", "", "b"}));
    EXPECT_EQ(Lines("cr\ronly\r\rend"), (V{"cr", "only", "", "end"}));
    EXPECT_EQ(Lines("cr\r\r\ncr\r\r\n"), (V{"cr", "cr"}));
    // Line ends on both sides of the sixteen-byte steps of the search.
    EXPECT_EQ(Lines("0123456789abcde\r\n0123456789abcdef\r\r\n0123456789abcdefg\rh\n"),
              (V{"0123456789abcde", "0123456789abcdef", "0123456789abcdefg", "h"}));
    EXPECT_EQ(Lines("\xEF\xBB\xBF<Product_Name>\r\n"), (V{"<Product_Name>"}));
    EXPECT_EQ(Lines(""), V{});
}

TEST(TaggedLineReader, SeeksFromTheCurrentLineAndRefusesWhenTheTagIsMissing) {
    TaggedLineReader reader("x.zarvex", "<A>\r\n<B>\r\n<A>\r\nend\r\n");
    reader.Seek("<A>");
    EXPECT_EQ(reader.LineNumber(), 1);
    reader.Seek("<A>");
    EXPECT_EQ(reader.LineNumber(), 1);
    reader.Advance("more");
    reader.Seek("<A>");
    EXPECT_EQ(reader.LineNumber(), 3);
    try {
        reader.Seek("<C>");
        FAIL();
    } catch (const FileFormatError& e) {
        EXPECT_EQ(e.reason(), "the file is incomplete: it ends before <C>");
        EXPECT_EQ(e.path(), "x.zarvex");
    }
}

TEST(SplitFields, TakesTheTextBeforeEachSeparator) {
    std::array<std::string_view, 4> f;
    SplitFields("a#$@#$@c#$@d#$@e#$@", "#$@", f.data(), f.size());
    EXPECT_EQ(f, (std::array<std::string_view, 4>{"a", "", "c", "d"}));
    SplitFields("a#$@b#$@tail", "#$@", f.data(), f.size());
    EXPECT_EQ(f, (std::array<std::string_view, 4>{"a", "b", "", ""}));
    SplitFields("no separator", "#$@", f.data(), f.size());
    EXPECT_EQ(f, (std::array<std::string_view, 4>{"", "", "", ""}));
    // Separator characters inside a field stay text; the first whole separator splits.
    SplitFields("x##$@$@#$@#$#$@", "#$@", f.data(), f.size());
    EXPECT_EQ(f, (std::array<std::string_view, 4>{"x#", "$@", "#$", ""}));
    // Fields and separators across the eight-byte steps of the search, and at the end.
    SplitFields("012345##$@abcdefghijklmno#$@#$@#$x#$@", "#$@", f.data(), f.size());
    EXPECT_EQ(f, (std::array<std::string_view, 4>{"012345#", "abcdefghijklmno", "", "#$x"}));
    SplitFields("0123456789abcd#$@ef#$@#$@", "#$@", f.data(), f.size());
    EXPECT_EQ(f, (std::array<std::string_view, 4>{"0123456789abcd", "ef", "", ""}));
    SplitFields("x#####y####z0123456789", "###", f.data(), f.size());  // overlapping places
    EXPECT_EQ(f, (std::array<std::string_view, 4>{"x", "##y", "", ""}));
    SplitFields("0123456789abcd#$", "#$@", f.data(), f.size());
    EXPECT_EQ(f, (std::array<std::string_view, 4>{"", "", "", ""}));
}

}  // namespace
}  // namespace zarvex
