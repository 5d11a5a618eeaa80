#include "ui/pages/border_color_choice.h"

#include <QAbstractButton>
#include <QWidget>
#include <string>

#include "ui/pages/control_binding.h"
#include "ui/pages/page_builders.h"

namespace zarvex::ui {

namespace {

const char* const kSides[] = {"MainMenuBorderColorTop", "MainMenuBorderColorRight",
                              "MainMenuBorderColorBottom", "MainMenuBorderColorLeft"};

// A colour pair's value as the binding reads it into the model.
std::string PairValue(const QWidget* panel, const QWidget* button) {
    std::string value;
    ReadControlValue(panel, kPlainMode, value);
    ReadControlValue(button, kTransparentMode, value);
    return value;
}

}  // namespace

BorderColorChoice::BorderColorChoice(QWidget* pages)
    : QObject(pages),
      same_(pages->findChild<QAbstractButton*>(QString::fromLatin1(kSameBorderColorsControl))) {
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        panels_[i] = pages->findChild<QWidget*>(QStringLiteral("pnl_") + QLatin1String(kSides[i]));
        buttons_[i] =
            pages->findChild<QWidget*>(QStringLiteral("spdbtn_") + QLatin1String(kSides[i]));
    }
    connect(same_, &QAbstractButton::clicked, this, &BorderColorChoice::OnToggled);
}

void BorderColorChoice::ShowAgreement() {
    const std::string top = PairValue(panels_[0], buttons_[0]);
    bool agree = true;
    for (std::size_t i = 1; i < panels_.size(); ++i)
        agree = agree && PairValue(panels_[i], buttons_[i]) == top;
    same_->setChecked(agree);
    EnableOtherSides(!agree);
}

void BorderColorChoice::TopChanged() {
    if (same_->isChecked())
        CopyTopToOtherSides();
}

void BorderColorChoice::OnToggled(bool checked) {
    if (checked)
        CopyTopToOtherSides();
    EnableOtherSides(!checked);
    emit changed();
}

void BorderColorChoice::CopyTopToOtherSides() {
    const std::string top = PairValue(panels_[0], buttons_[0]);
    for (std::size_t i = 1; i < panels_.size(); ++i) {
        WriteControlValue(top, panels_[i], kPlainMode);
        WriteControlValue(top, buttons_[i], kTransparentMode);
    }
}

void BorderColorChoice::EnableOtherSides(bool enabled) {
    for (std::size_t i = 1; i < panels_.size(); ++i) {
        panels_[i]->setEnabled(enabled);
        buttons_[i]->setEnabled(enabled);
    }
}

}  // namespace zarvex::ui
