#include "platform/file_type_registration.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace zarvex::platform {
namespace {

QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class FileTypeRegistrationTest : public ::testing::Test {
  protected:
    FileTypeRegistration Request(const QString& exe = "/opt/zarvex/zarvex") {
        FileTypeRegistration r;
        r.executablePath = exe;
        r.dataHome = home_.path();
        r.iconSvg = "<svg/>";
        r.runTool = [this](const QString& program, const QStringList& args) {
            tools_ << program + ' ' + args.join(' ');
        };
        return r;
    }
    QString Home() const { return home_.path(); }

    QTemporaryDir home_;
    QStringList tools_;
};

TEST_F(FileTypeRegistrationTest, WritesMimeTypeDesktopEntryAndIconAndRefreshesTheCaches) {
    const RegistrationOutcome first = RegisterProjectFileType(Request());
    EXPECT_TRUE(first.mimePackageWritten);
    EXPECT_TRUE(first.desktopEntryWritten);
    EXPECT_TRUE(first.iconWritten);
    EXPECT_EQ(Read(Home() + "/mime/packages/zarvex.xml"), MimePackageXml());
    const QByteArray entry = Read(Home() + "/applications/zarvex.desktop");
    EXPECT_TRUE(entry.contains("\nExec=\"/opt/zarvex/zarvex\" %f\n"));
    EXPECT_TRUE(
        entry.contains("\nMimeType=application/x-zarvex;application/x-zarvex-structure;\n"));
    EXPECT_EQ(Read(Home() + "/icons/hicolor/scalable/apps/zarvex.svg"), "<svg/>");
    EXPECT_EQ(Read(Home() + "/icons/hicolor/scalable/mimetypes/application-x-zarvex.svg"),
              "<svg/>");
    EXPECT_EQ(tools_, (QStringList{"update-mime-database " + Home() + "/mime",
                                   "update-desktop-database " + Home() + "/applications"}));
}

TEST_F(FileTypeRegistrationTest, RewritesOnlyWhatChanged) {
    RegisterProjectFileType(Request());
    const QFileInfo before(Home() + "/mime/packages/zarvex.xml");
    tools_.clear();
    const RegistrationOutcome same = RegisterProjectFileType(Request());
    EXPECT_FALSE(same.mimePackageWritten);
    EXPECT_FALSE(same.desktopEntryWritten);
    EXPECT_FALSE(same.iconWritten);
    EXPECT_TRUE(tools_.isEmpty());

    const RegistrationOutcome moved = RegisterProjectFileType(Request("/home/u/new place/zarvex"));
    EXPECT_FALSE(moved.mimePackageWritten);
    EXPECT_TRUE(moved.desktopEntryWritten);
    EXPECT_EQ(tools_, QStringList{"update-desktop-database " + Home() + "/applications"});
    EXPECT_EQ(QFileInfo(Home() + "/mime/packages/zarvex.xml").lastModified(),
              before.lastModified());
}

TEST_F(FileTypeRegistrationTest, QuotesTheProgramPathForTheExecKey) {
    EXPECT_EQ(DesktopExecQuoted("/a b/zarvex"), "\"/a b/zarvex\"");
    EXPECT_EQ(DesktopExecQuoted("/a\"b/$x`y\\z"), "\"/a\\\"b/\\$x\\`y\\\\z\"");
    EXPECT_EQ(DesktopExecQuoted("/100%/zarvex"), "\"/100%%/zarvex\"");
    EXPECT_EQ(DesktopExecQuoted("/line\nbreak"), "");
    // The entry's own string escaping doubles every backslash once more.
    EXPECT_TRUE(DesktopEntry("/a\\b/zarvex").contains("Exec=\"/a\\\\\\\\b/zarvex\" %f"));
    EXPECT_TRUE(DesktopEntry("/bad\npath").isEmpty());
}

TEST_F(FileTypeRegistrationTest, APathThatCannotBeWrittenIsSkippedSilently) {
    FileTypeRegistration r = Request();
    QFile blocker(Home() + "/blocker");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    r.dataHome = blocker.fileName();  // a file where a folder should be
    RegistrationOutcome outcome;
    EXPECT_NO_THROW(outcome = RegisterProjectFileType(r));
    EXPECT_FALSE(outcome.mimePackageWritten);
    EXPECT_FALSE(outcome.desktopEntryWritten);
    EXPECT_TRUE(tools_.isEmpty());

    r = Request("/bad\npath");
    outcome = RegisterProjectFileType(r);
    EXPECT_FALSE(outcome.desktopEntryWritten);
    EXPECT_FALSE(QFile::exists(Home() + "/applications/zarvex.desktop"));
}

TEST_F(FileTypeRegistrationTest, InstalledFilesDescribeTheSameType) {
    const QString packaging = QStringLiteral(ZARVEX_TEST_DATA_DIR "/../../packaging/");
    EXPECT_EQ(Read(packaging + "zarvex-mime.xml"), MimePackageXml());
    const QByteArray installed = Read(packaging + kSystemDesktopEntryName);
    EXPECT_TRUE(installed.contains("\nExec=zarvex %f\n"));
    EXPECT_TRUE(
        installed.contains("\nMimeType=application/x-zarvex;application/x-zarvex-structure;\n"));
    EXPECT_TRUE(installed.contains("\nIcon=org.zarvex.Zarvex\n"));
    EXPECT_TRUE(DesktopEntry("/x/zarvex")
                    .contains("\nMimeType=application/x-zarvex;application/x-zarvex-structure;\n"));
}

// An installed tree as the package lays it out: share/ with the entry and the MIME
// package, lib/zarvex/zarvex, and bin/zarvex linking to it.
TEST_F(FileTypeRegistrationTest, AnInstalledCopyLeavesRegistrationToThePackage) {
    const QString usr = Home() + "/root/usr";
    const QString share = usr + "/share";
    const QString program = usr + "/lib/zarvex/zarvex";
    const QString buildCopy = Home() + "/build/app/zarvex";
    for (const QString& file :
         {share + "/applications/" + kSystemDesktopEntryName,
          share + "/mime/packages/" + kSystemMimePackageName, program, buildCopy}) {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(file).absolutePath()));
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QDir().mkpath(usr + "/bin"));
    ASSERT_TRUE(QFile::link("../lib/zarvex/zarvex", usr + "/bin/zarvex"));

    const struct {
        QString exe;
        QStringList dirs;
        bool covered;
    } cases[] = {
        {program, {"/nowhere/share", share}, true},
        {usr + "/bin/../lib/zarvex/zarvex", {share + "/"}, true},
        {buildCopy, {share}, false},  // a build beside an installed package still registers
        {program, {"/nowhere/share"}, false},
        {"/no/such/zarvex", {share}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SystemRegistrationCovers(c.exe, c.dirs), c.covered) << c.exe.toStdString();
        FileTypeRegistration r = Request(c.exe);
        r.systemDataDirs = c.dirs;
        const RegistrationOutcome outcome = RegisterProjectFileType(r);
        EXPECT_EQ(outcome.coveredBySystem, c.covered);
        EXPECT_EQ(QFile::exists(Home() + "/applications/zarvex.desktop"), !c.covered);
        QFile::remove(Home() + "/applications/zarvex.desktop");
    }

    // Without the MIME package the installation is incomplete: register per user.
    QFile::remove(share + "/mime/packages/" + kSystemMimePackageName);
    EXPECT_FALSE(SystemRegistrationCovers(program, {share}));
}

TEST_F(FileTypeRegistrationTest, DataHomeFollowsXdgDataHome) {
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    const QByteArray savedDirs = qgetenv("XDG_DATA_DIRS");
    qputenv("XDG_DATA_HOME", "/x/data");
    EXPECT_EQ(XdgDataHome(), "/x/data");
    qputenv("XDG_DATA_HOME", "relative/ignored");
    EXPECT_EQ(XdgDataHome(), QDir::homePath() + "/.local/share");
    qputenv("XDG_DATA_DIRS", "/opt/share:relative:/usr/share");
    EXPECT_EQ(XdgDataDirs(), (QStringList{"/opt/share", "/usr/share"}));
    qputenv("XDG_DATA_DIRS", "");
    EXPECT_EQ(XdgDataDirs(), (QStringList{"/usr/local/share", "/usr/share"}));
    for (const auto& [name, value] :
         {std::pair{"XDG_DATA_HOME", saved}, {"XDG_DATA_DIRS", savedDirs}}) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
}

}  // namespace
}  // namespace zarvex::platform
