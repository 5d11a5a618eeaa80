// How the command-line tool words a failure: "<file>[:<line>]: <reason>", one line.
#pragma once

#include <exception>
#include <stdexcept>
#include <string>

namespace zarvex::cli {

// A failure already worded as "<file>[:<line>]: <reason>".
class CliError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A command line the tool does not understand.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// File errors name their file (and line) themselves; any other error is put on
// contextFile, the file the command was working on. Line breaks become blanks.
std::string DescribeFailure(const std::exception& e, const std::string& contextFile);

}  // namespace zarvex::cli
