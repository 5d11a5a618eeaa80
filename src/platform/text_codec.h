// Field texts are kept by the core as the bytes of the file. Shown on screen they
// are decoded as UTF-8, falling back to Windows-1252 when the bytes are not valid
// UTF-8 (designs made on Windows keep their accents); edited texts are written as UTF-8.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace zarvex::platform {

QString DecodeFieldText(std::string_view bytes);
std::string EncodeFieldText(const QString& text);

// A display string that round-trips: encoding what DecodeFieldText gave returns
// the original bytes when they were valid UTF-8.
bool IsValidUtf8(std::string_view bytes);

}  // namespace zarvex::platform
