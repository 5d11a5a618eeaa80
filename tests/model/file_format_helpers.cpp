#include "file_format_helpers.h"

namespace zarvex::testing {

std::string TreeDump(const PreorderTree& tree) {
    std::string out;
    for (int i = 0; i < tree.NodeCount(); ++i)
        out += std::string(2 * tree.NodeLevel(i), ' ') + std::string(tree.Caption(i)) + "\n";
    return out;
}

void FillSampleDesign(TkavoAppletAgent& agent, PreorderTree& tree) {
    agent.ResetToDefaults();
    agent.MenuParameters.MenuName = "Sample";
    agent.MenuParameters.BackgroundColor = "Transparent";
    agent.MenuParameters.BorderColorTop = "transparent";
    agent.MenuParameters.FontFamily = "Caf\xc3\xa9, \xc3\xa9t\xc3\xa9";  // texts are held as UTF-8
    agent.MenuParameters.ListId = "";
    agent.MenuParameters.LocalRootDir = "C:\\Web\\";
    agent.MenuParameters.ScrollDownImage = "";
    agent.LoadedVersion = "0.5";
    struct Row {
        int level;
        const char* text;
    };
    const Row rows[] = {{0, "Home"},      {1, "News"}, {2, "Old news"},
                        {2, "separator"}, {1, ""},     {0, " About "}};
    tree.ResetToRoot();
    std::vector<int> parents = {0};
    for (const Row& r : rows) {
        TItemData item = NewItemRecord();
        item.Text = r.text;
        item.Icon = r.level == 2 ? "i" + std::to_string(agent.Items.size()) + ".gif" : "";
        item.Link = "page.html?a=1&b=" + std::to_string(agent.Items.size());
        item.Target = r.level == 1 ? "" : "_blank";
        item.ToolTip = "Tip <" + std::to_string(r.level) + ">";
        item.Reserved6 = "r6";
        item.Level = std::to_string(r.level);
        item.Reserved9 = "r9 \t";
        item.ParentIndex = "-1";
        agent.Items.push_back(item);
        parents.resize(r.level + 1);
        parents.push_back(tree.AddLastChild(parents[r.level], r.text));
    }
}

}  // namespace zarvex::testing
