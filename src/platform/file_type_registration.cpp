#include "platform/file_type_registration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

#if defined(Q_OS_WIN)
#include <QSettings>
#endif

namespace zarvex::platform {

namespace {

// Writes content to path unless the file already holds exactly that.
bool WriteIfChanged(const QString& path, const QByteArray& content) {
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == content)
        return false;
    existing.close();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write(content);
    return out.commit();
}

void RunIfInstalled(const QString& program, const QStringList& arguments) {
    const QString found = QStandardPaths::findExecutable(program);
    if (!found.isEmpty())
        QProcess::startDetached(found, arguments);
}

// Escapes a desktop entry string value: backslash is the only escape character there.
QString EscapeDesktopString(QString s) {
    return s.replace('\\', "\\\\");
}

#if defined(Q_OS_WIN)
void RegisterWindowsClasses(const QString& executablePath) {
    const QString exe = QDir::toNativeSeparators(executablePath);
    QSettings classes("HKEY_CURRENT_USER\\Software\\Classes", QSettings::NativeFormat);
    classes.setValue(".zarvex/.", kProjectClassName);
    classes.setValue(QString(kProjectClassName) + "/.", kProjectClassName);
    classes.setValue(QString(kProjectClassName) + "/DefaultIcon/.", exe + ",0");
    // Quoted so that a program folder with blanks still starts; "%1" passes the path as one
    // argument.
    classes.setValue(QString(kProjectClassName) + "/shell/open/command/.",
                     "\"" + exe + "\" \"%1\"");
    classes.sync();
}
#endif

}  // namespace

QString XdgDataHome() {
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return xdg;
    return QDir::homePath() + "/.local/share";
}

QStringList XdgDataDirs() {
    QStringList dirs;
    for (const QString& dir : qEnvironmentVariable("XDG_DATA_DIRS").split(':', Qt::SkipEmptyParts))
        if (QDir::isAbsolutePath(dir))
            dirs << dir;
    return dirs.isEmpty() ? QStringList{"/usr/local/share", "/usr/share"} : dirs;
}

bool SystemRegistrationCovers(const QString& executablePath, const QStringList& dataDirs) {
    const QString self = QFileInfo(executablePath).canonicalFilePath();
    if (self.isEmpty())
        return false;
    for (const QString& dir : dataDirs) {
        if (!QFileInfo::exists(dir + "/applications/" + kSystemDesktopEntryName) ||
            !QFileInfo::exists(dir + "/mime/packages/" + kSystemMimePackageName))
            continue;
        // The entry starts "zarvex" from the installation's bin folder beside share.
        if (QFileInfo(dir + "/../bin/zarvex").canonicalFilePath() == self)
            return true;
    }
    return false;
}

QByteArray MimePackageXml() {
    return QByteArray(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <mime-type type=\"application/x-zarvex\">\n"
        "    <comment>Zarvex project</comment>\n"
        "    <sub-class-of type=\"text/plain\"/>\n"
        "    <icon name=\"application-x-zarvex\"/>\n"
        "    <glob pattern=\"*.zarvex\"/>\n"
        "  </mime-type>\n"
        "  <mime-type type=\"application/x-zarvex-structure\">\n"
        "    <comment>General menu structure</comment>\n"
        "    <sub-class-of type=\"text/plain\"/>\n"
        "    <icon name=\"application-x-zarvex\"/>\n"
        "    <glob pattern=\"*.gms\"/>\n"
        "  </mime-type>\n"
        "</mime-info>\n");
}

QString DesktopExecQuoted(const QString& path) {
    QString quoted;
    quoted.reserve(path.size() + 8);
    for (const QChar c : path) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return {};
        // Inside a quoted Exec argument these four need a backslash; '%' is a field code.
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        if (c == '%')
            quoted += '%';
        quoted += c;
    }
    return '"' + quoted + '"';
}

QByteArray DesktopEntry(const QString& executablePath) {
    const QString exec = DesktopExecQuoted(executablePath);
    if (exec.isEmpty())
        return {};
    const QString entry =
        "[Desktop Entry]\n"
        "Type=Application\n"
        "Name=Zarvex\n"
        "GenericName=Menu Designer\n"
        "Comment=Design drop-down navigation menus for web pages\n"
        "Exec=" +
        EscapeDesktopString(exec) +
        " %f\n"
        "Icon=zarvex\n"
        "Terminal=false\n"
        "MimeType=application/x-zarvex;application/x-zarvex-structure;\n"
        "Categories=Development;WebDevelopment;\n";
    return entry.toUtf8();
}

RegistrationOutcome RegisterProjectFileType(const FileTypeRegistration& request) {
    RegistrationOutcome outcome;
    try {
#if defined(Q_OS_WIN)
        RegisterWindowsClasses(request.executablePath);
#else
        const QStringList systemDirs =
            request.systemDataDirs.isEmpty() ? XdgDataDirs() : request.systemDataDirs;
        if (SystemRegistrationCovers(request.executablePath, systemDirs)) {
            outcome.coveredBySystem = true;
            return outcome;
        }
        const QString home = request.dataHome.isEmpty() ? XdgDataHome() : request.dataHome;
        const ToolRunner run = request.runTool ? request.runTool : ToolRunner(RunIfInstalled);

        outcome.mimePackageWritten =
            WriteIfChanged(home + "/mime/packages/zarvex.xml", MimePackageXml());

        const QByteArray entry = DesktopEntry(request.executablePath);
        if (!entry.isEmpty())
            outcome.desktopEntryWritten =
                WriteIfChanged(home + "/applications/zarvex.desktop", entry);

        if (!request.iconSvg.isEmpty()) {
            const QString icons = home + "/icons/hicolor/scalable/";
            const bool app = WriteIfChanged(icons + "apps/zarvex.svg", request.iconSvg);
            const bool mime =
                WriteIfChanged(icons + "mimetypes/application-x-zarvex.svg", request.iconSvg);
            outcome.iconWritten = app || mime;
        }

        if (outcome.mimePackageWritten)
            run("update-mime-database", {home + "/mime"});
        if (outcome.desktopEntryWritten)
            run("update-desktop-database", {home + "/applications"});
#endif
    } catch (...) {
        // A registration that fails leaves the program as it would be without it.
    }
    return outcome;
}

}  // namespace zarvex::platform
