#include <gtest/gtest.h>

#include <optional>
#include <thread>

#include "model/field_text_arena.h"
#include "model/records.h"
#include "publish/applet_agent.h"

namespace zarvex {
namespace {

TEST(Records, FreshAgentHasTheFortyTwoDefaultsInOrderAndNoItems) {
    TkavoAppletAgent agent;
    agent.MenuParameters.MenuName = "Changed";
    agent.Items.push_back(NewItemRecord());
    agent.ResetToDefaults();
    const std::vector<std::string> expected = {"MyMenu1",
                                               "",
                                               "0",
                                               "1",
                                               "1",
                                               "0",
                                               "100",
                                               "0",
                                               "0",
                                               "0",
                                               "0",
                                               "0",
                                               "1",
                                               "3",
                                               "55A1FF",
                                               "4086E4",
                                               "68ACF8",
                                               "3882E2",
                                               "2",
                                               "000000",
                                               "FFFFFF",
                                               "FFFFFF",
                                               "316AC5",
                                               "FFFFFF",
                                               "316AC5",
                                               "1000",
                                               "tahoma, verdana, sans-serif",
                                               "11",
                                               "16",
                                               "16",
                                               "arrowr.gif",
                                               "arrowrh.gif",
                                               "sep.gif",
                                               "scrollu.gif",
                                               "scrolluh.gif",
                                               "scrollud.gif",
                                               "scrolld.gif",
                                               "scrolldh.gif",
                                               "scrolldd.gif",
                                               "",
                                               "",
                                               "0"};
    EXPECT_EQ(ToList(agent.GetMenuParameters()), expected);
    EXPECT_TRUE(agent.Items.empty());
    EXPECT_EQ(kAppletFields[0].name, "MenuName");
    EXPECT_EQ(kAppletFields[41].name, "UseLocalPaths");
}

TEST(Records, FreshAgentHasTheThreeLinkedFilesAndTheSeparator) {
    TkavoAppletAgent agent;
    ASSERT_EQ(agent.LinkedFiles.size(), 3u);
    EXPECT_EQ(agent.LinkedFiles[0], (TLinkedFileInfo{"velmo.js", "js", 0}));
    EXPECT_EQ(agent.LinkedFiles[1], (TLinkedFileInfo{"velmocfg_MyHoriMenu1.js", "js", 0}));
    EXPECT_EQ(agent.LinkedFiles[2], (TLinkedFileInfo{"NavTest.css", "css", 1}));
    EXPECT_EQ(agent.Separator, "#$@");
    EXPECT_TRUE(agent.StagedFiles.empty());
    EXPECT_TRUE(agent.ResourceFiles.empty());
}

TEST(Records, NewItemRecordAndListConversions) {
    const TItemData item = NewItemRecord();
    const TStringArray list = ToList(item);
    ASSERT_EQ(list.size(), 10u);
    EXPECT_EQ(list, (TStringArray{"Item", "", "", "_self", "", "", "", "", "", ""}));

    TItemData full;
    for (std::size_t i = 0; i < kItemFieldCount; ++i)
        full.*kItemFields[i].member = "v" + std::to_string(i);
    EXPECT_EQ(ItemDataFromList(ToList(full)), full);
    EXPECT_EQ(ToList(full)[6], "v6");
    EXPECT_EQ(full.Level, "v6");

    TAppletData d;
    d.UseLocalPaths = "1";
    d.MenuName = "M";
    const TStringArray dl = ToList(d);
    ASSERT_EQ(dl.size(), 42u);
    EXPECT_EQ(AppletDataFromList(dl), d);
    // A short list leaves the missing trailing fields empty.
    const TAppletData shortRead = AppletDataFromList({"A", "B"});
    EXPECT_EQ(shortRead.MenuName, "A");
    EXPECT_EQ(shortRead.ListId, "B");
    EXPECT_EQ(shortRead.Orientation, "");
    EXPECT_EQ(shortRead.UseLocalPaths, "");
}

// Item fields keep their bytes across the inline, heap and shared forms, through
// copies, moves and assignment from themselves; shared texts outlive their arena and
// are released from any thread, blocks full or not.
TEST(Records, FieldTextKeepsEveryLengthAndByte) {
    for (const bool shared : {false, true}) {
        std::optional<FieldTextArena> arena;
        if (shared)
            arena.emplace();
        for (std::size_t n = 0; n <= 20; ++n) {
            std::string text(n, 'x');
            if (n > 0)
                text[n - 1] = '\0';  // bytes, not C strings
            FieldText field = std::string_view(text);
            EXPECT_EQ(field.size(), n);
            EXPECT_EQ(field.empty(), n == 0);
            EXPECT_EQ(field, std::string_view(text));
            FieldText copy = field;
            const FieldText& same = copy;
            copy = same;
            EXPECT_EQ(copy, std::string_view(text));
            copy = same.view().substr(n / 2);  // from its own bytes
            EXPECT_EQ(copy, std::string_view(text).substr(n / 2));
            FieldText moved = std::move(field);
            EXPECT_EQ(moved.view(), std::string_view(text));
            EXPECT_TRUE(field.empty());
        }
    }
    std::vector<FieldText> texts;
    {
        const FieldTextArena arena;
        const FieldTextArena nested;
        for (std::size_t k = 0; k < 3000; ++k)  // lengths past a shared block's largest
            texts.emplace_back(std::string(8 + k * 37 % 5000, static_cast<char>('a' + k % 26)));
    }
    const std::vector<FieldText> copies = texts;
    std::thread([&] { texts.erase(texts.begin() + 1000, texts.end()); }).join();
    for (std::size_t k = 0; k < copies.size(); ++k) {
        EXPECT_EQ(copies[k], std::string(8 + k * 37 % 5000, static_cast<char>('a' + k % 26)));
        if (k < texts.size()) {
            EXPECT_EQ(texts[k], copies[k]);
        }
    }
    EXPECT_EQ(sizeof(FieldText), sizeof(void*));
    EXPECT_EQ(FieldText("Item") + " and " + FieldText("a longer caption"),
              "Item and a longer caption");
}

TEST(Records, SeparatorTextIsTrimmedAndCaseFree) {
    EXPECT_TRUE(IsSeparatorText("separator"));
    EXPECT_TRUE(IsSeparatorText(" SePaRaToR \t"));
    EXPECT_FALSE(IsSeparatorText("separators"));
    EXPECT_FALSE(IsSeparatorText(""));
}

}  // namespace
}  // namespace zarvex
