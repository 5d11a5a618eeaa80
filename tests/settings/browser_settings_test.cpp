#include <gtest/gtest.h>

#include "settings/browser_settings.h"
#include "settings/memory_settings_store.h"
#include "settings/settings_keys.h"

namespace zarvex::settings {
namespace {

class BrowserSettingsTest : public ::testing::Test {
  protected:
    void Put(const char* name, const StoredValue& v) { store_.Put(kBrowsersGroup, name, v); }
    void PutAll(bool useDefault, bool useKnown, bool useSpecified, std::int32_t number,
                const std::string& path) {
        Put(kUseDefaultBrowser, StoredValue::Boolean(useDefault));
        Put(kUseKnownBrowser, StoredValue::Boolean(useKnown));
        Put(kUseSpecifiedBrowser, StoredValue::Boolean(useSpecified));
        Put(kSelectedBrowserNumber, StoredValue::Integer(number));
        Put(kSpecifiedBrowserExePath, StoredValue::Text(path));
    }
    MemorySettingsStore store_;
};

TEST_F(BrowserSettingsTest, NothingStoredGivesTheInitialState) {
    const BrowserSettings initial;
    EXPECT_EQ(LoadBrowserSettings(store_, 3), initial);
    EXPECT_EQ(initial.mode, BrowserMode::Default);
    EXPECT_EQ(initial.selectedBrowserNumber, -1);
    EXPECT_EQ(initial.specifiedBrowserExePath, "");

    // Values of the other group do not make the browser group exist.
    store_.Put(kSettingsGroup, kUseKnownBrowser, StoredValue::Integer(1));
    EXPECT_EQ(LoadBrowserSettings(store_, 3), initial);

    PutAll(false, true, false, 1, "/x");
    store_.SetUnreadable(true);
    EXPECT_EQ(LoadBrowserSettings(store_, 3), initial);
}

TEST_F(BrowserSettingsTest, LoadsEachStoredMode) {
    PutAll(false, true, false, 1, "/opt/b/browser");
    EXPECT_EQ(LoadBrowserSettings(store_, 2),
              (BrowserSettings{BrowserMode::KnownBrowser, 1, "/opt/b/browser"}));

    PutAll(false, false, true, -1, "/usr/local/bin/my browser");
    EXPECT_EQ(LoadBrowserSettings(store_, 2),
              (BrowserSettings{BrowserMode::SpecifiedBrowser, -1, "/usr/local/bin/my browser"}));

    PutAll(true, false, false, 0, "");
    EXPECT_EQ(LoadBrowserSettings(store_, 2), (BrowserSettings{BrowserMode::Default, 0, ""}));
}

TEST_F(BrowserSettingsTest, KnownBrowserModeWithNoBrowserLeftFallsBackToTheDefault) {
    PutAll(false, true, false, 0, "");
    const BrowserSettings s = LoadBrowserSettings(store_, 0);
    EXPECT_EQ(s.mode, BrowserMode::Default);
    EXPECT_EQ(s.selectedBrowserNumber, -1);
}

TEST_F(BrowserSettingsTest, SelectedNumberIsClampedToTheList) {
    PutAll(false, true, false, 3, "");
    EXPECT_EQ(LoadBrowserSettings(store_, 2).selectedBrowserNumber, 0) << "past the end: first";
    EXPECT_EQ(LoadBrowserSettings(store_, 4).selectedBrowserNumber, 3);
    Put(kSelectedBrowserNumber, StoredValue::Integer(-5));
    EXPECT_EQ(LoadBrowserSettings(store_, 2).selectedBrowserNumber, -1) << "negative: none";
    Put(kSelectedBrowserNumber, StoredValue::Integer(2147483647));
    EXPECT_EQ(LoadBrowserSettings(store_, 2).selectedBrowserNumber, 0);
}

TEST_F(BrowserSettingsTest, TheFirstMissingOrWrongValueEndsLoadingKeepingWhatCameBefore) {
    // Known mode read; the number is missing, so the path is never read.
    PutAll(false, true, false, 1, "/ignored");
    store_.Remove(kBrowsersGroup, kSelectedBrowserNumber);
    EXPECT_EQ(LoadBrowserSettings(store_, 2), (BrowserSettings{BrowserMode::KnownBrowser, -1, ""}));

    // A number stored as text in an INI file reads; words do not.
    PutAll(false, false, true, 0, "/bin/b");
    Put(kSelectedBrowserNumber, StoredValue::Text("1"));
    EXPECT_EQ(LoadBrowserSettings(store_, 2).specifiedBrowserExePath, "/bin/b");
    Put(kSelectedBrowserNumber, StoredValue::Text("one"));
    EXPECT_EQ(LoadBrowserSettings(store_, 2),
              (BrowserSettings{BrowserMode::SpecifiedBrowser, -1, ""}));

    // A path kept as an integer value is of the wrong type.
    PutAll(false, false, true, 0, "");
    Put(kSpecifiedBrowserExePath, StoredValue::Integer(12));
    EXPECT_EQ(LoadBrowserSettings(store_, 2),
              (BrowserSettings{BrowserMode::SpecifiedBrowser, 0, ""}));
}

TEST_F(BrowserSettingsTest, AStoreWithNoModeSwitchedOnGivesTheDefaultBrowser) {
    PutAll(false, false, false, 0, "/bin/b");
    EXPECT_EQ(LoadBrowserSettings(store_, 2).mode, BrowserMode::Default);

    // Loading stops after unchecking the default radio and before any other was checked.
    PutAll(false, true, false, 0, "");
    store_.Remove(kBrowsersGroup, kUseKnownBrowser);
    EXPECT_EQ(LoadBrowserSettings(store_, 2).mode, BrowserMode::Default);
}

TEST_F(BrowserSettingsTest, SeveralModesOnLeavesTheLastOneChecked) {
    PutAll(true, true, true, 0, "/bin/b");
    EXPECT_EQ(LoadBrowserSettings(store_, 1).mode, BrowserMode::SpecifiedBrowser);
    PutAll(true, true, false, 0, "");
    EXPECT_EQ(LoadBrowserSettings(store_, 1).mode, BrowserMode::KnownBrowser);
    EXPECT_EQ(LoadBrowserSettings(store_, 0).mode, BrowserMode::Default);
}

TEST_F(BrowserSettingsTest, SaveWritesAllFiveValuesWithTheirTypesAndLoadsBack) {
    const BrowserSettings chosen{BrowserMode::KnownBrowser, 1, "/usr/bin/odd name"};
    ASSERT_TRUE(SaveBrowserSettings(store_, chosen));
    EXPECT_EQ(store_.Peek(kBrowsersGroup, kUseDefaultBrowser), StoredValue::Integer(0));
    EXPECT_EQ(store_.Peek(kBrowsersGroup, kUseKnownBrowser), StoredValue::Integer(1));
    EXPECT_EQ(store_.Peek(kBrowsersGroup, kUseSpecifiedBrowser), StoredValue::Integer(0));
    EXPECT_EQ(store_.Peek(kBrowsersGroup, kSelectedBrowserNumber), StoredValue::Integer(1));
    EXPECT_EQ(store_.Peek(kBrowsersGroup, kSpecifiedBrowserExePath),
              StoredValue::Text("/usr/bin/odd name"));
    EXPECT_EQ(LoadBrowserSettings(store_, 2), chosen);

    const BrowserSettings none{BrowserMode::Default, -1, ""};
    ASSERT_TRUE(SaveBrowserSettings(store_, none));
    EXPECT_EQ(store_.Peek(kBrowsersGroup, kSelectedBrowserNumber), StoredValue::Integer(-1));
    EXPECT_EQ(LoadBrowserSettings(store_, 2), none);
}

TEST_F(BrowserSettingsTest, AFailedSaveIsQuietAndKeepsThePreviousSettings) {
    PutAll(false, false, true, 0, "/bin/old");
    store_.SetUnwritable(true);
    EXPECT_FALSE(SaveBrowserSettings(store_, BrowserSettings{}));
    store_.SetUnwritable(false);
    EXPECT_EQ(LoadBrowserSettings(store_, 1),
              (BrowserSettings{BrowserMode::SpecifiedBrowser, 0, "/bin/old"}));
}

TEST(BrowserModeTest, CheckingKnownBrowsersNeedsAList) {
    EXPECT_EQ(ModeAfterChecking(BrowserMode::KnownBrowser, 0), BrowserMode::Default);
    EXPECT_EQ(ModeAfterChecking(BrowserMode::KnownBrowser, 1), BrowserMode::KnownBrowser);
    EXPECT_EQ(ModeAfterChecking(BrowserMode::SpecifiedBrowser, 0), BrowserMode::SpecifiedBrowser);
}

TEST(BrowserLaunchTest, ChoosesTheProgramOrTheDefaultHandler) {
    const std::vector<std::string> known = {"/usr/bin/firefox", "/usr/bin/chromium"};
    const BrowserLaunch byDefault{};
    const auto launch = [&](BrowserMode mode, std::int32_t n, const std::string& path) {
        return ChooseBrowserLaunch(BrowserSettings{mode, n, path}, known);
    };

    EXPECT_EQ(launch(BrowserMode::Default, 1, "/bin/x"), byDefault);
    EXPECT_EQ(launch(BrowserMode::KnownBrowser, 1, "/bin/x"),
              (BrowserLaunch{false, "/usr/bin/chromium"}));
    EXPECT_EQ(launch(BrowserMode::SpecifiedBrowser, 1, "  /opt/my browser/run  "),
              (BrowserLaunch{false, "/opt/my browser/run"}));

    // Nothing to run: the page still opens.
    EXPECT_EQ(launch(BrowserMode::KnownBrowser, -1, ""), byDefault);
    EXPECT_EQ(launch(BrowserMode::KnownBrowser, 2, ""), byDefault);
    EXPECT_EQ(launch(BrowserMode::SpecifiedBrowser, 0, "   "), byDefault);
}

}  // namespace
}  // namespace zarvex::settings
