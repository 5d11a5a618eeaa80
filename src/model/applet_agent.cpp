#include "model/applet_agent.h"

namespace zarvex {

TLinkedFileInfoArray DefaultLinkedFiles() {
    return {{"velmo.js", "js", 0}, {"velmocfg_MyHoriMenu1.js", "js", 0}, {"NavTest.css", "css", 1}};
}

TkavoAppletAgent::TkavoAppletAgent(IProgress* progress)
    : LinkedFiles(DefaultLinkedFiles()), progress_(progress ? progress : &nullProgress_) {}

void TkavoAppletAgent::ResetToDefaults() {
    MenuParameters = DefaultAppletData();
    WebPage = {};
    Items.clear();
}

}  // namespace zarvex
