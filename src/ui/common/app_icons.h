// The program's images: command icons from the desktop's icon theme where one
// fits, drawn here otherwise, each legible at 16 and 24 pixels.
#pragma once

#include <QIcon>

namespace zarvex::ui {

enum class AppImage {
    Program,
    New,
    Open,
    Save,
    Insert,
    Delete,
    MoveUp,
    MoveDown,
    BuildHtml,
    Preview,
    Help,
    TreeRoot,
    TreeItem,
};

QIcon AppIcon(AppImage image);

// Our own drawing of an image, without the theme (the fallback, and the tests' view of it).
QIcon DrawnIcon(AppImage image);

}  // namespace zarvex::ui
