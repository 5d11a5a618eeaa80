// Error types raised by the core. Callers further up catch them by type; the
// window shows what() in a message box, the command-line tool prints it.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace zarvex {

// A text that had to be a decimal integer and was not.
class ConversionError : public std::runtime_error {
  public:
    explicit ConversionError(std::string_view text)
        : std::runtime_error("'" + std::string(text) + "' is not a valid integer value"),
          text_(text) {}
    // The same, saying which field held the text: "ZIndex: ' 2' is not ...".
    ConversionError(std::string_view text, std::string_view field)
        : std::runtime_error(std::string(field) + ": '" + std::string(text) +
                             "' is not a valid integer value"),
          text_(text) {}
    const std::string& text() const { return text_; }

  private:
    std::string text_;
};

// A file that could not be created, opened, read or written; the message carries the system's text.
class FileIoError : public std::runtime_error {
  public:
    FileIoError(const std::string& path, const std::string& reason)
        : std::runtime_error(path + ": " + reason), path_(path) {}
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

// A file that was read and refused. line is 1-based, 0 when no single line is to blame.
class FileFormatError : public std::runtime_error {
  public:
    FileFormatError(const std::string& path, int line, const std::string& reason)
        : std::runtime_error(Compose(path, line, reason)),
          path_(path),
          line_(line),
          reason_(reason) {}
    const std::string& path() const { return path_; }
    int line() const { return line_; }
    const std::string& reason() const { return reason_; }

  private:
    static std::string Compose(const std::string& path, int line, const std::string& reason) {
        std::string s = path;
        if (line > 0)
            s += ":" + std::to_string(line);
        return s + ": " + reason;
    }
    std::string path_;
    int line_;
    std::string reason_;
};

// A design that cannot be built as it stands (for example the tree and the item list disagree).
class BuildError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace zarvex
