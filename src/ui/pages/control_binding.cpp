#include "ui/pages/control_binding.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <algorithm>

#include "codegen/css_values.h"
#include "model/errors.h"
#include "model/text_util.h"
#include "platform/text_codec.h"
#include "ui/pages/color_panel.h"

namespace zarvex::ui {

namespace {

// A decimal integer of any length: an out-of-range one is still a number and is held
// at the nearest bound.
bool TryBoundedInt(std::string_view text, int& value) {
    const std::string_view t = Trim(text);
    if (TryStrToInt(t, value))
        return true;
    std::string_view digits = t;
    const bool negative = !digits.empty() && digits.front() == '-';
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+'))
        digits.remove_prefix(1);
    if (digits.empty() ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    value = negative ? kSpinMinimum : kSpinMaximum;
    return true;
}

ColorValue ToColorValue(const QColor& c) {
    return static_cast<ColorValue>(c.red()) | static_cast<ColorValue>(c.green()) << 8 |
           static_cast<ColorValue>(c.blue()) << 16;
}

QColor FromColorValue(ColorValue v) {
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>(v >> 8 & 0xFF),
                  static_cast<int>(v >> 16 & 0xFF));
}

// Radio buttons of one group cannot be cleared directly: the group would keep one
// selected. Clearing takes the button out of its group for the moment.
void SetRadioChecked(QRadioButton* radio, bool checked) {
    if (checked || !radio->isChecked()) {
        radio->setChecked(checked);
        return;
    }
    const bool exclusive = radio->autoExclusive();
    radio->setAutoExclusive(false);
    radio->setChecked(false);
    radio->setAutoExclusive(exclusive);
}

}  // namespace

ControlKind KindOf(const QWidget* control) {
    if (!control)
        return ControlKind::Other;
    if (qobject_cast<const QComboBox*>(control))
        return ControlKind::ComboBox;
    if (qobject_cast<const QSpinBox*>(control))
        return ControlKind::SpinBox;
    if (qobject_cast<const QLineEdit*>(control))
        return ControlKind::Edit;
    if (qobject_cast<const ColorPanel*>(control))
        return ControlKind::Panel;
    if (qobject_cast<const QToolButton*>(control))
        return ControlKind::SpeedButton;
    if (qobject_cast<const QCheckBox*>(control))
        return ControlKind::CheckBox;
    if (qobject_cast<const QRadioButton*>(control))
        return ControlKind::RadioButton;
    return ControlKind::Other;
}

void SetSpinBounds(QSpinBox* spin, int minimum) {
    spin->setRange(std::max(minimum, kSpinMinimum), kSpinMaximum);
}

QString ShownText(const std::string& value) {
    return platform::DecodeFieldText(Trim(value));
}

std::string ReadShownText(const QString& shown, const std::string& previous) {
    const std::string_view previousTrimmed = Trim(previous);
    if (shown == platform::DecodeFieldText(previousTrimmed))
        return std::string(previousTrimmed);
    return std::string(Trim(platform::EncodeFieldText(shown)));
}

void ReadControlValue(const QWidget* control, int mode, FieldText& slot) {
    std::string text(slot.view());
    ReadControlValue(control, mode, text);
    slot = text;
}

void ReadControlValue(const QWidget* control, int mode, std::string& slot) {
    switch (KindOf(control)) {
        case ControlKind::ComboBox: {
            const auto* combo = static_cast<const QComboBox*>(control);
            if (mode == kTextMode)
                slot = ReadShownText(combo->currentText(), slot);
            else
                slot = std::to_string(combo->currentIndex());
            return;
        }
        case ControlKind::SpinBox: {
            const auto* spin = static_cast<const QSpinBox*>(control);
            int value = spin->minimum();
            if (!TryBoundedInt(spin->cleanText().toStdString(), value))
                value = spin->minimum();
            slot = std::to_string(std::clamp(value, spin->minimum(), spin->maximum()));
            return;
        }
        case ControlKind::Edit:
            slot = ReadShownText(static_cast<const QLineEdit*>(control)->text(), slot);
            return;
        case ControlKind::Panel:
            slot = ColorToHexText(ToColorValue(static_cast<const ColorPanel*>(control)->Color()));
            return;
        case ControlKind::SpeedButton: {
            const bool down = static_cast<const QToolButton*>(control)->isChecked();
            if (mode == kTransparentMode) {
                if (down)
                    slot = kTransparentText;
            } else {
                slot = down ? "1" : "0";
            }
            return;
        }
        case ControlKind::CheckBox:
        case ControlKind::RadioButton:
            slot = static_cast<const QAbstractButton*>(control)->isChecked() ? "1" : "0";
            return;
        case ControlKind::Other:
            return;
    }
}

bool WriteControlValue(const std::string& text, QWidget* control, int mode) {
    switch (KindOf(control)) {
        case ControlKind::ComboBox: {
            auto* combo = static_cast<QComboBox*>(control);
            if (mode == kTextMode) {
                combo->setCurrentText(ShownText(text));
                return true;
            }
            int index = -1;
            const bool isInteger = TryStrToInt(Trim(text), index);
            combo->setCurrentIndex(isInteger && index >= 0 && index < combo->count() ? index : -1);
            return isInteger;
        }
        case ControlKind::SpinBox: {
            auto* spin = static_cast<QSpinBox*>(control);
            int value = spin->minimum();
            const bool isInteger = TryBoundedInt(text, value);
            // setValue rewrites the box's text even for an unchanged value, so a box the
            // user emptied shows the value again.
            spin->setValue(std::clamp(value, spin->minimum(), spin->maximum()));
            return isInteger;
        }
        case ControlKind::Edit:
            static_cast<QLineEdit*>(control)->setText(ShownText(text));
            return true;
        case ControlKind::Panel: {
            auto* panel = static_cast<ColorPanel*>(control);
            try {
                panel->SetColor(FromColorValue(HexTextToColor(Trim(text))));
                return true;
            } catch (const ConversionError&) {
                panel->SetColor(Qt::black);
                return false;
            }
        }
        case ControlKind::SpeedButton: {
            auto* button = static_cast<QToolButton*>(control);
            button->setChecked(mode == kTransparentMode ? IsTransparentText(text) : text == "1");
            return true;
        }
        case ControlKind::CheckBox:
            static_cast<QCheckBox*>(control)->setChecked(text == "1");
            return true;
        case ControlKind::RadioButton:
            SetRadioChecked(static_cast<QRadioButton*>(control), text == "1");
            return true;
        case ControlKind::Other:
            return true;
    }
    return true;
}

}  // namespace zarvex::ui
