// Any bytes given to the sitemap importer are either refused with a FileFormatError
// or give a sound design.
#include <cstdint>
#include <string_view>

#include "exchange/sitemap_import.h"
#include "exchange_check.h"
#include "model/errors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zarvex;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        fuzzing::CheckImported(exchange::ParseSitemapText(text, "fuzz.xml", 4));
    } catch (const FileFormatError& e) {
        fuzzing::Check(!e.reason().empty());
    }
    return 0;
}
