// The generic binding, control by control: what each kind and mode reads and shows.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <QWidget>

#include "ui/pages/color_panel.h"
#include "ui/pages/control_binding.h"
#include "ui/ui_test_support.h"

namespace zarvex::ui::testing {
namespace {

std::string Read(const QWidget* control, int mode, std::string slot = "previous") {
    ReadControlValue(control, mode, slot);
    return slot;
}

TEST(ControlBinding, KindIsDecidedByTheControlsClass) {
    ScriptedDialogService dialogs;
    QComboBox combo;
    QSpinBox spin;
    QLineEdit edit;
    ColorPanel panel(dialogs);
    QToolButton button;
    QCheckBox check;
    QRadioButton radio;
    QLabel label;
    EXPECT_EQ(KindOf(&combo), ControlKind::ComboBox);
    EXPECT_EQ(KindOf(&spin), ControlKind::SpinBox);
    EXPECT_EQ(KindOf(&edit), ControlKind::Edit);
    EXPECT_EQ(KindOf(&panel), ControlKind::Panel);
    EXPECT_EQ(KindOf(&button), ControlKind::SpeedButton);
    EXPECT_EQ(KindOf(&check), ControlKind::CheckBox);
    EXPECT_EQ(KindOf(&radio), ControlKind::RadioButton);
    EXPECT_EQ(KindOf(&label), ControlKind::Other);
    EXPECT_EQ(KindOf(nullptr), ControlKind::Other);
    // Another kind is left alone both ways.
    label.setText("x");
    EXPECT_TRUE(WriteControlValue("y", &label, kPlainMode));
    EXPECT_EQ(label.text(), "x");
    EXPECT_EQ(Read(&label, kPlainMode), "previous");
}

TEST(ControlBinding, ComboBoxInIndexModeCarriesTheChosenEntry) {
    QComboBox combo;
    combo.addItems({"auto", "crosshair", "default"});
    EXPECT_TRUE(WriteControlValue("2", &combo, kPlainMode));
    EXPECT_EQ(combo.currentText(), "default");
    EXPECT_EQ(Read(&combo, kPlainMode), "2");
    EXPECT_EQ(Read(&combo, 2), "2");
    combo.setCurrentIndex(-1);
    EXPECT_EQ(Read(&combo, kPlainMode), "-1");
    // An integer outside the list chooses nothing; text that is no integer is refused.
    combo.setCurrentIndex(1);
    EXPECT_TRUE(WriteControlValue("7", &combo, kPlainMode));
    EXPECT_EQ(combo.currentIndex(), -1);
    combo.setCurrentIndex(1);
    EXPECT_FALSE(WriteControlValue("two", &combo, kPlainMode));
    EXPECT_EQ(combo.currentIndex(), -1);
    EXPECT_EQ(Read(&combo, kPlainMode), "-1");
}

TEST(ControlBinding, ComboBoxInTextModeCarriesItsTrimmedText) {
    QComboBox combo;
    combo.setEditable(true);
    combo.addItems({"_self", "_blank"});
    EXPECT_TRUE(WriteControlValue("  _top  ", &combo, kTextMode));
    EXPECT_EQ(combo.currentText(), "_top");
    combo.setEditText("  frame2 ");
    EXPECT_EQ(Read(&combo, kTextMode), "frame2");
}

TEST(ControlBinding, SpinBoxHoldsItsValueWithinBounds) {
    QSpinBox spin;
    SetSpinBounds(&spin);
    for (const auto& [stored, shown] :
         std::vector<std::pair<std::string, int>>{{"100", 100},
                                                  {"-5", -5},
                                                  {"9999", 9999},
                                                  {"10000", 9999},
                                                  {"-10000", -9999},
                                                  {"99999999999999", 9999},
                                                  {"-99999999999999", -9999},
                                                  {" 42 ", 42}}) {
        EXPECT_TRUE(WriteControlValue(stored, &spin, kPlainMode)) << stored;
        EXPECT_EQ(spin.value(), shown) << stored;
        EXPECT_EQ(Read(&spin, kPlainMode), std::to_string(shown)) << stored;
    }
    // Not a number: the lower bound, and the caller hears of it.
    EXPECT_FALSE(WriteControlValue("1.5", &spin, kPlainMode));
    EXPECT_EQ(spin.value(), kSpinMinimum);
    EXPECT_FALSE(WriteControlValue("", &spin, kPlainMode));
    EXPECT_EQ(Read(&spin, kPlainMode), "-9999");

    // A box with a higher lower bound holds values within its own bounds.
    SetSpinBounds(&spin, 1);
    for (const auto& [stored, shown] : std::vector<std::pair<std::string, int>>{
             {"-5", 1}, {"0", 1}, {"12", 12}, {"-99999999999999", 1}, {"soon", 1}}) {
        WriteControlValue(stored, &spin, kPlainMode);
        EXPECT_EQ(spin.value(), shown) << stored;
        EXPECT_EQ(Read(&spin, kPlainMode), std::to_string(shown)) << stored;
    }
}

TEST(ControlBinding, AnEmptiedSpinBoxReadsAsTheLowerBoundUntilShownAgain) {
    QSpinBox spin;
    SetSpinBounds(&spin);
    WriteControlValue("100", &spin, kPlainMode);
    spin.show();
    spin.setFocus();
    QTest::keyClick(&spin, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&spin, Qt::Key_Delete);
    ASSERT_TRUE(spin.cleanText().isEmpty());
    EXPECT_EQ(Read(&spin, kPlainMode), "-9999");
    // Showing the same value again puts it back in the box.
    WriteControlValue("100", &spin, kPlainMode);
    EXPECT_EQ(Read(&spin, kPlainMode), "100");
    // A font size box emptied reads as its own lower bound, never as an invalid size.
    SetSpinBounds(&spin, 1);
    QTest::keyClick(&spin, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&spin, Qt::Key_Delete);
    ASSERT_TRUE(spin.cleanText().isEmpty());
    EXPECT_EQ(Read(&spin, kPlainMode), "1");
}

TEST(ControlBinding, EditCarriesItsTrimmedTextAndKeepsStoredBytesWhileUnchanged) {
    QLineEdit edit;
    EXPECT_TRUE(WriteControlValue("  Home  ", &edit, kPlainMode));
    EXPECT_EQ(edit.text(), "Home");
    EXPECT_EQ(Read(&edit, kPlainMode, "  Home  "), "Home");
    // Windows-1252 bytes are shown decoded and come back as they were.
    const std::string cp1252 = "Caf\xe9";
    WriteControlValue(cp1252, &edit, kPlainMode);
    EXPECT_EQ(edit.text(), QString::fromUtf8("Caf\xc3\xa9"));
    EXPECT_EQ(Read(&edit, kPlainMode, cp1252), cp1252);
    // Edited text is written as UTF-8.
    edit.setText(QString::fromUtf8("Caf\xc3\xa9s "));
    EXPECT_EQ(Read(&edit, kPlainMode, cp1252), "Caf\xc3\xa9s");
}

TEST(ControlBinding, ColourPairReadsPanelThenTransparentButton) {
    ScriptedDialogService dialogs;
    ColorPanel panel(dialogs);
    QToolButton transparent;
    transparent.setCheckable(true);
    const auto write = [&](const std::string& value) {
        bool shown = WriteControlValue(value, &panel, kPlainMode);
        return WriteControlValue(value, &transparent, kTransparentMode) && shown;
    };
    const auto read = [&](std::string slot) {
        ReadControlValue(&panel, kPlainMode, slot);
        ReadControlValue(&transparent, kTransparentMode, slot);
        return slot;
    };

    EXPECT_TRUE(write("316AC5"));
    EXPECT_EQ(panel.Color(), QColor(0x31, 0x6A, 0xC5));
    EXPECT_FALSE(transparent.isChecked());
    EXPECT_EQ(read("old"), "316AC5");
    EXPECT_TRUE(write("ff00aa"));
    EXPECT_EQ(read("old"), "FF00AA");

    for (const char* word : {"Transparent", "transparent", "TRANSPARENT", "tRaNsPaReNt"}) {
        EXPECT_TRUE(write(word)) << word;
        EXPECT_TRUE(transparent.isChecked()) << word;
        EXPECT_EQ(panel.Color(), QColor(Qt::black)) << word;
        EXPECT_EQ(read("old"), "Transparent") << word;
    }
    // The button up: the panel's colour, whatever the field held.
    transparent.setChecked(false);
    EXPECT_EQ(read("Transparent"), "000000");

    // Not a colour: black, and the caller hears of it.
    EXPECT_FALSE(write("12xy56"));
    EXPECT_EQ(panel.Color(), QColor(Qt::black));
}

TEST(ControlBinding, SpeedButtonInPlainModeCarriesAFlag) {
    QToolButton button;
    button.setCheckable(true);
    WriteControlValue("1", &button, kPlainMode);
    EXPECT_TRUE(button.isChecked());
    EXPECT_EQ(Read(&button, kTextMode), "1");
    WriteControlValue("Transparent", &button, kPlainMode);
    EXPECT_FALSE(button.isChecked());
    EXPECT_EQ(Read(&button, kPlainMode), "0");
    // In transparent mode an up button leaves the field alone.
    EXPECT_EQ(Read(&button, kTransparentMode, "ABCDEF"), "ABCDEF");
}

TEST(ControlBinding, CheckBoxesAndRadioButtonsCarryFlags) {
    QCheckBox check;
    WriteControlValue("1", &check, kPlainMode);
    EXPECT_TRUE(check.isChecked());
    EXPECT_EQ(Read(&check, kPlainMode), "1");
    for (const char* notOne : {"0", "", "yes", "01"}) {
        WriteControlValue(notOne, &check, kPlainMode);
        EXPECT_FALSE(check.isChecked()) << notOne;
        EXPECT_EQ(Read(&check, kPlainMode), "0");
    }
    // A radio button of a group can be cleared, leaving the group without a choice.
    QWidget group;
    auto* first = new QRadioButton(&group);
    auto* second = new QRadioButton(&group);
    WriteControlValue("1", first, kPlainMode);
    EXPECT_TRUE(first->isChecked());
    WriteControlValue("0", first, kPlainMode);
    EXPECT_FALSE(first->isChecked());
    EXPECT_FALSE(second->isChecked());
    EXPECT_EQ(Read(first, kPlainMode), "0");
    EXPECT_TRUE(first->autoExclusive());
}

}  // namespace
}  // namespace zarvex::ui::testing
