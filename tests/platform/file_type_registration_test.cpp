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
    EXPECT_TRUE(entry.contains("\nMimeType=application/x-zarvex;\n"));
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
    const QString resources = QStringLiteral(ZARVEX_TEST_DATA_DIR "/../../src/ui/resources/");
    EXPECT_EQ(Read(resources + "zarvex-mime.xml"), MimePackageXml());
    const QByteArray installed = Read(resources + "zarvex.desktop");
    EXPECT_TRUE(installed.contains("\nExec=zarvex %f\n"));
    EXPECT_TRUE(installed.contains("\nMimeType=application/x-zarvex;\n"));
    EXPECT_TRUE(installed.contains("\nIcon=zarvex\n"));
}

TEST_F(FileTypeRegistrationTest, DataHomeFollowsXdgDataHome) {
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", "/x/data");
    EXPECT_EQ(XdgDataHome(), "/x/data");
    qputenv("XDG_DATA_HOME", "relative/ignored");
    EXPECT_EQ(XdgDataHome(), QDir::homePath() + "/.local/share");
    if (saved.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", saved);
}

}  // namespace
}  // namespace zarvex::platform
