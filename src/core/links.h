#pragma once

// The calls a room makes to a room above it. A room calls the rooms below it directly;
// when it must reach upward (the dungeon handing the party back to the town, the roster
// opening a character's sheet) it calls one of these links. The app fills every link in
// one place at start-up (app/wiring.cpp), before any screen is shown, so nothing depends
// on the order in which rooms set themselves up. An empty link does nothing.

#include <functional>
#include <utility>

#include "core/battle_state.h"

namespace dv {

struct Game;

struct Links {
    // The command list's choose event: acts on the selected entry of the menu on display
    // (every menu's entries lead to the screens of the town and above).
    std::function<void(Game&)> chooseMenuEntry;
    // The character sheet of a roster slot, modal, in one of the sheet's modes.
    std::function<void(Game&, int rosterSlot, int mode)> openSheet;
    // What the town does after the party came back (ending, menu, panel).
    std::function<void(Game&)> townShown;
    // The conversation with person n (title and name are message 9000 + n).
    std::function<void(Game&, int npc)> talkTo;
    // A battle has ended (victory, flight, a refused meeting or the wipe-out): the dungeon
    // takes the party back (the post-battle check of an event battle, the map, the keys;
    // the wipe-out's way back to town). mapEvent is the event that started the battle.
    std::function<void(Game&, BattleEnd end, int mapEvent)> battleOver;
    // The chest the monsters left, handed to the dungeon.
    std::function<void(Game&, const BattleChest&)> battleChest;
    // The chest screen for a found chest with a trap number.
    std::function<void(Game&, int trap)> openChest;
    // The shut-down steps, as the outskirts' quit entry and the close box run them.
    std::function<void(Game&)> quitGame;
};

// Calls a link when it is filled; returns whether it was.
template <class F, class... Args>
bool CallLink(const F& link, Args&&... args) {
    if (!link) return false;
    link(std::forward<Args>(args)...);
    return true;
}

}  // namespace dv
