#include "ui/pages/color_panel.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <algorithm>

#include "ui/dialogs/dialog_service.h"

namespace zarvex::ui {

std::optional<QColor> ParseColorText(const QString& text) {
    QString t = text.trimmed();
    static const QRegularExpression bareHex(QStringLiteral("^([0-9A-Fa-f]{3}|[0-9A-Fa-f]{6})$"));
    if (bareHex.match(t).hasMatch())
        t.prepend('#');
    // Only the forms a stylesheet takes: #rgb, #rrggbb and colour names.
    if (t.startsWith('#') && t.size() != 4 && t.size() != 7)
        return std::nullopt;
    const QColor color = QColor::fromString(t);
    if (!color.isValid() || color.alpha() != 255)
        return std::nullopt;
    return color;
}

ColorPanel::ColorPanel(IDialogService& dialogs, QWidget* parent)
    : QFrame(parent), dialogs_(dialogs) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setMinimumSize(24, 18);
}

QSize ColorPanel::sizeHint() const {
    return {std::max(40, fontMetrics().horizontalAdvance(QStringLiteral("#DDDDDD")) + 10), 21};
}

void ColorPanel::SetColor(const QColor& color) {
    // The tip shows the value even when it stays: a hint set since may have replaced it.
    setToolTip(color.name().toUpper());
    if (color == color_)
        return;
    color_ = color;
    update();
    emit colorChanged();
}

bool ColorPanel::PickColor() {
    const QColor before = color_;
    bool followed = false;
    const auto chosen = dialogs_.GetColorFollowing(window(), color_, [&](const QColor& passing) {
        if (!passing.isValid())
            return;
        followed = true;
        SetColor(passing);
        emit previewed();
    });
    if (!chosen) {
        SetColor(before);
        if (followed)
            emit previewed();
        return false;
    }
    SetColor(*chosen);
    return true;
}

bool ColorPanel::TakeColorText(const QString& text) {
    const auto color = ParseColorText(text);
    if (!color)
        return false;
    SetColor(*color);
    emit edited();
    return true;
}

void ColorPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
        return;
    }
    QFrame::mouseReleaseEvent(event);
}

// The keyboard reaches the panel too: Space or Enter act as a click, Ctrl+V pastes a
// colour, and typing opens the editor with the typed character.
void ColorPanel::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        TakeColorText(QApplication::clipboard()->text());
        return;
    }
    switch (event->key()) {
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            emit clicked();
            return;
        case Qt::Key_F2:
            OpenEditor(color_.name().toUpper());
            return;
        default:
            break;
    }
    const QString typed = event->text();
    if (!typed.isEmpty() && typed.at(0).isPrint() &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        OpenEditor(typed);
        return;
    }
    QFrame::keyPressEvent(event);
}

void ColorPanel::OpenEditor(const QString& start) {
    if (!editor_) {
        editor_ = new QLineEdit(this);
        editor_->setObjectName(objectName() + QStringLiteral("_hex"));
        editor_->setAccessibleName(tr("%1, hex value").arg(accessibleName()));
        editor_->setFrame(false);
        editor_->installEventFilter(this);
    }
    editor_->setGeometry(contentsRect());
    editor_->setText(start);
    editor_->show();
    editor_->setFocus();
    editor_->deselect();
    editor_->end(false);
}

void ColorPanel::CloseEditor(bool take) {
    if (!editor_ || !editor_->isVisible())
        return;
    const QString text = editor_->text();
    editor_->hide();
    setFocus();
    if (take)
        TakeColorText(text);
}

bool ColorPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == editor_) {
        if (event->type() == QEvent::ShortcutOverride) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
                event->accept();
                return true;
            }
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
                CloseEditor(key != Qt::Key_Escape);
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            CloseEditor(true);
        }
    }
    return QFrame::eventFilter(watched, event);
}

void ColorPanel::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        const QRect area = contentsRect();
        painter.fillRect(area, color_);
        // The value in black or white, whichever reads better on the colour.
        const bool light =
            0.299 * color_.red() + 0.587 * color_.green() + 0.114 * color_.blue() > 140;
        painter.setPen(light ? Qt::black : Qt::white);
        const QString hex = color_.name().toUpper();
        if (painter.fontMetrics().horizontalAdvance(hex) <= area.width() - 4)
            painter.drawText(area, Qt::AlignCenter, hex);
    }
    QFrame::paintEvent(event);
}

}  // namespace zarvex::ui
