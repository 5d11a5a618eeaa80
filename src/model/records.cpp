#include "model/records.h"

#include "model/text_util.h"

namespace zarvex {

TAppletData DefaultAppletData() {
    return TAppletData{};
}

TItemData NewItemRecord() {
    TItemData item;
    for (const auto& f : kItemFields)
        item.*f.member = f.defaultText;
    return item;
}

namespace {
template <typename Record, typename Text, std::size_t N>
TStringArray ToListImpl(const Record& d, const std::array<FieldInfo<Record, Text>, N>& table) {
    TStringArray out;
    out.reserve(N);
    for (const auto& f : table)
        out.emplace_back(std::string_view(d.*f.member));
    return out;
}

template <typename Record, typename Text, std::size_t N>
Record FromListImpl(const TStringArray& list, const std::array<FieldInfo<Record, Text>, N>& table) {
    Record d;
    for (std::size_t i = 0; i < N; ++i)
        d.*table[i].member = i < list.size() ? std::string_view(list[i]) : std::string_view();
    return d;
}
}  // namespace

TStringArray ToList(const TAppletData& d) {
    return ToListImpl(d, kAppletFields);
}
TStringArray ToList(const TItemData& d) {
    return ToListImpl(d, kItemFields);
}
TAppletData AppletDataFromList(const TStringArray& list) {
    return FromListImpl(list, kAppletFields);
}
TItemData ItemDataFromList(const TStringArray& list) {
    return FromListImpl(list, kItemFields);
}

bool IsSeparatorText(std::string_view text) {
    return EqualsIgnoreCase(Trim(text), "separator");
}

}  // namespace zarvex
