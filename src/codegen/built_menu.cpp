#include "codegen/built_menu.h"

#include "codegen/assemble_code.h"

namespace zarvex {

BuiltMenu BuildMenuInMemory(const AppletDesign& agent) {
    TAppletData menu = agent.MenuParameters;
    TItemArray items = agent.Items;
    TLinkedFileInfoArray linked = agent.LinkedFiles;
    BuiltMenu built{AssembleCode(agent, menu, items, linked), {}, {}, menu.ListId, menu.MenuName};
    for (std::size_t i = 0; i < linked.size(); ++i)
        if (i != kConfigScriptEntry && i != kStylesheetEntry)
            built.linkedFiles.push_back(linked[i].FileName);
    built.resources = ResourceNames(menu, items);
    return built;
}

}  // namespace zarvex
