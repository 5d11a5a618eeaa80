// The generic binding between one control and one field's text: what a control shows
// as text for the model, and how a stored text is shown in a control. The control's
// kind decides; the mode chooses between the two ways a combo box or a tool button
// can carry a value. A control of any other kind is left alone.
#pragma once

#include <QString>
#include <string>

#include "model/field_text.h"

class QSpinBox;
class QWidget;

namespace zarvex::ui {

enum class ControlKind {
    Other,
    ComboBox,
    SpinBox,
    Edit,
    Panel,
    SpeedButton,
    CheckBox,
    RadioButton
};

ControlKind KindOf(const QWidget* control);

// Binding modes. A combo box in kTextMode carries its text; otherwise the index of its
// chosen entry. A speed button in kTransparentMode carries "Transparent" (and only
// when down); otherwise "1"/"0".
inline constexpr int kPlainMode = 0;
inline constexpr int kTextMode = 1;
inline constexpr int kTransparentMode = 2;

// Every spin box holds its value within its own bounds, at most these; text in it that
// is not an integer (an emptied box) reads as its lower bound. Boxes whose value is a
// length or a size start higher (0, or 1 for a font size), so that they cannot give
// invalid CSS.
inline constexpr int kSpinMinimum = -9999;
inline constexpr int kSpinMaximum = 9999;
void SetSpinBounds(QSpinBox* spin, int minimum = kSpinMinimum);

inline constexpr const char* kTransparentText = "Transparent";

// The control's value into slot. slot comes in holding the field's stored value: a
// speed button in kTransparentMode that is up leaves it as it is, and a text control
// still showing that value gives back its exact bytes, so that viewing a field never
// changes its encoding. Texts the user typed are written as UTF-8.
void ReadControlValue(const QWidget* control, int mode, std::string& slot);
void ReadControlValue(const QWidget* control, int mode, FieldText& slot);

// Shows text in the control. Returns false when the text has no meaning for the
// control — not an integer for a spin box or an index-mode combo box, not a colour for
// a panel — which then shows its lower bound, no entry or black.
bool WriteControlValue(const std::string& text, QWidget* control, int mode);

// A text control's value for the model: shown trimmed, or previous's bytes (trimmed)
// when shown is what previous is displayed as.
std::string ReadShownText(const QString& shown, const std::string& previous);
// A stored text as a text control shows it: trimmed, and decoded as UTF-8 with the
// Windows-1252 fallback.
QString ShownText(const std::string& value);

}  // namespace zarvex::ui
