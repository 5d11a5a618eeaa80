#include "cli/cli_errors.h"

#include "model/errors.h"

namespace zarvex::cli {

std::string DescribeFailure(const std::exception& e, const std::string& contextFile) {
    std::string text;
    if (dynamic_cast<const FileFormatError*>(&e) || dynamic_cast<const FileIoError*>(&e) ||
        dynamic_cast<const CliError*>(&e)) {
        text = e.what();
    } else {
        text = contextFile + ": " + e.what();
    }
    for (char& c : text)
        if (c == '\n' || c == '\r')
            c = ' ';
    return text;
}

}  // namespace zarvex::cli
