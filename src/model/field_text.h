// The text of one item field, in one machine word: up to seven bytes stand in the word
// itself, longer text in one heap block of exactly its length. A design holds ten fields
// per item and most are empty or short, so a record costs about what its text weighs
// rather than ten string objects. Reads as a std::string_view; assigned from any text.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iosfwd>
#include <string>
#include <string_view>

namespace zarvex {

class FieldText {
  public:
    FieldText() noexcept = default;
    FieldText(std::string_view text) { Assign(text); }  // NOLINT: reads like a string
    FieldText(const std::string& text) : FieldText(std::string_view(text)) {}
    FieldText(const char* text) : FieldText(std::string_view(text)) {}
    FieldText(const FieldText& other) {
        if (other.IsHeld())
            Assign(other.view());
        else
            word_ = other.word_;
    }
    FieldText(FieldText&& other) noexcept : word_(other.word_) { other.word_ = 0; }
    ~FieldText() { Release(); }

    FieldText& operator=(const FieldText& other) {
        if (other.IsHeld()) {
            Assign(other.view());
        } else {
            const std::uintptr_t word = other.word_;  // other may be this field
            Release();
            word_ = word;
        }
        return *this;
    }
    FieldText& operator=(FieldText&& other) noexcept {
        std::swap(word_, other.word_);
        return *this;
    }
    friend void swap(FieldText& a, FieldText& b) noexcept { std::swap(a.word_, b.word_); }
    FieldText& operator=(std::string_view text) {
        Assign(text);
        return *this;
    }
    FieldText& operator=(const std::string& text) { return *this = std::string_view(text); }
    FieldText& operator=(const char* text) { return *this = std::string_view(text); }

    std::string_view view() const noexcept {
        if (word_ & kInline)
            return {reinterpret_cast<const char*>(&word_) + 1, (word_ & 0xFF) >> 1};
        if (word_ == 0)
            return {};
        const auto* block = reinterpret_cast<const char*>(word_);
        std::uint32_t size;
        std::memcpy(&size, block, sizeof size);
        return {block + sizeof size, size};
    }
    operator std::string_view() const noexcept { return view(); }  // NOLINT
    operator std::string() const { return std::string(view()); }   // NOLINT
    std::string str() const { return std::string(view()); }

    std::size_t size() const noexcept { return view().size(); }
    bool empty() const noexcept { return word_ == 0; }
    const char* data() const noexcept { return view().data(); }
    const char* begin() const noexcept { return view().data(); }
    const char* end() const noexcept { return begin() + size(); }
    char front() const { return view().front(); }
    char back() const { return view().back(); }

    friend bool operator==(const FieldText& a, const FieldText& b) noexcept {
        return a.view() == b.view();
    }
    friend bool operator==(const FieldText& a, std::string_view b) noexcept {
        return a.view() == b;
    }
    friend bool operator==(const FieldText& a, const char* b) noexcept {
        return a.view() == std::string_view(b);
    }
    friend bool operator==(const FieldText& a, const std::string& b) noexcept {
        return a.view() == std::string_view(b);
    }

  private:
    // The inline form marks the word's lowest byte (heap blocks are aligned, so never
    // odd) and keeps the length beside the mark; the text follows in the word's bytes.
    static_assert(std::endian::native == std::endian::little && sizeof(std::uintptr_t) == 8,
                  "the inline form assumes a little-endian 64-bit word");
    static constexpr std::uintptr_t kInline = 1;
    static constexpr std::size_t kInlineCapacity = sizeof(std::uintptr_t) - 1;

    // Whether the text lives in a heap block of its own.
    bool IsHeld() const noexcept { return word_ != 0 && !(word_ & kInline); }

    // Short text is set here, where the caller's compiler sees it: a file's fields
    // are mostly empty or a few bytes, and a record is filled per line read.
    void Assign(std::string_view text) {
        if (text.size() > kInlineCapacity) {
            AssignHeld(text);
            return;
        }
        const std::uintptr_t word =
            text.empty() ? 0
                         : kInline | (static_cast<std::uintptr_t>(text.size()) << 1) |
                               (InlineBytes(text.data(), text.size()) << 8);
        Release();
        word_ = word;
    }
    // The n bytes (1 to 7) at p as the low bytes of a word, read as two words that may
    // overlap: a copy of n bytes into the word would call the library for most fields,
    // and reading the word back after storing it byte by byte stalls the processor.
    static std::uintptr_t InlineBytes(const char* p, std::size_t n) noexcept {
        const auto byteAt = [p](std::size_t i) {
            return static_cast<std::uintptr_t>(static_cast<unsigned char>(p[i])) << (8 * i);
        };
        if (n < 4)
            return byteAt(0) | byteAt(n / 2) | byteAt(n - 1);
        std::uint32_t low;
        std::uint32_t high;
        std::memcpy(&low, p, sizeof low);
        std::memcpy(&high, p + n - sizeof high, sizeof high);
        return low | (static_cast<std::uintptr_t>(high) << (8 * (n - sizeof high)));
    }
    void AssignHeld(std::string_view text);
    void Release() noexcept {
        if (IsHeld())
            ReleaseHeld();
        word_ = 0;
    }
    void ReleaseHeld() noexcept;

    std::uintptr_t word_ = 0;  // 0: empty; odd: inline; else the heap block's address
};

// Joining with other text gives a std::string; one overload per kind of operand, so
// that none is ambiguous.
std::string JoinText(std::string_view a, std::string_view b);
inline std::string operator+(const FieldText& a, const FieldText& b) {
    return JoinText(a, b);
}
inline std::string operator+(const FieldText& a, std::string_view b) {
    return JoinText(a, b);
}
inline std::string operator+(const FieldText& a, const std::string& b) {
    return JoinText(a, b);
}
inline std::string operator+(const FieldText& a, const char* b) {
    return JoinText(a, b);
}
inline std::string operator+(std::string_view a, const FieldText& b) {
    return JoinText(a, b);
}
inline std::string operator+(const std::string& a, const FieldText& b) {
    return JoinText(a, b);
}
inline std::string operator+(const char* a, const FieldText& b) {
    return JoinText(a, b);
}
std::ostream& operator<<(std::ostream& out, const FieldText& text);

}  // namespace zarvex
