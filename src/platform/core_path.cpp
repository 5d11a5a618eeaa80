#include "platform/core_path.h"

#include <QByteArray>
#include <QFile>

namespace zarvex::platform {

std::string ToCorePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString FromCorePath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

}  // namespace zarvex::platform
