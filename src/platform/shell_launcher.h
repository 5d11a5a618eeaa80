// Handing pages, files and web addresses to the desktop, and starting browser programs.
// Callers hold an IShellLauncher so that tests record the requests instead of opening
// windows. Outcomes are reported to the caller, who tells the user; nothing here shows a
// message.
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <vector>

namespace zarvex::platform {

class IShellLauncher {
  public:
    virtual ~IShellLauncher() = default;

    // Opens a local file path or an address ("http://...", "mailto:...", "file:///...")
    // with the desktop's handler for it.
    virtual bool OpenWithDefaultHandler(const QString& pathOrAddress) = 0;

    // Starts program with `argument` as its one and only argument: blanks and quotes in
    // it reach the program unchanged. False when it cannot be started or when it ends at
    // once with an error (a browser that refuses to run).
    virtual bool StartProgram(const QString& program, const QString& argument) = 0;
};

// The real desktop: xdg-open (or QDesktopServices where there is none) and processes
// that outlive the program. A start waits up to settleMilliseconds for an early end, so
// that a program that refuses to run is reported as a failure, not as success.
class DesktopShellLauncher final : public IShellLauncher {
  public:
    explicit DesktopShellLauncher(int settleMilliseconds = 1500);
    bool OpenWithDefaultHandler(const QString& pathOrAddress) override;
    bool StartProgram(const QString& program, const QString& argument) override;

  private:
    bool StartChecked(const QString& program, const QString& argument);
    int settleMilliseconds_;
};

// Writes down every request and opens nothing.
class RecordingShellLauncher final : public IShellLauncher {
  public:
    struct Request {
        enum class Kind { Open, Start };
        Kind kind;
        QString target;         // the path or address, or the program
        QStringList arguments;  // the program's arguments

        bool operator==(const Request&) const = default;
    };

    bool OpenWithDefaultHandler(const QString& pathOrAddress) override;
    bool StartProgram(const QString& program, const QString& argument) override;

    std::vector<Request> requests;
    bool result = true;  // what every request reports back
};

// A local path as a file URL; text that starts with a scheme of two or more letters
// ("http:", "mailto:", "file:") as that address. "C:\..." is a path, not a scheme.
QUrl UrlForPathOrAddress(const QString& pathOrAddress);

}  // namespace zarvex::platform
