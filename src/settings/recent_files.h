// The list of the last four opened projects, kept in "recentfile.dat": one line
// per occupied slot, "&" + slot digit + blank + path, CR LF after each. Slot 1 is
// the newest; a path already listed keeps its place.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace zarvex::recent {

inline constexpr const char* kFileName = "recentfile.dat";
inline constexpr int kSlotCount = 4;
inline constexpr std::size_t kPrefixLength = 3;  // "&1 "

// The first four lines of the file as they stand, prefixes included; missing lines are empty.
using Lines = std::array<std::string, kSlotCount>;

// Reads the list file, creating it empty when it does not exist. A file that
// cannot be created or read gives four empty lines.
Lines ReadLines(const std::string& listPath);

// A line without its three-character prefix; a shorter line gives "".
std::string PathOfLine(std::string_view line);

// Puts path into slot 1 and moves the others down one slot, unless path is empty,
// already listed (exact comparison), or cannot be stored on one line. Returns true
// when the file was rewritten. Throws FileIoError when the file cannot be written.
bool Add(const std::string& listPath, const std::string& path);

// The file content for four slots (paths without prefixes).
std::string Compose(const Lines& paths);

}  // namespace zarvex::recent
