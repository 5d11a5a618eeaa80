#include "ui/pages/pages_scroll_area.h"

#include <QEvent>

namespace zarvex::ui {

bool PagesScrollArea::eventFilter(QObject* watched, QEvent* event) {
    QWidget* pages = widget();
    if (watched == pages && event->type() == QEvent::LayoutRequest) {
        const int needed = pages->minimumSizeHint().height();
        if (pages->minimumHeight() != needed) {
            pages->setMinimumHeight(needed);
            setWidgetResizable(true);  // lays the pages out again at their new minimum
        }
    }
    return QScrollArea::eventFilter(watched, event);
}

}  // namespace zarvex::ui
