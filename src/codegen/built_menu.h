// The generated files of a design as texts in memory, for a preview that must not
// touch the design, the program folder or the project: the same stylesheet,
// configuration script and snippet that BuildCode writes, with the names it gives them.
#pragma once

#include <string>
#include <vector>

#include "codegen/code_generator.h"

namespace zarvex {

// The stylesheet (<MenuName>.css), the configuration script (<MenuName>cfg.js) and the
// snippet (the page: links and the hidden item list), with their names.
struct BuiltMenu : GeneratedCode {
    // The files the page links besides the two above (the runtime), and the images it
    // uses, by the names that the page and the stylesheet give them.
    std::vector<std::string> linkedFiles;
    std::vector<std::string> resources;
    // The id of the page's item list and the menu's name, as the build gave them (the
    // agent's own record keeps what it was loaded with until a build of its own).
    std::string listId;
    std::string menuName;
};

// Builds agent's design as BuildCode would, on copies: the agent is left unchanged.
// Throws what BuildCode throws for a design that cannot be built (BuildError,
// ConversionError).
BuiltMenu BuildMenuInMemory(const AppletDesign& agent);

}  // namespace zarvex
