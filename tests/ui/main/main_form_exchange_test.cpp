// File > Import and File > Export: an import joins the open design after its own
// items as one undoable step; a refused one changes nothing; the JSON export reads
// back to the same items.
#include <QFile>
#include <QMenu>
#include <QUndoStack>

#include "exchange/json_design.h"
#include "model/file_helpers.h"
#include "support/files.h"
#include "ui/ui_test_support.h"

namespace zarvex::ui::testing {
namespace {

const QString kGolden = QStringLiteral(ZARVEX_TEST_DATA_DIR) + "/exchange/golden/";

class ExchangeCommands : public MainFormFixture {
  protected:
    std::vector<std::string> Captions() const {
        std::vector<std::string> captions;
        for (const TItemData& item : form_->Agent().Items)
            captions.push_back(item.Text);
        return captions;
    }
};

TEST_F(ExchangeCommands, ImportSubMenusHoldTheCommands) {
    const auto* import = Form().findChild<QMenu*>("mnitImport");
    ASSERT_NE(import, nullptr);
    QStringList names;
    for (const QAction* a : import->actions())
        names << a->objectName();
    EXPECT_EQ(names, (QStringList{"ImportFromWebPage1", "ImportFromSitemap1", "ImportFromJson1"}));
    ASSERT_NE(Form().findChild<QMenu*>("mnitExport"), nullptr);
    EXPECT_EQ(Form().findChild<QMenu*>("mnitExport")->actions().value(0), Action("ExportJson1"));
}

TEST_F(ExchangeCommands, AWebPageImportIsOneStepThatUndoTakesBack) {
    Trigger("Insert1");
    const int steps = Form().History().count();
    dialogs_.AnswerOpen(kGolden + "html-two-navs/page.html");
    Trigger("ImportFromWebPage1");  // the first of the two lists is taken
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Item", "Home", "Products", "Chairs", "Tables",
                                                    "About us"}));
    EXPECT_EQ(Form().TreeModel().NodeCount(), 7);
    EXPECT_EQ(Form().TreeModel().NodeLevel(4), 2);  // "Chairs" under "Products"
    EXPECT_EQ(Form().Agent().Items[3].Level, "1");  // "Chairs"
    EXPECT_EQ(Form().History().count(), steps + 1);
    EXPECT_TRUE(Form().ModifiedFlag());

    Trigger("Undo1");
    EXPECT_EQ(Captions(), std::vector<std::string>{"Item"});
    EXPECT_EQ(Form().TreeModel().NodeCount(), 2);
    Trigger("Redo1");
    EXPECT_EQ(Captions().size(), 6u);
    EXPECT_EQ(Form().TreeModel().NodeLevel(5), 2);
    EXPECT_TRUE(dialogs_.AllAnswered());
}

TEST_F(ExchangeCommands, CleanedCaptionsAreReportedAndRefusedFilesChangeNothing) {
    dialogs_.AnswerOpen(kGolden + "html-nested-list/page.html");
    dialogs_.AnswerMessage(DialogButton::Ok);
    Trigger("ImportFromWebPage1");
    ASSERT_EQ(dialogs_.MessageTexts().size(), 1);
    EXPECT_TRUE(dialogs_.MessageTexts()[0].contains("#$ @"));
    EXPECT_EQ(Captions().size(), 7u);

    const int steps = Form().History().count();
    zarvex::testing::WriteBytes((Folder() + "plain.html").toStdString(), "<p>no lists</p>");
    dialogs_.AnswerOpen(Folder() + "plain.html");
    dialogs_.AnswerMessage(DialogButton::Ok);
    Trigger("ImportFromWebPage1");
    ASSERT_EQ(dialogs_.MessageTexts().size(), 2);
    EXPECT_TRUE(dialogs_.MessageTexts()[1].contains("holds no list of links"));
    EXPECT_EQ(Captions().size(), 7u);
    EXPECT_EQ(Form().History().count(), steps);
}

TEST_F(ExchangeCommands, JsonExportReadsBackAndSitemapsImport) {
    dialogs_.AnswerOpen(kGolden + "sitemap-site/sitemap.xml");
    dialogs_.AnswerMessage(DialogButton::Ok);  // one address lies too deep
    Trigger("ImportFromSitemap1");
    const std::vector<std::string> imported = Captions();
    ASSERT_EQ(imported.front(), "Home");

    dialogs_.AnswerSave(Folder() + "menu");
    Trigger("ExportJson1");
    const std::string json = ReadWholeFile(ToCorePath(Folder() + "menu.json"));
    const exchange::ImportedDesign back = exchange::ParseDesignJson(json, "menu.json");
    EXPECT_EQ(back.items, Form().Agent().Items);
    ASSERT_TRUE(back.menu);
    EXPECT_EQ(*back.menu, Form().Agent().MenuParameters);

    dialogs_.AnswerOpen(Folder() + "menu.json");
    Trigger("ImportFromJson1");
    EXPECT_EQ(Captions().size(), 2 * imported.size());
    EXPECT_TRUE(dialogs_.AllAnswered());
}

}  // namespace
}  // namespace zarvex::ui::testing
