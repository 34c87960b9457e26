#include "dungeon/party_rules.h"

#include <algorithm>

#include "core/data/message.h"
#include "core/game.h"
#include "core/prompt_dialog.h"

namespace dv {

void WritePlaceToMembers(Game& game) {
    const Place& p = game.place;
    for (int i = 1; i <= p.partyCount; ++i) {
        Character* c = PartyMember(game, i);
        if (!c) continue;
        c->dungeonId = static_cast<std::uint8_t>(std::clamp(p.currentDungeon, 0, 255));
        c->floor = static_cast<std::uint8_t>(std::clamp<int>(p.currentFloor, 0, 255));
        c->posX = static_cast<std::int16_t>(p.partyX);
        c->posY = static_cast<std::int16_t>(p.partyY);
    }
}

}  // namespace dv
