// The commands of zarvex-cli, one function each. They raise on failure; Run()
// words the failure and sets the exit status.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace zarvex::cli {

struct PublishRequest {
    std::string project;
    std::optional<std::string> toFolder;  // default: the project's folder
    std::optional<std::string> name;      // default: the project's file name
    bool strict = false;  // images found nowhere or outside the project fail the publish
    bool force = false;   // files of other designs in the folder may be replaced
};

// Writes "warning: FILE not found" to warnings for each image found nowhere, and a
// line for each image name that leads out of the project folder (never read).
// Refuses, unless force is set, when the publish would replace a file of another
// design in the folder (see OtherDesignsFiles), before anything is written.
void PublishCommand(const PublishRequest& request, const std::string& dataFolder,
                    std::ostream& warnings);
void HtmlCommand(const std::string& project, const std::string& dataFolder, std::ostream& out);
void ReportCommand(const std::string& project, const std::string& dataFolder, std::ostream& out);
// Returns the path written: out with ".gms" appended as the window's Export does.
std::string ExportGmsCommand(const std::string& project, const std::string& out,
                             const std::string& dataFolder);
// settingsPath, when given, holds the menu fields as lines "FieldName=value" (blank
// lines and lines starting with '#' are skipped); fields it leaves out keep their
// defaults. The project is written by the program's own writer.
void ImportGmsCommand(const std::string& in, const std::string& outProject,
                      const std::string& dataFolder,
                      const std::optional<std::string>& settingsPath = std::nullopt);

// out unless its last four characters, lower-cased, are ".gms"; then out + ".gms".
std::string WithStructureExtension(const std::string& out);

}  // namespace zarvex::cli
