// Placeholder until this part of the agent is written.
#include <stdexcept>

#include "model/applet_agent.h"

namespace zarvex {

void TkavoAppletAgent::WritePublishReport(const std::string&, const std::string&) { throw std::logic_error("WritePublishReport: not built yet"); }

}  // namespace zarvex
