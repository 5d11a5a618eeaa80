// The Style page's readability warnings: beside each state's colours (normal, hover,
// active) a note appears while its text and background colours contrast less than the
// web's accessibility guidelines ask of normal text (4.5:1). A transparent colour shows
// the page behind it, which the program cannot see, so such a pair is not judged.
#pragma once

#include <QObject>
#include <vector>

class QAbstractButton;
class QLabel;
class QWidget;

namespace zarvex::ui {

class ColorPanel;

class ContrastWarnings final : public QObject {
    Q_OBJECT
  public:
    explicit ContrastWarnings(QWidget* stylePage);
    void Update();

  private:
    struct Pair {
        ColorPanel* text;
        QAbstractButton* textTransparent;
        ColorPanel* background;
        QAbstractButton* backgroundTransparent;
        QLabel* note;
    };
    std::vector<Pair> pairs_;
};

}  // namespace zarvex::ui
