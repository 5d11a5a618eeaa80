#include "cli/cli_main.h"

#include "version.h"

namespace zarvex::cli {

namespace {
const char* const kUsage =
    "Usage: zarvex-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  --help        show this text\n"
    "  --version     show the program version\n";
}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << kUsage;
        return 1;
    }
    const std::string& cmd = args[0];
    if (cmd == "--help" || cmd == "-h" || cmd == "help") {
        out << kUsage;
        return 0;
    }
    if (cmd == "--version") {
        out << "zarvex-cli " << kVersionText << "\n";
        return 0;
    }
    err << "zarvex-cli: unknown command '" << cmd << "' (see zarvex-cli --help)\n";
    return 1;
}

}  // namespace zarvex::cli
