#include "codegen/built_menu.h"

#include <stdexcept>

#include "codegen/html_snippet.h"
#include "codegen/prepare_items.h"
#include "codegen/script_config.h"
#include "codegen/stylesheet.h"
#include "model/errors.h"
#include "model/text_util.h"
#include "model/tree_shape.h"

namespace zarvex {

BuiltMenu BuildMenuInMemory(const TkavoAppletAgent& agent) {
    const IDesignTree* tree = agent.Tree();
    if (!tree ||
        static_cast<long long>(tree->NodeCount()) - 1 != static_cast<long long>(agent.Items.size()))
        throw BuildError("Cannot build the menu: the design tree and the item list disagree.");
    if (agent.LinkedFiles.size() < 3)
        throw BuildError("Cannot build the menu: the list of linked files is incomplete.");
    TreeShape shape = [&] {
        try {
            return TreeShape::Of(*tree);
        } catch (const std::invalid_argument&) {
            throw BuildError("Cannot build the menu: the design tree is not a well-formed tree.");
        }
    }();

    TAppletData menu = agent.MenuParameters;
    TItemArray items = agent.Items;
    TLinkedFileInfoArray linked = agent.LinkedFiles;
    BuiltMenu built;
    built.stylesheet = StylesheetText(menu);
    PrepareItemsForBuild(menu, items, shape);
    menu.ListId = menu.MenuName + "_ul";
    built.stylesheetName = StylesheetFileName(menu);
    built.scriptName = ConfigScriptFileName(menu);
    linked[2].FileName = built.stylesheetName;
    linked[1].FileName = built.scriptName;
    built.script = ConfigScriptText(menu);
    built.snippet = HtmlSnippetText(menu, items, linked, shape);

    for (std::size_t i = 0; i < linked.size(); ++i)
        if (i != 1 && i != 2)
            built.linkedFiles.push_back(linked[i].FileName);
    // The nine image-name fields stand together in the record, arrow first.
    const auto addResource = [&](const std::string& name) {
        if (!Trim(name).empty())
            built.resources.push_back(name);
    };
    for (auto f = static_cast<std::size_t>(AppletField::ArrowImage);
         f <= static_cast<std::size_t>(AppletField::ScrollDownImagePressed); ++f)
        addResource(menu.*kAppletFields[f].member);
    addResource("shadow.png");
    for (const TItemData& item : items)
        addResource(item.Icon);
    return built;
}

}  // namespace zarvex
