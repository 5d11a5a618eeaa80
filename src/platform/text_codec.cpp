#include "platform/text_codec.h"

#include "model/text_util.h"

namespace zarvex::platform {

QString DecodeFieldText(std::string_view bytes) {
    const std::string text = zarvex::TextAsUtf8(bytes);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string EncodeFieldText(const QString& text) {
    return text.toUtf8().toStdString();
}

}  // namespace zarvex::platform
