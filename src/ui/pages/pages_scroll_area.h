// The scroll area of the property pages. A tab widget does not pass a page's grown
// minimum on to the scroll area (a page shown for the first time, a note that
// appears), which would then squeeze the page below the height its controls need; this
// area takes the pages' minimum again whenever their layout changes, and scrolls.
#pragma once

#include <QScrollArea>

namespace zarvex::ui {

class PagesScrollArea final : public QScrollArea {
  public:
    using QScrollArea::QScrollArea;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace zarvex::ui
