// Any bytes given to the project file reader are either refused with a
// FileFormatError or give a design that saves and reads back to itself, with a
// tree in step with its items.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "model/errors.h"
#include "model/preorder_tree.h"
#include "model/project_file.h"
#include "model/tree_shape.h"

namespace {
void Check(bool ok) {
    if (!ok)
        std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zarvex;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ProjectFileContent content;
    try {
        content = ParseProjectText(text, "fuzz.zarvex");
    } catch (const FileFormatError& e) {
        Check(!e.reason().empty());
        return 0;
    }
    Check(content.treeLevels.size() == content.items.size());
    PreorderTree tree;
    tree.AddLastChild(0, "previous");
    std::vector<std::string> captions;
    for (const auto& item : content.items)
        captions.push_back(item.Text);
    tree.ResetToRoot();
    tree.AppendNodes(content.treeLevels, captions);
    TreeShape shape = TreeShape::Of(tree);  // throws (and so crashes) on a broken tree
    Check(shape.Count() == static_cast<int>(content.items.size()) + 1);

    NullProgress progress;
    const std::string saved =
        FormatProjectText(content.parameters, content.items, progress, content.webPage);
    const ProjectFileContent again = ParseProjectText(saved, "saved.zarvex");
    Check(again.parameters == content.parameters);
    Check(again.items == content.items);
    Check(again.treeLevels == content.treeLevels);
    Check(again.webPage == content.webPage);
    return 0;
}
