// The code view on its own: its layout, the loaded lines, Copy to Clipboard and Escape.
#include <QClipboard>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "ui/dialogs/form_html.h"
#include "ui/pages/color_panel.h"
#include "ui/ui_test_support.h"

namespace zarvex::ui::testing {
namespace {

TEST(CodeView, IsAReadOnlyFixedWidthViewWithTwoButtons) {
    TformHTML view;
    EXPECT_EQ(view.windowTitle(), "HTML");
    EXPECT_EQ(view.size(), QSize(672, 517));
    auto* memo = view.findChild<QPlainTextEdit*>("memoHTMLBuild");
    ASSERT_NE(memo, nullptr);
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_EQ(memo->lineWrapMode(), QPlainTextEdit::NoWrap);
    // The system's fixed-width font, whatever fonts the machine has.
    EXPECT_EQ(memo->font(), QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* ok = view.findChild<QPushButton*>("Button1");
    auto* copy = view.findChild<QPushButton*>("Button2");
    ASSERT_TRUE(ok && copy);
    EXPECT_EQ(ok->text(), "&OK");
    EXPECT_EQ(copy->text(), "&Copy to Clipboard");
}

TEST(CodeView, ShowsTheFilesLinesAndCopiesThemWhole) {
    TformHTML view;
    view.LoadLines("<ul id=\"m\">\r\n  <li>Caf\xe9</li>\r\n</ul>\r\n");
    EXPECT_EQ(view.Text(), QString::fromUtf8("<ul id=\"m\">\n  <li>Caf\xc3\xa9</li>\n</ul>"));

    auto* memo = view.findChild<QPlainTextEdit*>("memoHTMLBuild");
    QTextCursor part = memo->textCursor();
    part.setPosition(2);
    part.setPosition(5, QTextCursor::KeepAnchor);
    memo->setTextCursor(part);
    QGuiApplication::clipboard()->setText("something else");
    view.findChild<QPushButton*>("Button2")->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), view.Text());
    EXPECT_EQ(memo->textCursor().selectedText().size(), view.Text().size());

    view.LoadLines("second build\r\n");
    EXPECT_EQ(view.Text(), "second build");
}

TEST(CodeView, EscapeClosesItAsOkDoes) {
    for (const bool escape : {true, false}) {
        TformHTML view;
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
        auto* memo = view.findChild<QPlainTextEdit*>("memoHTMLBuild");
        memo->setFocus();
        if (escape)
            QTest::keyClick(memo, Qt::Key_Escape);
        else
            view.findChild<QPushButton*>("Button1")->click();
        EXPECT_FALSE(view.isVisible()) << (escape ? "Escape" : "OK");
    }
}

TEST(ColourPanel, AClickAsksTheColourDialogAndKeepsAConfirmedColour) {
    ScriptedDialogService dialogs;
    ColorPanel panel(dialogs);
    panel.SetColor(QColor(0x31, 0x6A, 0xC5));
    int clicks = 0;
    QObject::connect(&panel, &ColorPanel::clicked, [&] {
        ++clicks;
        panel.PickColor();
    });
    dialogs.AnswerColor(QColor(Qt::red));
    QTest::mouseClick(&panel, Qt::LeftButton);
    EXPECT_EQ(panel.Color(), QColor(Qt::red));
    dialogs.AnswerColor(std::nullopt);
    QTest::mouseClick(&panel, Qt::LeftButton);
    EXPECT_EQ(panel.Color(), QColor(Qt::red));
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(dialogs.AllAnswered());
}

}  // namespace
}  // namespace zarvex::ui::testing
