#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMap>
#include <QSet>
#include <QTemporaryDir>

#include "platform/browser_detection.h"

namespace zarvex::platform {
namespace {

// A file system made of a set of executable paths.
BrowserSearchPlaces FakeMachine(const QSet<QString>& programs, const QStringList& path,
                                const QString& home = QStringLiteral("/home/u")) {
    BrowserSearchPlaces places;
    places.pathFolders = path;
    places.rootFolder = QStringLiteral("/");
    places.homeFolder = home;
    places.isExecutableFile = [programs](const QString& p) { return programs.contains(p); };
    places.resolveLinks = [](const QString& p) { return p; };
    return places;
}

const QStringList kPath = {QStringLiteral("/usr/local/bin"), QStringLiteral("/usr/bin")};

TEST(FindInstalledBrowsersTest, FindsEachKnownBrowserByItsCommand) {
    QSet<QString> programs;
    QStringList expectedNames;
    for (const LinuxBrowserCandidate& browser : LinuxBrowserCandidates()) {
        programs.insert(QStringLiteral("/usr/bin/") + browser.commands.last());
        expectedNames << browser.name;
    }
    const KnownBrowserList found = FindInstalledBrowsers(FakeMachine(programs, kPath));
    QStringList names;
    for (const auto& b : found) {
        names << b.Name;
        EXPECT_TRUE(programs.contains(b.Path)) << b.Path.toStdString();
    }
    EXPECT_EQ(names, expectedNames);
    for (const char* required :
         {"Firefox", "Firefox ESR", "Chromium", "Google Chrome", "Microsoft Edge", "Brave",
          "Vivaldi", "Opera", "Epiphany", "Falkon", "Konqueror"})
        EXPECT_TRUE(names.contains(QLatin1String(required))) << required;
}

TEST(FindInstalledBrowsersTest, ThePathComesFirstInItsOrderThenTheUsualFolders) {
    const KnownBrowserList found = FindInstalledBrowsers(
        FakeMachine({QStringLiteral("/usr/bin/firefox"), QStringLiteral("/usr/local/bin/firefox"),
                     QStringLiteral("/usr/lib/firefox/firefox"),
                     QStringLiteral("/opt/google/chrome/google-chrome"),
                     QStringLiteral("/home/u/.local/share/flatpak/exports/bin/org.kde.falkon"),
                     QStringLiteral("/var/lib/flatpak/exports/bin/com.brave.Browser")},
                    kPath));
    const KnownBrowserList expected = {
        {QStringLiteral("Firefox"), QStringLiteral("/usr/local/bin/firefox")},
        {QStringLiteral("Google Chrome"), QStringLiteral("/opt/google/chrome/google-chrome")},
        {QStringLiteral("Brave"), QStringLiteral("/var/lib/flatpak/exports/bin/com.brave.Browser")},
        {QStringLiteral("Falkon"),
         QStringLiteral("/home/u/.local/share/flatpak/exports/bin/org.kde.falkon")},
    };
    EXPECT_EQ(found, expected);
}

TEST(FindInstalledBrowsersTest, NothingInstalledGivesAnEmptyList) {
    EXPECT_TRUE(FindInstalledBrowsers(FakeMachine({}, kPath)).isEmpty());
    EXPECT_TRUE(FindInstalledBrowsers(FakeMachine({}, {}, QString())).isEmpty());
}

TEST(FindInstalledBrowsersTest, RelativePathEntriesAreNotSearched) {
    const KnownBrowserList found = FindInstalledBrowsers(
        FakeMachine({QStringLiteral("bin/firefox"), QStringLiteral("/usr/bin/vivaldi")},
                    {QStringLiteral("bin"), QStringLiteral("/usr/bin")}));
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found[0].Name, QStringLiteral("Vivaldi"));
}

TEST(FindInstalledBrowsersTest, TwoNamesForOneProgramAreListedOnce) {
    BrowserSearchPlaces places = FakeMachine(
        {QStringLiteral("/usr/bin/firefox"), QStringLiteral("/usr/bin/firefox-esr")}, kPath);
    places.resolveLinks = [](const QString&) {
        return QStringLiteral("/usr/lib/firefox-esr/firefox-esr");
    };
    const KnownBrowserList found = FindInstalledBrowsers(places);
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found[0],
              (TWebBrowserNamePath{QStringLiteral("Firefox"), QStringLiteral("/usr/bin/firefox")}));
}

TEST(FindInstalledBrowsersTest, OnARealFolderOnlyExecutableFilesCount) {
    QTemporaryDir root;
    const auto make = [&](const QString& relative, QFileDevice::Permissions permissions) {
        const QString p = root.filePath(relative);
        QDir().mkpath(QFileInfo(p).absolutePath());
        QFile f(p);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n");
        f.close();
        EXPECT_TRUE(f.setPermissions(permissions));
        return p;
    };
    const auto exec = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    const QString chromium = make(QStringLiteral("usr/bin/chromium"), exec);
    make(QStringLiteral("usr/bin/firefox"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QString vivaldi = make(QStringLiteral("opt/vivaldi/vivaldi"), exec);
    QDir().mkpath(root.filePath(QStringLiteral("usr/bin/opera")));  // a folder, not a program
    // A link to a program already listed adds nothing.
    QFile::link(chromium, root.filePath(QStringLiteral("usr/bin/chromium-browser")));

    BrowserSearchPlaces places;
    places.pathFolders = {root.filePath(QStringLiteral("usr/bin"))};
    places.rootFolder = root.path();
    const KnownBrowserList found = FindInstalledBrowsers(places);
    const KnownBrowserList expected = {{QStringLiteral("Chromium"), chromium},
                                       {QStringLiteral("Vivaldi"), vivaldi}};
    EXPECT_EQ(found, expected);
}

// A registry made of (root, key, value name) -> text.
class FakeRegistry final : public IRegistryReader {
  public:
    void Set(RegistryRoot root, const QString& key, const QString& name, const QString& value) {
        values_[Key(root, key, name)] = value;
    }
    std::optional<QString> ReadString(RegistryRoot root, const QString& key,
                                      const QString& valueName) const override {
        const auto it = values_.find(Key(root, key, valueName));
        if (it == values_.end())
            return std::nullopt;
        return *it;
    }

  private:
    static QString Key(RegistryRoot root, const QString& key, const QString& name) {
        return QString::number(static_cast<int>(root)) + QLatin1Char('|') + key.toLower() +
               QLatin1Char('|') + name;
    }
    QMap<QString, QString> values_;
};

class RegistryProbeTest : public ::testing::Test {
  protected:
    KnownBrowserList Probe() const {
        return ProbeRegistryBrowsers(registry_,
                                     [this](const QString& p) { return files_.contains(p); });
    }
    static constexpr RegistryRoot LM = RegistryRoot::LocalMachine;
    static constexpr RegistryRoot CU = RegistryRoot::CurrentUser;
    FakeRegistry registry_;
    QSet<QString> files_;
};

TEST_F(RegistryProbeTest, AllFourProbesInOrder) {
    registry_.Set(
        LM, QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE"),
        QString(), QStringLiteral("C:\\IE\\iexplore.exe"));
    registry_.Set(CU, QStringLiteral("SOFTWARE\\Netscape\\Netscape Navigator\\Main"),
                  QStringLiteral("Install Directory"), QStringLiteral("C:\\Nav3"));
    registry_.Set(LM, QStringLiteral("SOFTWARE\\Netscape\\Netscape Navigator"),
                  QStringLiteral("CurrentVersion"), QStringLiteral("4.7 (en)"));
    registry_.Set(LM, QStringLiteral("SOFTWARE\\Netscape\\Netscape Navigator\\4.7 (en)\\Main"),
                  QStringLiteral("Install Directory"), QStringLiteral("C:\\Comm"));
    registry_.Set(LM, QStringLiteral("SOFTWARE\\Netscape\\Netscape 6"),
                  QStringLiteral("CurrentVersion"), QStringLiteral("6.2"));
    registry_.Set(LM, QStringLiteral("SOFTWARE\\Netscape\\Netscape 6\\6.2\\Main"),
                  QStringLiteral("Install Directory"), QStringLiteral("C:\\NS6"));
    files_ = {
        QStringLiteral("C:\\IE\\iexplore.exe"), QStringLiteral("C:\\Nav3\\Program\\Netscape.exe"),
        QStringLiteral("C:\\Comm\\Program\\Netscape.exe"), QStringLiteral("C:\\NS6\\netscp6.exe")};

    const KnownBrowserList expected = {
        {QStringLiteral("Internet Explorer"), QStringLiteral("C:\\IE\\iexplore.exe")},
        {QStringLiteral("Netscape Navigator 3"), QStringLiteral("C:\\Nav3\\Program\\Netscape.exe")},
        {QStringLiteral("Netscape Communicator 4.7 (en)"),
         QStringLiteral("C:\\Comm\\Program\\Netscape.exe")},
        {QStringLiteral("Netscape 6.2"), QStringLiteral("C:\\NS6\\netscp6.exe")},
    };
    EXPECT_EQ(Probe(), expected);

    files_.remove(QStringLiteral("C:\\IE\\iexplore.exe"));
    files_.remove(QStringLiteral("C:\\NS6\\netscp6.exe"));
    EXPECT_EQ(Probe(), (KnownBrowserList{expected[1], expected[2]})) << "missing programs drop out";
}

TEST_F(RegistryProbeTest, Navigator3IsLookedForOnlyUnderTheCurrentUser) {
    registry_.Set(LM, QStringLiteral("SOFTWARE\\Netscape\\Netscape Navigator\\Main"),
                  QStringLiteral("Install Directory"), QStringLiteral("C:\\Nav3"));
    files_ = {QStringLiteral("C:\\Nav3\\Program\\Netscape.exe")};
    EXPECT_TRUE(Probe().isEmpty());
}

TEST_F(RegistryProbeTest, AnEmptyOrMissingVersionEndsItsProbe) {
    registry_.Set(LM, QStringLiteral("SOFTWARE\\Netscape\\Netscape 6"),
                  QStringLiteral("CurrentVersion"), QString());
    registry_.Set(LM, QStringLiteral("SOFTWARE\\Netscape\\Netscape 6\\\\Main"),
                  QStringLiteral("Install Directory"), QStringLiteral("C:\\NS6"));
    registry_.Set(LM, QStringLiteral("SOFTWARE\\Netscape\\Netscape Navigator\\4.7\\Main"),
                  QStringLiteral("Install Directory"), QStringLiteral("C:\\Comm"));
    files_ = {QStringLiteral("C:\\NS6\\netscp6.exe"),
              QStringLiteral("C:\\Comm\\Program\\Netscape.exe")};
    EXPECT_TRUE(Probe().isEmpty());
}

}  // namespace
}  // namespace zarvex::platform
