// The publisher: staging a design's files into its preview folder, and saving and
// publishing it into a project folder with the list of files to upload.
#pragma once

#include <string>

#include "model/applet_design.h"

namespace zarvex {

// --- staging into the preview folder (design.PreviewFolder()) ----------------
// Copies are silent by contract (publish/file_ops.h); every name staged is recorded in
// design.StagedFiles, so that ClearPreviewFolder removes exactly those.
void StageFile(AppletDesign& design, const std::string& path);
void StageLinkedFiles(AppletDesign& design, const std::string& sourceFolder);
void StageResourceFiles(AppletDesign& design, const std::string& sourceFolder);
void ClearPreviewFolder(AppletDesign& design);
void StagePreview(AppletDesign& design, const std::string& pageText);
// Writes text as the preview folder's file name and records it, as StageFile does for a
// copy. Raises FileIoError when it cannot be written.
void StageText(AppletDesign& design, const std::string& name, const std::string& text);

// --- publishing --------------------------------------------------------------
// Writes the project file (ProjectFileName(fileName)) first, then the page, the linked
// files, the report and the images into folder, all or nothing (see FileBatch). Images
// are read from the project's folder at this moment (see FindImage); one that exists but
// cannot be read fails the publish with the system's reason; one already in folder when
// folder is the project's own is left as it is. Images found nowhere are listed in
// UncopiedFiles, names that leave the project folder in OutsideFiles; with refuseMissing
// either fails it. On success folder becomes the project's folder.
bool PublishProject(AppletDesign& design, const std::string& folder, const std::string& fileName,
                    bool refuseMissing = false);
std::string PublishReportText(AppletDesign& design);
void WritePublishReport(AppletDesign& design, const std::string& folder,
                        const std::string& reportFileName);

}  // namespace zarvex
