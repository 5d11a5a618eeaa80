// The user's preferences kept through QSettings: an INI file in the user's configuration
// folder ($XDG_CONFIG_HOME/Kavo/Zarvex/1.0.ini, else ~/.config/...) on Linux, the
// registry key HKEY_CURRENT_USER\Software\Kavo\Zarvex\1.0 on Windows. Each operation opens
// the store afresh, so a change made by another instance of the program is seen at once
// and every failure is reported where it happens.
#pragma once

#include <QSettings>
#include <QString>
#include <memory>

#include "settings/settings_store_interface.h"

namespace zarvex::platform {

class QtSettingsStore final : public settings::ISettingsStore {
  public:
    // The current user's store.
    static QtSettingsStore ForCurrentUser();
    // An INI file at path, created when first written.
    static QtSettingsStore IniFile(const QString& path);

    bool HasGroup(std::string_view group) const override;
    std::optional<settings::StoredValue> Read(std::string_view group,
                                              std::string_view name) const override;
    void Write(std::string_view group, std::string_view name,
               const settings::StoredValue& value) override;

    // The INI file path or the registry key.
    const QString& location() const { return location_; }

  private:
    QtSettingsStore(QString location, QSettings::Format format)
        : location_(std::move(location)), format_(format) {}
    void CheckReadable() const;
    std::unique_ptr<QSettings> OpenForReading() const;
    [[noreturn]] void Fail(const QString& reason) const;

    QString location_;
    QSettings::Format format_;
};

// Where the current user's INI file lies on systems without a registry.
QString UserSettingsIniPath();

}  // namespace zarvex::platform
