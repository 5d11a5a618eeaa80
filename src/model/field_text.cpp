#include "model/field_text.h"

#include <new>
#include <ostream>
#include <stdexcept>

namespace zarvex {

void FieldText::Assign(std::string_view text) {
    // The new form is made before the old is released: text may be this field's own.
    std::uintptr_t word = 0;
    if (text.empty()) {
    } else if (text.size() <= kInlineCapacity) {
        word = kInline | (static_cast<std::uintptr_t>(text.size()) << 1);
        std::memcpy(reinterpret_cast<char*>(&word) + 1, text.data(), text.size());
    } else {
        if (text.size() > UINT32_MAX)
            throw std::length_error("a field text longer than 4 GB");
        const auto size = static_cast<std::uint32_t>(text.size());
        auto* block = static_cast<char*>(::operator new(sizeof size + text.size()));
        std::memcpy(block, &size, sizeof size);
        std::memcpy(block + sizeof size, text.data(), text.size());
        word = reinterpret_cast<std::uintptr_t>(block);
    }
    Release();
    word_ = word;
}

std::string JoinText(std::string_view a, std::string_view b) {
    std::string out;
    out.reserve(a.size() + b.size());
    out.append(a).append(b);
    return out;
}

std::ostream& operator<<(std::ostream& out, const FieldText& text) {
    return out << text.view();
}

}  // namespace zarvex
