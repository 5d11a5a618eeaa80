// Sizing and placing the small windows: a client area of a given size, centred on
// the screen the way the main window is.
#pragma once

#include <QSize>

class QWidget;

namespace zarvex::ui {

// Resizes window to clientSize (grown to what its layout needs) and centres it on the
// primary screen.
void SizeAndCentre(QWidget& window, QSize clientSize);

}  // namespace zarvex::ui
