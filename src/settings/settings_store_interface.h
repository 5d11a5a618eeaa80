// The seam between the preference rules and wherever the preferences are kept (an INI
// file, the registry, or memory in tests). A store is rooted at the program's key and
// holds named values in named groups ("Settings", "Web Browsers").
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace zarvex::settings {

// The store could not be opened, read or written. The message names the store and the reason.
class SettingsStoreError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A value as the store holds it. Stores that keep no types (INI files) give back text;
// AsInteger accepts such text when it is exactly a decimal integer.
struct StoredValue {
    enum class Kind { Integer, Text, Other };

    Kind kind = Kind::Other;
    std::int32_t integer = 0;
    std::string text;

    static StoredValue Integer(std::int32_t value) { return {Kind::Integer, value, {}}; }
    static StoredValue Text(std::string value) { return {Kind::Text, 0, std::move(value)}; }
    static StoredValue Boolean(bool value) { return Integer(value ? 1 : 0); }

    bool operator==(const StoredValue&) const = default;
};

// The value as a 32-bit integer: an integer value, or text that is exactly a decimal
// integer within range (an optional sign and digits). Anything else is of the wrong type.
std::optional<std::int32_t> AsInteger(const StoredValue& value);

// A boolean is an integer that is true when not 0.
std::optional<bool> AsBoolean(const StoredValue& value);

// Text values only; an integer where text is expected is of the wrong type.
std::optional<std::string> AsText(const StoredValue& value);

class ISettingsStore {
  public:
    virtual ~ISettingsStore() = default;

    // Whether the group exists. Throws SettingsStoreError when the store cannot be read.
    virtual bool HasGroup(std::string_view group) const = 0;

    // The value, or nullopt when the group or the value is absent. Throws
    // SettingsStoreError when the store cannot be read.
    virtual std::optional<StoredValue> Read(std::string_view group,
                                            std::string_view name) const = 0;

    // Writes the value, creating the group when missing; the value is kept when this
    // returns. Throws SettingsStoreError when the store cannot be written.
    virtual void Write(std::string_view group, std::string_view name, const StoredValue& value) = 0;
};

}  // namespace zarvex::settings
