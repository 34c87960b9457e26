#include "battle/monster_list.h"

#include <string>

#include "characters/party.h"
#include "combat/fighters.h"
#include "core/data/text.h"
#include "core/game.h"
#include "ui/utf8.h"

namespace dv {

namespace {

// The first `width` characters of a name, padded with blanks to that width.
std::string nameField(const std::string& name, std::size_t width) {
    std::u32string chars = decodeUtf8(name);
    if (chars.size() > width) chars.resize(width);
    return FieldLeft(encodeUtf8(chars), width);
}

// Each status clears when its own draw of 1..sides comes up 1.
void maybeClear(Game& game, Character& c, std::int32_t bit, int sides) {
    if ((c.status & bit) && Die(game, sides) == 1) c.status &= ~bit;
}

void monsterRecovery(Game& game, Character& m) {
    m.status &= ~(kStatusFrozen | kStatusShocked);
    if (m.status & kStatusFear) {
        if (!PartyHasSkill(game, 264) || Die(game, 2) == 1) m.status &= ~kStatusFear;
    }
    maybeClear(game, m, kStatusSleep, PartyHasSkill(game, 263) ? 4 : 2);
    maybeClear(game, m, kStatusConfusion, 2);
    maybeClear(game, m, kStatusCharm, 4);
    maybeClear(game, m, kStatusBlind, 4);
    maybeClear(game, m, kStatusPoison, 4);
    maybeClear(game, m, kStatusDeadlyPoison, 4);
    maybeClear(game, m, kStatusParalysis, 8);
    maybeClear(game, m, kStatusStone, 16);
}

void allyRecovery(Game& game, Character& a) {
    a.status &= ~(kStatusFear | kStatusFrozen | kStatusShocked);
    maybeClear(game, a, kStatusSleep, 2);
    maybeClear(game, a, kStatusConfusion, 2);
    maybeClear(game, a, kStatusCharm, 4);
    maybeClear(game, a, kStatusBlind, 4);
    maybeClear(game, a, kStatusPoison, 4);
    maybeClear(game, a, kStatusDeadlyPoison, 4);
    maybeClear(game, a, kStatusParalysis, 8);
    maybeClear(game, a, kStatusStone, 16);
}

// Name field, fighters still standing and how many of them can act.
std::string rowBody(Game& game, std::array<Character, kGroupSlots + 1>& fighters, bool monsters) {
    const Character& templ = fighters[0];
    const std::string& shown = templ.identified != 0 ? templ.name : templ.altName;
    int standing = 0;
    int able = 0;
    for (int s = 1; s <= kGroupSlots; ++s) {
        Character& f = fighters[static_cast<size_t>(s)];
        f.name = shown;
        if (f.status & kStatusGone) continue;
        if (monsters)
            monsterRecovery(game, f);
        else if (!(f.status & kStatusDead))
            allyRecovery(game, f);
    }
    for (int s = 1; s <= kGroupSlots; ++s) {
        const Character& f = fighters[static_cast<size_t>(s)];
        if (f.status & kStatusGone) continue;
        ++standing;
        if (!(f.status & kStatusCannotAct)) ++able;
    }
    return nameField(fighters[1].name, 18) + " " + std::to_string(standing) + "(" +
           std::to_string(able) + ")";
}

}  // namespace

std::string GroupRowText(Game& game, int group) {
    if (group < 1 || group > kMonsterGroups) return {};
    auto& fighters = game.battle.monsters[static_cast<size_t>(group)];
    return ToWide(std::to_string(group) + " " + rowBody(game, fighters, true));
}

std::string SummonRowText(Game& game) {
    return ToWide(rowBody(game, game.battle.summons, false));
}

void RebuildMonsterRows(Game& game) {
    BattleState& b = game.battle;
    b.rowCount = 0;
    for (int g = 1; g <= kMonsterGroups; ++g) {
        if (!GroupHasFighter(b, g)) continue;
        MonsterRow& row = b.rows[static_cast<size_t>(b.rowCount)];
        row.group = g;
        row.text = GroupRowText(game, g);
        b.rowCount += 1;
        auto& fighters = b.monsters[static_cast<size_t>(g)];
        const int first = FirstLiveSlot(b, g);
        for (int s = 1; s <= first; ++s)
            fighters[static_cast<size_t>(s)].partyPosition = static_cast<std::uint8_t>(g);
    }
    b.groupCount = b.rowCount;
}

}  // namespace dv
