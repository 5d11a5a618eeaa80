// A colour panel: a flat box showing one colour and its hex value. A click asks the colour
// dialog (through the dialog service, so tests can answer it) for a new colour, starting
// from the shown one, and the panel follows the dialog while the colour changes there
// (Cancel puts the colour back); clicked() follows every click, whether or not a colour was
// chosen. A colour may also be typed (any key opens a small editor) or pasted (Ctrl+V).
#pragma once

#include <QColor>
#include <QFrame>
#include <optional>

class QLineEdit;

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
    // Takes a typed or pasted colour ("#1A2B3C", "1a2b3c", "#abc" or a colour name);
    // false, with nothing changed, for text that names no colour.
    bool TakeColorText(const QString& text);
    QLineEdit* Editor() const { return editor_; }

    QSize sizeHint() const override;

  signals:
    void clicked();
    // The user typed or pasted a colour.
    void edited();
    // The shown colour changed, by any means (the dialog's passing colours included).
    void colorChanged();
    // The colour dialog shows another colour, or was cancelled back to the first one.
    void previewed();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void OpenEditor(const QString& start);
    void CloseEditor(bool take);

    IDialogService& dialogs_;
    QColor color_ = Qt::black;
    QLineEdit* editor_ = nullptr;
};

// The colour that text names, as typed or pasted; nothing when it names none.
std::optional<QColor> ParseColorText(const QString& text);

}  // namespace zarvex::ui
