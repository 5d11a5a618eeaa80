#include "settings/memory_settings_store.h"

namespace zarvex::settings {

bool MemorySettingsStore::HasGroup(std::string_view group) const {
    if (unreadable_)
        throw SettingsStoreError("settings store in memory: not readable");
    for (const auto& [key, value] : values_)
        if (key.first == group)
            return true;
    return false;
}

std::optional<StoredValue> MemorySettingsStore::Read(std::string_view group,
                                                     std::string_view name) const {
    if (unreadable_)
        throw SettingsStoreError("settings store in memory: not readable");
    return Peek(group, name);
}

void MemorySettingsStore::Write(std::string_view group, std::string_view name,
                                const StoredValue& value) {
    if (unwritable_)
        throw SettingsStoreError("settings store in memory: not writable");
    Put(group, name, value);
    ++writeCount_;
}

void MemorySettingsStore::Put(std::string_view group, std::string_view name,
                              const StoredValue& value) {
    values_[Key(group, name)] = value;
}

std::optional<StoredValue> MemorySettingsStore::Peek(std::string_view group,
                                                     std::string_view name) const {
    const auto it = values_.find(Key(group, name));
    if (it == values_.end())
        return std::nullopt;
    return it->second;
}

void MemorySettingsStore::Remove(std::string_view group, std::string_view name) {
    values_.erase(Key(group, name));
}

}  // namespace zarvex::settings
