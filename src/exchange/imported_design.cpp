#include "exchange/imported_design.h"

#include <algorithm>
#include <filesystem>

#include "model/errors.h"
#include "model/file_helpers.h"
#include "model/item_tree_levels.h"
#include "model/text_util.h"

namespace zarvex::exchange {

void DesignBuilder::Add(int treeLevel, TItemData item, int line, const std::string& where) {
    if (treeLevel > kMaxImportLevel)
        throw FileFormatError(path_, line,
                              where + ": the menu is nested deeper than " +
                                  std::to_string(kMaxImportLevel) + " levels");
    item.Text = Clean(std::move(item.Text), "caption", where);
    item.Link = Clean(std::move(item.Link), "link", where);
    item.Target = Clean(std::move(item.Target), "target", where);
    item.ToolTip = Clean(std::move(item.ToolTip), "tooltip", where);
    item.Icon = Clean(std::move(item.Icon), "icon", where);
    item.Level = std::to_string(treeLevel - 1);
    design_.items.push_back(std::move(item));
    design_.treeLevels.push_back(treeLevel);
}

void DesignBuilder::SetMenu(TAppletData menu) {
    for (const auto& field : kAppletFields)
        menu.*field.member =
            Clean(std::move(menu.*field.member), field.name, "menu." + std::string(field.name));
    design_.menu = std::move(menu);
}

std::string DesignBuilder::Clean(std::string text, std::string_view field,
                                 const std::string& where) {
    if (!IsValidUtf8(text))
        text = TextAsUtf8(text);
    bool controls = false;
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            c = ' ';
            controls = true;
        }
    if (controls)
        Warn(path_ + ": " + where + ": line breaks in the " + std::string(field) +
             " were replaced by spaces");
    bool separator = false;
    for (std::size_t at = text.find("#$@"); at != std::string::npos;
         at = text.find("#$@", at + 4)) {
        text.insert(at + 2, 1, ' ');
        separator = true;
    }
    if (separator)
        Warn(path_ + ": " + where + ": the " + std::string(field) +
             " held the field separator \"#$@\", written as \"#$ @\"");
    return text;
}

std::string ReadImportFile(const std::string& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (!ec && size > kMaxImportBytes)
        throw FileFormatError(path, 0,
                              "the file is larger than " + std::to_string(kMaxImportBytes >> 20) +
                                  " MB; save the part that holds the menu and import that");
    std::string text = ReadWholeFile(path);
    if (text.size() > kMaxImportBytes)
        throw FileFormatError(path, 0,
                              "the file is larger than " + std::to_string(kMaxImportBytes >> 20) +
                                  " MB; save the part that holds the menu and import that");
    return text;
}

int LineAt(std::string_view text, std::size_t offset) {
    offset = std::min(offset, text.size());
    return 1 + static_cast<int>(
                   std::count(text.begin(), text.begin() + static_cast<long>(offset), '\n'));
}

void ReplaceDesign(AppletDesign& agent, IDesignTree& tree, ImportedDesign design) {
    RebuildTree(tree, design.items, design.treeLevels);
    agent.MenuParameters = design.menu ? std::move(*design.menu) : DefaultAppletData();
    agent.Items = std::move(design.items);
}

std::vector<int> CurrentTreeLevels(const AppletDesign& agent) {
    std::vector<int> levels;
    levels.reserve(agent.Items.size());
    const IDesignTree* tree = agent.Tree();
    if (tree && tree->NodeCount() == static_cast<int>(agent.Items.size()) + 1) {
        for (int k = 1; k < tree->NodeCount(); ++k)
            levels.push_back(tree->NodeLevel(k));
        return levels;
    }
    for (const TItemData& item : agent.Items) {
        int level = 0;
        levels.push_back(TryStrToInt(item.Level, level) ? level + 1 : 1);
    }
    return levels;
}

}  // namespace zarvex::exchange
