// A settings store held in memory, for tests and for running without a user store. It
// can be made unreadable or unwritable to stand in for a store the system refuses.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>

#include "settings/settings_store_interface.h"

namespace zarvex::settings {

class MemorySettingsStore final : public ISettingsStore {
  public:
    bool HasGroup(std::string_view group) const override;
    std::optional<StoredValue> Read(std::string_view group, std::string_view name) const override;
    void Write(std::string_view group, std::string_view name, const StoredValue& value) override;

    // Puts a value in place whatever the failure switches say (test set-up).
    void Put(std::string_view group, std::string_view name, const StoredValue& value);
    // The value as stored, whatever the failure switches say (test inspection).
    std::optional<StoredValue> Peek(std::string_view group, std::string_view name) const;
    void Remove(std::string_view group, std::string_view name);

    void SetUnreadable(bool unreadable) { unreadable_ = unreadable; }
    void SetUnwritable(bool unwritable) { unwritable_ = unwritable; }

    int writeCount() const { return writeCount_; }

  private:
    using Key = std::pair<std::string, std::string>;
    std::map<Key, StoredValue> values_;
    bool unreadable_ = false;
    bool unwritable_ = false;
    int writeCount_ = 0;
};

}  // namespace zarvex::settings
