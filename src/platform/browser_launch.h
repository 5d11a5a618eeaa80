// Opening a page in the browser the user chose (the browser dialog's OpenPage, which the
// Preview command runs without showing the dialog).
#pragma once

#include <QString>

#include "platform/browser_detection.h"
#include "platform/shell_launcher.h"
#include "settings/browser_settings.h"

namespace zarvex::platform {

// The program that the settings choose; empty when the desktop's handler opens the page.
QString BrowserProgramFor(const settings::BrowserSettings& settings,
                          const KnownBrowserList& knownBrowsers);

// Opens pagePath through the desktop's handler or hands it, as one argument, to the
// chosen program. False when the launch failed; telling the user is the caller's.
bool OpenPageInBrowser(IShellLauncher& shell, const settings::BrowserSettings& settings,
                       const KnownBrowserList& knownBrowsers, const QString& pagePath);

}  // namespace zarvex::platform
