#include "platform/browser_launch.h"

#include <string>
#include <vector>

namespace zarvex::platform {

QString BrowserProgramFor(const settings::BrowserSettings& settings,
                          const KnownBrowserList& knownBrowsers) {
    std::vector<std::string> programs;
    programs.reserve(static_cast<std::size_t>(knownBrowsers.size()));
    for (const TWebBrowserNamePath& browser : knownBrowsers)
        programs.push_back(browser.Path.toStdString());
    const settings::BrowserLaunch launch = settings::ChooseBrowserLaunch(settings, programs);
    return launch.throughDefaultHandler ? QString() : QString::fromStdString(launch.program);
}

bool OpenPageInBrowser(IShellLauncher& shell, const settings::BrowserSettings& settings,
                       const KnownBrowserList& knownBrowsers, const QString& pagePath) {
    const QString program = BrowserProgramFor(settings, knownBrowsers);
    if (program.isEmpty())
        return shell.OpenWithDefaultHandler(pagePath);
    return shell.StartProgram(program, pagePath);
}

}  // namespace zarvex::platform
