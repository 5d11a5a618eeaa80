#include "codegen/generated_header.h"

#include <cstdio>

namespace zarvex {

std::string GeneratedCodeHeader() {
    std::string out;
    for (std::string_view line :
         {std::string_view("/*"), kGeneratedProductLine, kGeneratedCopyrightLine,
          kProductPageAddress, kSupportPageAddress, std::string_view("*/")}) {
        out.append(line);
        out.append("\r\n");
    }
    return out;
}

std::string MarkOfTheWebLine() {
    char length[8];
    std::snprintf(length, sizeof length, "%04u", static_cast<unsigned>(kHomePageAddress.size()));
    std::string out = "<!-- saved from url=(";
    out.append(length);
    out.append(")");
    out.append(kHomePageAddress);
    out.append(" -->");
    return out;
}

}  // namespace zarvex
