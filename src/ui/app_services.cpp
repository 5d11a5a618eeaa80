#include "ui/app_services.h"

#include "platform/settings_store.h"

namespace zarvex::ui {

AppServiceHost::AppServiceHost(const AppServices& given)
    : shell_(given.shell), settings_(given.settings), detectBrowsers_(given.detectBrowsers) {
    if (!shell_) {
        ownShell_ = std::make_unique<platform::DesktopShellLauncher>();
        shell_ = ownShell_.get();
    }
    if (!settings_) {
        ownSettings_ = std::make_unique<platform::QtSettingsStore>(
            platform::QtSettingsStore::ForCurrentUser());
        settings_ = ownSettings_.get();
    }
    if (!detectBrowsers_)
        detectBrowsers_ = &platform::DetectKnownBrowsers;
}

AppServiceHost::~AppServiceHost() = default;

platform::KnownBrowserList AppServiceHost::DetectBrowsers() const {
    return detectBrowsers_();
}

}  // namespace zarvex::ui
