// The code generator: a design to its stylesheet, configuration script and HTML
// snippet. Generating prepares the items (levels, parents, links) and renames the
// linked script and stylesheet after the menu; the texts are assembled in memory before
// any file is touched, and the files are written all or none.
#pragma once

#include <string>

#include "model/applet_design.h"

namespace zarvex {

// The three generated texts and the names of the two that live beside the page.
struct GeneratedCode {
    std::string stylesheetName, stylesheet;
    std::string scriptName, script;
    std::string snippet;
};

// Raises BuildError when the design cannot be built; no file is touched.
GeneratedCode GenerateCode(AppletDesign& design);
// Writes the stylesheet and the script into the program folder and the snippet to
// htmlPath, all three or none.
void BuildCode(AppletDesign& design, const std::string& htmlPath);
// BuildCode with the snippet kept in memory: the stylesheet and the script are written
// into the program folder, both or neither, and all three texts returned.
GeneratedCode BuildProgramFiles(AppletDesign& design);
// Rebuilds design.ResourceFiles: the images the generated menu needs (ResourceNames).
void CollectResourceFiles(AppletDesign& design);

}  // namespace zarvex
