// A whole number written into a field in place, without a string made for it: builds
// and tree commands set the Level of every record of a large block.
#pragma once

#include <charconv>
#include <string_view>

#include "model/field_text.h"

namespace zarvex {

inline void SetDecimal(FieldText& field, int value) {
    char digits[12];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    field = std::string_view(digits, static_cast<std::size_t>(end - digits));
}

}  // namespace zarvex
