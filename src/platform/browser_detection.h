// Finding the web browsers installed on the machine, for the browser dialog's list.
// Linux: each browser of a fixed table is looked for on the PATH, then in its usual
// install folders (distribution packages, /opt, snap, system and per-user flatpak).
// Windows: the four registry probes for Internet Explorer and the Netscape family.
// Both searches take their file system and registry through parameters for tests.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace zarvex::platform {

// One detected browser: the text shown in the list and the full path of its program.
struct TWebBrowserNamePath {
    QString Name;
    QString Path;

    bool operator==(const TWebBrowserNamePath&) const = default;
};

using KnownBrowserList = QList<TWebBrowserNamePath>;

// The browsers of the machine, in the order of the platform's table; run on every
// creation of the browser dialog, so installs and removals are seen at the next preview.
KnownBrowserList DetectKnownBrowsers();

// ---- Linux -------------------------------------------------------------------------

// A browser the Linux search knows: the commands it installs, where packages outside
// the PATH put it (relative to the root folder), and its flatpak application id.
struct LinuxBrowserCandidate {
    QString name;
    QStringList commands;
    QStringList installPaths;
    QString flatpakId;
};

const std::vector<LinuxBrowserCandidate>& LinuxBrowserCandidates();

// Where the Linux search looks and how it looks at a file.
struct BrowserSearchPlaces {
    QStringList pathFolders;                   // the PATH, in order
    QString rootFolder = QStringLiteral("/");  // prefix of the install folders
    QString homeFolder;                        // for per-user flatpaks; empty skips them
    std::function<bool(const QString&)> isExecutableFile;  // default: regular file, x bit
    std::function<QString(const QString&)> resolveLinks;   // default: canonical path
};

// The places of the running process: $PATH, "/", $HOME, the real file system.
BrowserSearchPlaces BrowserSearchPlacesOfThisMachine();

// Each browser is listed once, at the first place it is found: PATH folders in order,
// then its install paths, then the system and the per-user flatpak exports. A program
// that resolves (through links) to one already listed is not listed again.
KnownBrowserList FindInstalledBrowsers(const BrowserSearchPlaces& places);

// ---- Windows -----------------------------------------------------------------------

enum class RegistryRoot { LocalMachine, CurrentUser };

// Read-only string access to the registry; an empty value name is the key's unnamed
// (default) value. nullopt when the key or value is missing or cannot be read.
class IRegistryReader {
  public:
    virtual ~IRegistryReader() = default;
    virtual std::optional<QString> ReadString(RegistryRoot root, const QString& key,
                                              const QString& valueName) const = 0;
};

// The four probes, in order: Internet Explorer, Netscape Navigator 3, Netscape
// Communicator, Netscape 6. Each adds its entry when its program file exists.
KnownBrowserList ProbeRegistryBrowsers(const IRegistryReader& registry,
                                       const std::function<bool(const QString&)>& fileExists);

}  // namespace zarvex::platform
