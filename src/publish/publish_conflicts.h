// Files of other designs that a save-and-publish would replace. Designs that share
// a folder share it file by file: a page and report belong to the project of the
// same base name, a stylesheet and script to every project of that menu name.
#pragma once

#include <string>
#include <vector>

namespace zarvex {

// The files in folder that publishing a design whose menu is menuName under
// fileName (see PublishProject) would replace although they belong to another
// design: the project file itself when it exists and is none of ownProjects (the
// files the author opened, saved or chose to replace), the page and report of
// another project of the same base name, and the stylesheet and configuration
// script when another project in folder has the same menu name. In the order
// found, each once.
std::vector<std::string> OtherDesignsFiles(const std::string& folder, const std::string& fileName,
                                           const std::string& menuName,
                                           const std::vector<std::string>& ownProjects);

// The menu name in a project file's parameter line, read from the file's first
// 64 KiB; empty when the file cannot be read or holds none.
std::string ProjectMenuName(const std::string& projectPath);

}  // namespace zarvex
