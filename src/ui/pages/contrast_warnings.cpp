#include "ui/pages/contrast_warnings.h"

#include <QAbstractButton>
#include <QLabel>

#include "codegen/contrast.h"
#include "ui/pages/color_panel.h"

namespace zarvex::ui {

namespace {

ColorValue ValueOf(const QColor& c) {
    return static_cast<ColorValue>(c.red()) | static_cast<ColorValue>(c.green()) << 8 |
           static_cast<ColorValue>(c.blue()) << 16;
}

}  // namespace

ContrastWarnings::ContrastWarnings(QWidget* stylePage) : QObject(stylePage) {
    const struct {
        const char* text;
        const char* background;
        const char* note;
    } states[] = {{"MenuTextColor", "MenuBackgroundColor", "lblContrastNormal"},
                  {"MenuTextColorHover", "MenuBackgroundColorHover", "lblContrastHover"},
                  {"MenuTextColorActive", "MenuBackgroundColorActive", "lblContrastActive"}};
    const auto panel = [stylePage](const char* field) {
        return stylePage->findChild<ColorPanel*>(QStringLiteral("pnl_") + QLatin1String(field));
    };
    const auto toggle = [stylePage](const char* field) {
        return stylePage->findChild<QAbstractButton*>(QStringLiteral("spdbtn_") +
                                                      QLatin1String(field));
    };
    for (const auto& state : states) {
        Pair pair{panel(state.text), toggle(state.text), panel(state.background),
                  toggle(state.background),
                  stylePage->findChild<QLabel*>(QLatin1String(state.note))};
        if (!pair.text || !pair.background || !pair.textTransparent ||
            !pair.backgroundTransparent || !pair.note)
            continue;
        for (ColorPanel* p : {pair.text, pair.background})
            connect(p, &ColorPanel::colorChanged, this, &ContrastWarnings::Update);
        for (QAbstractButton* b : {pair.textTransparent, pair.backgroundTransparent})
            connect(b, &QAbstractButton::toggled, this, &ContrastWarnings::Update);
        pairs_.push_back(pair);
    }
    Update();
}

void ContrastWarnings::Update() {
    for (const Pair& pair : pairs_) {
        const bool judged =
            !pair.textTransparent->isChecked() && !pair.backgroundTransparent->isChecked();
        const double ratio =
            judged ? ContrastRatio(ValueOf(pair.text->Color()), ValueOf(pair.background->Color()))
                   : kReadableContrast;
        const bool low = ratio < kReadableContrast;
        if (low) {
            pair.note->setText(tr("\u26A0 Contrast %1:1, hard to read (4.5:1 or more)")
                                   .arg(QString::number(ratio, 'f', 1)));
        }
        pair.note->setVisible(low);
    }
}

}  // namespace zarvex::ui
