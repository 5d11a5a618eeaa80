#include "model/project_file.h"

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
constexpr std::array<std::string_view, 10> kHeaderLines = {
    "<Warning_Info>",
    "Note: This file was created and maintained by Zarvex 1.0.",
    "Do not modify it or script project may not be opened again!",
    "</Warning_Info>",
    "<Product_Name>",
    "Zarvex",
    "</Product_Name>",
    "<Product_Version>",
    "1.0",
    "</Product_Version>",
};
constexpr std::string_view kParametersTag = "<Applet_Parameters>";
constexpr std::string_view kParametersEndTag = "</Applet_Parameters>";
constexpr std::string_view kItemsTag = "<Item_Parameters>";
constexpr std::string_view kItemsEndTag = "</Item_Parameters>";

bool IsAcceptedProduct(std::string_view name) {
    return name == "Zarvex" || name == "Tarvessa";
}

// fields holds N views, the caller's: a fresh array per line would be cleared per
// line, which costs an item more than splitting its line.
template <typename Record, typename Text, std::size_t N>
void ReadRecord(std::string_view line, Record& record,
                const std::array<FieldInfo<Record, Text>, N>& table, std::string_view* fields) {
    SplitFields(line, kFieldSeparator, fields, N);
    AssignFieldsAsUtf8(line, fields, N,
                       [&](std::size_t i) -> decltype(auto) { return record.*table[i].member; });
}

void AppendLine(std::string& out, std::string_view line) {
    out.append(line);
    out.append(kLineEnd);
}

// A typical line's length. Only a reservation: a pass over the records to
// measure them exactly costs more in cache misses than the string's regrowth.
constexpr std::size_t kTypicalLineBytes = 96;
}  // namespace

ProjectFileContent ParseProjectText(std::string_view text, const std::string& path,
                                    const std::function<void()>& onItemsFound) {
    TaggedLineReader reader(path, text);
    ProjectFileContent content;
    content.version =
        ReadProductHeader(reader, text, IsAcceptedProduct, std::string(kProjectRefusedMessage),
                          "the product name", "the product version");
    reader.Advance(kParametersTag);
    reader.Seek(kParametersTag);
    reader.Advance("the parameter line");
    const int parameterLine = reader.LineNumber();
    std::array<std::string_view, kAppletFieldCount> parameterFields;
    ReadRecord(reader.Line(), content.parameters, kAppletFields, parameterFields.data());

    // The item section is searched from the parameter line itself.
    reader.Seek(kItemsTag);
    if (onItemsFound)
        onItemsFound();
    const int firstItemLine = reader.LineNumber() + 1;
    constexpr auto kLevel = static_cast<std::size_t>(ItemField::Level);
    std::optional<FieldFault> itemFault;
    std::array<std::string_view, kItemFieldCount> fields;
    content.treeLevels = ReadItemSection(
        reader, kItemsEndTag, TItemData{}, content.items, itemFault,
        [&](std::string_view line) {
            SplitFields(line, kFieldSeparator, fields.data(), kLevel + 1);
            return fields[kLevel];
        },
        [&](std::string_view line, TItemData& item) {
            ReadRecord(line, item, kItemFields, fields.data());
        });
    content.webPage = ReadWebPageSection(reader);
    RefuseFaultyDesign(path, &content.parameters, parameterLine, itemFault, firstItemLine);
    return content;
}

int ProjectProgressMax(std::size_t itemCount) {
    return static_cast<int>(10 * itemCount + 15);
}

std::string FormatProjectText(const TAppletData& parameters, const TItemArray& items,
                              IProgress& progress, const WebPageOptions& webPage) {
    std::string out;
    out.reserve(1024 + kTypicalLineBytes * items.size());

    for (std::string_view line : kHeaderLines)
        AppendLine(out, line);
    progress.StepProgress(10);

    AppendLine(out, kParametersTag);
    for (const auto& f : kAppletFields) {
        const std::string_view value = parameters.*f.member;
        if (!IsCarriable(value, kFieldSeparator))
            RefuseUncarriable(f.name, -1, kFieldSeparator);
        AppendField(out, value, kFieldSeparator);
    }
    out.append(kLineEnd);
    AppendLine(out, kParametersEndTag);
    progress.StepProgress(5);

    AppendLine(out, kItemsTag);
    for (std::size_t i = 0; i < items.size(); ++i) {
        for (const auto& f : kItemFields) {
            const std::string_view value = items[i].*f.member;
            if (!IsCarriable(value, kFieldSeparator))
                RefuseUncarriable(f.name, static_cast<long long>(i), kFieldSeparator);
            AppendField(out, value, kFieldSeparator);
            progress.StepProgress(1);
        }
        out.append(kLineEnd);
    }
    AppendLine(out, kItemsEndTag);
    out.append(FormatWebPageSection(webPage));
    return out;
}

void AppletDesign::SaveProjectFile(const std::string& path) {
    // The reader refuses a design with such a field: no file is written that could not
    // be opened again, whoever made the design (an import from another format too).
    if (const auto fault = FindDesignFault(MenuParameters, Items))
        throw BuildError("Cannot save the design: " + fault->reason + ".");
    SafeFileWriter writer(path, Faults());
    ProgressScope scope(Progress(), "Saving Data ... ...", ProjectProgressMax(Items.size()));
    writer.Write(FormatProjectText(MenuParameters, Items, Progress(), WebPage));
    writer.Commit();
}

void AppletDesign::LoadProjectFile(const std::string& path, IDesignTree& tree) {
    ProjectFileContent content = ReadDesignFile(Progress(), path, tree, ParseProjectText);
    MenuParameters = std::move(content.parameters);
    Items = std::move(content.items);
    LoadedVersion = std::move(content.version);
    WebPage = content.webPage;
}

}  // namespace zarvex
