#include "model/stopped_save.h"

#include <exception>

#include "model/applet_design.h"
#include "model/preorder_tree.h"
#include "model/safe_file.h"

namespace zarvex {

std::string CompleteCopyOfStoppedSave(const std::string& path) {
    for (const std::string& copy : CopiesOfKilledWriters(path)) {
        try {
            AppletDesign probe;
            PreorderTree tree;
            probe.LoadProjectFile(copy, tree);
            return copy;
        } catch (const std::exception&) {
            // A copy its writer never finished.
        }
    }
    return {};
}

}  // namespace zarvex
