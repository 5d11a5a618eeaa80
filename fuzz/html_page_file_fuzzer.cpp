// Any bytes given to the web page importer are either refused with a
// FileFormatError or give lists of sound designs.
#include <cstdint>
#include <string_view>

#include "exchange/html_import.h"
#include "exchange_check.h"
#include "model/errors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zarvex;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        for (const exchange::NavigationList& list :
             exchange::FindNavigationLists(text, "fuzz.html")) {
            fuzzing::Check(!list.design.items.empty());
            fuzzing::CheckImported(list.design);
        }
    } catch (const FileFormatError& e) {
        fuzzing::Check(!e.reason().empty());
    }
    return 0;
}
