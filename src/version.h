#pragma once

namespace zarvex {
inline constexpr const char* kProductName = "Zarvex";
inline constexpr const char* kVersionText = "1.0";
}  // namespace zarvex
