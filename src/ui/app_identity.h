// The program's name as the desktop and the settings know it.
#pragma once

namespace zarvex::ui {

// Names the application "Zarvex". No display name is set: the platform would append it
// to every window title ("Help — Zarvex"), while each window has its own exact caption.
void SetApplicationIdentity();

}  // namespace zarvex::ui
