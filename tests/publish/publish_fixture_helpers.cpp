#include "publish/publish_fixture.h"

#include "support/scratch_folder.h"

namespace zarvex::testing {

namespace fs = std::filesystem;

const std::vector<std::string>& DefaultImageNames() {
    static const std::vector<std::string> names{
        "arrowr.gif",   "arrowrh.gif", "sep.gif",      "scrollu.gif",  "scrolluh.gif",
        "scrollud.gif", "scrolld.gif", "scrolldh.gif", "scrolldd.gif", "shadow.png"};
    return names;
}

void PublishFixture::SetUp() {
    root_ = FreshFolder("publish");
    data_ = root_ / "app";
    scratch_ = data_;
    project_ = root_ / "project";
    fs::create_directories(data_);
    fs::create_directories(project_);
    WriteFile(data_ / "velmo.js", "velmo runtime\r\n");
    for (const std::string& image : DefaultImageNames())
        WriteFile(data_ / image, "data " + image);
    agent_.SetFolders({data_.string() + "/", scratch_.string() + "/"});
    agent_.AttachTree(&tree_);
    agent_.ResetToDefaults();
}

void PublishFixture::TearDown() {
    fs::remove_all(root_);
}

void PublishFixture::UseSeparateScratchFolder() {
    scratch_ = root_ / "scratch";
    fs::create_directories(scratch_);
    agent_.SetFolders({data_.string() + "/", scratch_.string() + "/"});
}

void PublishFixture::AddItem(int level, const std::string& text, const std::string& icon) {
    TItemData item = NewItemRecord();
    item.Text = text;
    item.Icon = icon;
    item.Level = std::to_string(level);
    agent_.Items.push_back(item);
    tree_.AppendNodes({level + 1}, {text});
}

}  // namespace zarvex::testing
