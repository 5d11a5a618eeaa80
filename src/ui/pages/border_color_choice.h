// The Style page's "same colour on all sides" choice. It is no field of the design:
// it shows checked when the four border colours agree, and while it is checked the
// right, bottom and left colour pairs follow the top pair and cannot be changed alone.
#pragma once

#include <QObject>
#include <array>

class QAbstractButton;
class QWidget;

namespace zarvex::ui {

class BorderColorChoice final : public QObject {
    Q_OBJECT
  public:
    // pages: the widget holding the Style page's controls (found by their names).
    explicit BorderColorChoice(QWidget* pages);

    // After the pages were filled from the design: checked exactly when the sides agree.
    void ShowAgreement();
    // The top pair was changed (a colour picked, its "T" toggled).
    void TopChanged();

  signals:
    // The user's choice changed the other sides.
    void changed();

  private:
    void OnToggled(bool checked);
    void CopyTopToOtherSides();
    void EnableOtherSides(bool enabled);

    QAbstractButton* same_;
    std::array<QWidget*, 4> panels_{};   // top, right, bottom, left
    std::array<QWidget*, 4> buttons_{};  // their "T" buttons
};

}  // namespace zarvex::ui
