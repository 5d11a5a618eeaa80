#include "platform/shell_launcher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace zarvex::platform {

QUrl UrlForPathOrAddress(const QString& pathOrAddress) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (scheme.match(pathOrAddress).hasMatch())
        return QUrl(pathOrAddress, QUrl::TolerantMode);
    return QUrl::fromLocalFile(pathOrAddress);
}

DesktopShellLauncher::DesktopShellLauncher(int settleMilliseconds)
    : settleMilliseconds_(settleMilliseconds) {}

bool DesktopShellLauncher::OpenWithDefaultHandler(const QString& pathOrAddress) {
    const QUrl url = UrlForPathOrAddress(pathOrAddress);
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // xdg-open waits for a browser it starts itself, so a browser that refuses to run
    // shows in its exit code; the desktop services would only say that it started.
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!opener.isEmpty())
        return StartChecked(opener, url.toString(QUrl::FullyEncoded));
#endif
    return QDesktopServices::openUrl(url);
}

bool DesktopShellLauncher::StartProgram(const QString& program, const QString& argument) {
    return StartChecked(program, argument);
}

bool DesktopShellLauncher::StartChecked(const QString& program, const QString& argument) {
    auto* process = new QProcess;
    process->setProgram(program);
    process->setArguments({argument});
    // No pipes: a browser that writes much must never block on a full one.
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    process->start();
    if (!process->waitForStarted()) {
        delete process;
        return false;
    }
    if (process->waitForFinished(settleMilliseconds_)) {
        const bool ok = process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
        delete process;
        return ok;
    }
    // Still running: the program has taken the page. The process object is released
    // when it ends; left alive at our exit, it never kills the program.
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    return true;
}

bool RecordingShellLauncher::OpenWithDefaultHandler(const QString& pathOrAddress) {
    requests.push_back({Request::Kind::Open, pathOrAddress, {}});
    return result;
}

bool RecordingShellLauncher::StartProgram(const QString& program, const QString& argument) {
    requests.push_back({Request::Kind::Start, program, QStringList{argument}});
    return result;
}

}  // namespace zarvex::platform
