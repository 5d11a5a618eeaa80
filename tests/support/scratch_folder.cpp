#include "support/scratch_folder.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>

#include <gtest/gtest.h>

namespace zarvex::testing {

namespace fs = std::filesystem;

fs::path FreshFolder(const std::string& tag) {
    static std::atomic<int> counter{0};
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "-" + info->name() : "run";
    std::replace(name.begin(), name.end(), '/', '_');
    const fs::path dir =
        fs::temp_directory_path() / ("zarvex-" + tag + "-" + std::to_string(::getpid()) + "-" +
                                     std::to_string(counter++) + "-" + name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

ScratchFolder::ScratchFolder(const std::string& tag) : path_(FreshFolder(tag)) {}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

std::vector<std::string> ScratchFolder::Names() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(path_))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace zarvex::testing
