#include "model/tagged_text.h"

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
    const void* lf = std::memchr(begin, '\n', rest);
    const std::size_t lfAt = lf ? static_cast<const char*>(lf) - begin : rest;
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
// memchr finds each candidate first byte; the rest of the separator is compared there.
std::size_t FindSeparator(std::string_view line, std::string_view separator, std::size_t from) {
    const std::size_t width = separator.size();
    if (width == 0 || line.size() < width)
        return std::string_view::npos;
    const char* const data = line.data();
    const std::size_t last = line.size() - width;  // the last place a separator can start
    for (std::size_t at = from; at <= last;) {
        const void* hit = std::memchr(data + at, separator.front(), last - at + 1);
        if (!hit)
            return std::string_view::npos;
        at = static_cast<std::size_t>(static_cast<const char*>(hit) - data);
        if (std::memcmp(data + at + 1, separator.data() + 1, width - 1) == 0)
            return at;
        ++at;
    }
    return std::string_view::npos;
}
}  // namespace

void SplitFields(std::string_view line, std::string_view separator, std::string_view* out,
                 std::size_t count) {
    std::size_t pos = 0;
    std::size_t n = 0;
    for (; n < count; ++n) {
        const std::size_t at = FindSeparator(line, separator, pos);
        if (at == std::string_view::npos)
            break;
        out[n] = line.substr(pos, at - pos);
        pos = at + separator.size();
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
