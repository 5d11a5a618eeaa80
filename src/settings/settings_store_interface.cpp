#include "settings/settings_store_interface.h"

#include "model/text_util.h"

namespace zarvex::settings {

std::optional<std::int32_t> AsInteger(const StoredValue& value) {
    switch (value.kind) {
        case StoredValue::Kind::Integer:
            return value.integer;
        case StoredValue::Kind::Text: {
            int n = 0;
            if (!TryStrToInt(value.text, n))
                return std::nullopt;
            return static_cast<std::int32_t>(n);
        }
        case StoredValue::Kind::Other:
            break;
    }
    return std::nullopt;
}

std::optional<bool> AsBoolean(const StoredValue& value) {
    const auto n = AsInteger(value);
    if (!n)
        return std::nullopt;
    return *n != 0;
}

std::optional<std::string> AsText(const StoredValue& value) {
    if (value.kind != StoredValue::Kind::Text)
        return std::nullopt;
    return value.text;
}

}  // namespace zarvex::settings
