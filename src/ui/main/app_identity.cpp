#include "ui/main/app_identity.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include "version.h"

namespace zarvex::ui {

void SetApplicationIdentity() {
    QCoreApplication::setApplicationName(QStringLiteral("Zarvex"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kVersionText));
    // The Wayland app id and the X11 class: task bars match the window to its launcher.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.zarvex.Zarvex"));
}

}  // namespace zarvex::ui
