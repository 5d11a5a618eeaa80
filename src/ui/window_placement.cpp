#include "ui/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace zarvex::ui {

void SizeAndCentre(QWidget& window, QSize clientSize) {
    window.resize(clientSize.expandedTo(window.minimumSizeHint()));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window.move(screen->availableGeometry().center() - window.rect().center());
}

}  // namespace zarvex::ui
