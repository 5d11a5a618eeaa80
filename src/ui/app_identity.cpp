#include "ui/app_identity.h"

#include <QCoreApplication>

namespace zarvex::ui {

void SetApplicationIdentity() {
    QCoreApplication::setApplicationName(QStringLiteral("Zarvex"));
}

}  // namespace zarvex::ui
