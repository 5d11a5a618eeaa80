// What the windows need of the desktop and of the user's preferences, passed in so that
// tests can stand in for them: the shell that opens pages and starts browsers, the
// settings store, and the search for installed browsers.
#pragma once

#include <functional>
#include <memory>

#include <QString>

#include "platform/browser_detection.h"
#include "platform/shell_launcher.h"
#include "settings/settings_store_interface.h"

namespace zarvex::ui {

struct AppServices {
    platform::IShellLauncher* shell = nullptr;     // null: the desktop (DesktopShellLauncher)
    settings::ISettingsStore* settings = nullptr;  // null: the current user's store
    std::function<platform::KnownBrowserList()> detectBrowsers;  // empty: DetectKnownBrowsers
    QString userTemplatesFolder;  // empty: "templates" in the per-user data folder
    std::function<bool(const QString& folder)> canWriteFolder;  // empty: IsFolderWritable
};

// The services in use: those given, and the real ones in place of any left out.
class AppServiceHost {
  public:
    explicit AppServiceHost(const AppServices& given);
    ~AppServiceHost();
    AppServiceHost(const AppServiceHost&) = delete;
    AppServiceHost& operator=(const AppServiceHost&) = delete;

    platform::IShellLauncher& Shell() const { return *shell_; }
    settings::ISettingsStore& Settings() const { return *settings_; }
    // Runs the search afresh on every call: a browser installed since is seen.
    platform::KnownBrowserList DetectBrowsers() const;
    // The user's own templates ($XDG_DATA_HOME/zarvex/templates); not created here.
    const QString& UserTemplatesFolder() const { return userTemplates_; }
    bool CanWriteFolder(const QString& folder) const { return canWriteFolder_(folder); }

  private:
    std::unique_ptr<platform::IShellLauncher> ownShell_;
    std::unique_ptr<settings::ISettingsStore> ownSettings_;
    platform::IShellLauncher* shell_;
    settings::ISettingsStore* settings_;
    std::function<platform::KnownBrowserList()> detectBrowsers_;
    QString userTemplates_;
    std::function<bool(const QString&)> canWriteFolder_;
};

}  // namespace zarvex::ui
