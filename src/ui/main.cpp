#include <QApplication>

#include "ui/main_form.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Zarvex");
    QApplication::setApplicationDisplayName("Zarvex");
    zarvex::ui::TMainForm form;
    form.show();
    return QApplication::exec();
}
