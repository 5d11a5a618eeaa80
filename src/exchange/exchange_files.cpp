#include "exchange/exchange_files.h"

#include "exchange/json_design.h"

namespace zarvex::exchange {

ImportedDesign ImportJsonFile(const std::string& path) {
    return ParseDesignJson(ReadImportFile(path), path);
}

std::string ExportText(const AppletDesign& agent, ExportFormat format) {
    const std::vector<int> levels = CurrentTreeLevels(agent);
    switch (format) {
        case ExportFormat::Json:
            return FormatDesignJson(agent.Items, levels, &agent.MenuParameters);
        case ExportFormat::HugoToml:
            return FormatSiteGeneratorData(SiteGenerator::HugoToml, agent.Items, levels);
        case ExportFormat::HugoYaml:
            return FormatSiteGeneratorData(SiteGenerator::HugoYaml, agent.Items, levels);
        case ExportFormat::Jekyll:
            return FormatSiteGeneratorData(SiteGenerator::Jekyll, agent.Items, levels);
        case ExportFormat::Eleventy:
            return FormatSiteGeneratorData(SiteGenerator::Eleventy, agent.Items, levels);
    }
    return {};
}

void WriteExportFile(const std::string& path, const std::string& text, WriteFaults* faults) {
    SafeFileWriter writer(path, faults);
    writer.Write(text);
    writer.Commit();
}

}  // namespace zarvex::exchange
