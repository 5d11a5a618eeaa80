#include "file_format_helpers.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

namespace zarvex::testing {

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("zarvex-files-") + info->test_suite_name() + "-" + info->name();
    std::replace(name.begin(), name.end(), '/', '_');
    dir_ = fs::temp_directory_path() / name;
    fs::remove_all(dir_);
    fs::create_directories(dir_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    fs::remove_all(dir_, ec);
}

std::vector<std::string> ScratchFolder::Names() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool RecordingProgress::EndsReset() const {
    if (events.empty())
        return true;
    const std::size_t n = events.size();
    return n >= 3 && events[n - 3] == "pos 0" && events[n - 2] == "status " &&
           events[n - 1] == "busy 0";
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::string TreeDump(const PreorderTree& tree) {
    std::string out;
    for (int i = 0; i < tree.NodeCount(); ++i)
        out += std::string(2 * tree.NodeLevel(i), ' ') + tree.Caption(i) + "\n";
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
