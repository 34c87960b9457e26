#pragma once

// The game's modal windows beyond the main window and the message dialogs are made the
// first time a screen needs them and live as long as the other windows.

#include <memory>

#include "core/game.h"
#include "core/screens.h"
#include "ui/form.h"

namespace dv {

// The one window of type W, made (and dressed) on first use. W is built from (Ui&, Game&)
// and has dress(const SkinPictures&).
template <class W>
W& WindowOf(Game& game) {
    Screens& s = *game.screens;
    for (auto& w : s.windows)
        if (auto* found = dynamic_cast<W*>(w.get())) return *found;
    auto made = std::make_unique<W>(*s.ui, game);
    W& ref = *made;
    ref.dress(s.skin);
    s.windows.push_back(std::move(made));
    return ref;
}

}  // namespace dv
