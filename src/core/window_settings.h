#pragma once

// The window's size and place as the settings keep them between runs: the town window's
// corner in twips under its title, the size in pixels under [Window].

#include "core/settings_store.h"
#include "ui/window_fit.h"

namespace dv {

constexpr int kTwipsPerPixel = 15;

// What the settings ask for; a key that is missing or not a number is no wish.
WindowWish StoredWindowWish(const SettingsStore& settings);

}  // namespace dv
