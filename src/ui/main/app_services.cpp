#include "ui/main/app_services.h"

#include <QFile>

#include "platform/settings_store.h"
#include "publish/app_folders.h"

namespace zarvex::ui {

AppServiceHost::AppServiceHost(const AppServices& given)
    : shell_(given.shell),
      settings_(given.settings),
      detectBrowsers_(given.detectBrowsers),
      userTemplates_(given.userTemplatesFolder),
      canWriteFolder_(given.canWriteFolder) {
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
    if (userTemplates_.isEmpty())
        userTemplates_ = QFile::decodeName(PerUserDataFolder().c_str()) + "templates";
    if (!canWriteFolder_)
        canWriteFolder_ = [](const QString& folder) {
            return IsFolderWritable(QFile::encodeName(folder).toStdString());
        };
}

AppServiceHost::~AppServiceHost() = default;

platform::KnownBrowserList AppServiceHost::DetectBrowsers() const {
    return detectBrowsers_();
}

}  // namespace zarvex::ui
