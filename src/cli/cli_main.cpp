#include "cli/cli_main.h"

#include <exception>
#include <optional>

#include "cli/cli_commands.h"
#include "cli/cli_errors.h"
#include "cli/exchange_commands.h"
#include "publish/app_folders.h"
#include "version.h"

namespace zarvex::cli {

namespace {

const char* const kUsageHead =
    "Usage: zarvex-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  publish PROJECT [--to FOLDER] [--name NAME] [--strict] [--force]\n"
    "                 open PROJECT and save-and-publish it: the page, the scripts,\n"
    "                 the stylesheet, the project file, the publish report and the\n"
    "                 images go into FOLDER (default: the project's folder, created\n"
    "                 when missing) under NAME (default: the project's file name);\n"
    "                 all or nothing. An image found nowhere or outside the\n"
    "                 project's folder is a warning on standard error, and a\n"
    "                 failure with --strict. A file of another design in FOLDER\n"
    "                 (its project file, page, stylesheet or script) is replaced\n"
    "                 only with --force\n"
    "  html PROJECT   write the HTML snippet of the design to standard output\n"
    "  report PROJECT write the publish report of the design to standard output\n"
    "  export-gms PROJECT OUT\n"
    "                 write the item tree as a menu structure file (\".gms\" is\n"
    "                 appended to OUT unless it ends in it)\n"
    "  import-gms IN OUT.zarvex [--settings FILE]\n"
    "                 import a menu structure file and write it as a project file;\n"
    "                 FILE sets menu fields, one \"FieldName=value\" a line\n";
const char* const kUsageTail =
    "  --help         show this text\n"
    "  --version      show the program version\n"
    "\n"
    "Exit status: 0 on success, 1 on failure (one line on standard error).\n";

const std::string kUsage = std::string(kUsageHead) + kExchangeUsage + kUsageTail;

// The positional arguments and --to/--name options of one command.
struct ParsedArgs {
    std::vector<std::string> positional;
    std::optional<std::string> to;
    std::optional<std::string> name;
    bool strict = false;
    bool force = false;
    std::optional<std::string> settings;
};

ParsedArgs Parse(const std::string& command, const std::vector<std::string>& args,
                 bool takesOptions) {
    ParsedArgs parsed;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::optional<std::string>* option = nullptr;
        std::string optionName = a;
        std::optional<std::string> inlineValue;
        if (const std::size_t eq = a.find('='); a.rfind("--", 0) == 0 && eq != std::string::npos) {
            optionName = a.substr(0, eq);
            inlineValue = a.substr(eq + 1);
        }
        if (takesOptions && optionName == "--to")
            option = &parsed.to;
        if (takesOptions && optionName == "--name")
            option = &parsed.name;
        if (takesOptions && optionName == "--settings" && command == "import-gms")
            option = &parsed.settings;
        if (takesOptions && a == "--strict") {
            parsed.strict = true;
        } else if (takesOptions && a == "--force" && command == "publish") {
            parsed.force = true;
        } else if (option) {
            if (*option)
                throw UsageError(command + ": " + optionName + " given twice");
            if (!inlineValue && i + 1 >= args.size())
                throw UsageError(command + ": " + optionName + " needs a value");
            *option = inlineValue ? *inlineValue : args[++i];
            if ((*option)->empty())
                throw UsageError(command + ": " + optionName + " is empty");
        } else if (a.size() > 1 && a[0] == '-' && a != "--") {
            throw UsageError(command + ": unknown option '" + a + "'");
        } else {
            parsed.positional.push_back(a);
        }
    }
    return parsed;
}

void ExpectPositional(const std::string& command, const ParsedArgs& parsed, std::size_t count,
                      const char* names) {
    if (parsed.positional.size() != count)
        throw UsageError(command + ": expected " + names);
    for (const std::string& p : parsed.positional)
        if (p.empty())
            throw UsageError(command + ": an empty file name was given");
}

// Runs one command. contextFile receives the file that failures naming no file
// of their own are put on.
void Dispatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              const std::string& data, std::string& contextFile) {
    const std::string& command = args[0];
    if (command == "publish") {
        const ParsedArgs p = Parse(command, args, true);
        ExpectPositional(command, p, 1, "PROJECT [--to FOLDER] [--name NAME] [--strict] [--force]");
        contextFile = p.positional[0];
        PublishCommand({p.positional[0], p.to, p.name, p.strict, p.force}, data, err);
    } else if (command == "html" || command == "report") {
        const ParsedArgs p = Parse(command, args, false);
        ExpectPositional(command, p, 1, "PROJECT");
        contextFile = p.positional[0];
        if (command == "html") {
            HtmlCommand(p.positional[0], data, out);
        } else {
            ReportCommand(p.positional[0], data, out);
        }
    } else if (command == "export-gms") {
        const ParsedArgs p = Parse(command, args, false);
        ExpectPositional(command, p, 2, "PROJECT OUT");
        contextFile = p.positional[0];
        ExportGmsCommand(p.positional[0], p.positional[1], data);
    } else if (command == "import-gms") {
        const ParsedArgs p = Parse(command, args, true);
        if (p.to || p.name)
            throw UsageError(command + ": unknown option '" + (p.to ? "--to" : "--name") + "'");
        ExpectPositional(command, p, 2, "IN OUT.zarvex [--settings FILE]");
        contextFile = p.positional[0];
        ImportGmsCommand(p.positional[0], p.positional[1], data, p.settings);
    } else if (!RunExchangeCommand(args, out, err, data, contextFile)) {
        throw UsageError("unknown command '" + command + "'");
    }
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << kUsage;
        return 1;
    }
    const std::string& command = args[0];
    if (command == "--help" || command == "-h" || command == "help") {
        out << kUsage;
        return 0;
    }
    if (command == "--version") {
        out << "zarvex-cli " << kVersionText << "\n";
        return 0;
    }
    std::string contextFile = command;
    try {
        const std::string data = ProgramDataFolder();
        Dispatch(args, out, err, data, contextFile);
        out.flush();
        if (!out)
            throw CliError("standard output: write failed");
        return 0;
    } catch (const UsageError& e) {
        err << "zarvex-cli: " << e.what() << " (see zarvex-cli --help)\n";
    } catch (const std::exception& e) {
        err << "zarvex-cli: " << DescribeFailure(e, contextFile) << "\n";
    }
    return 1;
}

}  // namespace zarvex::cli
