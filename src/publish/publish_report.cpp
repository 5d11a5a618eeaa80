// The publish report: the plain-text list of files to upload beside the page.
#include <string>
#include <string_view>
#include <unordered_set>

#include "codegen/code_generator.h"
#include "model/progress.h"
#include "model/safe_file.h"
#include "publish/publisher.h"

namespace zarvex {

namespace {
const std::string kRule(77, '=');
}  // namespace

namespace {
// Lines joined with CR LF, as every file the program writes has them.
class ReportLines {
  public:
    void WriteLine(std::string_view line) {
        text_.append(line);
        text_.append("\r\n");
    }
    std::string Take() { return std::move(text_); }

  private:
    std::string text_;
};
}  // namespace

std::string PublishReportText(AppletDesign& design) {
    ReportLines out;
    out.WriteLine(kRule);
    out.WriteLine(
        "This file includes a list of filename and you need to upload them to Web server");
    out.WriteLine(
        "to get the script to work. All these files are saved into the same directory along");
    out.WriteLine("with the project file (*.zarvex) as well as this file.");
    out.WriteLine("");
    out.WriteLine(kRule);
    out.WriteLine("");

    ProgressScope scope(design.Progress(), "Making Publish Report ... ...", 101);
    out.WriteLine("[Script file(s)]:");
    for (const TLinkedFileInfo& file : design.LinkedFiles) {
        out.WriteLine("  " + file.FileName);
        scope.Step(1);
    }
    out.WriteLine("");
    out.WriteLine("[Image File(s)]: They should be copied along with script files!");

    CollectResourceFiles(design);
    // The first occurrence of a name decides its place; letter case counts.
    std::unordered_set<std::string> written;
    for (const std::string& name : design.ResourceFiles) {
        if (name.empty() || !written.insert(name).second)
            continue;
        out.WriteLine("  " + name);
    }
    scope.Step(50);
    scope.Step(50);

    out.WriteLine("");
    out.WriteLine("");
    out.WriteLine(kRule);
    out.WriteLine("End of Publish Report");
    out.WriteLine(kRule);
    return out.Take();
}

void WritePublishReport(AppletDesign& design, const std::string& folder,
                        const std::string& reportFileName) {
    WriteFileSafely(folder + reportFileName, PublishReportText(design), design.Faults());
}

}  // namespace zarvex
