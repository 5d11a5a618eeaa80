#include <iostream>

#include "cli/cli_main.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return zarvex::cli::Run(args, std::cout, std::cerr);
}
