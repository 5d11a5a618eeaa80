// The maker's lines that head every generated file, and the mark-of-the-web
// comment that lets a browser run the snippet's page from the local disk as if
// it came from our home page.
#pragma once

#include <string>
#include <string_view>

namespace zarvex {

inline constexpr std::string_view kGeneratedProductLine = "Zarvex 1.0";
inline constexpr std::string_view kGeneratedCopyrightLine =
    "Copyright (C) 2026 Zarvex developers. All rights reserved.";
inline constexpr std::string_view kProductPageAddress = "https://zarvex.example.org/";
inline constexpr std::string_view kSupportPageAddress = "https://zarvex.example.org/support/";
inline constexpr std::string_view kHomePageAddress = "https://zarvex.example.org/";

// The comment's length field has room for four digits.
static_assert(kHomePageAddress.size() <= 9999);

// The six lines "/*" ... "*/" that open the stylesheet and the configuration
// script, each ended by CR LF.
std::string GeneratedCodeHeader();

// "<!-- saved from url=(NNNN)address -->", NNNN being the address's length.
std::string MarkOfTheWebLine();

}  // namespace zarvex
