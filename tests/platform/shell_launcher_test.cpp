#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include "platform/browser_launch.h"
#include "platform/shell_launcher.h"

namespace zarvex::platform {
namespace {

using Request = RecordingShellLauncher::Request;
using settings::BrowserMode;
using settings::BrowserSettings;

const QString kPage = QStringLiteral("/home/u/My Sites/zarvex/preview/~preview.html");

TEST(UrlForPathOrAddressTest, PathsBecomeFileUrlsAddressesStayAsTheyAre) {
    const QUrl page = UrlForPathOrAddress(kPage);
    EXPECT_TRUE(page.isLocalFile());
    EXPECT_EQ(page.toLocalFile(), kPage);

    EXPECT_EQ(UrlForPathOrAddress(QStringLiteral("https://example.org/help?a=1")).toString(),
              QStringLiteral("https://example.org/help?a=1"));
    EXPECT_EQ(UrlForPathOrAddress(QStringLiteral("mailto:support@example.org")).scheme(),
              QStringLiteral("mailto"));
    EXPECT_EQ(UrlForPathOrAddress(QStringLiteral("file:///tmp/a%20b.htm")).toLocalFile(),
              QStringLiteral("/tmp/a b.htm"));
    // A drive letter is no scheme.
    EXPECT_TRUE(UrlForPathOrAddress(QStringLiteral("C:\\Site\\a.htm")).isLocalFile());
}

class OpenPageTest : public ::testing::Test {
  protected:
    std::vector<Request> Open(const BrowserSettings& s) {
        shell_.requests.clear();
        OpenPageInBrowser(shell_, s, known_, kPage);
        return shell_.requests;
    }
    RecordingShellLauncher shell_;
    KnownBrowserList known_ = {{QStringLiteral("Firefox"), QStringLiteral("/usr/bin/firefox")},
                               {QStringLiteral("Chromium"), QStringLiteral("/usr/bin/chromium")}};
};

TEST_F(OpenPageTest, EachModeLaunchesItsWay) {
    const auto start = [](const QString& program) {
        return std::vector<Request>{Request{Request::Kind::Start, program, QStringList{kPage}}};
    };
    const std::vector<Request> byDefault{Request{Request::Kind::Open, kPage, {}}};

    EXPECT_EQ(Open(BrowserSettings{}), byDefault);
    EXPECT_EQ(Open({BrowserMode::KnownBrowser, 1, "/bin/other"}),
              start(QStringLiteral("/usr/bin/chromium")));
    EXPECT_EQ(Open({BrowserMode::SpecifiedBrowser, 0, "/opt/My Browser/run"}),
              start(QStringLiteral("/opt/My Browser/run")));
    // Nothing to run: the desktop's handler opens the page.
    EXPECT_EQ(Open({BrowserMode::KnownBrowser, -1, ""}), byDefault);
    EXPECT_EQ(Open({BrowserMode::SpecifiedBrowser, 0, ""}), byDefault);
    known_.clear();
    EXPECT_EQ(Open({BrowserMode::KnownBrowser, 0, ""}), byDefault);
}

TEST_F(OpenPageTest, AFailedLaunchIsReportedToTheCallerOnly) {
    shell_.result = false;
    EXPECT_FALSE(OpenPageInBrowser(shell_, BrowserSettings{}, known_, kPage));
    EXPECT_EQ(shell_.requests.size(), 1u);
}

// The real launcher hands the page to the program as one argument, blanks and quotes
// included: the program writes down how many arguments it got and the first one.
TEST(DesktopShellLauncherTest, ThePagePathReachesTheProgramAsOneArgument) {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("args.txt"));
    const QString program = dir.filePath(QStringLiteral("fake browser.sh"));
    {
        QFile f(program);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(
            QStringLiteral(
                "#!/bin/sh\nprintf '%s\\n%s' \"$#\" \"$1\" > \"%1.tmp\" && mv \"%1.tmp\" \"%1\"\n")
                .arg(out)
                .toUtf8());
        f.close();
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    }
    const QString page = dir.filePath(QStringLiteral("My Site/it's \"a\" page.html"));

    DesktopShellLauncher shell;
    ASSERT_TRUE(shell.StartProgram(program, page));
    QDeadlineTimer deadline(20000);
    while (!QFile::exists(out) && !deadline.hasExpired())
        QThread::msleep(20);
    QFile f(out);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << "the program did not run";
    EXPECT_EQ(QString::fromUtf8(f.readAll()), QStringLiteral("1\n") + page);
}

// A program that cannot start, or that ends at once with an error as a browser refusing
// to run does, is a failed launch; one that ends well or keeps running has the page.
TEST(DesktopShellLauncherTest, AProgramThatRefusesToRunIsAFailedLaunch) {
    QTemporaryDir dir;
    const auto script = [&](const char* name, const char* body) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("#!/bin/sh\n") + body + "\n");
        f.close();
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
        return path;
    };
    DesktopShellLauncher shell(2000);
    EXPECT_FALSE(shell.StartProgram(dir.filePath(QStringLiteral("missing")), kPage));
    EXPECT_FALSE(shell.StartProgram(script("refuses", "echo 'not as root' >&2; exit 1"), kPage));
    EXPECT_FALSE(shell.StartProgram(script("crashes", "kill -SEGV $$"), kPage));
    EXPECT_TRUE(shell.StartProgram(script("hands_over", "exit 0"), kPage));
    EXPECT_TRUE(shell.StartProgram(script("stays", "exec sleep 4 >/dev/null 2>&1"), kPage));
}

}  // namespace
}  // namespace zarvex::platform
