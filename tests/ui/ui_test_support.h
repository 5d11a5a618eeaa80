// Shared by the widget tests: the QApplication, the scripted dialog service and a
// main window over a scratch program folder.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QColor>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QtGlobal>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/browser_detection.h"
#include "platform/shell_launcher.h"
#include "settings/memory_settings_store.h"
#include "ui/dialogs/dialog_service.h"
#include "ui/main/main_form.h"

namespace zarvex::ui::testing {

// Answers the window's dialogs from a script, in order, and records every call.
// A dialog that the script did not expect fails the running test.
class ScriptedDialogService final : public IDialogService {
  public:
    enum class Kind { Message, Open, Save, Color, Choice };
    struct Call {
        Kind kind;
        MessageKind messageKind = MessageKind::Information;
        QString text;  // the message, or the file dialog's filter
        DialogButtons buttons;
    };

    ~ScriptedDialogService() override;

    void AnswerMessage(DialogButton button) { answers_.push_back({Kind::Message, button, {}, {}}); }
    void AnswerOpen(std::optional<QString> path) { answers_.push_back({Kind::Open, {}, path, {}}); }
    void AnswerSave(std::optional<QString> path) { answers_.push_back({Kind::Save, {}, path, {}}); }
    void AnswerColor(std::optional<QColor> c) { answers_.push_back({Kind::Color, {}, {}, c}); }
    // The index of the button pressed; -1 closes the box without one.
    void AnswerChoice(int index) { answers_.push_back({Kind::Choice, {}, {}, {}, index}); }

    const std::vector<Call>& Calls() const { return calls_; }
    QStringList MessageTexts() const;
    bool AllAnswered() const { return answers_.empty(); }
    void Reset() {
        answers_.clear();
        calls_.clear();
    }

    DialogButton ShowMessage(QWidget* parent, MessageKind kind, const QString& text,
                             DialogButtons buttons) override;
    std::optional<QString> GetOpenFileName(QWidget* parent, const QString& filter) override;
    std::optional<QString> GetSaveFileName(QWidget* parent, const QString& filter) override;
    std::optional<QColor> GetColor(QWidget* parent, const QColor& initial) override;
    // The colour dialog shows passingColors in turn, then runs whileColorDialogOpen, then
    // is answered from the script.
    std::optional<QColor> GetColorFollowing(
        QWidget* parent, const QColor& initial,
        const std::function<void(const QColor&)>& following) override;
    std::vector<QColor> passingColors;
    std::function<void()> whileColorDialogOpen;
    void SetInitialSaveFolder(const QString& folder) override { initialSaveFolder = folder; }
    void SuggestSaveFile(const QString& path) override { suggestedSaveFile = path; }
    int AskChoice(QWidget* parent, MessageKind kind, const QString& text,
                  const QStringList& choices) override;

    QString initialSaveFolder;
    QString suggestedSaveFile;  // the last one suggested

  private:
    struct Answer {
        Kind kind;
        DialogButton button;
        std::optional<QString> path;
        std::optional<QColor> color;
        int choice = -1;
    };
    bool Next(Kind kind, const QString& what, Answer& answer);

    std::deque<Answer> answers_;
    std::vector<Call> calls_;
};

// Counts what QAbstractItemModelTester reports; it reports through qWarning.
class TesterFailures {
  public:
    TesterFailures() {
        count_ = 0;
        previous_ = qInstallMessageHandler(&Handler);
    }
    ~TesterFailures() { qInstallMessageHandler(previous_); }
    int Count() const { return count_; }

  private:
    static void Handler(QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type != QtDebugMsg && text.contains("FAIL")) {
            ++count_;
            ADD_FAILURE() << text.toStdString();
        }
    }
    static inline int count_ = 0;
    QtMessageHandler previous_;
};

// A main window over a fresh program folder (data and scratch files in one
// temporary folder), without file-type registration.
class MainFormFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    TMainForm& Form() { return *form_; }
    void Recreate();  // a new window over the same folder, as at the next start
    QAction* Action(const char* name) const;
    void Trigger(const char* name) const { Action(name)->trigger(); }
    QString Folder() const { return folder_.path() + '/'; }
    // The window's own scratch folder, apart from the program folder.
    QString ScratchFolder() const { return scratch_.path() + '/'; }
    // Selects node pos in the tree as a click would.
    void Select(int pos);
    // Writes a small project through the agent of a scratch window.
    QString WriteProject(const QString& name, const std::vector<std::pair<int, QString>>& items);

    ScriptedDialogService dialogs_;
    // The window's desktop and preferences: nothing opens, nothing is stored for real.
    settings::MemorySettingsStore settings_;
    platform::RecordingShellLauncher shell_;
    platform::KnownBrowserList browsers_;  // what the browser search finds
    QStringList readOnlyFolders_;          // folders the window is told it cannot write
    QTemporaryDir folder_;
    QTemporaryDir scratch_;
    std::unique_ptr<TMainForm> form_;
};

}  // namespace zarvex::ui::testing
