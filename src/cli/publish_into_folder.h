// Save-and-publish from the command line, all or nothing for the target folder.
#pragma once

#include <string>

#include "publish/applet_agent.h"

namespace zarvex::cli {

// Publishes the agent's design into folder under fileName (PublishProject, all or
// nothing), so a failure leaves folder as it was; a folder that did not exist is
// created, and removed again on failure. A failure raises CliError naming the
// file; contextFile names the design. strict refuses images found nowhere, which
// are otherwise left in the agent's UncopiedFiles.
void PublishIntoFolder(TkavoAppletAgent& agent, const std::string& folder,
                       const std::string& fileName, const std::string& contextFile, bool strict);

}  // namespace zarvex::cli
