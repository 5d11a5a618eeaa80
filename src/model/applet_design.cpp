#include "model/applet_design.h"

namespace zarvex {

TLinkedFileInfoArray DefaultLinkedFiles() {
    return {{"velmo.js", "js", 0}, {"velmocfg_MyHoriMenu1.js", "js", 0}, {"NavTest.css", "css", 1}};
}

AppletDesign::AppletDesign(IProgress* progress)
    : LinkedFiles(DefaultLinkedFiles()), progress_(progress ? progress : &nullProgress_) {}

void AppletDesign::ResetToDefaults() {
    MenuParameters = DefaultAppletData();
    WebPage = {};
    Items.clear();
}

}  // namespace zarvex
