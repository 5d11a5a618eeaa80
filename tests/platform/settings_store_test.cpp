#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/settings_store.h"
#include "settings/browser_settings.h"
#include "settings/settings_keys.h"
#include "settings/show_flags.h"

namespace zarvex::platform {
namespace {

using settings::kBrowsersGroup;
using settings::kSettingsGroup;
using settings::ShowFlag;
using settings::StoredValue;

class QtSettingsStoreTest : public ::testing::Test {
  protected:
    QString IniPath() const { return dir_.filePath(QStringLiteral("conf/Kavo/Zarvex/1.0.ini")); }
    QString FileText() const {
        QFile f(IniPath());
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll());
    }
    void WriteFileText(const QByteArray& text) const {
        QDir().mkpath(QFileInfo(IniPath()).absolutePath());
        QFile f(IniPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    QTemporaryDir dir_;
};

TEST_F(QtSettingsStoreTest, AMissingFileIsAnEmptyStoreAndTheFirstWriteCreatesIt) {
    QtSettingsStore store = QtSettingsStore::IniFile(IniPath());
    EXPECT_FALSE(store.HasGroup(kSettingsGroup));
    EXPECT_EQ(store.Read(kSettingsGroup, settings::kShowLinkTipDialog), std::nullopt);
    EXPECT_TRUE(settings::ReadShowFlag(store, ShowFlag::LinkTip));

    settings::WriteShowFlag(store, ShowFlag::LinkTip, false);
    EXPECT_TRUE(QFile::exists(IniPath()));
    EXPECT_TRUE(store.HasGroup(kSettingsGroup));
    EXPECT_FALSE(store.HasGroup(kBrowsersGroup));
    EXPECT_FALSE(settings::ReadShowFlag(store, ShowFlag::LinkTip));
    EXPECT_TRUE(settings::ReadShowFlag(store, ShowFlag::TemplatePicker));
    EXPECT_TRUE(FileText().contains(QStringLiteral("ShowLinkTipDialog=0")))
        << FileText().toStdString();
}

TEST_F(QtSettingsStoreTest, ValuesComeBackAsWritten) {
    QtSettingsStore store = QtSettingsStore::IniFile(IniPath());
    const std::string texts[] = {"/usr/bin/my browser",
                                 "C:\\Program Files\\B\\b.exe",
                                 " leading and trailing ",
                                 "a, b; c = d # e",
                                 "naïve ☃",
                                 ""};
    for (const std::string& text : texts) {
        store.Write(kBrowsersGroup, settings::kSpecifiedBrowserExePath, StoredValue::Text(text));
        EXPECT_EQ(store.Read(kBrowsersGroup, settings::kSpecifiedBrowserExePath),
                  StoredValue::Text(text));
    }
    store.Write(kBrowsersGroup, settings::kSelectedBrowserNumber, StoredValue::Integer(-1));
    const auto number = store.Read(kBrowsersGroup, settings::kSelectedBrowserNumber);
    ASSERT_TRUE(number);
    EXPECT_EQ(settings::AsInteger(*number), -1);
}

TEST_F(QtSettingsStoreTest, EverySettingKeepsItsTypeThroughTheFile) {
    QtSettingsStore store = QtSettingsStore::IniFile(IniPath());
    for (const settings::SettingDefinition& def : settings::kAllSettings) {
        const StoredValue written = def.type == settings::SettingType::String
                                        ? StoredValue::Text(def.defaultText)
                                        : StoredValue::Integer(def.defaultNumber);
        store.Write(def.group, def.name, written);
    }
    QtSettingsStore reread = QtSettingsStore::IniFile(IniPath());
    for (const settings::SettingDefinition& def : settings::kAllSettings) {
        const auto value = reread.Read(def.group, def.name);
        ASSERT_TRUE(value) << def.name;
        if (def.type == settings::SettingType::String)
            EXPECT_EQ(settings::AsText(*value), std::string(def.defaultText)) << def.name;
        else
            EXPECT_EQ(settings::AsInteger(*value), def.defaultNumber) << def.name;
    }
    EXPECT_TRUE(FileText().contains(QStringLiteral("SelectedBrowserNumber=-1")));
}

TEST_F(QtSettingsStoreTest, BrowserChoiceSurvivesInTheFile) {
    const settings::BrowserSettings chosen{settings::BrowserMode::SpecifiedBrowser, 2,
                                           "/opt/my browser/run"};
    {
        QtSettingsStore store = QtSettingsStore::IniFile(IniPath());
        EXPECT_EQ(settings::LoadBrowserSettings(store, 3), settings::BrowserSettings{});
        ASSERT_TRUE(settings::SaveBrowserSettings(store, chosen));
    }
    EXPECT_TRUE(FileText().contains(QStringLiteral("UseSpecifiedBrowser=1")));
    EXPECT_TRUE(FileText().contains(QStringLiteral("UseDefaultBrowser=0")));
    QtSettingsStore again = QtSettingsStore::IniFile(IniPath());
    EXPECT_EQ(settings::LoadBrowserSettings(again, 3), chosen);
}

TEST_F(QtSettingsStoreTest, AFileEditedByHandIsRead) {
    WriteFileText(
        "[Settings]\nShowTempletsDialog=0\nShowLinkTipDialog=yes\n"
        "[Web%20Browsers]\nUseDefaultBrowser=0\nUseKnownBrowser=1\nUseSpecifiedBrowser=0\n"
        "SelectedBrowserNumber=1\nSpecifiedBrowserExePath=/bin/a, /bin/b\n");
    QtSettingsStore store = QtSettingsStore::IniFile(IniPath());
    EXPECT_FALSE(settings::ReadShowFlag(store, ShowFlag::TemplatePicker));
    EXPECT_FALSE(settings::ReadShowFlag(store, ShowFlag::LinkTip)) << "not an integer";
    EXPECT_EQ(
        settings::LoadBrowserSettings(store, 2),
        (settings::BrowserSettings{settings::BrowserMode::KnownBrowser, 1, "/bin/a, /bin/b"}));
}

TEST_F(QtSettingsStoreTest, AStoreThatCannotBeReadShowsNoDialogsAndIsNotOverwritten) {
    ASSERT_TRUE(QDir().mkpath(IniPath()));  // a folder where the file should be
    QtSettingsStore store = QtSettingsStore::IniFile(IniPath());
    EXPECT_THROW(store.Read(kSettingsGroup, settings::kShowTempletsDialog),
                 settings::SettingsStoreError);
    EXPECT_THROW(store.HasGroup(kSettingsGroup), settings::SettingsStoreError);
    EXPECT_FALSE(settings::ReadShowFlag(store, ShowFlag::TemplatePicker));
    EXPECT_FALSE(settings::ReadShowFlag(store, ShowFlag::LinkTip));
    EXPECT_EQ(settings::LoadBrowserSettings(store, 2), settings::BrowserSettings{});

    EXPECT_NO_THROW(settings::WriteShowFlag(store, ShowFlag::LinkTip, false));
    EXPECT_THROW(settings::WriteShowFlag(store, ShowFlag::LinkTip, true),
                 settings::SettingsStoreError);
    EXPECT_TRUE(QFileInfo(IniPath()).isDir());
}

TEST_F(QtSettingsStoreTest, AStoreThatCannotBeWrittenReportsTurningADialogBackOn) {
    // The folder that should hold the file is a file.
    const QString blocker = dir_.filePath(QStringLiteral("conf"));
    QFile f(blocker);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    QtSettingsStore store = QtSettingsStore::IniFile(IniPath());
    EXPECT_TRUE(settings::ReadShowFlag(store, ShowFlag::TemplatePicker));
    EXPECT_NO_THROW(settings::WriteShowFlag(store, ShowFlag::TemplatePicker, false));
    try {
        settings::WriteShowFlag(store, ShowFlag::TemplatePicker, true);
        FAIL() << "the write should have failed";
    } catch (const settings::SettingsStoreError& e) {
        EXPECT_NE(std::string(e.what()).find("1.0.ini"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(settings::SaveBrowserSettings(store, settings::BrowserSettings{}));
}

TEST_F(QtSettingsStoreTest, TheUserStoreLiesInTheConfigurationFolder) {
#ifndef Q_OS_WIN
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir_.path().toUtf8());
    QtSettingsStore store = QtSettingsStore::ForCurrentUser();
    EXPECT_EQ(store.location(), dir_.filePath(QStringLiteral("Kavo/Zarvex/1.0.ini")));
    settings::WriteShowFlag(store, ShowFlag::TemplatePicker, false);
    EXPECT_TRUE(QFile::exists(dir_.filePath(QStringLiteral("Kavo/Zarvex/1.0.ini"))));
    if (saved.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", saved);
#endif
}

}  // namespace
}  // namespace zarvex::platform
