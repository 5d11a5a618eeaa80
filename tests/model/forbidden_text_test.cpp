#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/forbidden_text.h"

namespace zarvex {
namespace {

const std::string kSeparatorMessage = "The text can not include \"#$@\"!";
const std::string kApostropheMessage =
    "The text can not include ', please add leading \"\\\" and try again!";
const std::string kQuoteMessage =
    "The text can't include \", please add leading \"\\\" and try again!";

std::vector<std::string> Check(std::string_view text) {
    return ForbiddenTextMessages(text, "#$@");
}

TEST(ForbiddenText, MessagesAreWordForWord) {
    EXPECT_EQ(kSeparatorMessage, R"(The text can not include "#$@"!)");
    EXPECT_EQ(kApostropheMessage,
              R"(The text can not include ', please add leading "\" and try again!)");
    EXPECT_EQ(kQuoteMessage, R"(The text can't include ", please add leading "\" and try again!)");
}

TEST(ForbiddenText, PlainAndEscapedTextsPass) {
    for (const char* text : {"", "Home", "It\\'s", "say \\\"hi\\\"", "a\\#$@b", "C:\\dir\\file",
                             "caf\xc3\xa9", "caf\xe9", "#$", "$@"}) {
        EXPECT_TRUE(Check(text).empty()) << text;
    }
}

TEST(ForbiddenText, EachUnescapedSequenceIsRefusedWithItsMessage) {
    EXPECT_EQ(Check("Its'"), std::vector<std::string>{kApostropheMessage});
    EXPECT_EQ(Check("'quoted"), std::vector<std::string>{kApostropheMessage});
    EXPECT_EQ(Check("say \"hi\""), std::vector<std::string>{kQuoteMessage});
    EXPECT_EQ(Check("a#$@b"), std::vector<std::string>{kSeparatorMessage});
    EXPECT_EQ(Check("#$@"), std::vector<std::string>{kSeparatorMessage});
}

TEST(ForbiddenText, OnlyTheFirstBackslashCanEscape) {
    // The apostrophe's backslash is not the text's first one.
    EXPECT_EQ(Check("C:\\dir\\it\\'s"), std::vector<std::string>{kApostropheMessage});
    // Only the first occurrence is judged: an escaped first apostrophe lets a later one pass.
    EXPECT_TRUE(Check("it\\'s Bob's").empty());
    // A backslash at the very start cannot stand before position 1.
    EXPECT_EQ(Check("\\x'"), std::vector<std::string>{kApostropheMessage});
}

TEST(ForbiddenText, SeveralFaultsGiveOneMessageEachInTableOrder) {
    EXPECT_EQ(Check("\"it's\""), (std::vector<std::string>{kApostropheMessage, kQuoteMessage}));
    EXPECT_EQ(Check("a\"b'c#$@"),
              (std::vector<std::string>{kSeparatorMessage, kApostropheMessage, kQuoteMessage}));
    // Every sequence is judged on the whole text, whatever the others earned.
    EXPECT_EQ(Check("x\\\"y'"), std::vector<std::string>{kApostropheMessage});
}

TEST(ForbiddenText, SeparatorComesFromTheCaller) {
    EXPECT_EQ(ForbiddenTextMessages("a|b", "|"),
              std::vector<std::string>{"The text can not include \"|\"!"});
    EXPECT_TRUE(ForbiddenTextMessages("a#$@b", "|").empty());
}

TEST(ForbiddenText, AStylesheetOnlyTextMayHoldDoubleQuotes) {
    EXPECT_TRUE(ForbiddenTextMessages("\"Trebuchet MS\", sans-serif", "#$@", true).empty());
    EXPECT_EQ(ForbiddenTextMessages("\"a'b\"#$@", "#$@", true),
              (std::vector<std::string>{kSeparatorMessage, kApostropheMessage}));
}

TEST(MenuName, OnlyScriptIdentifiersPass) {
    for (const char* name : {"Menu1", "_nav", "top_nav_2", "a", "Z9"})
        EXPECT_TRUE(IsValidMenuName(name)) << name;
    for (const char* name :
         {"", "top-nav menu", "1menu", "a/b", "a.b", "caf\xc3\xa9", "a b", "a'b", "$nav"})
        EXPECT_FALSE(IsValidMenuName(name)) << name;
}

TEST(PathToFileURL, WindowsPathsKeepTheirShape) {
    EXPECT_EQ(PathToFileURL("C:\\Site\\a.htm"), "file:///C|/Site/a.htm");
    EXPECT_EQ(PathToFileURL("C:\\Web Site\\index.html"), "file:///C|/Web Site/index.html");
    EXPECT_EQ(PathToFileURL("C:\\it's\\a.htm"), "file:///C|/it's/a.htm");
    EXPECT_EQ(PathToFileURL("relative\\a.htm"), "file:///relative/a.htm");
    EXPECT_EQ(PathToFileURL(""), "file:///");
}

TEST(PathToFileURL, PosixPathsGiveThreeSlashes) {
    EXPECT_EQ(PathToFileURL("/home/me/Web Site/index.html"), "file:///home/me/Web Site/index.html");
    EXPECT_EQ(PathToFileURL("/opt/zarvex/help/getting_started.htm"),
              "file:///opt/zarvex/help/getting_started.htm");
}

}  // namespace
}  // namespace zarvex
