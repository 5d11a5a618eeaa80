#include "codegen_test_helpers.h"

#include "model/item_list.h"

namespace zarvex::testing {

namespace fs = std::filesystem;

BuildFixture::BuildFixture(const ScratchFolder& scratch) {
    programFolder = (scratch.path() / "program").string() + "/";
    fs::create_directories(programFolder);
    agent.ResetToDefaults();
    agent.SetFolders({programFolder, programFolder});
    agent.AttachTree(&tree);
}

int BuildFixture::Add(int parentNode, const std::string& text, const std::string& link) {
    const int node = tree.AddLastChild(parentNode, text);
    TItemData item = NewItemRecord();
    item.Text = text;
    item.Link = link;
    items::Insert(agent.Items, node - 1, item);
    return node;
}

}  // namespace zarvex::testing
