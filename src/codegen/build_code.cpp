// BuildCode: the design to its three generated files. Every text is assembled in
// memory before any file is touched; the three files are then written as one
// FileBatch, so a refused or failed build leaves the previous files as they
// were. A refused build changes nothing; a build that fails while writing has
// already prepared the items (levels, parents, rewritten links) in the model.
#include <stdexcept>
#include <string>
#include <string_view>

#include "codegen/assemble_code.h"
#include "codegen/code_generator.h"
#include "codegen/html_snippet.h"
#include "codegen/prepare_items.h"
#include "codegen/script_config.h"
#include "codegen/static_list_style.h"
#include "codegen/stylesheet.h"
#include "model/errors.h"
#include "model/file_batch.h"
#include "model/menu_field_checks.h"
#include "model/text_util.h"
#include "model/tree_shape.h"

namespace zarvex {

namespace {

void CheckBuildable(const AppletDesign& agent) {
    const IDesignTree* tree = agent.Tree();
    if (!tree)
        throw BuildError("Cannot build the menu: no design tree is attached.");
    const long long itemNodes = static_cast<long long>(tree->NodeCount()) - 1;
    if (itemNodes != static_cast<long long>(agent.Items.size()))
        throw BuildError("Cannot build the menu: the design tree has " + std::to_string(itemNodes) +
                         " items but the item list holds " + std::to_string(agent.Items.size()) +
                         ".");
    if (agent.LinkedFiles.size() <= kStylesheetEntry)
        throw BuildError(
            "Cannot build the menu: the list of linked files lacks the configuration script and "
            "stylesheet entries.");
    // Every field that reaches the stylesheet, the script or the page as something
    // other than HTML; the menu name also becomes two file names in the program folder.
    CheckDesignFields(agent.MenuParameters, agent.Items);
}

TreeShape ShapeOf(const IDesignTree& tree) {
    try {
        return TreeShape::Of(tree);
    } catch (const std::invalid_argument&) {
        throw BuildError("Cannot build the menu: the design tree is not a well-formed tree.");
    }
}

}  // namespace

GeneratedCode AssembleCode(const AppletDesign& agent, TAppletData& menu, TItemArray& items,
                           TLinkedFileInfoArray& linked) {
    CheckBuildable(agent);
    const TreeShape shape = ShapeOf(*agent.Tree());

    GeneratedCode code;
    // The only conversions of a build; a refusal here changes nothing at all.
    code.stylesheet = StylesheetText(menu);
    // before the file's last line end, where a rule of the template would follow
    if (agent.WebPage.listWithoutScripts)
        code.stylesheet.insert(code.stylesheet.size() - 2, StaticListRules(menu));

    PrepareItemsForBuild(menu, items, shape);
    menu.ListId = menu.MenuName + "_ul";
    code.stylesheetName = StylesheetFileName(menu);
    code.scriptName = ConfigScriptFileName(menu);
    linked[kStylesheetEntry].FileName = code.stylesheetName;
    linked[kConfigScriptEntry].FileName = code.scriptName;

    code.script = ConfigScriptText(menu);
    code.snippet = HtmlSnippetText(menu, items, linked, shape, agent.WebPage);
    return code;
}

GeneratedCode GenerateCode(AppletDesign& design) {
    return AssembleCode(design, design.MenuParameters, design.Items, design.LinkedFiles);
}

namespace {

// The two program-folder files and, when htmlPath is given, the snippet: all or none.
GeneratedCode WriteBuild(AppletDesign& agent, const std::string* htmlPath) {
    CheckBuildable(agent);
    ProgressScope scope(agent.Progress(), "Making HTML Codes ... ...");
    GeneratedCode code = GenerateCode(agent);
    FileBatch files(agent.Faults());
    files.Add(agent.ProgramFolder() + code.stylesheetName, code.stylesheet);
    files.Add(agent.ProgramFolder() + code.scriptName, code.script);
    if (htmlPath)
        files.Add(*htmlPath, code.snippet);
    files.Commit();
    return code;
}

}  // namespace

void BuildCode(AppletDesign& design, const std::string& htmlPath) {
    WriteBuild(design, &htmlPath);
}

GeneratedCode BuildProgramFiles(AppletDesign& design) {
    return WriteBuild(design, nullptr);
}

std::vector<std::string> ResourceNames(const TAppletData& menu, const TItemArray& items) {
    std::vector<std::string> names;
    // Called for every item of the design, most without an icon: nothing is copied for those.
    const auto add = [&names](std::string_view name) {
        if (!Trim(name).empty())
            names.emplace_back(name);
    };
    // The nine image-name fields stand together in the record, arrow first.
    for (auto f = static_cast<std::size_t>(AppletField::ArrowImage);
         f <= static_cast<std::size_t>(AppletField::ScrollDownImagePressed); ++f)
        add(menu.*kAppletFields[f].member);
    add("shadow.png");
    for (const TItemData& item : items)
        add(item.Icon);
    return names;
}

void CollectResourceFiles(AppletDesign& design) {
    design.ResourceFiles = ResourceNames(design.MenuParameters, design.Items);
}

}  // namespace zarvex
