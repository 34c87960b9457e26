#pragma once

// The window a modal window of the items opens over: the topmost modal window other than
// itself (the sheet, a pick-list), otherwise the main window.

#include "core/game.h"
#include "core/main_window.h"
#include "core/screens.h"
#include "ui/form.h"
#include "ui/window_system.h"

namespace dv {

inline Form* ModalOwner(Game& game, Form* self) {
    Form* owner = nullptr;
    for (Form* f : game.screens->ui->forms())
        if (f->isModal() && f != self) owner = f;
    if (!owner) owner = game.screens->main;
    return owner;
}

}  // namespace dv
