// zarvex-cli: the headless front end over the core.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace zarvex::cli {

// Runs one command line (args without the program name). Returns the exit status.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace zarvex::cli
