// The main window.
#pragma once

#include <QMainWindow>

namespace zarvex::ui {

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);
};

}  // namespace zarvex::ui
