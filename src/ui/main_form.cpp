#include "ui/main_form.h"

namespace zarvex::ui {

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName("TMainForm");
    setWindowTitle("Zarvex");
    resize(825, 620);
}

}  // namespace zarvex::ui
