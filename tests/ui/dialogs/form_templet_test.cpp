// The template picker, its offer at start, the Templates command and Save As Template.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "settings/settings_keys.h"
#include "support/files.h"
#include "ui/dialogs/form_templet.h"
#include "ui/modal_driver.h"
#include "ui/ui_test_support.h"

namespace zarvex::ui::testing {
namespace {

using settings::StoredValue;

const char* const kFlag = settings::kShowTempletsDialog;

class Templates : public MainFormFixture {
  protected:
    QString TemplatesFolder() const { return Folder() + "templates"; }
    QString UserFolder() const { return Folder() + "user/templates"; }
    QString AddTemplate(const QString& name, int items = 2) {
        QDir().mkpath(TemplatesFolder());
        std::vector<std::pair<int, QString>> tree;
        for (int i = 0; i < items; ++i)
            tree.push_back({i == 0 ? 0 : 1, QStringLiteral("Item %1").arg(i)});
        return WriteProject("templates/" + name, tree);
    }
    void ChangeDesign() {
        Trigger("Insert2");
        ASSERT_TRUE(Form().ModifiedFlag());
    }
    std::optional<StoredValue> Flag() const {
        return settings_.Peek(settings::kSettingsGroup, kFlag);
    }
    void SetFlag(bool show) {
        settings_.Put(settings::kSettingsGroup, kFlag, StoredValue::Boolean(show));
    }

    static QListWidget* List(TfrmTemplet& p) { return p.findChild<QListWidget*>("TempletList"); }
    static QCheckBox* DontShow(TfrmTemplet& p) { return p.findChild<QCheckBox*>("chckbxDontShow"); }
    static void Click(TfrmTemplet& p, const char* button) {
        p.findChild<QPushButton*>(button)->click();
    }

    // Runs the Templates command; action answers the picker.
    bool RunPicker(const std::function<void(TfrmTemplet&)>& action) {
        ModalDriver driver;
        driver.OnNext<TfrmTemplet>(action);
        Trigger("Templet1");
        return driver.Shown();
    }
};

TEST_F(Templates, FirstRunMakesTheFolderAndShowsAnEmptyListWhoseOkOnlyCloses) {
    ASSERT_FALSE(QDir(TemplatesFolder()).exists());
    ChangeDesign();
    const int nodes = Form().TreeModel().NodeCount();
    EXPECT_TRUE(RunPicker([](TfrmTemplet& p) {
        EXPECT_EQ(p.windowTitle(), "Template");
        EXPECT_EQ(p.findChild<QLabel*>("Label1")->text(),
                  "Click OK to open selected template or cancel to create a new project.");
        EXPECT_EQ(DontShow(p)->text(), "Do not show this dialog again.");
        EXPECT_EQ(List(p)->count(), 0);
        Click(p, "BitBtn1");
        EXPECT_FALSE(p.isVisible());
    }));
    EXPECT_TRUE(QDir(TemplatesFolder()).exists());
    EXPECT_EQ(Form().TreeModel().NodeCount(), nodes);
    EXPECT_TRUE(Form().ModifiedFlag());
}

TEST_F(Templates, ListsOnlyProjectFilesByName) {
    AddTemplate("b_sidebar.zarvex");
    AddTemplate("A_bar.zarvex");
    AddTemplate("Classic.ZARVEX");
    QFile(TemplatesFolder() + "/readme.txt").open(QIODevice::WriteOnly);
    QFile(TemplatesFolder() + "/old.zarvex.bak").open(QIODevice::WriteOnly);
    QDir().mkpath(TemplatesFolder() + "/folder.zarvex");
    QDir().mkpath(TemplatesFolder() + "/dark");
    AddTemplate("dark/dark.zarvex");
    QDir().mkpath(TemplatesFolder() + "/dark/deeper");
    AddTemplate("dark/deeper/no.zarvex");
    EXPECT_TRUE(RunPicker([](TfrmTemplet& p) {
        EXPECT_EQ(p.TemplateNames(), QStringList({"A_bar.zarvex", "b_sidebar.zarvex",
                                                  "Classic.ZARVEX", "dark/dark.zarvex"}));
    }));
}

TEST_F(Templates, OkOpensTheSelectedTemplateAsANewUnsavedDesign) {
    AddTemplate("a.zarvex", 2);
    AddTemplate("b.zarvex", 4);
    EXPECT_TRUE(RunPicker([](TfrmTemplet& p) {
        List(p)->setCurrentRow(1);
        Click(p, "BitBtn1");
    }));
    // A shipped template is never written back, whoever may write its folder.
    EXPECT_EQ(Form().ProjectFileName(), "");
    EXPECT_EQ(Form().TreeModel().NodeCount(), 5);
    EXPECT_TRUE(Form().ModifiedFlag());
}

TEST_F(Templates, ADoubleClickOpensTheTemplateAndClosesThePicker) {
    AddTemplate("only.zarvex", 3);
    bool closed = false;
    EXPECT_TRUE(RunPicker([&](TfrmTemplet& p) {
        QListWidget* list = List(p);
        const QRect rect = list->visualItemRect(list->item(0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        closed = !p.isVisible();
    }));
    EXPECT_TRUE(closed);
    EXPECT_EQ(Form().TreeModel().NodeCount(), 4);
}

TEST_F(Templates, CancelRunsNewWithItsSaveQuestion) {
    AddTemplate("a.zarvex");
    ChangeDesign();
    const int nodes = Form().TreeModel().NodeCount();
    // The question answered Cancel: the design stays, the picker closes anyway.
    dialogs_.AnswerMessage(DialogButton::Cancel);
    bool closed = false;
    EXPECT_TRUE(RunPicker([&](TfrmTemplet& p) {
        Click(p, "BitBtn2");
        closed = !p.isVisible();
    }));
    EXPECT_TRUE(closed);
    EXPECT_EQ(dialogs_.MessageTexts(), QStringList{"Save changes to files?"});
    EXPECT_EQ(Form().TreeModel().NodeCount(), nodes);
    EXPECT_TRUE(Form().ModifiedFlag());

    // Answered No: a new, empty design.
    dialogs_.AnswerMessage(DialogButton::No);
    EXPECT_TRUE(RunPicker([](TfrmTemplet& p) { Click(p, "BitBtn2"); }));
    EXPECT_EQ(Form().TreeModel().NodeCount(), 1);
    EXPECT_FALSE(Form().ModifiedFlag());
    EXPECT_TRUE(Form().ProjectFileName().isEmpty());
}

TEST_F(Templates, EscapeLeavesTheDesignUntouched) {
    AddTemplate("a.zarvex");
    ChangeDesign();
    const int nodes = Form().TreeModel().NodeCount();
    EXPECT_TRUE(RunPicker([](TfrmTemplet& p) {
        List(p)->setCurrentRow(0);
        QTest::keyClick(&p, Qt::Key_Escape);
        EXPECT_FALSE(p.isVisible());
    }));
    EXPECT_EQ(Form().TreeModel().NodeCount(), nodes);
    EXPECT_TRUE(Form().ModifiedFlag());
    EXPECT_TRUE(dialogs_.Calls().empty());
}

TEST_F(Templates, AFolderThatCannotBeMadeIsReportedAndNoPickerShows) {
    // A file where the folder should be.
    ASSERT_TRUE(QFile(TemplatesFolder()).open(QIODevice::WriteOnly));
    dialogs_.AnswerMessage(DialogButton::Ok);
    EXPECT_FALSE(RunPicker([](TfrmTemplet&) { ADD_FAILURE() << "picker shown"; }));
    ASSERT_EQ(dialogs_.Calls().size(), 1u);
    EXPECT_EQ(dialogs_.Calls()[0].messageKind, MessageKind::Error);
    EXPECT_EQ(dialogs_.Calls()[0].text,
              "Cannot create " + QDir::toNativeSeparators(TemplatesFolder()));
    // The window goes on.
    Trigger("Insert2");
    EXPECT_EQ(Form().TreeModel().NodeCount(), 2);
}

// --- "ShowTempletsDialog" as the start and the picker use it ------------------------

enum class Stored { Absent, True, False, Unreadable };

void Prepare(settings::MemorySettingsStore& store, Stored stored) {
    switch (stored) {
        case Stored::Absent:
            break;
        case Stored::True:
        case Stored::False:
            store.Put(settings::kSettingsGroup, kFlag,
                      StoredValue::Boolean(stored == Stored::True));
            break;
        case Stored::Unreadable:
            store.SetUnreadable(true);
            break;
    }
}

TEST_F(Templates, TheStartOffersThePickerAsTheSettingSays) {
    const struct {
        Stored stored;
        bool offered;
    } cases[] = {{Stored::Absent, true},
                 {Stored::True, true},
                 {Stored::False, false},
                 {Stored::Unreadable, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.stored));
        settings_ = {};
        Prepare(settings_, c.stored);
        ModalDriver driver;
        driver.OnNext<TfrmTemplet>([](TfrmTemplet&) {});
        Form().ProgramStart({});
        EXPECT_EQ(driver.Shown(), c.offered);
    }
}

TEST_F(Templates, AStartWithAPathNeverOffersThePicker) {
    QDir().mkpath(Folder() + "My Menus");
    const QString path = WriteProject("My Menus/a.zarvex", {{0, "Home"}});
    ModalDriver driver;
    driver.OnNext<TfrmTemplet>([](TfrmTemplet&) { ADD_FAILURE() << "picker shown"; });
    Form().ProgramStart({Folder() + "My", "Menus/a.zarvex"});
    EXPECT_FALSE(driver.Shown());
    EXPECT_EQ(Form().ProjectFileName(), path);
}

TEST_F(Templates, AStartWhosePickerCannotBeMadeReportsItAndGoesOnWithANewDesign) {
    ASSERT_TRUE(QFile(TemplatesFolder()).open(QIODevice::WriteOnly));
    dialogs_.AnswerMessage(DialogButton::Ok);
    Form().ProgramStart({});
    EXPECT_EQ(dialogs_.MessageTexts(),
              QStringList{"Cannot create " + QDir::toNativeSeparators(TemplatesFolder())});
    EXPECT_EQ(Form().TreeModel().NodeCount(), 1);
    EXPECT_FALSE(Form().ModifiedFlag());
}

TEST_F(Templates, TheCheckBoxShowsTheSettingAndAFalseOrUnreadableOneIsWrittenFalse) {
    const struct {
        Stored stored;
        bool checked;
        std::optional<StoredValue> after;
        int writes;
    } cases[] = {
        {Stored::Absent, false, std::nullopt, 0},
        {Stored::True, false, StoredValue::Integer(1), 0},
        {Stored::False, true, StoredValue::Integer(0), 1},
        {Stored::Unreadable, true, StoredValue::Integer(0), 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.stored));
        settings_ = {};
        Prepare(settings_, c.stored);
        bool checked = !c.checked;
        EXPECT_TRUE(RunPicker([&](TfrmTemplet& p) { checked = DontShow(p)->isChecked(); }));
        EXPECT_EQ(checked, c.checked);
        EXPECT_EQ(Flag(), c.after);
        EXPECT_EQ(settings_.writeCount(), c.writes);
    }
}

TEST_F(Templates, ClickingTheCheckBoxWritesAtOnceWhicheverButtonClosesThePicker) {
    SetFlag(false);
    std::optional<StoredValue> whileOpen;
    EXPECT_TRUE(RunPicker([&](TfrmTemplet& p) {
        DontShow(p)->click();  // unchecked: offer again
        whileOpen = Flag();
        QTest::keyClick(&p, Qt::Key_Escape);
    }));
    EXPECT_EQ(whileOpen, StoredValue::Integer(1));
    EXPECT_EQ(Flag(), StoredValue::Integer(1));

    EXPECT_TRUE(RunPicker([&](TfrmTemplet& p) {
        DontShow(p)->click();  // checked: offer no more
        whileOpen = Flag();
    }));
    EXPECT_EQ(whileOpen, StoredValue::Integer(0));
}

TEST_F(Templates, AStoreThatRefusesTheCheckBoxIsSilentOnlyForDoNotShow) {
    settings_.SetUnwritable(true);
    EXPECT_TRUE(RunPicker([](TfrmTemplet& p) { DontShow(p)->click(); }));
    EXPECT_TRUE(dialogs_.Calls().empty());

    SetFlag(false);
    dialogs_.AnswerMessage(DialogButton::Ok);
    EXPECT_TRUE(RunPicker([](TfrmTemplet& p) {
        ASSERT_TRUE(DontShow(p)->isChecked());
        DontShow(p)->click();
    }));
    ASSERT_EQ(dialogs_.Calls().size(), 1u);
    EXPECT_EQ(dialogs_.Calls()[0].messageKind, MessageKind::Error);
    EXPECT_EQ(Flag(), StoredValue::Integer(0));
}

// --- Save As Template ---------------------------------------------------------------

// Each template keeps its images in a folder of its own: two templates with an icon of the
// same name do not overwrite each other's.
TEST_F(Templates, SaveAsTemplateSavesIntoTheUsersOwnFolderOneFolderEachListedApart) {
    AddTemplate("shipped.zarvex");
    const auto saveWithIcon = [&](const QString& name, const QByteArray& icon) {
        ChangeDesign();
        const QString image = Folder() + name + "-source/home.png";
        QDir().mkpath(QFileInfo(image).absolutePath());
        QFile f(image);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(icon);
        f.close();
        Select(1);
        dialogs_.AnswerOpen(image);
        Form().findChild<QToolButton*>("spdbtn_edt_Icon")->click();
        dialogs_.AnswerSave(UserFolder() + "/" + name + ".zarvex");
        Trigger("SaveAsTemplate1");
    };
    ASSERT_FALSE(QDir(UserFolder()).exists());
    saveWithIcon("my_menu", "first icon");
    EXPECT_EQ(dialogs_.initialSaveFolder, UserFolder()) << "made on demand";
    const QString path = UserFolder() + "/my_menu/my_menu.zarvex";
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_TRUE(QFile::exists(UserFolder() + "/my_menu/my_menu.html"));
    EXPECT_EQ(Form().ProjectFileName(), path);
    // Save As keeps the changed flag as it was.
    EXPECT_TRUE(Form().ModifiedFlag());

    dialogs_.AnswerMessage(DialogButton::No);
    Trigger("New1");
    saveWithIcon("other", "second icon");
    EXPECT_EQ(zarvex::testing::ReadBytes(ToCorePath(UserFolder() + "/my_menu/home.png")),
              "first icon");
    EXPECT_EQ(zarvex::testing::ReadBytes(ToCorePath(UserFolder() + "/other/home.png")),
              "second icon");

    // A second template of the same name replaces the first only when the user says so.
    dialogs_.AnswerSave(UserFolder() + "/my_menu.zarvex");
    dialogs_.AnswerMessage(DialogButton::No);
    Trigger("SaveAsTemplate1");
    EXPECT_EQ(Form().ProjectFileName(), UserFolder() + "/other/other.zarvex");
    EXPECT_TRUE(dialogs_.AllAnswered());

    // The new templates are offered by the picker, after the shipped ones and marked.
    EXPECT_TRUE(RunPicker([](TfrmTemplet& p) {
        EXPECT_EQ(p.TemplateNames(),
                  QStringList({"shipped.zarvex", "my_menu/my_menu.zarvex (my template)",
                               "other/other.zarvex (my template)"}));
    }));
}

TEST_F(Templates, ATemplateInAFolderTheUserCannotWriteOpensAsANewDesign) {
    const QString path = AddTemplate("shipped.zarvex", 3);
    const QByteArray before = [&] {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    readOnlyFolders_ << QDir(TemplatesFolder()).absolutePath();
    EXPECT_TRUE(RunPicker([](TfrmTemplet& p) {
        List(p)->setCurrentRow(0);
        Click(p, "BitBtn1");
    }));
    EXPECT_EQ(Form().TreeModel().NodeCount(), 4) << "the template's content";
    EXPECT_EQ(Form().ProjectFileName(), "");
    EXPECT_TRUE(Form().ModifiedFlag()) << "unsaved";

    const QString saved = Folder() + "mine.zarvex";
    dialogs_.AnswerSave(saved);
    Trigger("Save1");
    EXPECT_EQ(Form().ProjectFileName(), saved) << "Save asked where to save";
    EXPECT_TRUE(QFile::exists(saved));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
    EXPECT_FALSE(QFile::exists(TemplatesFolder() + "/shipped.html"));
}

}  // namespace
}  // namespace zarvex::ui::testing
