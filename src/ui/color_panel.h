// A colour panel: a flat box showing one colour. A click asks the colour dialog (through
// the dialog service, so tests can answer it) for a new colour, starting from the shown one;
// clicked() follows every click, whether or not a colour was chosen.
#pragma once

#include <QColor>
#include <QFrame>

namespace zarvex::ui {

class IDialogService;

class ColorPanel final : public QFrame {
    Q_OBJECT
  public:
    ColorPanel(IDialogService& dialogs, QWidget* parent = nullptr);

    QColor Color() const { return color_; }
    void SetColor(const QColor& color);

    // Opens the colour dialog with the panel's colour; a confirmed choice becomes the
    // panel's colour. Returns whether a colour was chosen.
    bool PickColor();

    QSize sizeHint() const override { return {40, 21}; }

  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    IDialogService& dialogs_;
    QColor color_ = Qt::black;
};

}  // namespace zarvex::ui
