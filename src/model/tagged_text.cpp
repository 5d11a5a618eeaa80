#include "model/tagged_text.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "model/errors.h"

namespace zarvex {

TaggedLineReader::TaggedLineReader(std::string path, std::string_view text)
    : path_(std::move(path)), text_(text) {
    if (text_.starts_with("\xEF\xBB\xBF"))
        next_ = 3;
}

bool TaggedLineReader::TryAdvance() {
    if (next_ >= text_.size())
        return false;
    // Two memchr calls, not find_first_of: that one compares each byte of the text
    // with the set of line-end bytes by a call of its own.
    const char* const begin = text_.data() + next_;
    const std::size_t rest = text_.size() - next_;
    if (!nextLfKnown_ || nextLf_ < next_) {
        nextLfKnown_ = true;
        const void* lf = std::memchr(begin, '\n', rest);
        nextLf_ = next_ + (lf ? static_cast<const char*>(lf) - begin : rest);
    }
    const std::size_t lfAt = nextLf_ - next_;
    const void* cr = std::memchr(begin, '\r', lfAt);
    const std::size_t end = next_ + (cr ? static_cast<const char*>(cr) - begin : lfAt);
    line_ = text_.substr(next_, end - next_);
    next_ = end;
    if (next_ < text_.size() && text_[next_] == '\r') {
        std::size_t after = text_.find_first_not_of('\r', next_);
        if (after != std::string_view::npos && text_[after] == '\n')
            next_ = after;  // CR CR ... LF is one line end
        else
            ++next_;  // a lone CR
    }
    if (next_ < text_.size() && text_[next_] == '\n')
        ++next_;
    ++lineNumber_;
    return true;
}

void TaggedLineReader::Advance(std::string_view expected) {
    if (!TryAdvance())
        RefuseIncomplete(expected);
}

bool TaggedLineReader::TrySeek(std::string_view tag) {
    if (lineNumber_ == 0 && !TryAdvance())
        return false;
    while (line_ != tag)
        if (!TryAdvance())
            return false;
    return true;
}

void TaggedLineReader::Seek(std::string_view tag) {
    if (!TrySeek(tag))
        RefuseIncomplete(tag);
}

void TaggedLineReader::Refuse(int line, const std::string& reason) const {
    throw FileFormatError(path_, line, reason);
}

void TaggedLineReader::RefuseIncomplete(std::string_view expected) const {
    Refuse(lineNumber_, "the file is incomplete: it ends before " + std::string(expected));
}

namespace {
// Bit 7 of each byte of word that is zero, and no other bit: exact, where the shorter
// (x - ones) & ~x form also flags some bytes above a zero one.
std::uint64_t ZeroBytes(std::uint64_t word) {
    constexpr std::uint64_t kLows = 0x7F7F7F7F7F7F7F7Full;
    return ~(((word & kLows) + kLows) | word | kLows);
}
}  // namespace

void SplitFields(std::string_view line, std::string_view separator, std::string_view* out,
                 std::size_t count) {
    // One walk over the line, eight bytes a step, each step giving every place where a
    // separator may start at once: a field is short, where a search per field costs
    // more in restarts than in bytes.
    std::size_t n = 0;
    const std::size_t width = separator.size();
    if (width > 0 && line.size() >= width && count > 0) {
        const char* const data = line.data();
        const char* const sep = separator.data();
        const std::size_t size = line.size();
        const std::size_t last = size - width;  // the last place a separator can start
        // The file's separator has three bytes: its last two are compared as one word.
        std::uint16_t sepTail = 0;
        if (width == 3)
            std::memcpy(&sepTail, sep + 1, sizeof sepTail);
        const auto isSeparatorAt = [&](std::size_t at) {
            if (width == 3) {
                std::uint16_t tail;
                std::memcpy(&tail, data + at + 1, sizeof tail);
                return tail == sepTail;
            }
            return std::memcmp(data + at + 1, sep + 1, width - 1) == 0;
        };
        std::size_t fieldStart = 0;
        constexpr std::uint64_t kOnes = 0x0101010101010101ull;
        const std::uint64_t pattern = kOnes * static_cast<unsigned char>(sep[0]);
        std::size_t base = 0;
        for (; base + sizeof(std::uint64_t) <= size; base += sizeof(std::uint64_t)) {
            std::uint64_t word;
            std::memcpy(&word, data + base, sizeof word);
            for (std::uint64_t bits = ZeroBytes(word ^ pattern); bits != 0; bits &= bits - 1) {
                const std::size_t at = base + static_cast<std::size_t>(std::countr_zero(bits)) / 8;
                if (at < fieldStart || at > last || !isSeparatorAt(at))
                    continue;
                out[n] = std::string_view(data + fieldStart, at - fieldStart);
                if (++n == count)
                    return;
                fieldStart = at + width;
            }
        }
        for (std::size_t at = std::max(base, fieldStart); at <= last; ++at) {
            if (data[at] != sep[0] || !isSeparatorAt(at))
                continue;
            out[n] = std::string_view(data + fieldStart, at - fieldStart);
            if (++n == count)
                return;
            fieldStart = at + width;
            at = fieldStart - 1;
        }
    }
    for (; n < count; ++n)
        out[n] = {};
}

bool IsCarriable(std::string_view value, std::string_view separator) {
    // One pass for both faults: saving checks every byte of the design.
    const std::size_t width = separator.size();
    for (std::size_t at = 0; at < value.size(); ++at) {
        const char c = value[at];
        if (c == '\n' || c == '\r')
            return false;
        if (width > 0 && c == separator.front() && value.compare(at, width, separator) == 0)
            return false;
    }
    return true;
}

void RefuseUncarriable(std::string_view fieldName, long long item, std::string_view separator) {
    const std::string owner =
        item < 0 ? "The menu parameter " + std::string(fieldName)
                 : "The " + std::string(fieldName) + " of item " + std::to_string(item + 1);
    throw BuildError(owner + " holds \"" + std::string(separator) +
                     "\" or a line break, which the file cannot carry; the file was not written.");
}

std::size_t TaggedLineReader::CountLinesBefore(std::string_view tag) const {
    TaggedLineReader ahead(*this);
    std::size_t count = 0;
    while (ahead.TryAdvance() && ahead.Line() != tag)
        ++count;
    return count;
}

std::string ReadProductHeader(TaggedLineReader& reader, std::string_view text,
                              bool (*isAccepted)(std::string_view),
                              const std::string& refusedMessage, std::string_view productWhat,
                              std::string_view versionWhat) {
    constexpr std::string_view kProductTag = "<Product_Name>";
    constexpr std::string_view kVersionTag = "<Product_Version>";
    if (text.empty())
        reader.Refuse(0, "the file is empty");
    // A file without a product line is not one of ours, whatever else it holds.
    if (!reader.TrySeek(kProductTag))
        reader.Refuse(reader.LineNumber(), refusedMessage);
    reader.Advance(productWhat);
    if (!isAccepted(reader.Line()))
        reader.Refuse(reader.LineNumber(), refusedMessage);
    reader.Advance(kVersionTag);
    reader.Seek(kVersionTag);
    reader.Advance(versionWhat);
    return std::string(reader.Line());
}

}  // namespace zarvex
