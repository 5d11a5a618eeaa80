// Placeholder until this part of the agent is written.
#include <stdexcept>

#include "model/applet_agent.h"

namespace zarvex {

void TkavoAppletAgent::StageFile(const std::string&) { throw std::logic_error("StageFile: not built yet"); }
void TkavoAppletAgent::StageLinkedFiles(const std::string&) { throw std::logic_error("StageLinkedFiles: not built yet"); }
void TkavoAppletAgent::StageResourceFiles(const std::string&) { throw std::logic_error("StageResourceFiles: not built yet"); }
void TkavoAppletAgent::ClearPreviewFolder() { throw std::logic_error("ClearPreviewFolder: not built yet"); }
void TkavoAppletAgent::StagePreview(const std::string&) { throw std::logic_error("StagePreview: not built yet"); }
bool TkavoAppletAgent::PublishProject(const std::string&, const std::string&) { throw std::logic_error("PublishProject: not built yet"); }

}  // namespace zarvex
