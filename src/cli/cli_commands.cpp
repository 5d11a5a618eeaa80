#include "cli/cli_commands.h"

#include <algorithm>
#include <array>

#include "cli/cli_errors.h"
#include "cli/cli_session.h"
#include "cli/publish_into_folder.h"
#include "model/file_helpers.h"
#include "model/menu_field_checks.h"
#include "model/records.h"
#include "model/safe_file.h"
#include "model/text_util.h"
#include "publish/file_ops.h"
#include "publish/publish_conflicts.h"
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
    if (session.tree().NodeCount() < 2)
        throw CliError(request.project + ": " + kNoItemMessage);
    const std::string folder = request.toFolder.value_or(FolderOf(request.project));
    if (!request.force) {
        const std::vector<std::string> others = OtherDesignsFiles(
            folder, name, session.agent().MenuParameters.MenuName, {request.project});
        if (!others.empty())
            throw CliError(others.front() + ": belongs to another design" +
                           (others.size() > 1
                                ? " (and " + std::to_string(others.size() - 1) + " more file(s))"
                                : std::string()) +
                           "; nothing was written (--force replaces it)");
    }
    PublishIntoFolder(session.agent(), folder, name, request.project, request.strict);
    for (const std::string& missing : session.agent().UncopiedFiles)
        warnings << "warning: " << missing << " not found\n";
    for (const std::string& outside : session.agent().OutsideFiles)
        warnings << "zarvex-cli: publish: '" << outside
                 << "' lies outside the project folder and was not copied\n";
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

namespace {
// What a settings file of import-gms sets: menu fields and web page choices.
struct MenuSettings {
    TAppletData menu;
    WebPageOptions webPage;
};
}  // namespace

MenuSettings ReadMenuSettings(const std::string& path) {
    MenuSettings settings{DefaultAppletData(), {}};
    // The line that set each menu field, for naming a refused one.
    std::array<int, kAppletFieldCount> lines{};
    const std::string text = ReadWholeFile(path);
    std::size_t start = 0;
    for (int lineNumber = 1; start < text.size(); ++lineNumber) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string_view line(text.data() + start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (Trim(line).empty() || line.front() == '#')
            continue;
        const std::size_t eq = line.find('=');
        const std::string_view name = eq == std::string_view::npos ? line : line.substr(0, eq);
        const auto field = std::find_if(kAppletFields.begin(), kAppletFields.end(),
                                        [&](const auto& f) { return f.name == name; });
        const std::string where = path + ":" + std::to_string(lineNumber) + ": '";
        if (eq != std::string_view::npos && field != kAppletFields.end()) {
            settings.menu.*field->member = TextAsUtf8(line.substr(eq + 1));
            lines[static_cast<std::size_t>(field - kAppletFields.begin())] = lineNumber;
            continue;
        }
        // the web page choices, named as the project file's section names them
        const ChoiceResult choice =
            eq == std::string_view::npos
                ? ChoiceResult::UnknownName
                : ApplyWebPageChoice(name, line.substr(eq + 1), settings.webPage);
        if (choice == ChoiceResult::BadValue)
            throw CliError(where + std::string(line) + "' is not a value the choice can take");
        if (choice == ChoiceResult::UnknownName)
            throw CliError(where + std::string(name) + "' is not a menu field");
    }
    if (const auto fault = FindMenuFieldFault(settings.menu)) {
        const auto field = std::find_if(kAppletFields.begin(), kAppletFields.end(),
                                        [&](const auto& f) { return f.name == fault->field; });
        const int line = lines[static_cast<std::size_t>(field - kAppletFields.begin())];
        throw CliError(path + (line > 0 ? ":" + std::to_string(line) : "") + ": " + fault->reason);
    }
    return settings;
}

void ImportGmsCommand(const std::string& in, const std::string& outProject,
                      const std::string& dataFolder,
                      const std::optional<std::string>& settingsPath) {
    CliSession session(dataFolder);
    // Read before the import: a faulty settings file leaves nothing written.
    const std::optional<MenuSettings> settings =
        settingsPath ? std::optional(ReadMenuSettings(*settingsPath)) : std::nullopt;
    session.tree().ResetToRoot();
    session.agent().ImportStructure(in, session.tree());
    if (settings) {
        session.agent().SetMenuParameters(settings->menu);
        session.agent().WebPage = settings->webPage;
    }
    session.agent().SaveProjectFile(outProject);
}

}  // namespace zarvex::cli
