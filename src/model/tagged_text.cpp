#include "model/tagged_text.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "model/errors.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zarvex {

TaggedLineReader::TaggedLineReader(std::string path, std::string_view text)
    : path_(std::move(path)), text_(text) {
    if (text_.starts_with("\xEF\xBB\xBF"))
        next_ = 3;
}

namespace {
// The places among the 16 bytes at p that hold c: bit i for p[i].
std::uint32_t PlacesIn16(const char* p, char c) {
#if defined(__SSE2__)
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    return static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(c))));
#else
    std::uint32_t places = 0;
    for (std::size_t i = 0; i < 16; ++i)
        places |= static_cast<std::uint32_t>(p[i] == c) << i;
    return places;
#endif
}

// Where the first CR or LF of data[from, size) lies, or size. Sixteen bytes a
// step: a line is short, where two library searches per line cost more in calls
// than in bytes.
std::size_t FindLineEnd(const char* data, std::size_t from, std::size_t size) {
    std::size_t at = from;
    for (; at + 16 <= size; at += 16)
        if (const std::uint32_t ends = PlacesIn16(data + at, '\r') | PlacesIn16(data + at, '\n'))
            return at + static_cast<std::size_t>(std::countr_zero(ends));
    for (; at < size; ++at)
        if (data[at] == '\r' || data[at] == '\n')
            return at;
    return size;
}
}  // namespace

bool TaggedLineReader::TryAdvance() {
    const std::size_t size = text_.size();
    if (next_ >= size)
        return false;
    const char* const data = text_.data();
    const std::size_t end = FindLineEnd(data, next_, size);
    line_ = text_.substr(next_, end - next_);
    next_ = end;
    if (next_ < size && data[next_] == '\r') {
        if (next_ + 1 < size && data[next_ + 1] == '\n') {
            ++next_;  // CR LF, the line end the program writes
        } else {
            std::size_t after = text_.find_first_not_of('\r', next_);
            if (after != std::string_view::npos && data[after] == '\n')
                next_ = after;  // CR CR ... LF is one line end
            else
                ++next_;  // a lone CR
        }
    }
    if (next_ < size && data[next_] == '\n')
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

void SplitFields(std::string_view line, std::string_view separator, std::string_view* out,
                 std::size_t count) {
    // One walk over the line, sixteen bytes a step, each step giving every place
    // where a separator may start at once: a field is short, where a search per
    // field costs more in restarts than in bytes.
    std::size_t n = 0;
    const std::size_t width = separator.size();
    if (width > 0 && line.size() >= width && count > 0) {
        const char* const data = line.data();
        const char* const sep = separator.data();
        const std::size_t size = line.size();
        const std::size_t last = size - width;  // the last place a separator can start
        // The file's separator has three bytes: its last two are compared as one
        // word.
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
        constexpr std::size_t kStep = 16;
        std::size_t fieldStart = 0;
        for (std::size_t base = 0; base <= last; base += kStep) {
            std::uint32_t places;  // bit i for data[base + i]
            if (base + kStep <= size) {
                places = PlacesIn16(data + base, sep[0]);
            } else if (size >= kStep) {
                // The line's last sixteen bytes, less those already looked at.
                places = PlacesIn16(data + size - kStep, sep[0]) >> (base + kStep - size);
            } else {
                places = 0;
                for (std::size_t i = base; i < size; ++i)
                    places |= static_cast<std::uint32_t>(data[i] == sep[0]) << (i - base);
            }
            for (; places != 0; places &= places - 1) {
                const std::size_t at = base + static_cast<std::size_t>(std::countr_zero(places));
                if (at < fieldStart || at > last || !isSeparatorAt(at))
                    continue;
                out[n] = std::string_view(data + fieldStart, at - fieldStart);
                if (++n == count)
                    return;
                fieldStart = at + width;
            }
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
                     "\" or a line break, which the file cannot carry; the file "
                     "was not written.");
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
