#include "ui/common/app_icons.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace zarvex::ui {

namespace {

// Every drawing works on a 24 x 24 grid and is scaled to the pixmap's size; strokes
// are at least 2 grid units so that they keep a full pixel at 16.
const QColor kOutline(0x3A, 0x3A, 0x3A);
const QColor kBlue(0x2F, 0x6F, 0xC6);
const QColor kLightBlue(0xD6, 0xE6, 0xFA);
const QColor kGreen(0x2E, 0x9E, 0x44);
const QColor kRed(0xD0, 0x3B, 0x32);
const QColor kYellow(0xF2, 0xC1, 0x4E);
const QColor kOrange(0xE0, 0x7A, 0x1F);

QPen Pen(const QColor& c, qreal width) {
    return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void DrawPage(QPainter& p) {
    QPainterPath page;
    page.moveTo(5, 2.5);
    page.lineTo(14.5, 2.5);
    page.lineTo(19.5, 7.5);
    page.lineTo(19.5, 21.5);
    page.lineTo(5, 21.5);
    page.closeSubpath();
    p.setPen(Pen(kOutline, 1.5));
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.setBrush(QColor(0xDD, 0xDD, 0xDD));
    p.drawPolygon(QPolygonF({{14.5, 2.5}, {14.5, 7.5}, {19.5, 7.5}}));
}

void DrawMenuBar(QPainter& p, bool large) {
    // A menu bar with one drop-down open under its first entry.
    p.setPen(Pen(kOutline, 1.5));
    p.setBrush(kBlue);
    p.drawRoundedRect(QRectF(1.5, 2.5, 21, large ? 6 : 7), 1.5, 1.5);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 8.5, 12, 13));
    p.setPen(Pen(kBlue, 2));
    p.drawLine(QPointF(7, 12.5), QPointF(14, 12.5));
    p.drawLine(QPointF(7, 16), QPointF(14, 16));
    if (large) {
        p.setPen(Pen(kOrange, 2));
        p.drawLine(QPointF(7, 19), QPointF(11.5, 19));
    }
}

void Draw(QPainter& p, AppImage image) {
    switch (image) {
        case AppImage::Program:
            DrawMenuBar(p, true);
            break;
        case AppImage::TreeRoot:
            DrawMenuBar(p, false);
            break;
        case AppImage::TreeItem:
            p.setPen(Pen(kBlue, 1.5));
            p.setBrush(kLightBlue);
            p.drawRoundedRect(QRectF(3.5, 6.5, 17, 11), 2, 2);
            p.setPen(Pen(kBlue, 2.5));
            p.drawLine(QPointF(7.5, 12), QPointF(16.5, 12));
            break;
        case AppImage::New:
            DrawPage(p);
            p.setPen(Pen(kGreen, 2.5));
            p.drawLine(QPointF(12, 11), QPointF(12, 18));
            p.drawLine(QPointF(8.5, 14.5), QPointF(15.5, 14.5));
            break;
        case AppImage::Open: {
            p.setPen(Pen(kOutline, 1.5));
            p.setBrush(QColor(0xD9, 0xA2, 0x2E));
            p.drawPolygon(QPolygonF({{2, 5}, {9, 5}, {11, 7.5}, {20, 7.5}, {20, 19.5}, {2, 19.5}}));
            p.setBrush(kYellow);
            p.drawPolygon(QPolygonF({{2, 19.5}, {5.5, 10.5}, {22.5, 10.5}, {20, 19.5}}));
            break;
        }
        case AppImage::Save:
            p.setPen(Pen(kOutline, 1.5));
            p.setBrush(kBlue);
            p.drawRoundedRect(QRectF(2.5, 2.5, 19, 19), 2, 2);
            p.setBrush(Qt::white);
            p.drawRect(QRectF(6, 2.5, 12, 7));
            p.setBrush(QColor(0xE8, 0xE8, 0xE8));
            p.drawRect(QRectF(6.5, 13.5, 11, 8));
            break;
        case AppImage::Insert:
        case AppImage::Delete: {
            const bool insert = image == AppImage::Insert;
            p.setPen(Qt::NoPen);
            p.setBrush(insert ? kGreen : kRed);
            p.drawEllipse(QRectF(2, 2, 20, 20));
            p.setPen(Pen(Qt::white, 3));
            if (insert) {
                p.drawLine(QPointF(12, 6.5), QPointF(12, 17.5));
                p.drawLine(QPointF(6.5, 12), QPointF(17.5, 12));
            } else {
                p.drawLine(QPointF(7.5, 7.5), QPointF(16.5, 16.5));
                p.drawLine(QPointF(16.5, 7.5), QPointF(7.5, 16.5));
            }
            break;
        }
        case AppImage::MoveUp:
        case AppImage::MoveDown: {
            QPolygonF arrow({{12, 2}, {21.5, 12}, {16, 12}, {16, 22}, {8, 22}, {8, 12}, {2.5, 12}});
            if (image == AppImage::MoveDown)
                for (QPointF& pt : arrow)
                    pt.setY(24 - pt.y());
            p.setPen(Pen(QColor(0x1E, 0x4E, 0x96), 1.5));
            p.setBrush(kBlue);
            p.drawPolygon(arrow);
            break;
        }
        case AppImage::BuildHtml:
            DrawPage(p);
            p.setPen(Pen(kOrange, 2.2));
            p.setBrush(Qt::NoBrush);
            p.drawPolyline(QPolygonF({{10, 10.5}, {7, 14}, {10, 17.5}}));
            p.drawPolyline(QPolygonF({{14.5, 10.5}, {17.5, 14}, {14.5, 17.5}}));
            break;
        case AppImage::Preview: {
            // An eye: what the menu will look like.
            QPainterPath eye;
            eye.moveTo(1.5, 12);
            eye.quadTo(12, 1, 22.5, 12);
            eye.quadTo(12, 23, 1.5, 12);
            p.setPen(Pen(kOutline, 1.5));
            p.setBrush(Qt::white);
            p.drawPath(eye);
            p.setPen(Qt::NoPen);
            p.setBrush(kBlue);
            p.drawEllipse(QPointF(12, 12), 5, 5);
            p.setBrush(kOutline);
            p.drawEllipse(QPointF(12, 12), 2.2, 2.2);
            break;
        }
        case AppImage::Help: {
            p.setPen(Qt::NoPen);
            p.setBrush(kBlue);
            p.drawEllipse(QRectF(1.5, 1.5, 21, 21));
            p.setPen(Pen(Qt::white, 2.8));
            p.setBrush(Qt::NoBrush);
            QPainterPath hook;
            hook.moveTo(8.5, 9);
            hook.cubicTo(8.5, 4.5, 15.5, 4.5, 15.5, 9);
            hook.cubicTo(15.5, 11.5, 12, 11.5, 12, 14.5);
            p.drawPath(hook);
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::white);
            p.drawEllipse(QPointF(12, 18.5), 1.8, 1.8);
            break;
        }
    }
}

QPixmap Render(AppImage image, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 24.0, size / 24.0);
    Draw(p, image);
    return pixmap;
}

const char* ThemeName(AppImage image) {
    switch (image) {
        case AppImage::New:
            return "document-new";
        case AppImage::Open:
            return "document-open";
        case AppImage::Save:
            return "document-save";
        case AppImage::Insert:
            return "list-add";
        case AppImage::Delete:
            return "list-remove";
        case AppImage::MoveUp:
            return "go-up";
        case AppImage::MoveDown:
            return "go-down";
        case AppImage::Help:
            return "help-browser";
        default:
            return nullptr;  // no theme image says what ours say
    }
}

}  // namespace

QIcon DrawnIcon(AppImage image) {
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64})
        icon.addPixmap(Render(image, size));
    return icon;
}

QIcon AppIcon(AppImage image) {
    const char* name = ThemeName(image);
    const QIcon drawn = DrawnIcon(image);
    return name ? QIcon::fromTheme(QString::fromLatin1(name), drawn) : drawn;
}

}  // namespace zarvex::ui
