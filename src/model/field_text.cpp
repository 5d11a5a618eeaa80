#include "model/field_text.h"

#include <new>
#include <ostream>
#include <stdexcept>

namespace zarvex {

void FieldText::AssignHeld(std::string_view text) {
    // The new block is made before the old is released: text may be this field's own.
    if (text.size() > UINT32_MAX)
        throw std::length_error("a field text longer than 4 GB");
    const auto size = static_cast<std::uint32_t>(text.size());
    auto* block = static_cast<char*>(::operator new(sizeof size + text.size()));
    std::memcpy(block, &size, sizeof size);
    std::memcpy(block + sizeof size, text.data(), text.size());
    Release();
    word_ = reinterpret_cast<std::uintptr_t>(block);
}

void FieldText::ReleaseHeld() noexcept {
    ::operator delete(reinterpret_cast<void*>(word_));
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
