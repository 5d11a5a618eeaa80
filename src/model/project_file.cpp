// Placeholder until this part of the agent is written.
#include <stdexcept>

#include "model/applet_agent.h"

namespace zarvex {

void TkavoAppletAgent::SaveProjectFile(const std::string&) { throw std::logic_error("SaveProjectFile: not built yet"); }
void TkavoAppletAgent::LoadProjectFile(const std::string&, IDesignTree&) { throw std::logic_error("LoadProjectFile: not built yet"); }

}  // namespace zarvex
