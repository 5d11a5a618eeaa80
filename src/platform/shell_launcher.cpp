#include "platform/shell_launcher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QRegularExpression>

namespace zarvex::platform {

QUrl UrlForPathOrAddress(const QString& pathOrAddress) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (scheme.match(pathOrAddress).hasMatch())
        return QUrl(pathOrAddress, QUrl::TolerantMode);
    return QUrl::fromLocalFile(pathOrAddress);
}

bool DesktopShellLauncher::OpenWithDefaultHandler(const QString& pathOrAddress) {
    return QDesktopServices::openUrl(UrlForPathOrAddress(pathOrAddress));
}

bool DesktopShellLauncher::StartProgram(const QString& program, const QString& argument) {
    return QProcess::startDetached(program, QStringList{argument});
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
