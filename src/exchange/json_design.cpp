#include "exchange/json_design.h"

#include <nlohmann/json.hpp>

#include "exchange/design_outline.h"
#include "model/errors.h"

namespace zarvex::exchange {

namespace {

using Json = nlohmann::json;

constexpr std::string_view kFormatName = "zarvex-menu";

// The carried item fields, in the order they are written.
struct ItemKey {
    const char* key;
    FieldText TItemData::*member;
};
constexpr ItemKey kItemKeys[] = {{"text", &TItemData::Text},
                                 {"link", &TItemData::Link},
                                 {"target", &TItemData::Target},
                                 {"toolTip", &TItemData::ToolTip},
                                 {"icon", &TItemData::Icon}};

[[noreturn]] void Refuse(const std::string& path, const std::string& where,
                         const std::string& reason) {
    throw FileFormatError(path, 0, where + ": " + reason);
}

const Json* Member(const Json& object, const char* key) {
    const auto it = object.find(key);
    return it == object.end() ? nullptr : &*it;
}

void ReadMenu(const Json& menu, const std::string& path, DesignBuilder& builder) {
    if (!menu.is_object())
        Refuse(path, "menu", "expected an object of menu fields");
    TAppletData data = DefaultAppletData();
    for (const auto& [key, value] : menu.items()) {
        const FieldInfo<TAppletData>* field = nullptr;
        for (const auto& f : kAppletFields)
            if (JsonKey(f.name) == key)
                field = &f;
        if (!field)
            Refuse(path, "menu", "'" + key + "' is not a menu field");
        if (!value.is_string())
            Refuse(path, "menu." + key, "expected a string");
        data.*field->member = value.get<std::string>();
    }
    builder.SetMenu(std::move(data));
}

void ReadItem(const Json& object, const std::string& where, const std::string& path, int level,
              DesignBuilder& builder) {
    if (!object.is_object())
        Refuse(path, where, "expected an item object");
    TItemData item = NewItemRecord();
    for (const auto& [key, value] : object.items()) {
        if (key == "items")
            continue;
        const ItemKey* field = nullptr;
        for (const ItemKey& k : kItemKeys)
            if (key == k.key)
                field = &k;
        if (!field)
            Refuse(path, where, "'" + key + "' is not an item field");
        if (!value.is_string())
            Refuse(path, where + "." + key, "expected a string");
        item.*field->member = value.get<std::string>();
    }
    if (!Member(object, "text"))
        Refuse(path, where, "the item has no \"text\"");
    builder.Add(level, std::move(item), 0, where);
}

}  // namespace

std::string JsonKey(std::string_view fieldName) {
    std::string key(fieldName);
    if (!key.empty() && key[0] >= 'A' && key[0] <= 'Z')
        key[0] = static_cast<char>(key[0] - 'A' + 'a');
    return key;
}

std::string FormatDesignJson(const TItemArray& items, const std::vector<int>& treeLevels,
                             const TAppletData* menu) {
    std::string out = "{\n  \"format\": \"zarvex-menu\",\n  \"version\": 1,\n";
    if (menu) {
        out += "  \"menu\": {";
        const char* comma = "\n";
        for (const auto& f : kAppletFields) {
            out += comma;
            out += "    " + QuotedText(JsonKey(f.name)) + ": " + QuotedText(menu->*f.member);
            comma = ",\n";
        }
        out += "\n  },\n";
    }
    out += "  \"items\": [";
    const DesignOutline outline = DesignOutline::Of(std::vector<int>(
        treeLevels.begin(),
        treeLevels.begin() + static_cast<long>(std::min(treeLevels.size(), items.size()))));
    const std::size_t n = outline.level.size();
    out += NestedJson(
        outline.level, "items",
        [&](std::size_t i, const std::string& in) {
            std::string fields;
            for (const ItemKey& k : kItemKeys)
                fields += (fields.empty() ? "" : ",\n") + in + "\"" + k.key +
                          "\": " + QuotedText(items[i].*k.member);
            return fields;
        },
        2);
    out += n ? "\n  ]\n}\n" : "]\n}\n";
    return out;
}

ImportedDesign ParseDesignJson(std::string_view text, const std::string& path) {
    // Two JSON levels (an item object and its "items" array) make one menu level.
    const int maxDepth = 2 * kMaxImportLevel + 2;
    Json root;
    try {
        root = Json::parse(text, [&](int depth, Json::parse_event_t, Json&) {
            if (depth > maxDepth)
                throw FileFormatError(path, 0,
                                      "the menu is nested deeper than " +
                                          std::to_string(kMaxImportLevel) + " levels");
            return true;
        });
    } catch (const Json::parse_error& e) {
        std::string reason = e.what();
        if (const std::size_t colon = reason.find(": "); colon != std::string::npos)
            reason = reason.substr(colon + 2);
        throw FileFormatError(path, LineAt(text, e.byte ? e.byte - 1 : 0),
                              "not valid JSON: " + reason);
    } catch (const Json::exception& e) {
        // A number out of range, for one: valid JSON this program cannot hold.
        std::string reason = e.what();
        if (const std::size_t bracket = reason.find("] "); bracket != std::string::npos)
            reason = reason.substr(bracket + 2);
        throw FileFormatError(path, 0, "not readable JSON: " + reason);
    }

    DesignBuilder builder(path);
    if (!root.is_object())
        Refuse(path, "the document", "expected an object with \"items\"");
    for (const auto& [key, value] : root.items())
        if (key != "$schema" && key != "format" && key != "version" && key != "menu" &&
            key != "items")
            Refuse(path, "the document", "'" + key + "' is not a key of a Zarvex menu");
    if (const Json* format = Member(root, "format"))
        if (!format->is_string() || format->get<std::string>() != kFormatName)
            Refuse(path, "format", "expected \"zarvex-menu\"");
    if (const Json* version = Member(root, "version"))
        if (!version->is_number_integer() || version->get<long long>() != 1)
            Refuse(path, "version", "this program reads version 1");
    if (const Json* menu = Member(root, "menu"))
        ReadMenu(*menu, path, builder);
    const Json* top = Member(root, "items");
    if (!top || !top->is_array())
        Refuse(path, "items", "expected an array of items");

    // Pre-order without recursion: one frame per open "items" array.
    struct Frame {
        const Json* array;
        std::size_t next;
        std::string where;
    };
    std::vector<Frame> stack{{top, 0, "items"}};
    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (frame.next >= frame.array->size()) {
            stack.pop_back();
            continue;
        }
        const std::size_t index = frame.next++;
        const Json& object = (*frame.array)[index];
        const std::string where = frame.where + "[" + std::to_string(index) + "]";
        ReadItem(object, where, path, static_cast<int>(stack.size()), builder);
        if (const Json* children = Member(object, "items")) {
            if (!children->is_array())
                Refuse(path, where + ".items", "expected an array of items");
            stack.push_back({children, 0, where + ".items"});
        }
    }
    return builder.Take();
}

}  // namespace zarvex::exchange
