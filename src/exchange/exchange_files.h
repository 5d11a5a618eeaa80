// Reading the other programs' files into a design and writing a design's data out:
// the one place the command-line tool and the window both call.
#pragma once

#include <string>

#include "exchange/imported_design.h"
#include "exchange/site_generator_export.h"
#include "model/applet_design.h"
#include "model/safe_file.h"

namespace zarvex::exchange {

ImportedDesign ImportJsonFile(const std::string& path);

enum class ExportFormat { Json, HugoToml, HugoYaml, Jekyll, Eleventy };

// The export's text for a design; the JSON form carries the menu fields.
std::string ExportText(const AppletDesign& agent, ExportFormat format);

// Writes text to path as every file of the program is written: whole or not at all,
// the previous file kept on failure (FileIoError).
void WriteExportFile(const std::string& path, const std::string& text,
                     WriteFaults* faults = nullptr);

}  // namespace zarvex::exchange
