// A path as the core takes it (the file system's bytes, std::string) and back: the one
// conversion between Qt's file names and the core's.
#pragma once

#include <QString>
#include <string>

namespace zarvex::platform {

std::string ToCorePath(const QString& path);
QString FromCorePath(const std::string& path);

}  // namespace zarvex::platform
