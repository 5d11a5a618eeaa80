// The live preview's files: a private temporary folder, never the project's or the
// program's, holding the page, the generated stylesheet and configuration script, the
// runtime and the images, refreshed from each in-memory build.
#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QTemporaryDir>

#include "codegen/built_menu.h"
#include "publish/applet_agent.h"

namespace zarvex::ui {

class LivePreviewStage {
  public:
    // pattern: the QTemporaryDir pattern of the folder, inside the window's scratch folder.
    explicit LivePreviewStage(const QString& pattern);

    bool IsValid() const { return folder_.isValid(); }
    QString Folder() const { return folder_.path() + '/'; }  // with its final separator
    // The page's path inside Folder().
    QString PagePath() const;

    // Writes the built texts and copies what the page links and shows. The images come
    // from where a save takes them (FindImage: the project's folder, the staging, the
    // program's files), and an image found nowhere is removed; files copied before are
    // copied again only when their source changed. Throws FileIoError when a text
    // cannot be written.
    void Write(const BuiltMenu& built, const TkavoAppletAgent& agent);

  private:
    void CopyWhenChanged(const QString& source, const QString& name);

    QTemporaryDir folder_;
    QHash<QString, QPair<QString, QDateTime>> copied_;  // name -> source and its time
};

}  // namespace zarvex::ui
