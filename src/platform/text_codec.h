// Field texts are held by the core as UTF-8 (the readers convert older Windows-1252
// designs at load). Shown on screen they are decoded as UTF-8, with the same
// Windows-1252 fallback for any other bytes; edited texts are written as UTF-8.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace zarvex::platform {

QString DecodeFieldText(std::string_view bytes);
std::string EncodeFieldText(const QString& text);

}  // namespace zarvex::platform
