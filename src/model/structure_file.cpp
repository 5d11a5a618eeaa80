// Placeholder until this part of the agent is written.
#include <stdexcept>

#include "model/applet_agent.h"

namespace zarvex {

void TkavoAppletAgent::ExportStructure(const std::string&) { throw std::logic_error("ExportStructure: not built yet"); }
void TkavoAppletAgent::ImportStructure(const std::string&, IDesignTree&) { throw std::logic_error("ImportStructure: not built yet"); }

}  // namespace zarvex
