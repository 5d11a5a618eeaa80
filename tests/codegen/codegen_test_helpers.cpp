#include "codegen_test_helpers.h"

#include <gtest/gtest.h>

#include <atomic>

#include "model/file_helpers.h"
#include "model/safe_file.h"

namespace zarvex::testing {

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder(const std::string& tag) {
    static std::atomic<int> counter{0};
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->name()) : std::string("run");
    for (char& c : name)
        if (c == '/')
            c = '_';
    path_ = fs::temp_directory_path() /
            ("zarvex-" + tag + "-" + name + "-" + std::to_string(counter++));
    fs::remove_all(path_);
    fs::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

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
    agent.InsertItem(node - 1, item);
    return node;
}

std::map<std::string, std::string> FilesIn(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file())
            files[entry.path().filename().string()] = ReadWholeFile(entry.path().string());
    return files;
}

}  // namespace zarvex::testing
