#include "model/structure_file.h"

#include <array>
#include <optional>

#include "model/applet_design.h"
#include "model/errors.h"
#include "model/file_helpers.h"
#include "model/item_tree_levels.h"
#include "model/menu_field_checks.h"
#include "model/safe_file.h"
#include "model/tagged_text.h"
#include "model/text_util.h"

namespace zarvex {

namespace {
constexpr std::array<std::string_view, 13> kHeaderLines = {
    "<Generator_Name>",
    "Zarvex",
    "</Generator_Name>",
    "<Generator_Version>",
    "1.0",
    "</Generator_Version>",
    "<Product_Name>",
    "General Menu Structure Description Format",
    "</Product_Name>",
    "<Product_Version>",
    "1.0",
    "</Product_Version>",
    "<Structure_Description>",
};
constexpr std::string_view kFormatName = "General Menu Structure Description Format";
constexpr std::string_view kItemsTag = "<Structure_Description>";
constexpr std::string_view kItemsEndTag = "</Structure_Description>";

bool IsFormatName(std::string_view name) {
    return name == kFormatName;
}

// The item fields a structure line carries, in line order.
constexpr std::array<ItemField, 5> kCarriedFields = {
    ItemField::Level, ItemField::Text, ItemField::Icon, ItemField::Link, ItemField::ToolTip};
static_assert(kCarriedFields[0] == ItemField::Level, "the level is checked as the first field");
}  // namespace

StructureFileContent ParseStructureText(std::string_view text, const std::string& path,
                                        const std::function<void()>& onItemsFound) {
    TaggedLineReader reader(path, text);
    StructureFileContent content;
    content.version =
        ReadProductHeader(reader, text, IsFormatName, std::string(kStructureRefusedMessage),
                          "the format name", "the format version");
    reader.Advance(kItemsTag);
    reader.Seek(kItemsTag);
    if (onItemsFound)
        onItemsFound();

    std::array<std::string_view, kCarriedFields.size()> fields;
    const int firstItemLine = reader.LineNumber() + 1;
    content.treeLevels = ReadItemSection(
        reader, kItemsEndTag, NewItemRecord(), content.items,
        [](std::string_view line) {
            std::string_view level;  // the first carried field
            SplitFields(line, kFieldSeparator, &level, 1);
            return level;
        },
        [&](std::string_view line, TItemData& item) {
            SplitFields(line, kFieldSeparator, fields.data(), fields.size());
            for (std::size_t i = 0; i < fields.size(); ++i)
                AssignAsUtf8(Field(item, kCarriedFields[i]), fields[i]);
        });
    RefuseFaultyDesign(path, nullptr, 0, content.items, firstItemLine);
    return content;
}

std::string FormatStructureText(const TItemArray& items) {
    // A typical line's length, as a reservation only: measuring every record
    // first costs more in cache misses than the string's regrowth.
    constexpr std::size_t kTypicalLineBytes = 64;
    std::string out;
    out.reserve(512 + kTypicalLineBytes * items.size());
    for (std::string_view line : kHeaderLines) {
        out.append(line);
        out.append(kLineEnd);
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        for (ItemField f : kCarriedFields) {
            const std::string_view value = Field(items[i], f);
            if (!IsCarriable(value, kFieldSeparator))
                RefuseUncarriable(kItemFields[static_cast<std::size_t>(f)].name,
                                  static_cast<long long>(i), kFieldSeparator);
            AppendField(out, value, kFieldSeparator);
        }
        out.append(kLineEnd);
    }
    out.append(kItemsEndTag);
    out.append(kLineEnd);
    return out;
}

void AppletDesign::ExportStructure(const std::string& path) {
    // Levels come from the tree the window (or tool) attached; without one the
    // items' own Level fields are taken as they stand.
    if (const IDesignTree* tree = Tree()) {
        if (tree->NodeCount() != static_cast<int>(Items.size()) + 1)
            throw BuildError("The design tree holds " + std::to_string(tree->NodeCount() - 1) +
                             " items but the design has " + std::to_string(Items.size()) +
                             "; the structure was not exported.");
    }
    SafeFileWriter writer(path, Faults());
    ProgressScope scope(Progress(), "Saving Data ... ...",
                        static_cast<int>(10 * Items.size() + 15));
    if (const IDesignTree* tree = Tree()) {
        for (int k = 1; k < tree->NodeCount(); ++k)
            Items[k - 1].Level = std::to_string(tree->NodeLevel(k) - 1);
    }
    const std::string text = FormatStructureText(Items);
    scope.Step(10);
    scope.Step(5);
    writer.Write(text);
    writer.Commit();
}

void AppletDesign::ImportStructure(const std::string& path, IDesignTree& tree) {
    StructureFileContent content = ReadDesignFile(Progress(), path, tree, ParseStructureText);
    MenuParameters = DefaultAppletData();
    Items = std::move(content.items);
    LoadedVersion = std::move(content.version);
}

}  // namespace zarvex
