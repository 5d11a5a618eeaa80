// Any bytes given to the JSON importer are either refused with a FileFormatError
// or give a sound design whose JSON form reads back to itself.
#include <cstdint>
#include <string_view>

#include "exchange/json_design.h"
#include "exchange_check.h"
#include "model/errors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zarvex;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        fuzzing::CheckImported(exchange::ParseDesignJson(text, "fuzz.json"));
    } catch (const FileFormatError& e) {
        fuzzing::Check(!e.reason().empty());
    }
    return 0;
}
