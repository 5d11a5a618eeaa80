// Menu-wide and item records. All values are text (the bytes of the project file);
// conversion happens only at the edges (controls, CSS, script).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/field_text.h"
#include "model/fields.h"

namespace zarvex {

using TStringArray = std::vector<std::string>;

struct TAppletData {
#define ZARVEX_MEMBER(name, def) std::string name = def;
    ZARVEX_APPLET_FIELDS(ZARVEX_MEMBER)
#undef ZARVEX_MEMBER

    bool operator==(const TAppletData&) const = default;
};

// An item's fields are FieldText: a design may hold hundreds of thousands of items.
struct TItemData {
    // Members start empty; NewItemRecord() gives the defaults ("Item", "_self").
#define ZARVEX_MEMBER(name, def) FieldText name;
    ZARVEX_ITEM_FIELDS(ZARVEX_MEMBER)
#undef ZARVEX_MEMBER

    bool operator==(const TItemData&) const = default;
    // Field by field, so that moving blocks of records (std::rotate) swaps words only.
    friend void swap(TItemData& a, TItemData& b) noexcept {
#define ZARVEX_SWAP(name, def) swap(a.name, b.name);
        ZARVEX_ITEM_FIELDS(ZARVEX_SWAP)
#undef ZARVEX_SWAP
    }
};

using TItemArray = std::vector<TItemData>;

struct TLinkedFileInfo {
    std::string FileName;
    std::string FileType;
    std::uint8_t DeleteAfterCopy = 0;

    bool operator==(const TLinkedFileInfo&) const = default;
};

using TLinkedFileInfoArray = std::vector<TLinkedFileInfo>;

// Field descriptors, in file order.
template <typename Record, typename Text = std::string>
struct FieldInfo {
    std::string_view name;
    std::string_view defaultText;
    Text Record::*member;
};

enum class AppletField : std::size_t {
#define ZARVEX_ENUM(name, def) name,
    ZARVEX_APPLET_FIELDS(ZARVEX_ENUM)
#undef ZARVEX_ENUM
};

enum class ItemField : std::size_t {
#define ZARVEX_ENUM(name, def) name,
    ZARVEX_ITEM_FIELDS(ZARVEX_ENUM)
#undef ZARVEX_ENUM
};

inline constexpr std::size_t kAppletFieldCount = 42;
inline constexpr std::size_t kItemFieldCount = 10;

inline constexpr std::array<FieldInfo<TAppletData>, kAppletFieldCount> kAppletFields{{
#define ZARVEX_INFO(name, def) {#name, def, &TAppletData::name},
    ZARVEX_APPLET_FIELDS(ZARVEX_INFO)
#undef ZARVEX_INFO
}};

inline constexpr std::array<FieldInfo<TItemData, FieldText>, kItemFieldCount> kItemFields{{
#define ZARVEX_INFO(name, def) {#name, def, &TItemData::name},
    ZARVEX_ITEM_FIELDS(ZARVEX_INFO)
#undef ZARVEX_INFO
}};

inline std::string& Field(TAppletData& d, AppletField f) {
    return d.*kAppletFields[static_cast<std::size_t>(f)].member;
}
inline const std::string& Field(const TAppletData& d, AppletField f) {
    return d.*kAppletFields[static_cast<std::size_t>(f)].member;
}
inline FieldText& Field(TItemData& d, ItemField f) {
    return d.*kItemFields[static_cast<std::size_t>(f)].member;
}
inline const FieldText& Field(const TItemData& d, ItemField f) {
    return d.*kItemFields[static_cast<std::size_t>(f)].member;
}

TAppletData DefaultAppletData();
TItemData NewItemRecord();

// Record <-> list. The list form has exactly 42 (10) entries in field order;
// FromList takes missing trailing entries as empty text and ignores extra ones.
TStringArray ToList(const TAppletData& d);
TStringArray ToList(const TItemData& d);
TAppletData AppletDataFromList(const TStringArray& list);
TItemData ItemDataFromList(const TStringArray& list);

// An item whose trimmed, lower-cased text is "separator".
bool IsSeparatorText(std::string_view text);

}  // namespace zarvex
