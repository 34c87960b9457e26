#pragma once

#include <memory>
#include <vector>

#include "core/skin_pictures.h"

namespace dv {

class Ui;
class Form;
class TitleWindow;
class MainWindow;
class MessageDialog;

// The game's windows, reachable from the rules through Game::screens.
struct Screens {
    Ui* ui = nullptr;
    TitleWindow* title = nullptr;
    MainWindow* main = nullptr;
    // The message dialog used outside the dungeon view, and the one over it.
    MessageDialog* inpBox = nullptr;
    MessageDialog* inpBox2 = nullptr;
    // The character sheet, once it exists (dialogs are owned by it while it is shown).
    Form* sheet = nullptr;
    // The frame pictures every list and panel is dressed in.
    SkinPictures skin;
    // Extra dialogs for a message raised while both dialogs are already waiting.
    std::vector<std::unique_ptr<MessageDialog>> spareDialogs;
    // Windows made on first use (roster window, pick-lists, ...); see town/window_of.h.
    std::vector<std::unique_ptr<Form>> windows;
};

}  // namespace dv
