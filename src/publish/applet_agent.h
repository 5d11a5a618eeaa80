// TkavoAppletAgent: the one object the window and zarvex-cli keep a design in. It is the
// design (model/applet_design.h) with the code generator's and the publisher's
// operations as its members; each member forwards to its layer, where it is declared
// and documented (codegen/code_generator.h, publish/publisher.h).
#pragma once

#include <string>

#include "codegen/code_generator.h"
#include "model/applet_design.h"
#include "publish/publisher.h"

namespace zarvex {

class TkavoAppletAgent : public AppletDesign {
  public:
    using AppletDesign::AppletDesign;
    using GeneratedCode = zarvex::GeneratedCode;

    // --- generation ------------------------------------------------------------
    GeneratedCode GenerateCode() { return zarvex::GenerateCode(*this); }
    void BuildCode(const std::string& htmlPath) { zarvex::BuildCode(*this, htmlPath); }
    GeneratedCode BuildProgramFiles() { return zarvex::BuildProgramFiles(*this); }
    void CollectResourceFiles() { zarvex::CollectResourceFiles(*this); }

    // --- staging and publishing ------------------------------------------------
    void StageFile(const std::string& path) { zarvex::StageFile(*this, path); }
    void StageLinkedFiles(const std::string& sourceFolder) {
        zarvex::StageLinkedFiles(*this, sourceFolder);
    }
    void StageResourceFiles(const std::string& sourceFolder) {
        zarvex::StageResourceFiles(*this, sourceFolder);
    }
    void ClearPreviewFolder() { zarvex::ClearPreviewFolder(*this); }
    void StagePreview(const std::string& pageText) { zarvex::StagePreview(*this, pageText); }
    void StageText(const std::string& name, const std::string& text) {
        zarvex::StageText(*this, name, text);
    }
    bool PublishProject(const std::string& folder, const std::string& fileName,
                        bool refuseMissing = false) {
        return zarvex::PublishProject(*this, folder, fileName, refuseMissing);
    }
    std::string PublishReportText() { return zarvex::PublishReportText(*this); }
    void WritePublishReport(const std::string& folder, const std::string& reportFileName) {
        zarvex::WritePublishReport(*this, folder, reportFileName);
    }
};

}  // namespace zarvex
