#include "platform/browser_detection.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QSettings>
#include <QVariant>

namespace zarvex::platform {

namespace {

QString Join(const QString& folder, const QString& name) {
    return QDir::cleanPath(folder + QLatin1Char('/') + name);
}

bool IsExecutableRegularFile(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

QString CanonicalOrSame(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? path : canonical;
}

// The places a candidate may be found, in the order they are tried.
QStringList PlacesOf(const LinuxBrowserCandidate& browser, const BrowserSearchPlaces& places) {
    QStringList found;
    for (const QString& folder : places.pathFolders)
        for (const QString& command : browser.commands)
            found << Join(folder, command);
    for (const QString& path : browser.installPaths)
        found << Join(places.rootFolder, path);
    if (!browser.flatpakId.isEmpty()) {
        found << Join(places.rootFolder,
                      QStringLiteral("var/lib/flatpak/exports/bin/") + browser.flatpakId);
        if (!places.homeFolder.isEmpty())
            found << Join(places.homeFolder,
                          QStringLiteral(".local/share/flatpak/exports/bin/") + browser.flatpakId);
    }
    return found;
}

#ifdef Q_OS_WIN
class WindowsRegistryReader final : public IRegistryReader {
  public:
    std::optional<QString> ReadString(RegistryRoot root, const QString& key,
                                      const QString& valueName) const override {
        const QString rootName = root == RegistryRoot::LocalMachine
                                     ? QStringLiteral("HKEY_LOCAL_MACHINE\\")
                                     : QStringLiteral("HKEY_CURRENT_USER\\");
        const QSettings registry(rootName + key, QSettings::NativeFormat);
        // QSettings names a key's unnamed value "Default".
        const QVariant value =
            registry.value(valueName.isEmpty() ? QStringLiteral("Default") : valueName);
        if (!value.isValid())
            return std::nullopt;
        return value.toString();
    }
};
#endif

}  // namespace

const std::vector<LinuxBrowserCandidate>& LinuxBrowserCandidates() {
    static const std::vector<LinuxBrowserCandidate> candidates = {
        {QStringLiteral("Firefox"),
         {QStringLiteral("firefox")},
         {QStringLiteral("usr/lib/firefox/firefox"), QStringLiteral("usr/lib64/firefox/firefox"),
          QStringLiteral("opt/firefox/firefox"), QStringLiteral("snap/bin/firefox")},
         QStringLiteral("org.mozilla.firefox")},
        {QStringLiteral("Firefox ESR"),
         {QStringLiteral("firefox-esr")},
         {QStringLiteral("usr/lib/firefox-esr/firefox-esr")},
         {}},
        {QStringLiteral("Chromium"),
         {QStringLiteral("chromium"), QStringLiteral("chromium-browser")},
         {QStringLiteral("usr/lib/chromium/chromium"),
          QStringLiteral("usr/lib/chromium-browser/chromium-browser"),
          QStringLiteral("usr/lib64/chromium-browser/chromium-browser"),
          QStringLiteral("snap/bin/chromium")},
         QStringLiteral("org.chromium.Chromium")},
        {QStringLiteral("Google Chrome"),
         {QStringLiteral("google-chrome"), QStringLiteral("google-chrome-stable")},
         {QStringLiteral("opt/google/chrome/google-chrome")},
         QStringLiteral("com.google.Chrome")},
        {QStringLiteral("Microsoft Edge"),
         {QStringLiteral("microsoft-edge"), QStringLiteral("microsoft-edge-stable")},
         {QStringLiteral("opt/microsoft/msedge/microsoft-edge")},
         QStringLiteral("com.microsoft.Edge")},
        {QStringLiteral("Brave"),
         {QStringLiteral("brave-browser"), QStringLiteral("brave"),
          QStringLiteral("brave-browser-stable")},
         {QStringLiteral("opt/brave.com/brave/brave-browser"), QStringLiteral("snap/bin/brave")},
         QStringLiteral("com.brave.Browser")},
        {QStringLiteral("Vivaldi"),
         {QStringLiteral("vivaldi"), QStringLiteral("vivaldi-stable")},
         {QStringLiteral("opt/vivaldi/vivaldi")},
         QStringLiteral("com.vivaldi.Vivaldi")},
        {QStringLiteral("Opera"),
         {QStringLiteral("opera")},
         {QStringLiteral("usr/lib/x86_64-linux-gnu/opera/opera"),
          QStringLiteral("usr/lib64/opera/opera"), QStringLiteral("snap/bin/opera")},
         QStringLiteral("com.opera.Opera")},
        {QStringLiteral("Epiphany"),
         {QStringLiteral("epiphany"), QStringLiteral("epiphany-browser")},
         {},
         QStringLiteral("org.gnome.Epiphany")},
        {QStringLiteral("Falkon"),
         {QStringLiteral("falkon")},
         {QStringLiteral("snap/bin/falkon")},
         QStringLiteral("org.kde.falkon")},
        {QStringLiteral("Konqueror"),
         {QStringLiteral("konqueror")},
         {},
         QStringLiteral("org.kde.konqueror")},
    };
    return candidates;
}

BrowserSearchPlaces BrowserSearchPlacesOfThisMachine() {
    BrowserSearchPlaces places;
    const QString path = qEnvironmentVariable("PATH");
    for (const QString& folder : path.split(QDir::listSeparator(), Qt::SkipEmptyParts))
        places.pathFolders << folder;
    places.rootFolder = QDir::rootPath();
    places.homeFolder = QDir::homePath();
    return places;
}

KnownBrowserList FindInstalledBrowsers(const BrowserSearchPlaces& places) {
    const auto isExecutable =
        places.isExecutableFile ? places.isExecutableFile : IsExecutableRegularFile;
    const auto resolve = places.resolveLinks ? places.resolveLinks : CanonicalOrSame;

    KnownBrowserList browsers;
    QSet<QString> listedPrograms;
    for (const LinuxBrowserCandidate& browser : LinuxBrowserCandidates()) {
        for (const QString& path : PlacesOf(browser, places)) {
            // A relative PATH entry would pick a program from whatever the current folder is.
            if (!QDir::isAbsolutePath(path) || !isExecutable(path))
                continue;
            const QString program = resolve(path);
            if (!listedPrograms.contains(program)) {
                listedPrograms.insert(program);
                browsers.append({browser.name, path});
            }
            break;
        }
    }
    return browsers;
}

KnownBrowserList ProbeRegistryBrowsers(const IRegistryReader& registry,
                                       const std::function<bool(const QString&)>& fileExists) {
    KnownBrowserList browsers;
    const auto add = [&](const QString& name, const QString& program) {
        if (fileExists(program))
            browsers.append({name, program});
    };
    const auto nonEmpty = [](const std::optional<QString>& value) {
        return value.has_value() && !value->isEmpty();
    };
    const auto lm = RegistryRoot::LocalMachine;
    const QString installDirectory = QStringLiteral("Install Directory");

    const auto ie = registry.ReadString(
        lm, QStringLiteral("SOFTWARE\\Microsoft\\windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE"),
        QString());
    if (nonEmpty(ie))
        add(QStringLiteral("Internet Explorer"), *ie);

    const auto navigator3 = registry.ReadString(
        RegistryRoot::CurrentUser, QStringLiteral("SOFTWARE\\Netscape\\Netscape Navigator\\Main"),
        installDirectory);
    if (nonEmpty(navigator3))
        add(QStringLiteral("Netscape Navigator 3"),
            *navigator3 + QStringLiteral("\\Program\\Netscape.exe"));

    struct VersionedProbe {
        QString key;
        QString program;
        QString namePrefix;
    };
    const VersionedProbe versioned[] = {
        {QStringLiteral("SOFTWARE\\Netscape\\Netscape Navigator"),
         QStringLiteral("\\Program\\Netscape.exe"), QStringLiteral("Netscape Communicator ")},
        {QStringLiteral("SOFTWARE\\Netscape\\Netscape 6"), QStringLiteral("\\netscp6.exe"),
         QStringLiteral("Netscape ")},
    };
    for (const VersionedProbe& probe : versioned) {
        const auto version = registry.ReadString(lm, probe.key, QStringLiteral("CurrentVersion"));
        if (!nonEmpty(version))
            continue;
        const auto folder = registry.ReadString(
            lm, probe.key + QLatin1Char('\\') + *version + QStringLiteral("\\Main"),
            installDirectory);
        if (nonEmpty(folder))
            add(probe.namePrefix + *version, *folder + probe.program);
    }
    return browsers;
}

KnownBrowserList DetectKnownBrowsers() {
#ifdef Q_OS_WIN
    return ProbeRegistryBrowsers(WindowsRegistryReader(),
                                 [](const QString& path) { return QFileInfo::exists(path); });
#else
    return FindInstalledBrowsers(BrowserSearchPlacesOfThisMachine());
#endif
}

}  // namespace zarvex::platform
