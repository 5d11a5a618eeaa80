// Any bytes given to the structure file reader are either refused with a
// FileFormatError or give items that export and import back to themselves, with
// a tree in step with them.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "model/errors.h"
#include "model/preorder_tree.h"
#include "model/structure_file.h"
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
    StructureFileContent content;
    try {
        content = ParseStructureText(text, "fuzz.gms");
    } catch (const FileFormatError& e) {
        Check(!e.reason().empty());
        return 0;
    }
    Check(content.treeLevels.size() == content.items.size());
    PreorderTree tree;
    std::vector<std::string> captions;
    for (const auto& item : content.items)
        captions.push_back(item.Text);
    tree.AppendNodes(content.treeLevels, captions);
    TreeShape shape = TreeShape::Of(tree);  // throws (and so crashes) on a broken tree
    Check(shape.Count() == static_cast<int>(content.items.size()) + 1);

    const std::string exported = FormatStructureText(content.items);
    const StructureFileContent again = ParseStructureText(exported, "exported.gms");
    Check(again.items == content.items);
    Check(again.treeLevels == content.treeLevels);
    return 0;
}
