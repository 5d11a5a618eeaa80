// Placeholder until this part of the agent is written.
#include <stdexcept>

#include "model/applet_agent.h"

namespace zarvex {

void TkavoAppletAgent::BuildCode(const std::string&) { throw std::logic_error("BuildCode: not built yet"); }
void TkavoAppletAgent::CollectResourceFiles() { throw std::logic_error("CollectResourceFiles: not built yet"); }

}  // namespace zarvex
