// The generated files of a design as texts in memory, for a preview that must not
// touch the design, the program folder or the project: the same stylesheet,
// configuration script and snippet that BuildCode writes, with the names it gives them.
#pragma once

#include <string>
#include <vector>

#include "model/applet_agent.h"

namespace zarvex {

struct BuiltMenu {
    std::string stylesheetName, stylesheet;  // <MenuName>.css
    std::string scriptName, script;          // <MenuName>cfg.js
    std::string snippet;                     // the page: links and the hidden item list
    // The files the page links besides the two above (the runtime), and the images it
    // uses, by the names that the page and the stylesheet give them.
    std::vector<std::string> linkedFiles;
    std::vector<std::string> resources;
};

// Builds agent's design as BuildCode would, on copies: the agent is left unchanged.
// Throws what BuildCode throws for a design that cannot be built (BuildError,
// ConversionError).
BuiltMenu BuildMenuInMemory(const TkavoAppletAgent& agent);

}  // namespace zarvex
