// zarvex-cli: the headless front end over the core.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace zarvex::cli {

// Runs one command line (args without the program name). Returns the exit status:
// 0 on success, 1 after one line on err naming the file (and line) and the reason.
// velmo.js and the default images are read from the folder of the executable.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace zarvex::cli
