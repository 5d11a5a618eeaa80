#include "cli/exchange_commands.h"

#include <algorithm>
#include <map>
#include <optional>

#include "cli/cli_errors.h"
#include "cli/cli_session.h"
#include "exchange/exchange_files.h"
#include "exchange/html_import.h"
#include "exchange/sitemap_import.h"
#include "model/text_util.h"

namespace zarvex::cli {

const char* const kExchangeUsage =
    "  import-html PAGE [--list N] [--to OUT.zarvex]\n"
    "                 list the navigation lists of a web page with their item counts\n"
    "                 and first captions; with --list N and --to, import list N as\n"
    "                 a new project\n"
    "  import-sitemap SITEMAP --to OUT.zarvex [--depth N]\n"
    "                 import a sitemap (or a sitemap index and the sitemaps beside\n"
    "                 it) as a menu of its address paths, N levels deep (default 3)\n"
    "  import-json FILE --to OUT.zarvex\n"
    "                 import a design in its JSON form as a new project\n"
    "  export PROJECT --format FORMAT [--to FILE]\n"
    "                 write the design's items for another program to FILE (default:\n"
    "                 standard output); FORMAT is json (with the menu fields), hugo\n"
    "                 (TOML), hugo-yaml, jekyll (YAML) or eleventy (JSON)\n";

namespace {

struct Options {
    std::vector<std::string> positional;
    std::map<std::string, std::string> values;
};

Options ParseOptions(const std::string& command, const std::vector<std::string>& args,
                     const std::vector<std::string>& allowed) {
    Options o;
    for (std::size_t i = 1; i < args.size(); ++i) {
        std::string a = args[i];
        if (a.size() < 2 || a[0] != '-' || a == "--") {
            if (a.empty())
                throw UsageError(command + ": an empty file name was given");
            o.positional.push_back(a);
            continue;
        }
        std::optional<std::string> value;
        if (const std::size_t eq = a.find('='); eq != std::string::npos) {
            value = a.substr(eq + 1);
            a.resize(eq);
        }
        if (std::find(allowed.begin(), allowed.end(), a) == allowed.end())
            throw UsageError(command + ": unknown option '" + a + "'");
        if (o.values.count(a))
            throw UsageError(command + ": " + a + " given twice");
        if (!value && i + 1 >= args.size())
            throw UsageError(command + ": " + a + " needs a value");
        o.values[a] = value ? *value : args[++i];
        if (o.values[a].empty())
            throw UsageError(command + ": " + a + " is empty");
    }
    return o;
}

std::optional<std::string> Value(const Options& o, const char* name) {
    const auto it = o.values.find(name);
    return it == o.values.end() ? std::nullopt : std::optional(it->second);
}

int Number(const std::string& command, const Options& o, const char* name, int fallback) {
    const std::optional<std::string> text = Value(o, name);
    int n = fallback;
    if (text && (!TryStrToInt(*text, n) || n < 1))
        throw UsageError(command + ": " + name + " takes a whole number from 1");
    return n;
}

void ExpectOne(const std::string& command, const Options& o, const char* names) {
    if (o.positional.size() != 1)
        throw UsageError(command + ": expected " + names);
}

std::string RequireTo(const std::string& command, const Options& o) {
    const std::optional<std::string> to = Value(o, "--to");
    if (!to)
        throw UsageError(command + ": --to OUT.zarvex is missing");
    return *to;
}

void Warn(std::ostream& err, const exchange::ImportedDesign& design) {
    for (const std::string& w : design.warnings)
        err << "zarvex-cli: warning: " << w << "\n";
}

void SaveAsProject(exchange::ImportedDesign design, const std::string& to,
                   const std::string& dataFolder, std::ostream& err) {
    Warn(err, design);
    CliSession session(dataFolder);
    exchange::ReplaceDesign(session.agent(), session.tree(), std::move(design));
    session.agent().SaveProjectFile(to);
}

exchange::ExportFormat FormatNamed(const std::string& name) {
    static const std::map<std::string, exchange::ExportFormat> formats = {
        {"json", exchange::ExportFormat::Json},
        {"hugo", exchange::ExportFormat::HugoToml},
        {"hugo-yaml", exchange::ExportFormat::HugoYaml},
        {"jekyll", exchange::ExportFormat::Jekyll},
        {"eleventy", exchange::ExportFormat::Eleventy}};
    const auto it = formats.find(name);
    if (it == formats.end())
        throw UsageError("export: unknown format '" + name +
                         "' (json, hugo, hugo-yaml, jekyll or eleventy)");
    return it->second;
}

}  // namespace

bool RunExchangeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                        const std::string& dataFolder, std::string& contextFile) {
    const std::string& command = args[0];
    if (command == "import-html") {
        const Options o = ParseOptions(command, args, {"--list", "--to"});
        ExpectOne(command, o, "PAGE [--list N] [--to OUT.zarvex]");
        contextFile = o.positional[0];
        std::vector<exchange::NavigationList> lists =
            exchange::FindNavigationLists(exchange::ReadImportFile(contextFile), contextFile);
        if (!Value(o, "--list")) {
            if (Value(o, "--to"))
                throw UsageError(command +
                                 ": choose a list with --list N (run without --to to see them)");
            for (std::size_t i = 0; i < lists.size(); ++i)
                out << exchange::ListChoice(lists[i], i + 1) << "\n";
            return true;
        }
        const int n = Number(command, o, "--list", 1);
        if (static_cast<std::size_t>(n) > lists.size())
            throw UsageError(command + ": there is no list " + std::to_string(n) +
                             "; the page holds " + std::to_string(lists.size()));
        SaveAsProject(std::move(lists[static_cast<std::size_t>(n - 1)].design),
                      RequireTo(command, o), dataFolder, err);
    } else if (command == "import-sitemap") {
        const Options o = ParseOptions(command, args, {"--depth", "--to"});
        ExpectOne(command, o, "SITEMAP --to OUT.zarvex [--depth N]");
        contextFile = o.positional[0];
        const int depth = Number(command, o, "--depth", exchange::kDefaultSitemapDepth);
        if (depth > exchange::kMaxImportLevel)
            throw UsageError(command + ": --depth is at most " +
                             std::to_string(exchange::kMaxImportLevel));
        const std::string to = RequireTo(command, o);
        SaveAsProject(exchange::ImportSitemapFile(contextFile, depth), to, dataFolder, err);
    } else if (command == "import-json") {
        const Options o = ParseOptions(command, args, {"--to"});
        ExpectOne(command, o, "FILE --to OUT.zarvex");
        contextFile = o.positional[0];
        const std::string to = RequireTo(command, o);
        SaveAsProject(exchange::ImportJsonFile(contextFile), to, dataFolder, err);
    } else if (command == "export") {
        const Options o = ParseOptions(command, args, {"--format", "--to"});
        ExpectOne(command, o, "PROJECT --format FORMAT [--to FILE]");
        const std::optional<std::string> format = Value(o, "--format");
        if (!format)
            throw UsageError(command + ": --format is missing");
        const exchange::ExportFormat chosen = FormatNamed(*format);
        contextFile = o.positional[0];
        CliSession session(dataFolder);
        session.Open(contextFile, false);
        const std::string text = exchange::ExportText(session.agent(), chosen);
        if (const std::optional<std::string> to = Value(o, "--to"))
            exchange::WriteExportFile(*to, text);
        else
            out.write(text.data(), static_cast<std::streamsize>(text.size()));
    } else {
        return false;
    }
    return true;
}

}  // namespace zarvex::cli
