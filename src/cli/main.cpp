#include <iostream>

#include "cli/cli_main.h"
#include "cli/signal_cleanup.h"

int main(int argc, char** argv) {
    zarvex::cli::CleanUpOnSignals();
    std::vector<std::string> args(argv + 1, argv + argc);
    return zarvex::cli::Run(args, std::cout, std::cerr);
}
