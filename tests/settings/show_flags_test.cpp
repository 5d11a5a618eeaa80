#include <gtest/gtest.h>

#include "settings/memory_settings_store.h"
#include "settings/settings_keys.h"
#include "settings/show_flags.h"

namespace zarvex::settings {
namespace {

struct FlagCase {
    const char* label;
    ShowFlag flag;
    const char* valueName;
};

class ShowFlagTest : public ::testing::TestWithParam<FlagCase> {
  protected:
    ShowFlag flag() const { return GetParam().flag; }
    void Store(const StoredValue& v) { store_.Put(kSettingsGroup, GetParam().valueName, v); }
    std::optional<StoredValue> Stored() const {
        return store_.Peek(kSettingsGroup, GetParam().valueName);
    }
    MemorySettingsStore store_;
};

TEST_P(ShowFlagTest, ReadsTheTableOfStates) {
    EXPECT_STREQ(ShowFlagName(flag()), GetParam().valueName);

    EXPECT_TRUE(ReadShowFlag(store_, flag())) << "absent means show";

    Store(StoredValue::Integer(0));
    EXPECT_FALSE(ReadShowFlag(store_, flag()));
    Store(StoredValue::Integer(1));
    EXPECT_TRUE(ReadShowFlag(store_, flag()));
    Store(StoredValue::Integer(7));
    EXPECT_TRUE(ReadShowFlag(store_, flag())) << "any value but 0 is true";

    // An INI file keeps no types: "0" and "1" come back as text.
    Store(StoredValue::Text("0"));
    EXPECT_FALSE(ReadShowFlag(store_, flag()));
    Store(StoredValue::Text("1"));
    EXPECT_TRUE(ReadShowFlag(store_, flag()));

    Store(StoredValue::Text("yes"));
    EXPECT_FALSE(ReadShowFlag(store_, flag())) << "a value of the wrong type is a failure";
    Store(StoredValue{});
    EXPECT_FALSE(ReadShowFlag(store_, flag()));

    Store(StoredValue::Integer(1));
    store_.SetUnreadable(true);
    EXPECT_FALSE(ReadShowFlag(store_, flag())) << "an unreadable store means do not show";
}

TEST_P(ShowFlagTest, TheOtherFlagAndTheOtherGroupDoNotCount) {
    const ShowFlag other =
        flag() == ShowFlag::LinkTip ? ShowFlag::TemplatePicker : ShowFlag::LinkTip;
    store_.Put(kSettingsGroup, ShowFlagName(other), StoredValue::Integer(0));
    store_.Put(kBrowsersGroup, GetParam().valueName, StoredValue::Integer(0));
    EXPECT_TRUE(ReadShowFlag(store_, flag()));
}

TEST_P(ShowFlagTest, WritesAsZeroOrOneIntegers) {
    WriteShowFlag(store_, flag(), false);
    EXPECT_EQ(Stored(), StoredValue::Integer(0));
    EXPECT_FALSE(ReadShowFlag(store_, flag()));
    WriteShowFlag(store_, flag(), true);
    EXPECT_EQ(Stored(), StoredValue::Integer(1));
    EXPECT_TRUE(ReadShowFlag(store_, flag()));
}

TEST_P(ShowFlagTest, TurningOffIgnoresAFailureTurningOnReportsIt) {
    Store(StoredValue::Integer(1));
    store_.SetUnwritable(true);
    EXPECT_NO_THROW(WriteShowFlag(store_, flag(), false));
    EXPECT_EQ(Stored(), StoredValue::Integer(1));
    EXPECT_THROW(WriteShowFlag(store_, flag(), true), SettingsStoreError);
}

TEST_P(ShowFlagTest, AnUnreadableValueIsReplacedByTurningTheDialogOff) {
    // The picker shows a failed read as "do not show" and writes that at once.
    Store(StoredValue::Text("garbage"));
    ASSERT_FALSE(ReadShowFlag(store_, flag()));
    WriteShowFlag(store_, flag(), false);
    EXPECT_EQ(Stored(), StoredValue::Integer(0));
}

INSTANTIATE_TEST_SUITE_P(
    Flags, ShowFlagTest,
    ::testing::Values(FlagCase{"TemplatePicker", ShowFlag::TemplatePicker, "ShowTempletsDialog"},
                      FlagCase{"LinkTip", ShowFlag::LinkTip, "ShowLinkTipDialog"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(StoredValueTest, IntegersFromTextMustBeWholeDecimalNumbersInRange) {
    EXPECT_EQ(AsInteger(StoredValue::Text("-1")), -1);
    EXPECT_EQ(AsInteger(StoredValue::Text("2147483647")), 2147483647);
    EXPECT_EQ(AsInteger(StoredValue::Text("2147483648")), std::nullopt);
    EXPECT_EQ(AsInteger(StoredValue::Text("12abc")), std::nullopt);
    EXPECT_EQ(AsInteger(StoredValue::Text("")), std::nullopt);
    EXPECT_EQ(AsInteger(StoredValue::Text(" 1")), std::nullopt);
    EXPECT_EQ(AsText(StoredValue::Integer(5)), std::nullopt);
    EXPECT_EQ(AsText(StoredValue::Text("12")), "12");
}

}  // namespace
}  // namespace zarvex::settings
