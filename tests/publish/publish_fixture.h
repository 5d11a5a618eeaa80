// A throw-away program install, scratch folder and project folder for the
// staging, publishing and report tests, with an agent that records its progress.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "model/preorder_tree.h"
#include "publish/applet_agent.h"
#include "support/files.h"
#include "support/recording_progress.h"

namespace zarvex::testing {

// The nine default menu images and the shadow image, in collection order.
const std::vector<std::string>& DefaultImageNames();

class PublishFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Scratch files go to a folder of their own instead of the data folder.
    void UseSeparateScratchFolder();

    // Appends an item at the given level (0 = under the root), in pre-order.
    void AddItem(int level, const std::string& text, const std::string& icon = "");

    static void WriteFile(const std::filesystem::path& path, const std::string& content) {
        WriteBytes(path, content);
    }
    static std::string ReadFile(const std::filesystem::path& path) { return ReadBytes(path); }
    // Names of the regular files directly in folder.
    static std::set<std::string> FilesIn(const std::filesystem::path& folder) {
        const std::vector<std::string> names = FileNames(folder);
        return {names.begin(), names.end()};
    }

    std::filesystem::path root_;
    std::filesystem::path data_;     // the program's shipped files
    std::filesystem::path scratch_;  // build outputs and preview/ (the data folder by default)
    std::filesystem::path project_;  // where designs are published
    RecordingProgress progress_;
    PreorderTree tree_;
    TkavoAppletAgent agent_{&progress_};
};

}  // namespace zarvex::testing
