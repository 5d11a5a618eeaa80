// The program's name as the desktop and the settings know it.
#pragma once

namespace zarvex::ui {

// Names the application "Zarvex", its version and its desktop entry
// ("org.zarvex.Zarvex", which also gives the window's Wayland app id and X11 class). No display
// name is set: the platform would append it to every window title ("Help — Zarvex"), while each
// window has its own exact caption.
void SetApplicationIdentity();

}  // namespace zarvex::ui
