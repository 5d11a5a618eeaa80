// What assistive technology and the keyboard need of the property pages beyond their
// layout: each field is named by its own label (not by its group's title), and a group's
// help button is reached after the group's fields, not before them.
#pragma once

class QWidget;

namespace zarvex::ui {

// Links every label to the field that follows it in its layout, names the field after
// it unless it has a name of its own, and moves each group's help button behind the
// group's last field in the Tab order.
void ConnectLabelsAndHelp(QWidget* pages);

}  // namespace zarvex::ui
