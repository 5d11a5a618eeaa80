// The commands that bring designs in from other programs' files and send them out:
// import-html, import-sitemap, import-json and export.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace zarvex::cli {

// Their lines of the usage text.
extern const char* const kExchangeUsage;

// Runs args when args[0] names one of these commands and returns true; false for
// any other command. contextFile receives the file the command works on.
bool RunExchangeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                        const std::string& dataFolder, std::string& contextFile);

}  // namespace zarvex::cli
