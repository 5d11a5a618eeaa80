#include "codegen/built_menu.h"

#include "codegen/assemble_code.h"
#include "model/text_util.h"

namespace zarvex {

BuiltMenu BuildMenuInMemory(const TkavoAppletAgent& agent) {
    TAppletData menu = agent.MenuParameters;
    TItemArray items = agent.Items;
    TLinkedFileInfoArray linked = agent.LinkedFiles;
    BuiltMenu built{AssembleCode(agent, menu, items, linked), {}, {}, menu.ListId, menu.MenuName};
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
