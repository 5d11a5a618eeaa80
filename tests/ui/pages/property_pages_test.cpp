// The property pages inside the main window: the binding tables row by row, the change
// reports, the Item page's availability, the separator box, the text checks, the pickers
// and the help buttons.
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <map>

#include "codegen/css_values.h"
#include "model/forbidden_text.h"
#include "settings/show_flags.h"
#include "ui/dialogs/form_help.h"
#include "ui/pages/color_panel.h"
#include "ui/pages/control_binding.h"
#include "ui/pages/page_bindings.h"
#include "ui/pages/property_pages.h"
#include "ui/ui_test_support.h"

namespace zarvex::ui::testing {
namespace {

const QString kSeparatorMessage = R"(The text can not include "#$@"!)";
const QString kApostropheMessage =
    R"(The text can not include ', please add leading "\" and try again!)";
const QString kQuoteMessage = R"(The text can't include ", please add leading "\" and try again!)";

class Pages : public MainFormFixture {
  protected:
    template <typename W = QWidget>
    W* Get(const char* name) {
        W* w = Form().findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    PropertyPages& P() { return Form().Pages(); }
    void Open(const std::vector<std::pair<int, QString>>& items) {
        dialogs_.AnswerOpen(WriteProject("p.zarvex", items));
        Trigger("Open1");
    }
    QLabel* Hint() { return Get<QLabel>("stctxtHint"); }
};

// A stored value that differs from the default and that the control can show exactly.
std::string SampleValue(QWidget* control, int mode, int row) {
    switch (KindOf(control)) {
        case ControlKind::ComboBox:
            return mode == kTextMode ? "v" + std::to_string(row) : "1";
        case ControlKind::SpinBox:
            return std::to_string(200 + row);
        case ControlKind::Edit:
            return "text " + std::to_string(row);
        case ControlKind::Panel:
            return "A1B2" + std::to_string(10 + row);
        case ControlKind::CheckBox:
        case ControlKind::RadioButton:
            return row % 2 ? "1" : "0";
        default:
            return "?";
    }
}

TEST_F(Pages, EveryMenuFieldRoundTripsThroughItsControls) {
    TAppletData stored = Form().Agent().GetMenuParameters();
    stored.ListId = "kept_ul";
    stored.ArrowImage = "kept.gif";
    int row = 0;
    for (const MenuFieldBinding& b : kMenuFieldBindings)
        Field(stored, b.field) = SampleValue(P().Control(b.first.name), b.first.mode, row++);
    Form().Agent().SetMenuParameters(stored);
    P().ShowMenuParameters();

    // The model forgets; the pages give every value back, and leave unbound fields alone.
    TAppletData blank = stored;
    for (const MenuFieldBinding& b : kMenuFieldBindings)
        Field(blank, b.field) = "junk";
    Form().Agent().SetMenuParameters(blank);
    P().ReadMenuPages();
    const TAppletData read = Form().Agent().GetMenuParameters();
    for (const auto& info : kAppletFields)
        EXPECT_EQ(read.*info.member, stored.*info.member) << info.name;
}

TEST_F(Pages, ColourFieldsCarryTransparentInAnyLetterCase) {
    TAppletData d = Form().Agent().GetMenuParameters();
    d.BackgroundColor = "tRaNsPaReNt";
    d.BorderColorTop = "TRANSPARENT";
    d.TextColorHover = "00ff7f";
    Form().Agent().SetMenuParameters(d);
    P().ShowMenuParameters();
    EXPECT_TRUE(Get<QToolButton>("spdbtn_MenuBackgroundColor")->isChecked());
    EXPECT_EQ(Get<ColorPanel>("pnl_MenuBackgroundColor")->Color(), QColor(Qt::black));
    EXPECT_FALSE(Get<QToolButton>("spdbtn_MenuTextColorHover")->isChecked());
    EXPECT_EQ(Get<ColorPanel>("pnl_MenuTextColorHover")->Color(), QColor(0x00, 0xFF, 0x7F));
    Form().CommitPages();
    d = Form().Agent().GetMenuParameters();
    EXPECT_EQ(d.BackgroundColor, "Transparent");
    EXPECT_EQ(d.BorderColorTop, "Transparent");
    EXPECT_EQ(d.TextColorHover, "00FF7F");
    // The button released: the panel's colour is the field's value.
    Get<QToolButton>("spdbtn_MenuBackgroundColor")->click();
    Form().CommitPages();
    EXPECT_EQ(Form().Agent().GetMenuParameters().BackgroundColor, "000000");
}

TEST_F(Pages, SpinValuesAreHeldWithinBoundsAndReadBackSo) {
    // Lengths and sizes cannot go below 0 (a font size below 1): they would give invalid CSS.
    const struct {
        const char* control;
        std::string TAppletData::*field;
        const char* stored;
        int shown;
    } cases[] = {
        {"spnedt_DelayClose", &TAppletData::DelayClose, "123456", 9999},
        {"spnedt_MenuZindex", &TAppletData::ZIndex, "-20000", -9999},
        {"spnedt_MenuFontSize", &TAppletData::FontSize, "9999", 9999},
        {"spnedt_MenuFontSize", &TAppletData::FontSize, "-5", 1},
        {"spnedt_MenuPaddingLeft", &TAppletData::PaddingLeft, "-3", 0},
        {"spnedt_MenuPaddingTop", &TAppletData::PaddingTop, "-3", 0},
        {"spnedt_MenuPaddingRight", &TAppletData::PaddingRight, "-3", 0},
        {"spnedt_MenuPaddingBottom", &TAppletData::PaddingBottom, "-3", 0},
        {"spnedt_MenuIconWidth", &TAppletData::IconWidth, "-16", 0},
        {"spnedt_MenuIconHeight", &TAppletData::IconHeight, "-16", 0},
        {"spnedt_MainMenuBorderWidth", &TAppletData::BorderWidth, "-1", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.control);
        TAppletData d = Form().Agent().GetMenuParameters();
        d.*c.field = c.stored;
        Form().Agent().SetMenuParameters(d);
        P().ShowMenuParameters();
        EXPECT_EQ(Get<QSpinBox>(c.control)->value(), c.shown);
        Form().CommitPages();
        EXPECT_EQ(Form().Agent().GetMenuParameters().*c.field, std::to_string(c.shown));
    }
    // The user cannot step below the bound either.
    auto* size = Get<QSpinBox>("spnedt_MenuFontSize");
    size->setValue(1);
    size->stepDown();
    EXPECT_EQ(size->value(), 1);
}

TEST_F(Pages, OneBorderColourOnAllSidesFollowsTheTopSide) {
    auto* same = Get<QCheckBox>("chkbx_MainMenuBorderColorSame");
    // The default design's four sides differ.
    EXPECT_FALSE(same->isChecked());
    EXPECT_TRUE(Get<ColorPanel>("pnl_MainMenuBorderColorLeft")->isEnabled());
    Form().MarkUnchanged();
    same->click();
    EXPECT_TRUE(Form().ModifiedFlag());
    for (const char* side : {"Right", "Bottom", "Left"}) {
        SCOPED_TRACE(side);
        const QString pair = QStringLiteral("MainMenuBorderColor") + side;
        EXPECT_FALSE(Get<QWidget>(("pnl_" + pair).toLatin1())->isEnabled());
        EXPECT_FALSE(Get<QWidget>(("spdbtn_" + pair).toLatin1())->isEnabled());
    }
    // A colour picked for the top, then the top made transparent: every side follows.
    dialogs_.AnswerColor(QColor(0x12, 0x34, 0x56));
    QTest::mouseClick(Get<ColorPanel>("pnl_MainMenuBorderColorTop"), Qt::LeftButton);
    Form().CommitPages();
    TAppletData d = Form().Agent().GetMenuParameters();
    for (const std::string* side :
         {&d.BorderColorTop, &d.BorderColorRight, &d.BorderColorBottom, &d.BorderColorLeft})
        EXPECT_EQ(*side, "123456");
    Get<QToolButton>("spdbtn_MainMenuBorderColorTop")->click();
    Form().CommitPages();
    EXPECT_EQ(Form().Agent().GetMenuParameters().BorderColorLeft, "Transparent");

    // Shown from a design, the choice says whether the sides agree.
    d = Form().Agent().GetMenuParameters();
    d.BorderColorLeft = "ABCDEF";
    Form().Agent().SetMenuParameters(d);
    P().ShowMenuParameters();
    EXPECT_FALSE(same->isChecked());
    EXPECT_TRUE(Get<ColorPanel>("pnl_MainMenuBorderColorLeft")->isEnabled());
    d.BorderColorTop = d.BorderColorRight = d.BorderColorBottom = "abcdef";
    Form().Agent().SetMenuParameters(d);
    P().ShowMenuParameters();
    EXPECT_TRUE(same->isChecked());
    // Unchecked, each side is its own again.
    same->click();
    EXPECT_TRUE(Get<ColorPanel>("pnl_MainMenuBorderColorLeft")->isEnabled());
}

// A swatch shows its hex value and takes one typed or pasted; the colour dialog's passing
// colours reach the preview and Cancel puts the first one back; a pair that reads badly
// is warned about beside its controls.
TEST_F(Pages, ColoursAreTypedPastedFollowedAndTheirContrastIsWarnedAbout) {
    auto* text = Get<ColorPanel>("pnl_MenuTextColor");
    auto* background = Get<ColorPanel>("pnl_MenuBackgroundColor");
    auto* note = Get<QLabel>("lblContrastNormal");
    QWidget* page = Get<QWidget>("tbshtStyle");
    Form().MarkUnchanged();
    text->setFocus();
    QTest::keyClick(text, Qt::Key_NumberSign);
    ASSERT_NE(text->Editor(), nullptr);
    QTest::keyClicks(text->Editor(), "000000");
    QTest::keyClick(text->Editor(), Qt::Key_Return);
    EXPECT_EQ(text->Color(), QColor(0, 0, 0));
    EXPECT_EQ(text->toolTip(), "#000000");
    QApplication::clipboard()->setText(" 111827 ");
    QTest::keyClick(background, Qt::Key_V, Qt::ControlModifier);
    Form().CommitPages();
    EXPECT_EQ(Form().Agent().GetMenuParameters().BackgroundColor, "111827");
    EXPECT_TRUE(Form().ModifiedFlag());
    EXPECT_EQ(Action("Undo1")->text(), "&Undo Edit BackgroundColor");
    // Black on #111827 reads badly; white on it reads well; a transparent side is not judged.
    EXPECT_TRUE(note->isVisibleTo(page));
    EXPECT_TRUE(note->text().contains("1.2:1")) << note->text().toStdString();
    QApplication::clipboard()->setText("not a colour");
    QTest::keyClick(text, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(text->Color(), QColor(0, 0, 0));
    QApplication::clipboard()->setText("#fff");
    QTest::keyClick(text, Qt::Key_V, Qt::ControlModifier);
    EXPECT_FALSE(note->isVisibleTo(page));
    QApplication::clipboard()->setText("#222");
    QTest::keyClick(text, Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(note->isVisibleTo(page));
    Get<QToolButton>("spdbtn_MenuBackgroundColor")->click();
    EXPECT_FALSE(note->isVisibleTo(page));
    Get<QToolButton>("spdbtn_MenuBackgroundColor")->click();

    // The dialog's passing colours are shown at once; Cancel restores the colour.
    QSignalSpy previews(&P(), &PropertyPages::previewRequested);
    dialogs_.passingColors = {Qt::red, Qt::green};
    dialogs_.whileColorDialogOpen = [&] {
        EXPECT_EQ(text->Color(), QColor(Qt::green));
        EXPECT_EQ(previews.count(), 2);
    };
    dialogs_.AnswerColor(std::nullopt);
    QTest::mouseClick(text, Qt::LeftButton);
    EXPECT_EQ(text->Color(), QColor(0x22, 0x22, 0x22));
    EXPECT_EQ(previews.count(), 3);
    EXPECT_TRUE(dialogs_.AllAnswered());
}

TEST_F(Pages, EveryStyleControlHasItsOwnAccessibleName) {
    QStringList names;
    QWidget* page = Get<QWidget>("tbshtStyle");
    for (QWidget* control : page->findChildren<QWidget*>()) {
        if (control->focusPolicy() == Qt::NoFocus || !control->isVisibleTo(page) ||
            control->parentWidget()->inherits("QAbstractSpinBox") ||
            control->parentWidget()->inherits("QComboBox"))
            continue;  // labels, group frames and the inner parts of composite controls
        SCOPED_TRACE(control->objectName().toStdString());
        EXPECT_FALSE(control->accessibleName().isEmpty());
        names << control->accessibleName();
    }
    EXPECT_GE(names.size(), 30);
    EXPECT_EQ(names.removeDuplicates(), 0) << names.join(", ").toStdString();
    EXPECT_EQ(Get<ColorPanel>("pnl_MenuBackgroundColorHover")->accessibleName(),
              "Hover background colour");
}

// A screen reader announces a field by its own label, never by its group's title, and
// Tab reaches a group's help button after the group's fields.
TEST_F(Pages, FieldsAreAnnouncedByTheirLabelsAndHelpComesAfterThem) {
    const struct {
        const char* control;
        const char* name;
    } fields[] = {
        {"edt_MenuName", "Name"},
        {"cmbx_Vertical", "Type"},
        {"spnedt_DelayClose", "Wait"},
        {"edt_InternalUse_RootDir_Local", "Root Directory for Local Computer"},
        {"edt_InternalUse_RootDir_Remote", "Root Directory for Web Server"},
        {"edt_Text", "Text"},
        {"cmbx_Link", "URL"},
        {"cmbx_Target", "Target"},
        {"edt_ToolTip", "Tooltip"},
        {"edt_Icon", "Icon"},
        {"spnedt_MainMenuBorderWidth", "Border width"},
    };
    for (const auto& field : fields) {
        QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(Get(field.control));
        ASSERT_NE(shown, nullptr);
        QString name = shown->text(QAccessible::Name);
        // A list without typing is named by its choice on some platforms; its label then
        // reaches the screen reader as the label relation.
        const auto* list = qobject_cast<QComboBox*>(Get(field.control));
        if (list && !list->isEditable() && name == list->currentText()) {
            const auto labels = shown->relations(QAccessible::Label);
            ASSERT_FALSE(labels.isEmpty()) << field.control;
            name = labels.front().first->text(QAccessible::Name);
        }
        EXPECT_EQ(name, field.name) << field.control;
    }
    const auto tabsFrom = [](QWidget* from, QWidget* to) {
        int steps = 0;
        for (QWidget* w = from->nextInFocusChain(); w != from && steps < 500;
             w = w->nextInFocusChain(), ++steps)
            if (w == to)
                return steps;
        return -1;
    };
    const struct {
        const char* first;
        const char* last;
        const char* help;
    } groups[] = {
        {"edt_MenuName", "cmbx_Vertical", "SpeedButton4"},
        {"edt_InternalUse_RootDir_Local", "edt_InternalUse_RootDir_Remote", "SpeedButton28"},
        {"cmbx_Link", "cmbx_Target", "SpeedButton13"}};
    for (const auto& group : groups) {
        SCOPED_TRACE(group.help);
        const int toLast = tabsFrom(Get(group.first), Get(group.last));
        const int toHelp = tabsFrom(Get(group.first), Get(group.help));
        EXPECT_GE(toLast, 0);
        EXPECT_GT(toHelp, toLast);
    }
}

TEST_F(Pages, StoredValuesThatAreNotNumbersAreReportedAndTheRestIsShown) {
    TAppletData d = Form().Agent().GetMenuParameters();
    d.DelayClose = "soon";
    d.Cursor = "2.0";
    d.TextColor = "red";
    d.FontFamily = "verdana";
    d.ZIndex = "7";
    Form().Agent().SetMenuParameters(d);
    P().ShowMenuParameters();
    EXPECT_EQ(Get<QSpinBox>("spnedt_DelayClose")->value(), kSpinMinimum);
    EXPECT_EQ(Get<QComboBox>("cmbx_MenuCursor")->currentIndex(), -1);
    EXPECT_EQ(Get<QLineEdit>("edt_MenuFontFamily")->text(), "verdana");
    EXPECT_EQ(Get<QSpinBox>("spnedt_MenuZindex")->value(), 7);
    const QString hint = Hint()->text();
    EXPECT_TRUE(hint.startsWith("Warning")) << hint.toStdString();
    for (const char* field : {"DelayClose \"soon\"", "Cursor \"2.0\"", "TextColor \"red\""})
        EXPECT_TRUE(hint.contains(field)) << field;
    EXPECT_FALSE(hint.contains("ZIndex"));
}

TEST_F(Pages, EveryItemFieldRoundTripsAndTheOthersStayUntouched) {
    Open({{0, "Home"}, {0, "Products"}});
    TItemData stored = Form().Agent().GetItem(1);
    stored.Icon = "home.gif";
    stored.Link = "http://example.com/a b";
    stored.Target = "frame1";
    stored.ToolTip = "Caf\xe9 tip";  // Windows-1252 bytes from an older design
    stored.Reserved6 = "r6";
    stored.Reserved8 = "r8";
    Form().Agent().SetItem(1, stored);
    Select(2);
    EXPECT_EQ(Get<QLineEdit>("edt_ToolTip")->text(), QString::fromUtf8("Caf\xc3\xa9 tip"));
    EXPECT_EQ(Get<QComboBox>("cmbx_Link")->currentText(), "http://example.com/a b");
    EXPECT_EQ(Get<QComboBox>("cmbx_Target")->currentText(), "frame1");

    // Viewed, not edited: the record keeps its exact bytes.
    Form().CommitPages();
    EXPECT_EQ(ToList(Form().Agent().GetItem(1)), ToList(stored));

    // The model forgets; the page gives every value back (texts as UTF-8) and leaves the
    // other fields alone.
    TItemData blank = stored;
    for (const ItemFieldBinding& b : kItemFieldBindings)
        Field(blank, b.field) = "junk";
    Form().Agent().SetItem(1, blank);
    Form().CommitPages();
    TItemData expected = stored;
    expected.ToolTip = "Caf\xc3\xa9 tip";
    EXPECT_EQ(ToList(Form().Agent().GetItem(1)), ToList(expected));

    // Edited text goes to the model as UTF-8.
    Get<QLineEdit>("edt_ToolTip")->setText(QString::fromUtf8("Caf\xc3\xa9s"));
    Form().CommitPages();
    EXPECT_EQ(Form().Agent().GetItem(1).ToolTip, "Caf\xc3\xa9s");
}

// --- change reports ------------------------------------------------------------------------

// Changes a control's value as the user would.
void UserEdit(QWidget* control, ScriptedDialogService& dialogs) {
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        QTest::keyClicks(edit, "x");
    } else if (auto* spin = qobject_cast<QSpinBox*>(control)) {
        spin->stepUp();
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
        if (combo->isEditable()) {
            QTest::keyClicks(combo->lineEdit(), "x");
        } else {
            combo->setCurrentIndex(0);
            QTest::keyClick(combo, Qt::Key_Down);
        }
    } else if (auto* panel = qobject_cast<ColorPanel*>(control)) {
        dialogs.AnswerColor(std::nullopt);
        QTest::mouseClick(panel, Qt::LeftButton);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->click();
    }
}

TEST_F(Pages, EveryUserEditMarksTheDesignChanged) {
    Open({{0, "Home"}, {1, "Sub"}});
    std::vector<const char*> names;
    for (const ReportingControl& r : kReportingControls)
        names.push_back(r.name);
    for (const MenuFieldBinding& b : kMenuFieldBindings)
        if (b.second.name)
            names.insert(names.end(), {b.first.name, b.second.name});
    for (const char* name : names) {
        QWidget* control = P().Control(name);
        ASSERT_NE(control, nullptr) << name;
        const bool onItemPage =
            control->window() && P().Control("tbshtItem")->isAncestorOf(control);
        Select(onItemPage ? 2 : 0);
        Form().MarkUnchanged();
        UserEdit(control, dialogs_);
        EXPECT_TRUE(Form().ModifiedFlag()) << name;
        EXPECT_TRUE(Get<QAction>("Save1")->isEnabled()) << name;
    }
}

TEST_F(Pages, ValuesThatTheProgramPutsIntoComboBoxesReportNothing) {
    Open({{0, "Home"}});
    Select(1);
    Form().MarkUnchanged();
    WriteControlValue("1", P().Control("cmbx_Vertical"), kPlainMode);
    WriteControlValue("5", P().Control("cmbx_MenuCursor"), kPlainMode);
    WriteControlValue("http://x", P().Control("cmbx_Link"), kTextMode);
    WriteControlValue("_top", P().Control("cmbx_Target"), kTextMode);
    EXPECT_FALSE(Form().ModifiedFlag());
    // Edits report also what the program puts in; the commands that fill the pages mark
    // the design unchanged afterwards.
    Get<QLineEdit>("edt_ToolTip")->setText("tip");
    EXPECT_TRUE(Form().ModifiedFlag());
}

TEST_F(Pages, TypingTheItemTextRenamesItsNodeAtOnce) {
    Open({{0, "Home"}});
    Select(1);
    Get<QLineEdit>("edt_Text")->setText("  Start  ");
    EXPECT_EQ(Form().TreeModel().Caption(1), "Start");
    // The menu name does not touch the tree.
    Select(0);
    Get<QLineEdit>("edt_MenuName")->setText("Nav");
    EXPECT_EQ(Form().TreeModel().Caption(0), "Zarvex");
    EXPECT_EQ(Form().TreeModel().Caption(1), "Start");
}

// --- the Item page's availability and the separator box ---------------------------------

TEST_F(Pages, ItemControlsFollowTextChildrenAndLevel) {
    Open({{0, "A"}, {1, "A1"}, {2, "A1a"}, {0, "B"}, {1, "separator"}});
    const auto enabled = [&](const char* name) { return P().Control(name)->isEnabled(); };
    struct Expect {
        int node;
        bool text, link, tooltip;
    };
    for (const Expect e : {Expect{1, true, false, false},  // level 1 with children
                           Expect{2, true, false, false},  // level 2 with children
                           Expect{3, true, true, true},    // level 3 leaf
                           Expect{4, true, false, false},  // level 1 with a separator child
                           Expect{5, false, false, false}}) {
        Select(e.node);
        SCOPED_TRACE(e.node);
        const bool hasChildren = Form().TreeModel().HasChildren(e.node);
        EXPECT_EQ(enabled("edt_Text"), e.text);
        EXPECT_EQ(enabled("edt_Icon"), e.text);
        EXPECT_EQ(enabled("spdbtn_edt_Icon"), e.text);
        EXPECT_EQ(enabled("cmbx_Link"), e.text && !hasChildren);
        EXPECT_EQ(enabled("spdbtn_cmbx_Link"), e.text && !hasChildren);
        EXPECT_EQ(enabled("cmbx_Target"), e.text && !hasChildren);
        EXPECT_EQ(enabled("edt_ToolTip"), e.tooltip);
        EXPECT_TRUE(enabled("chkbxItemSeparator"));
    }
}

TEST_F(Pages, TheSeparatorBoxSetsTheTextAndKeepsItsOwnState) {
    Open({{0, "Home"}, {0, "About"}});
    Select(1);
    Form().MarkUnchanged();
    auto* box = Get<QCheckBox>("chkbxItemSeparator");
    box->click();
    EXPECT_EQ(Get<QLineEdit>("edt_Text")->text(), "separator");
    EXPECT_EQ(Form().TreeModel().Caption(1), "separator");
    EXPECT_TRUE(Form().ModifiedFlag());
    // Availability follows at the next tree action.
    EXPECT_TRUE(Get<QLineEdit>("edt_Text")->isEnabled());
    Form().UpdateCommandStates();
    EXPECT_FALSE(Get<QLineEdit>("edt_Text")->isEnabled());
    EXPECT_FALSE(P().Control("cmbx_Link")->isEnabled());

    // Another item: the box keeps its state; the next click clears it and the text is "Item".
    Select(2);
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(Get<QLineEdit>("edt_Text")->text(), "About");
    box->click();
    EXPECT_EQ(Get<QLineEdit>("edt_Text")->text(), "Item");
    Select(1);
    Form().CommitPages();
    EXPECT_EQ(Form().Agent().GetItem(0).Text, "separator");
    EXPECT_EQ(Form().Agent().GetItem(1).Text, "Item");
}

// --- text checks -------------------------------------------------------------------------

TEST_F(Pages, RefusedTextsAreWarnedAboutAndTheTextBeforeComesBack) {
    Open({{0, "Home"}, {1, "Sub"}, {2, "Leaf"}});
    Select(3);
    struct Case {
        const char* control;
        QString text;
        QStringList messages;
    };
    const std::vector<Case> cases = {
        {"edt_Text", "It\\'s", {}},
        {"edt_Text", "Its'", {kApostropheMessage}},
        {"edt_ToolTip", "'quoted", {kApostropheMessage}},
        {"edt_Icon", "C:\\dir\\it\\'s", {kApostropheMessage}},
        {"edt_ToolTip", "say \"it's\"", {kApostropheMessage, kQuoteMessage}},
        {"edt_Text", "a\\#$@b", {}},
        {"edt_Text", "a#$@b", {kSeparatorMessage}},
        // The program's part has no fault: the last key brings the first one.
        {"cmbx_Link", "page.htm?a=1'", {kApostropheMessage}},
        {"cmbx_Target", "x#$@", {kSeparatorMessage}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.control + (" " + c.text.toStdString()));
        dialogs_.Reset();
        for (int i = 0; i < c.messages.size(); ++i)
            dialogs_.AnswerMessage(DialogButton::Yes);
        QWidget* control = P().Control(c.control);
        const auto textOf = [control] {
            return qobject_cast<QLineEdit*>(control)
                       ? qobject_cast<QLineEdit*>(control)->text()
                       : qobject_cast<QComboBox*>(control)->currentText();
        };
        QString before = textOf();
        if (auto* combo = qobject_cast<QComboBox*>(control)) {
            // The program's part reports nothing; the user's last key runs the check.
            combo->setEditText(c.text.chopped(1));
            before = c.text.chopped(1);
            QTest::keyClicks(combo->lineEdit(), c.text.right(1));
        } else {
            qobject_cast<QLineEdit*>(control)->setText(c.text);
        }
        EXPECT_EQ(dialogs_.MessageTexts(), c.messages);
        for (const auto& call : dialogs_.Calls()) {
            EXPECT_EQ(call.messageKind, MessageKind::Warning);
            EXPECT_EQ(call.buttons, DialogButtons(DialogButton::Yes));
        }
        EXPECT_EQ(textOf(), c.messages.isEmpty() ? c.text : before);
    }
}

TEST_F(Pages, MenuWideTextsAreCheckedToo) {
    const QString kMenuName = QString::fromLatin1(kMenuNameMessage.data(), kMenuNameMessage.size());
    const struct {
        const char* control;
        QString text;
        QStringList messages;
    } cases[] = {
        {"edt_MenuFontFamily", "a#$@b", {kSeparatorMessage}},
        {"edt_InternalUse_RootDir_Local", "a#$@b", {kSeparatorMessage}},
        {"edt_InternalUse_RootDir_Remote", "a#$@b", {kSeparatorMessage}},
        // The font family only reaches the stylesheet, where quoted names are usual.
        {"edt_MenuFontFamily", "\"Trebuchet MS\", sans-serif", {}},
        {"edt_MenuFontFamily", "Bob's", {kApostropheMessage}},
        // The menu name names the script's objects and files: an identifier or nothing.
        {"edt_MenuName", "top-nav menu", {kMenuName}},
        {"edt_MenuName", "2nd", {kMenuName}},
        {"edt_MenuName", "a#$@b", {kMenuName}},
        {"edt_MenuName", " top_nav2 ", {}},
        {"edt_MenuName", "", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.control + (" " + c.text.toStdString()));
        dialogs_.Reset();
        for (int i = 0; i < c.messages.size(); ++i)
            dialogs_.AnswerMessage(DialogButton::Yes);
        const QString before = Get<QLineEdit>(c.control)->text();
        Get<QLineEdit>(c.control)->setText(c.text);
        EXPECT_EQ(dialogs_.MessageTexts(), c.messages);
        EXPECT_EQ(Get<QLineEdit>(c.control)->text(), c.messages.isEmpty() ? c.text : before);
    }
}

// A name that no saved file could hold (the reader refuses it) is refused when its edit
// finishes, not while it is typed ("newMenu" passes through "new"), and the name
// before comes back.
TEST_F(Pages, AMenuNameTheReaderRefusesIsRefusedWhenItsEditFinishes) {
    QLineEdit* name = Get<QLineEdit>("edt_MenuName");
    const auto type = [&](const QString& text) {
        name->setFocus();
        name->selectAll();
        QTest::keyClicks(name, text);
        if (text.isEmpty())
            QTest::keyClick(name, Qt::Key_Delete);
        QTest::keyClick(name, Qt::Key_Return);
    };
    type("newMenu");
    EXPECT_EQ(dialogs_.MessageTexts(), QStringList{});
    EXPECT_EQ(name->text(), "newMenu");
    const struct {
        QString text;
        QString message;
    } cases[] = {
        {"class", "The menu name \"class\" is a word the script language keeps for itself."},
        {"location",
         "The menu name \"location\" would take the place of \"location\", a name "
         "the browser's page holds."},
        {"",
         "The menu name \"\" is not a script name: letters, digits and underscores, not "
         "starting with a digit."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        dialogs_.Reset();
        dialogs_.AnswerMessage(DialogButton::Yes);
        type(c.text);
        EXPECT_EQ(dialogs_.MessageTexts(), QStringList{c.message});
        EXPECT_EQ(name->text(), "newMenu");
        Form().CommitPages();
        EXPECT_EQ(Form().Agent().MenuParameters.MenuName, "newMenu");
    }
}

// A stored text with an unescaped quote is never thrown away by showing it: it is shown,
// marked beside its field, kept by the next commit, and mendable; typing a new fault into
// it is still refused, and the field goes back to the text before.
TEST_F(Pages, AStoredTextWithAnUnescapedQuoteIsShownMarkedAndMendable) {
    Open({{0, "Home"}, {0, "Jobs"}});
    TItemData d = Form().Agent().GetItem(0);
    d.ToolTip = "Bob's page";
    d.Text = "Men's Careers";
    Form().Agent().SetItem(0, d);
    Select(1);
    EXPECT_TRUE(dialogs_.MessageTexts().isEmpty());
    QLineEdit* text = Get<QLineEdit>("edt_Text");
    EXPECT_EQ(text->text(), "Men's Careers");
    EXPECT_EQ(Get<QLineEdit>("edt_ToolTip")->text(), "Bob's page");
    EXPECT_NE(text->findChild<QAction*>("edt_Text_fault"), nullptr);
    EXPECT_NE(Get<QLineEdit>("edt_ToolTip")->findChild<QAction*>("edt_ToolTip_fault"), nullptr);
    // The status line names the last marked field's text (the tooltip comes after the text).
    EXPECT_TRUE(Hint()->text().contains("Bob's page")) << Hint()->text().toStdString();
    Select(2);
    Select(1);
    EXPECT_EQ(Form().Agent().GetItem(0).Text, "Men's Careers") << "kept by the commit";

    text->setFocus();
    text->end(false);
    QTest::keyClicks(text, " now");  // the fault it had already: no question
    EXPECT_EQ(text->text(), "Men's Careers now");
    dialogs_.AnswerMessage(DialogButton::Yes);
    QTest::keyClicks(text, "\"");  // a new fault: refused, the text before comes back
    EXPECT_EQ(dialogs_.MessageTexts(), QStringList{kQuoteMessage});
    EXPECT_EQ(text->text(), "Men's Careers now");
    text->setText("Men\\'s Careers");  // mended: the mark goes
    EXPECT_EQ(text->findChild<QAction*>("edt_Text_fault"), nullptr);
}

// --- pickers and help ----------------------------------------------------------------------

TEST_F(Pages, TheLinkPickerShowsTheTipThenPutsAFileAddressIntoTheLink) {
    Open({{0, "Home"}});
    Select(1);
    int tips = 0;
    P().SetLinkTipHook([&] { ++tips; });
    Form().MarkUnchanged();

    dialogs_.AnswerOpen(std::nullopt);
    Get<QToolButton>("spdbtn_cmbx_Link")->click();
    EXPECT_EQ(tips, 1);
    EXPECT_TRUE(Get<QComboBox>("cmbx_Link")->currentText().isEmpty());
    EXPECT_FALSE(Form().ModifiedFlag());

    // A quote in the picked path goes in unchecked: no warning is scripted.
    dialogs_.AnswerOpen("/srv/Web Site/it's/index.html");
    Get<QToolButton>("spdbtn_cmbx_Link")->click();
    EXPECT_EQ(tips, 2);
    EXPECT_EQ(Get<QComboBox>("cmbx_Link")->currentText(), "file:///srv/Web Site/it's/index.html");
    EXPECT_TRUE(Form().ModifiedFlag());
    EXPECT_EQ(dialogs_.Calls().back().text, QString::fromLatin1(kLinkFilter));
    dialogs_.AnswerOpen("C:\\Web Site\\index.html");
    Get<QToolButton>("spdbtn_cmbx_Link")->click();
    EXPECT_EQ(Get<QComboBox>("cmbx_Link")->currentText(), "file:///C|/Web Site/index.html");
}

TEST_F(Pages, TheIconPickerNamesTheFileAndStagesIt) {
    Open({{0, "Home"}});
    Select(1);
    QDir(Folder()).mkpath("img");
    const QString image = Folder() + "img/home.gif";
    {
        QFile f(image);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("GIF89a");
    }
    Form().MarkUnchanged();
    dialogs_.AnswerOpen(std::nullopt);
    Get<QToolButton>("spdbtn_edt_Icon")->click();
    EXPECT_TRUE(Get<QLineEdit>("edt_Icon")->text().isEmpty());
    EXPECT_FALSE(Form().ModifiedFlag());

    dialogs_.AnswerOpen(image);
    Get<QToolButton>("spdbtn_edt_Icon")->click();
    EXPECT_EQ(dialogs_.Calls().back().text,
              "All Image Files(*.gif;*.jpg;*.jpeg;*.png;*.svg;*.webp)|"
              "*.gif;*.jpg;*.jpeg;*.png;*.svg;*.webp|GIF Image File (*.gif)|*.gif|"
              "JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg|"
              "PNG Image File (*.png)|*.png|SVG Image File (*.svg)|*.svg|"
              "WebP Image File (*.webp)|*.webp");
    EXPECT_EQ(Get<QLineEdit>("edt_Icon")->text(), "home.gif");
    EXPECT_TRUE(Form().ModifiedFlag());
    EXPECT_TRUE(QFile::exists(FromCorePath(Form().Agent().PreviewFolder()) + "home.gif"));
    Form().CommitPages();
    EXPECT_EQ(Form().Agent().GetItem(0).Icon, "home.gif");
}

TEST_F(Pages, HelpButtonsAskForTheirPages) {
    QSignalSpy asked(&P(), &PropertyPages::helpRequested);
    const std::map<const char*, const char*> pages = {
        {"SpeedButton4", "customizing_js_script_script_general.htm"},
        {"SpeedButton5", "customizing_js_script_script_misc.htm"},
        {"SpeedButton1", "customizing_js_script_style_padding.htm"},
        {"SpeedButton7", "customizing_js_script_style_font.htm"},
        {"SpeedButton6", "customizing_js_script_style_cursor_zindex_icon.htm"},
        {"SpeedButton9", "customizing_js_item_general_text.htm"},
        {"SpeedButton2", "customizing_js_item_general_icon.htm"},
        {"SpeedButton13", "customizing_js_item_general_link.htm"},
        {"SpeedButton14", "customizing_js_item_general_info.htm"},
        {"SpeedButton28", "customizing_js_script_path_path.htm"},
    };
    for (const auto& [button, page] : pages) {
        asked.clear();
        Get<QToolButton>(button)->click();
        ASSERT_EQ(asked.size(), 1) << button;
        EXPECT_EQ(asked.front().front().toString(), page);
    }
    // The hidden border group's button has no action; an untagged sender gets the start page.
    asked.clear();
    auto* border = Get<QToolButton>("SpeedButton3");
    EXPECT_EQ(border->property("tag").toInt(), 18);
    border->click();
    EXPECT_TRUE(asked.isEmpty());
    P().SpeedButton1Click(nullptr);
    EXPECT_EQ(asked.front().front().toString(), "getting_started.htm");
}

TEST_F(Pages, TheWindowAnswersHelpButtonsAndTheLinkTip) {
    Get<QToolButton>("SpeedButton13")->click();
    EXPECT_TRUE(Form().HelpWindow().isVisible());
    EXPECT_TRUE(Form().HelpWindow().CurrentPage().toLocalFile().endsWith(
        "help/customizing_js_item_general_link.htm"));
    Form().HelpWindow().close();

    Open({{0, "Home"}});
    Select(1);
    // The tip comes first while the setting allows it, then the file dialog.
    bool tipShown = false;
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            tipShown = modal->objectName() == "TfrmMsgBox_LinkTip" ||
                       modal->inherits("zarvex::ui::TfrmMsgBox_LinkTip");
            modal->close();
        }
    });
    poll.start();
    dialogs_.AnswerOpen(std::nullopt);
    Get<QToolButton>("spdbtn_cmbx_Link")->click();
    EXPECT_TRUE(tipShown);
    // Turned off: straight to the file dialog.
    tipShown = false;
    settings::WriteShowFlag(settings_, settings::ShowFlag::LinkTip, false);
    dialogs_.AnswerOpen(std::nullopt);
    Get<QToolButton>("spdbtn_cmbx_Link")->click();
    EXPECT_FALSE(tipShown);
}

// --- the pages themselves ------------------------------------------------------------------

TEST_F(Pages, RootAndItemPagesShowTheirTabs) {
    auto* tabs = Get<QTabWidget>("pgcntrl1");
    const auto visible = [&] {
        QStringList shown;
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->isTabVisible(i))
                shown << tabs->tabText(i);
        return shown;
    };
    EXPECT_EQ(visible(), (QStringList{"Script", "Style", "Path", "Web Page"}));
    EXPECT_EQ(tabs->currentWidget()->objectName(), "tbshtScript");
    Open({{0, "Home"}});
    Select(1);
    EXPECT_EQ(visible(), QStringList{"Item"});
    EXPECT_EQ(tabs->currentWidget()->objectName(), "tbshtItem");
}

TEST_F(Pages, HiddenRowsExistAndTheListsHoldTheirEntries) {
    for (const char* hidden : {"pnlBlinkRow", "btnBatchPropertiesChanger", "SpeedButton3"})
        EXPECT_TRUE(Get<QWidget>(hidden)->isHidden()) << hidden;
    for (const char* shown :
         {"grpbxGeneral", "grpbxMisc", "grpbxCursorZIndexIcon", "grpbxPadding", "grpbxFont",
          "grpbxBorder", "grpbxNormal", "grpbxHover", "grpbxActive", "grpbxText", "grpbxLink",
          "grpbxInfo", "grpbxIcon", "grpbxPathReplacement"})
        EXPECT_FALSE(Get<QWidget>(shown)->isHidden()) << shown;

    auto* cursor = Get<QComboBox>("cmbx_MenuCursor");
    ASSERT_EQ(cursor->count(), static_cast<int>(std::size(kCursors)));
    EXPECT_EQ(cursor->itemText(23), "url(uri)");
    EXPECT_FALSE(cursor->isEditable());
    EXPECT_EQ(cursor->toolTip(), "Cursor Type");
    EXPECT_EQ(Get<QComboBox>("cmbx_MainMenuBorderStyle")->itemText(8), "window-inset");
    EXPECT_EQ(Get<QComboBox>("cmbx_Vertical")->itemText(1), "Vertical");
    EXPECT_TRUE(Get<QComboBox>("cmbx_Link")->isEditable());
    EXPECT_EQ(Get<QComboBox>("cmbx_Link")->itemText(2), "javascript:");
    EXPECT_EQ(Get<QComboBox>("cmbx_Target")->itemText(5), "_media");
    EXPECT_EQ(Get<QSpinBox>("spnedt_MenuPaddingLeft")->toolTip(), "Padding-Left");
    auto* t = Get<QToolButton>("spdbtn_MenuTextColorActive");
    EXPECT_TRUE(t->isCheckable());
    EXPECT_EQ(t->text(), "T");
    EXPECT_EQ(t->toolTip(), "Transparent");
    EXPECT_EQ(Get<QCheckBox>("chkbx_ClickToOpen")->text(),
              "Open submenu when clicking rather than hovering ");
}

TEST_F(Pages, WebPathsShowTheSecondChoiceSelected) {
    auto* local = Get<QRadioButton>("rdbtn_InternalUse_RootDir_Local_Checked");
    auto* remote = Get<QRadioButton>("rdbtn_InternalUse_RootDir_Remote_Checked");
    EXPECT_FALSE(local->isChecked());
    EXPECT_TRUE(remote->isChecked());
    local->click();
    Form().CommitPages();
    EXPECT_EQ(Form().Agent().GetMenuParameters().UseLocalPaths, "1");
    remote->click();
    Form().CommitPages();
    EXPECT_EQ(Form().Agent().GetMenuParameters().UseLocalPaths, "0");
}

TEST_F(Pages, ScreenshotOfEachPage) {
    Open({{0, "Home"}, {0, "Products"}, {1, "Hardware"}});
    Form().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Form()));
    const QString folder = QStringLiteral(ZARVEX_APP_DIR "/../screenshots");
    ASSERT_TRUE(QDir().mkpath(folder));
    auto* tabs = Get<QTabWidget>("pgcntrl1");
    for (const auto& [node, page] : std::vector<std::pair<int, const char*>>{{0, "tbshtScript"},
                                                                             {0, "tbshtStyle"},
                                                                             {0, "tbshtPath"},
                                                                             {0, "tbshtWebPage"},
                                                                             {3, "tbshtItem"}}) {
        Select(node);
        tabs->setCurrentWidget(Get<QWidget>(page));
        QTest::qWait(20);
        const QImage shot = tabs->grab().toImage();
        EXPECT_FALSE(shot.isNull());
        EXPECT_TRUE(shot.save(folder + "/page_" + page + ".png")) << page;
    }
}

}  // namespace
}  // namespace zarvex::ui::testing
