// What every import must give when it does not refuse its input: items in a sound
// pre-order tree no deeper than the limit, texts the project file can hold, and a
// design that its JSON form gives back unchanged.
#pragma once

#include <cstdlib>
#include <string_view>

#include "exchange/imported_design.h"
#include "exchange/json_design.h"

namespace zarvex::fuzzing {

inline void Check(bool ok) {
    if (!ok)
        std::abort();
}

inline void CheckImported(const exchange::ImportedDesign& design) {
    Check(design.items.size() == design.treeLevels.size());
    int previous = 0;
    for (std::size_t i = 0; i < design.items.size(); ++i) {
        const int level = design.treeLevels[i];
        Check(level >= 1 && level <= previous + 1 && level <= exchange::kMaxImportLevel);
        Check(design.items[i].Level == std::to_string(level - 1));
        previous = level;
        for (const std::string_view text :
             {design.items[i].Text.view(), design.items[i].Link.view(),
              design.items[i].Target.view(), design.items[i].ToolTip.view()})
            for (char c : text)
                Check(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
        Check(design.items[i].Text.view().find("#$@") == std::string_view::npos);
    }
    const std::string json = exchange::FormatDesignJson(design.items, design.treeLevels,
                                                        design.menu ? &*design.menu : nullptr);
    const exchange::ImportedDesign again = exchange::ParseDesignJson(json, "again.json");
    Check(again.items == design.items);
    Check(again.treeLevels == design.treeLevels);
    Check(again.menu == design.menu);
}

}  // namespace zarvex::fuzzing
