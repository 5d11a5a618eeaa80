// The cases of a golden test: one sub-folder per case, holding its input and the
// expected output files.
#pragma once

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace zarvex::testing {

// The names of folder's sub-folders, sorted, for INSTANTIATE_TEST_SUITE_P.
inline std::vector<std::string> GoldenCaseNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.is_directory())
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace zarvex::testing
