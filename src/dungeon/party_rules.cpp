#include "dungeon/party_rules.h"

#include <algorithm>
#include <vector>

#include "core/data/message.h"
#include "core/data/text.h"
#include "core/game.h"
#include "core/prompt_dialog.h"

namespace dv {

Character* PartyMember(Game& game, int partySlot) {
    Place& p = game.place;
    if (partySlot < 1 || partySlot > kPartySlots || partySlot > p.partyCount) return nullptr;
    int slot = p.partyMembers[static_cast<size_t>(partySlot)];
    if (slot < 1 || slot >= kRosterSlots) return nullptr;
    return &game.save.roster[static_cast<size_t>(slot)];
}

bool PartyHasSkill(Game& game, int skill) {
    if (skill < 0 || skill >= kSkillCount) return false;
    for (int i = 1; i <= game.place.partyCount; ++i)
        if (Character* c = PartyMember(game, i); c && c->skills[static_cast<size_t>(skill)] != 0)
            return true;
    return false;
}

namespace {
bool carries(const Character& c, int item) {
    for (int s = 1; s <= kInventorySlots; ++s)
        if (c.items[static_cast<size_t>(s)].itemId == item) return true;
    return false;
}
}  // namespace

bool PartyHasItem(Game& game, int item, bool wholeRoster) {
    if (item <= 0) return false;
    if (wholeRoster) {
        for (int slot = 1; slot < kRosterSlots; ++slot)
            if (carries(game.save.roster[static_cast<size_t>(slot)], item)) return true;
        return false;
    }
    for (int i = 1; i <= game.place.partyCount; ++i)
        if (Character* c = PartyMember(game, i); c && carries(*c, item)) return true;
    return false;
}

void HealQuietly(Character& c, int amount) {
    if (amount <= 0) return;
    std::int64_t hp = std::int64_t{c.hitPoints} + amount;
    c.hitPoints = static_cast<std::int32_t>(std::min<std::int64_t>(hp, c.maxHitPoints));
}

bool DamageQuietly(Character& c, int amount) {
    if (amount <= 0 || IsGone(c)) return false;
    std::int64_t hp = std::int64_t{c.hitPoints} - amount;
    if (hp >= 1) {
        c.hitPoints = static_cast<std::int32_t>(hp);
        return false;
    }
    c.hitPoints = 0;
    c.status |= kStatusDead;
    return true;
}

std::string DamageText(const Character& c, int amount, bool died) {
    std::string text = c.name + "は\n" + ToWide(std::to_string(amount)) + "のダメージをうけた";
    if (died) text += "\n" + c.name + std::string(Message(1066));
    return text;
}

std::int32_t StatusOfResistance(int index) {
    if (index >= 15 && index <= 27) return std::int32_t{1} << (index - 15);
    switch (index) {
        case 29:
            return kStatusStone;
        case 31:
            return kStatusDead;
        case 32:
            return kStatusAshes;
        case 33:
            return kStatusLost;
        case 34:
            return kStatusDeadlyPoison;
        default:
            return 0;
    }
}

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
