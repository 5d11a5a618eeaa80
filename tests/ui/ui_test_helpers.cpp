#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTreeView>

#include "model/preorder_tree.h"
#include "publish/applet_agent.h"
#include "ui/tree/design_tree_model.h"
#include "ui/ui_test_support.h"

namespace zarvex::ui::testing {

namespace {

// One QApplication for the whole suite, made before the first test runs.
class QtApplicationEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "zarvex_ui_tests";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance())
            app_ = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

  private:
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

const char* KindName(ScriptedDialogService::Kind kind) {
    switch (kind) {
        case ScriptedDialogService::Kind::Message:
            return "message box";
        case ScriptedDialogService::Kind::Open:
            return "open dialog";
        case ScriptedDialogService::Kind::Save:
            return "save dialog";
        case ScriptedDialogService::Kind::Color:
            return "colour dialog";
        case ScriptedDialogService::Kind::Choice:
            return "question";
    }
    return "?";
}

}  // namespace

ScriptedDialogService::~ScriptedDialogService() = default;

QStringList ScriptedDialogService::MessageTexts() const {
    QStringList texts;
    for (const Call& c : calls_)
        if (c.kind == Kind::Message)
            texts << c.text;
    return texts;
}

bool ScriptedDialogService::Next(Kind kind, const QString& what, Answer& answer) {
    if (answers_.empty() || answers_.front().kind != kind) {
        ADD_FAILURE() << "unexpected " << KindName(kind) << ": " << what.toStdString()
                      << (answers_.empty() ? " (no answer scripted)"
                                           : std::string(" (scripted: ") +
                                                 KindName(answers_.front().kind) + ")");
        return false;
    }
    answer = answers_.front();
    answers_.pop_front();
    return true;
}

DialogButton ScriptedDialogService::ShowMessage(QWidget*, MessageKind kind, const QString& text,
                                                DialogButtons buttons) {
    calls_.push_back({Kind::Message, kind, text, buttons});
    Answer a{Kind::Message, DialogButton::None, std::nullopt, std::nullopt};
    if (!Next(Kind::Message, text, a))
        return (buttons & DialogButton::Cancel) ? DialogButton::Cancel : DialogButton::No;
    EXPECT_TRUE(buttons & a.button)
        << "scripted a button the box does not offer: " << text.toStdString();
    return a.button;
}

std::optional<QString> ScriptedDialogService::GetOpenFileName(QWidget*, const QString& filter) {
    calls_.push_back({Kind::Open, MessageKind::Information, filter, {}});
    Answer a{Kind::Open, DialogButton::None, std::nullopt, std::nullopt};
    return Next(Kind::Open, filter, a) ? a.path : std::nullopt;
}

std::optional<QString> ScriptedDialogService::GetSaveFileName(QWidget*, const QString& filter) {
    calls_.push_back({Kind::Save, MessageKind::Information, filter, {}});
    Answer a{Kind::Save, DialogButton::None, std::nullopt, std::nullopt};
    return Next(Kind::Save, filter, a) ? a.path : std::nullopt;
}

int ScriptedDialogService::AskChoice(QWidget*, MessageKind kind, const QString& text,
                                     const QStringList& choices) {
    calls_.push_back({Kind::Choice, kind, text, {}});
    Answer a{Kind::Choice, DialogButton::None, std::nullopt, std::nullopt};
    if (!Next(Kind::Choice, text, a))
        return -1;
    EXPECT_LT(a.choice, choices.size()) << "scripted a button the box does not offer";
    return a.choice;
}

std::optional<QColor> ScriptedDialogService::GetColor(QWidget*, const QColor&) {
    calls_.push_back({Kind::Color, MessageKind::Information, {}, {}});
    Answer a{Kind::Color, DialogButton::None, std::nullopt, std::nullopt};
    return Next(Kind::Color, "colour", a) ? a.color : std::nullopt;
}

std::optional<QColor> ScriptedDialogService::GetColorFollowing(
    QWidget* parent, const QColor& initial, const std::function<void(const QColor&)>& following) {
    for (const QColor& passing : passingColors)
        following(passing);
    if (whileColorDialogOpen)
        whileColorDialogOpen();
    return GetColor(parent, initial);
}

void MainFormFixture::SetUp() {
    ASSERT_TRUE(folder_.isValid());
    // The files a real install ships, so that a save finds everything it publishes; a
    // fixture that placed the real ones first keeps them.
    TkavoAppletAgent shipped;
    shipped.ResetToDefaults();
    shipped.CollectResourceFiles();
    QStringList names{QStringLiteral("velmo.js")};
    for (const std::string& name : shipped.ResourceFiles)
        names << FromCorePath(name);
    for (const QString& name : names) {
        if (QFile::exists(Folder() + name))
            continue;
        QFile file(Folder() + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("shipped");
    }
    Recreate();
}

void MainFormFixture::Recreate() {
    form_.reset();
    MainFormSetup setup;
    setup.dialogs = &dialogs_;
    setup.folders.dataFolder = ToCorePath(Folder());
    setup.folders.programFolder = ToCorePath(Folder());
    setup.stateFolder = Folder() + "state";
    setup.scratchFolder = scratch_.path();
    // Each window a session of its own, as each start of the program is.
    static int sessions = 0;
    setup.sessionName = QStringLiteral("window-%1").arg(++sessions);
    setup.services.shell = &shell_;
    setup.services.settings = &settings_;
    setup.services.detectBrowsers = [this] { return browsers_; };
    setup.services.userTemplatesFolder = Folder() + "user/templates";
    setup.services.canWriteFolder = [this](const QString& folder) {
        return !readOnlyFolders_.contains(QDir(folder).absolutePath());
    };
    form_ = std::make_unique<TMainForm>(setup);
}

void MainFormFixture::TearDown() {
    // Closing is not under test here: the window goes without its question.
    if (form_)
        form_->MarkUnchanged();
    form_.reset();
    EXPECT_TRUE(dialogs_.AllAnswered()) << "scripted answers left unused";
    // The window's staging, live preview and passing folders go with it.
    EXPECT_TRUE(
        QDir(scratch_.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
        << QDir(scratch_.path())
               .entryList(QDir::AllEntries | QDir::NoDotAndDotDot)
               .join(' ')
               .toStdString();
}

QAction* MainFormFixture::Action(const char* name) const {
    auto* action = form_->findChild<QAction*>(QString::fromLatin1(name));
    EXPECT_NE(action, nullptr) << name;
    return action;
}

void MainFormFixture::Select(int pos) {
    auto* tree = form_->findChild<QTreeView*>("trvwDesignPanel");
    tree->setCurrentIndex(form_->TreeModel().IndexAt(pos));
}

QString MainFormFixture::WriteProject(const QString& name,
                                      const std::vector<std::pair<int, QString>>& items) {
    TkavoAppletAgent agent;
    agent.ResetToDefaults();
    for (const auto& [level, text] : items) {
        TItemData d = TkavoAppletAgent::NewItemRecord();
        d.Text = ToCorePath(text);
        d.Level = std::to_string(level);
        agent.Items.push_back(d);
    }
    PreorderTree tree;
    std::vector<int> levels;
    std::vector<std::string> captions;
    for (const auto& item : agent.Items) {
        levels.push_back(std::stoi(item.Level) + 1);
        captions.push_back(item.Text);
    }
    tree.AppendNodes(levels, captions);
    agent.AttachTree(&tree);
    const QString path = Folder() + name;
    agent.SaveProjectFile(ToCorePath(path));
    return path;
}

}  // namespace zarvex::ui::testing
