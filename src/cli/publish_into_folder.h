// Save-and-publish from the command line, all or nothing for the target folder.
#pragma once

#include <string>

#include "model/applet_agent.h"

namespace zarvex::cli {

// Publishes the agent's design into folder under fileName (PublishProject). The
// files are written into a hidden folder inside folder first and moved in only
// when the whole publish succeeded, so a failure leaves folder as it was; a folder
// that did not exist is created, and removed again on failure. A failure raises
// CliError worded with the target's paths; contextFile names the design.
void PublishIntoFolder(TkavoAppletAgent& agent, const std::string& folder,
                       const std::string& fileName, const std::string& contextFile);

}  // namespace zarvex::cli
