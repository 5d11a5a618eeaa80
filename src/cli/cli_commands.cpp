#include "cli/cli_commands.h"

#include "cli/cli_errors.h"
#include "cli/cli_session.h"
#include "cli/publish_into_folder.h"
#include "model/file_helpers.h"
#include "model/safe_file.h"
#include "model/text_util.h"
#include "publish/file_ops.h"
#include "publish/publish_names.h"

namespace zarvex::cli {

namespace {
const char* const kNoItemMessage = "No item to build. Please add item to left pane and try again.";
}  // namespace

std::string WithStructureExtension(const std::string& out) {
    if (out.size() >= 4 && AsciiLower(std::string_view(out).substr(out.size() - 4)) == ".gms")
        return out;
    return out + ".gms";
}

void PublishCommand(const PublishRequest& request, const std::string& dataFolder,
                    std::ostream& warnings) {
    const std::string name = request.name.value_or(BareFileName(request.project));
    if (name.find_first_of("/\\") != std::string::npos || PublishBaseName(name).empty())
        throw UsageError("publish: '" + name + "' is not a usable project name");
    CliSession session(dataFolder);
    session.Open(request.project, true);
    PublishIntoFolder(session.agent(), request.toFolder.value_or(FolderOf(request.project)), name,
                      request.project, request.strict);
    for (const std::string& missing : session.agent().UncopiedFiles)
        warnings << "warning: " << missing << " not found\n";
    session.agent().ClearPreviewFolder();
}

void HtmlCommand(const std::string& project, const std::string& dataFolder, std::ostream& out) {
    CliSession session(dataFolder);
    session.Open(project, false);
    if (session.tree().NodeCount() < 2)
        throw CliError(project + ": " + kNoItemMessage);
    const std::string page = session.BuildPage();
    out.write(page.data(), static_cast<std::streamsize>(page.size()));
}

void ReportCommand(const std::string& project, const std::string& dataFolder, std::ostream& out) {
    CliSession session(dataFolder);
    session.Open(project, false);
    // The build names the linked files after the menu, as a publish would.
    session.BuildPage();
    const std::string report = session.agent().PublishReportText();
    out.write(report.data(), static_cast<std::streamsize>(report.size()));
}

std::string ExportGmsCommand(const std::string& project, const std::string& out,
                             const std::string& dataFolder) {
    CliSession session(dataFolder);
    session.Open(project, false);
    const std::string path = WithStructureExtension(out);
    session.agent().ExportStructure(path);
    return path;
}

void ImportGmsCommand(const std::string& in, const std::string& outProject,
                      const std::string& dataFolder) {
    CliSession session(dataFolder);
    session.tree().ResetToRoot();
    session.agent().ImportStructure(in, session.tree());
    session.agent().SaveProjectFile(outProject);
}

}  // namespace zarvex::cli
