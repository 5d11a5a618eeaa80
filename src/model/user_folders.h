// The user's XDG base directories, each with a "zarvex" folder of its own, with a
// trailing '/' (not created here): a variable that holds an absolute path names the
// base, else its default under the home folder.
//   config  $XDG_CONFIG_HOME  ~/.config
//   state   $XDG_STATE_HOME   ~/.local/state
//   cache   $XDG_CACHE_HOME   ~/.cache
//   data    $XDG_DATA_HOME    ~/.local/share
// What goes where is decided in publish/app_folders.h.
#pragma once

#include <string>

namespace zarvex {

std::string UserConfigFolder();
std::string UserStateFolder();
std::string UserCacheFolder();
std::string PerUserDataFolder();

}  // namespace zarvex
