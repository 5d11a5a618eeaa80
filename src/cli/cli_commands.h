// The commands of zarvex-cli, one function each. They raise on failure; Run()
// words the failure and sets the exit status.
#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace zarvex::cli {

struct PublishRequest {
    std::string project;
    std::optional<std::string> toFolder;  // default: the project's folder
    std::optional<std::string> name;      // default: the project's file name
    bool strict = false;                  // images found nowhere fail the publish
};

// Writes "warning: FILE not found" to warnings for each image found nowhere.
void PublishCommand(const PublishRequest& request, const std::string& dataFolder,
                    std::ostream& warnings);
void HtmlCommand(const std::string& project, const std::string& dataFolder, std::ostream& out);
void ReportCommand(const std::string& project, const std::string& dataFolder, std::ostream& out);
// Returns the path written: out with ".gms" appended as the window's Export does.
std::string ExportGmsCommand(const std::string& project, const std::string& out,
                             const std::string& dataFolder);
void ImportGmsCommand(const std::string& in, const std::string& outProject,
                      const std::string& dataFolder);

// out unless its last four characters, lower-cased, are ".gms"; then out + ".gms".
std::string WithStructureExtension(const std::string& out);

}  // namespace zarvex::cli
