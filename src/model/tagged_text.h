// Reading and writing of the tagged text formats (project file, structure file):
// a tag alone on its line, its value on the next, and records written as one line
// of fields each followed by the separator. The line reader keeps the file's bytes;
// the record readers hold field texts as UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "model/text_util.h"

namespace zarvex {

// Walks the lines of a file held in memory. A line ends at LF, at CR LF, at a run
// of CRs followed by LF (as CR CR LF, written by tools that add a CR to every
// line end) and at a lone CR (old Mac text); a last line without an end still
// counts. A UTF-8 byte-order mark at the start is skipped, as editors add one.
//
// Every refusal is a FileFormatError that names the file.
class TaggedLineReader {
  public:
    TaggedLineReader(std::string path, std::string_view text);

    // Moves to the next line; false when the text has no more lines.
    bool TryAdvance();
    // Moves to the next line or refuses the file as incomplete, saying what was
    // expected next (for example "the product name").
    void Advance(std::string_view expected);

    // From the current line on (the current line included), moves to the first
    // line that equals tag exactly. TrySeek returns false at the end of the text.
    bool TrySeek(std::string_view tag);
    void Seek(std::string_view tag);

    // Lines after the current one up to the first that equals tag (or the end of
    // the text), for sizing what they will be read into.
    std::size_t CountLinesBefore(std::string_view tag) const;
    std::size_t TextSize() const { return text_.size(); }

    std::string_view Line() const { return line_; }
    int LineNumber() const { return lineNumber_; }  // 1-based; 0 before the first line
    // Whether the current line is the text's last, ended by the text rather than a line end.
    bool EndsAtCurrentLine() const {
        return next_ >= text_.size() && !text_.ends_with('\n') && !text_.ends_with('\r');
    }
    const std::string& Path() const { return path_; }

    [[noreturn]] void Refuse(int line, const std::string& reason) const;
    // Refuses the file as ending early, naming its last line.
    [[noreturn]] void RefuseIncomplete(std::string_view expected) const;

  private:
    std::string path_;
    std::string_view text_;
    std::size_t next_ = 0;
    std::string_view line_;
    int lineNumber_ = 0;
};

// The header both tagged formats share: refuses an empty text, finds
// "<Product_Name>" and checks the line after it with isAccepted (refusing the file
// with refusedMessage), then finds "<Product_Version>" and returns the line after it.
std::string ReadProductHeader(TaggedLineReader& reader, std::string_view text,
                              bool (*isAccepted)(std::string_view),
                              const std::string& refusedMessage, std::string_view productWhat,
                              std::string_view versionWhat);

// Field n (0-based) of a record line: the text between the n-th and the (n+1)-th
// separator. A field whose separator is missing is empty, and so is every field
// after it; text after the last separator is ignored. Fills out[0..count).
void SplitFields(std::string_view line, std::string_view separator, std::string_view* out,
                 std::size_t count);

// False when value holds the separator, a line feed or a carriage return: written
// as it is, it would split into other fields or lines and read back as different data.
bool IsCarriable(std::string_view value, std::string_view separator);

// Raises BuildError for a field that IsCarriable refused. item is 0-based, or
// -1 for a menu parameter.
[[noreturn]] void RefuseUncarriable(std::string_view fieldName, long long item,
                                    std::string_view separator);

// Appends value and the separator.
inline void AppendField(std::string& line, std::string_view value, std::string_view separator) {
    line.append(value);
    line.append(separator);
}

// Sets field to the bytes of a file's field as UTF-8 (see TextAsUtf8), without a
// copy in between for the usual text that is UTF-8 already.
template <typename Text>
void AssignAsUtf8(Text& field, std::string_view bytes) {
    if (IsValidUtf8(bytes))
        field = bytes;
    else
        field = TextAsUtf8(bytes);
}

// AssignAsUtf8 for the fields of one record line, fieldOf(i) naming where field i
// goes. The line is checked once: the separator is ASCII, so every field of a valid
// UTF-8 line is valid UTF-8 too.
template <typename FieldOf>
void AssignFieldsAsUtf8(std::string_view line, const std::string_view* fields, std::size_t count,
                        FieldOf fieldOf) {
    if (IsValidUtf8(line)) {
        for (std::size_t i = 0; i < count; ++i)
            fieldOf(i) = fields[i];
    } else {
        for (std::size_t i = 0; i < count; ++i)
            AssignAsUtf8(fieldOf(i), fields[i]);
    }
}

inline constexpr std::string_view kFieldSeparator = "#$@";
inline constexpr std::string_view kLineEnd = "\r\n";

}  // namespace zarvex
