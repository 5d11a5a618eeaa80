#include "platform/browser_launch.h"

#include <string>
#include <vector>

namespace zarvex::platform {

bool OpenPageInBrowser(IShellLauncher& shell, const settings::BrowserSettings& settings,
                       const KnownBrowserList& knownBrowsers, const QString& pagePath) {
    std::vector<std::string> programs;
    programs.reserve(static_cast<std::size_t>(knownBrowsers.size()));
    for (const TWebBrowserNamePath& browser : knownBrowsers)
        programs.push_back(browser.Path.toStdString());

    const settings::BrowserLaunch launch = settings::ChooseBrowserLaunch(settings, programs);
    if (launch.throughDefaultHandler)
        return shell.OpenWithDefaultHandler(pagePath);
    return shell.StartProgram(QString::fromStdString(launch.program), pagePath);
}

}  // namespace zarvex::platform
