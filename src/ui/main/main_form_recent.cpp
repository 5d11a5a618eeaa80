// The "Recent Files" sub-menu over the list file of settings/recent_files.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>

#include "model/errors.h"
#include "settings/recent_files.h"
#include "ui/main/main_form.h"

namespace zarvex::ui {

namespace {
const char* const kRecentPathProperty = "recentPath";
}

QString TMainForm::RecentFilesPath() const {
    return stateFolder_ + QLatin1Char('/') + FromCorePath(recent::kFileName);
}

void TMainForm::RebuildRecentFilesMenu() {
    const recent::Lines lines = recent::ReadLines(ToCorePath(RecentFilesPath()));
    const QList<QAction*> old = mnitRecentFiles_->actions();
    for (auto it = old.rbegin(); it != old.rend(); ++it) {
        mnitRecentFiles_->removeAction(*it);
        // An entry may be rebuilding the menu from inside its own click.
        (*it)->deleteLater();
    }
    for (const std::string& line : lines) {
        const std::string path = recent::PathOfLine(line);
        if (path.empty())
            continue;  // a line too short for a path is an empty slot
        // The prefix's "&" underlines the slot digit; an "&" in the path is shown as it is.
        const QString caption = FromCorePath(line.substr(0, recent::kPrefixLength)) +
                                FromCorePath(path).replace('&', QLatin1String("&&"));
        QAction* entry = mnitRecentFiles_->addAction(caption);
        entry->setProperty(kRecentPathProperty, QByteArray::fromStdString(path));
    }
    // An empty sub-menu that has been opened once does not open again on some Qt
    // versions after entries arrive; a disabled one is never opened empty.
    mnitRecentFiles_->menuAction()->setEnabled(!mnitRecentFiles_->actions().isEmpty());
}

void TMainForm::AddRecentFile(const QString& path) {
    try {
        QDir().mkpath(stateFolder_);
        if (recent::Add(ToCorePath(RecentFilesPath()), ToCorePath(path)))
            RebuildRecentFilesMenu();
    } catch (const FileIoError&) {
        // A list that cannot be written must not fail the open it records.
    }
}

void TMainForm::RecentFileClick(QAction* entry) {
    const QByteArray path = entry->property(kRecentPathProperty).toByteArray();
    RunCommand([&] { OpenProjectByName(QFile::decodeName(path)); });
}

}  // namespace zarvex::ui
