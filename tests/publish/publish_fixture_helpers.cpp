#include <unistd.h>

#include <fstream>
#include <iterator>

#include "publish/publish_fixture.h"

namespace zarvex::testing {

namespace fs = std::filesystem;

const std::vector<std::string>& DefaultImageNames() {
    static const std::vector<std::string> names{
        "arrowr.gif",   "arrowrh.gif", "sep.gif",      "scrollu.gif",  "scrolluh.gif",
        "scrollud.gif", "scrolld.gif", "scrolldh.gif", "scrolldd.gif", "shadow.png"};
    return names;
}

void PublishFixture::SetUp() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "-" + info->name();
    for (char& c : name)
        if (c == '/')
            c = '_';
    root_ =
        fs::temp_directory_path() / ("zarvex-publish-" + std::to_string(::getpid()) + "-" + name);
    fs::remove_all(root_);
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

void PublishFixture::WriteFile(const fs::path& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary);
    out << content;
}

std::string PublishFixture::ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::set<std::string> PublishFixture::FilesIn(const fs::path& folder) {
    std::set<std::string> names;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder, ec))
        if (e.is_regular_file())
            names.insert(e.path().filename().string());
    return names;
}

}  // namespace zarvex::testing
