#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <typeindex>
#include <unordered_map>
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
    // Windows made on first use (roster window, pick-lists, ...); see core/window_of.h.
    std::vector<std::unique_ptr<Form>> windows;

    // The groups of controls a room adds to the main window (creation, the party's
    // panels, the map keys...), made and registered by the app with the main window; each
    // room finds its own by type.
    template <class T>
    void addPart(T& part) {
        parts_[std::type_index(typeid(T))] = &part;
    }
    template <class T>
    T& part() const {
        auto it = parts_.find(std::type_index(typeid(T)));
        if (it == parts_.end())
            throw std::logic_error(std::string("no screen part ") + typeid(T).name());
        return *static_cast<T*>(it->second);
    }
    template <class T>
    T* findPart() const {
        auto it = parts_.find(std::type_index(typeid(T)));
        return it == parts_.end() ? nullptr : static_cast<T*>(it->second);
    }

  private:
    std::unordered_map<std::type_index, void*> parts_;
};

}  // namespace dv
