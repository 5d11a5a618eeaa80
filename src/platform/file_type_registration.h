// Ties "*.zarvex" (and, on freedesktop systems, "*.gms") files to the running
// program, on every start, for the current user only. On freedesktop systems: a
// shared-mime-info package, a desktop entry and the icon under $XDG_DATA_HOME,
// unless a system-wide installation of this very program already provides them;
// on Windows: the document class keys under the user's "Software\Classes". Every
// failure is silent: registration is a convenience and never stops the program.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

namespace zarvex::platform {

inline constexpr const char* kProjectMimeType = "application/x-zarvex";
inline constexpr const char* kStructureMimeType = "application/x-zarvex-structure";
inline constexpr const char* kProjectClassName = "Zarvex.Document";
// The names an installed package gives its desktop entry and MIME package.
inline constexpr const char* kSystemDesktopEntryName = "org.zarvex.Zarvex.desktop";
inline constexpr const char* kSystemMimePackageName = "zarvex.xml";

// Runs a cache tool (program, arguments) without waiting for it.
using ToolRunner = std::function<void(const QString& program, const QStringList& arguments)>;

struct FileTypeRegistration {
    QString executablePath;  // full path of the program that opens the files
    QString dataHome;        // $XDG_DATA_HOME or ~/.local/share; empty: look it up
    QByteArray iconSvg;      // the program icon, written for the desktop entry and the MIME type
    ToolRunner runTool;      // empty: start the tool detached when it is installed
    QStringList systemDataDirs;  // $XDG_DATA_DIRS; empty: look it up
};

// What a freedesktop registration changed; each file is rewritten only when its
// content differs, and the caches are refreshed only for what changed.
struct RegistrationOutcome {
    bool mimePackageWritten = false;
    bool desktopEntryWritten = false;
    bool iconWritten = false;
    bool coveredBySystem = false;  // an installed package registers the types; nothing written
};

// The per-user data folder of the freedesktop base directory rules.
QString XdgDataHome();

// The shared data folders of the freedesktop base directory rules, in order.
QStringList XdgDataDirs();

// True when one of dataDirs holds the installed desktop entry and MIME package and
// its bin/zarvex is executablePath itself (links resolved): an installed copy. A
// copy run from elsewhere (a build folder) is not covered, even beside a package.
bool SystemRegistrationCovers(const QString& executablePath, const QStringList& dataDirs);

// The texts written, exposed for the install rules' tests and for checks.
QByteArray MimePackageXml();
QByteArray DesktopEntry(const QString& executablePath);

// Quotes a path for the Exec key of a desktop entry; empty when it cannot be
// expressed there (a line break or a control character).
QString DesktopExecQuoted(const QString& path);

RegistrationOutcome RegisterProjectFileType(const FileTypeRegistration& request);

}  // namespace zarvex::platform
