#include "ui/color_panel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "ui/dialog_service.h"

namespace zarvex::ui {

ColorPanel::ColorPanel(IDialogService& dialogs, QWidget* parent)
    : QFrame(parent), dialogs_(dialogs) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    setMinimumSize(24, 18);
}

void ColorPanel::SetColor(const QColor& color) {
    if (color == color_)
        return;
    color_ = color;
    update();
}

bool ColorPanel::PickColor() {
    const auto chosen = dialogs_.GetColor(window(), color_);
    if (!chosen)
        return false;
    SetColor(*chosen);
    return true;
}

void ColorPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
        return;
    }
    QFrame::mouseReleaseEvent(event);
}

// The keyboard reaches the panel too: Space or Enter act as a click.
void ColorPanel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            emit clicked();
            return;
        default:
            QFrame::keyPressEvent(event);
    }
}

void ColorPanel::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        painter.fillRect(contentsRect(), color_);
    }
    QFrame::paintEvent(event);
}

}  // namespace zarvex::ui
