// Sizing and placing the small windows: a client area of a given size, centred on
// the screen the way the main window is.
#pragma once

#include <QByteArray>
#include <QSize>

class QMainWindow;
class QSplitter;
class QWidget;

namespace zarvex::settings {
class ISettingsStore;
}

namespace zarvex::ui {

// What the main window looks like between runs: its geometry, its bars' state and
// where its splitter divides, in the settings store's "Window" group.
struct WindowLook {
    QByteArray geometry;  // QWidget::saveGeometry
    QByteArray bars;      // QMainWindow::saveState
    QByteArray splitter;  // QSplitter::saveState
    bool toolBar = true;
    bool statusBar = true;
};

// The look stored; what is absent or unreadable keeps the defaults.
WindowLook ReadWindowLook(const settings::ISettingsStore& store);
// A store that cannot be written costs only the look, never the exit.
void WriteWindowLook(settings::ISettingsStore& store, const WindowLook& look);

// Resizes window to clientSize (grown to what its layout needs) and centres it on the
// primary screen.
void SizeAndCentre(QWidget& window, QSize clientSize);

}  // namespace zarvex::ui
