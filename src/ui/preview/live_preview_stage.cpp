#include "ui/preview/live_preview_stage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "model/errors.h"
#include "model/safe_file.h"
#include "publish/file_ops.h"
#include "publish/image_sources.h"
#include "publish/program_files.h"
#include "publish/publish_names.h"
#include "ui/main/main_form.h"

namespace zarvex::ui {

namespace {
const char* const kPageName = "~preview.html";
}

LivePreviewStage::LivePreviewStage(const QString& pattern) : folder_(pattern) {}

QString LivePreviewStage::PagePath() const {
    return Folder() + QLatin1String(kPageName);
}

void LivePreviewStage::Write(const BuiltMenu& built, const TkavoAppletAgent& agent) {
    if (!IsValid())
        throw FileIoError(ToCorePath(folder_.path()), folder_.errorString().toStdString());
    const std::string folder = ToCorePath(Folder());
    // Names come from the design: one that would leave the folder is not written.
    for (const auto& [name, text] :
         {std::pair{&built.stylesheetName, &built.stylesheet}, {&built.scriptName, &built.script}})
        if (StaysInsideFolder(*name))
            WriteFileSafely(folder + *name, *text);
    for (const std::string& name : built.linkedFiles)
        if (StaysInsideFolder(name))
            CopyWhenChanged(FromCorePath(ProgramFilePath(agent.Folders(), name)),
                            FromCorePath(name));
    // Images as a save would take them now; one found nowhere is taken away, so the
    // page never shows a picture of a design opened before.
    for (const std::string& name : built.resources) {
        const ImageSource image = FindImage(agent, name);
        if (image.state == ImageState::Outside)
            continue;
        if (image.state == ImageState::Found) {
            CopyWhenChanged(FromCorePath(image.path), FromCorePath(name));
        } else {
            copied_.remove(FromCorePath(name));
            QFile::remove(Folder() + FromCorePath(name));
        }
    }
    // The page last: whoever loads it finds everything it names in place.
    WriteFileSafely(folder + kPageName, built.snippet);
}

void LivePreviewStage::CopyWhenChanged(const QString& source, const QString& name) {
    const QFileInfo info(source);
    if (!info.exists())
        return;
    const auto stamp = qMakePair(source, info.lastModified());
    const QString target = Folder() + name;
    if (copied_.value(name) == stamp && QFileInfo::exists(target))
        return;
    QDir().mkpath(QFileInfo(target).path());
    QFile::remove(target);
    if (QFile::copy(source, target))
        copied_.insert(name, stamp);
}

}  // namespace zarvex::ui
