// Runs the built zarvex-cli as a separate process and captures what it says.
#pragma once

#include <string>
#include <vector>

namespace zarvex::testing {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

CliResult RunCli(const std::vector<std::string>& args);

}  // namespace zarvex::testing
