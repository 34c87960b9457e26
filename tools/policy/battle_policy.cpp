#include "battle_policy.h"

#include <algorithm>
#include <cstdint>

#include "battle/command_entry.h"
#include "battle/party_actions.h"
#include "battle/rounds.h"
#include "characters/healing.h"
#include "characters/party.h"
#include "combat/fighters.h"
#include "combat/spells.h"
#include "combat/status_table.h"
#include "core/game.h"

namespace dv::policy {

namespace {

// Resistance values that turn every blow back or heal the one struck.
constexpr int kReflectsAll = 255;
constexpr int kAbsorbsAll = 200;
// The highest monster level a party can flee from.
constexpr int kHighestFleeable = 36;

// The known spell of an effect with a point left: the highest level first.
int bestSpell(const Game& g, const Character& c, int effect, int target) {
    for (int i = 200; i >= 1; --i) {
        const SpellRecord* s = spellAt(g.db, i);
        if (!s || s->effect != effect || (target != 0 && s->target != target)) continue;
        if (!(s->flags & kSpellInBattle) || s->kind > 3 || s->level < 1 || s->level > 9 ||
            s->number < 1 || s->number > 4)
            continue;
        if (c.spellsKnown(s->kind, s->level, s->number) != 0 &&
            c.spellPoints(s->kind, s->level) > 0)
            return i;
    }
    return 0;
}

// Casters cast as a player would: a member below half health is healed, else the first
// group gets the strongest attack spell with points left (a group spell when the group is
// large), else a sleep spell; without any of these they keep what normal-auto gave them.
void castersCast(Game& g) {
    const BattleState& b = g.battle;
    const int firstGroup = b.rowCount > 0 ? b.rows[0].group : 0;
    int groupSize = 0;
    for (int s = 1; s <= kGroupSlots && firstGroup != 0; ++s) {
        const Character& m = b.monsters[static_cast<size_t>(firstGroup)][static_cast<size_t>(s)];
        groupSize += (m.rosterId > 0 && !(m.status & kStatusDead)) ? 1 : 0;
    }
    for (int i = 1; i <= std::min(g.place.partyCount, kPartySlots); ++i) {
        Character* c = PartyMember(g, i);
        if (!c || (c->status & kStatusCannotAct) || !KnowsFirstLevelSpell(*c)) continue;
        Character* hurt = nullptr;
        for (int j = 1; j <= std::min(g.place.partyCount, kPartySlots); ++j) {
            Character* m = PartyMember(g, j);
            if (!m || (m->status & kStatusUnhealable)) continue;
            if (m->hitPoints * 2 < m->maxHitPoints && (!hurt || m->hitPoints < hurt->hitPoints))
                hurt = m;
        }
        int spell = 0;
        int target = firstGroup;
        if (hurt && (spell = bestSpell(g, *c, 7, kTargetMember)) != 0) {
            target = hurt->rosterId;
        } else if (groupSize >= 3 && (spell = bestSpell(g, *c, 2, kTargetEnemyGroup)) != 0) {
        } else if ((spell = bestSpell(g, *c, 2, 0)) != 0) {
        } else if (groupSize >= 2 && (spell = bestSpell(g, *c, 15, 0)) != 0) {
        }
        if (spell == 0 || target == 0) continue;
        SetCommand(*c, HasSkill(*c, 19) ? kActCastTwice : kActCast, target);
        c->actionSpell = static_cast<std::int16_t>(spell);
    }
}

bool frontRowDown(const Game& g) {
    for (int i = 1; i <= FrontRowCount(g); ++i)
        if (const Character* c = PartyMember(g, i); c && (c->status & kStatusOutOfFight))
            return true;
    return false;
}

// Every monster of the group still standing turns blows back or drinks them.
bool groupReflects(const Game& g, int group) {
    if (group < 1 || group > kMonsterGroups) return false;
    bool any = false;
    for (int s = 1; s <= kGroupSlots; ++s) {
        const Character& m = g.battle.monsters[static_cast<size_t>(group)][static_cast<size_t>(s)];
        if (m.rosterId <= 0 || (m.status & kStatusDead)) continue;
        const int r = ResistanceAt(m, kResistPhysical);
        if (r != kReflectsAll && r != kAbsorbsAll) return false;
        any = true;
    }
    return any;
}

// A fighter does not strike a group that turns every blow back on it: it takes the next
// group within reach (the first two listed), else defends.
void spareReflectors(Game& g) {
    const BattleState& b = g.battle;
    int other = 0;
    for (int r = 0; r < std::min(b.rowCount, 2) && other == 0; ++r)
        if (!groupReflects(g, b.rows[r].group)) other = b.rows[r].group;
    for (int i = 1; i <= std::min(g.place.partyCount, kPartySlots); ++i) {
        Character* c = PartyMember(g, i);
        if (!c || (c->status & kStatusCannotAct) || c->actionCode != kActFight ||
            !groupReflects(g, c->targetGroup))
            continue;
        SetCommand(*c, other != 0 ? kActFight : kActDefend, other);
    }
}

// Every monster still standing turns blows back or drinks them (a lycanthrope under the
// full moon): the fighters cannot win, and a player leaves once the first blows show it.
bool untouchable(const Game& g) {
    bool any = false;
    for (int group = 1; group <= kMonsterGroups; ++group)
        for (int s = 1; s <= kGroupSlots; ++s) {
            const Character& m =
                g.battle.monsters[static_cast<size_t>(group)][static_cast<size_t>(s)];
            if (m.rosterId <= 0 || (m.status & kStatusDead)) continue;
            const int r = ResistanceAt(m, kResistPhysical);
            if (r != kReflectsAll && r != kAbsorbsAll) return false;
            any = true;
        }
    return any;
}

}  // namespace

bool PartyLow(const Game& g, int fleeBelow) {
    std::int64_t hp = 0, max = 0;
    for (int i = 1; i <= g.place.partyCount; ++i) {
        const Character* c = PartyMember(g, i);
        if (!c) continue;
        max += c->maxHitPoints;
        if (!(c->status & kStatusOutOfFight)) hp += std::max(c->hitPoints, 0);
    }
    return hp * 100 < max * fleeBelow;
}

namespace {

// Monsters above level 36 bar the way out: asking to flee only gives them a round.
bool fleeable(const Game& g) {
    for (int group = 1; group <= kMonsterGroups; ++group)
        if (g.battle.monsters[static_cast<size_t>(group)][0].level > kHighestFleeable) return false;
    return true;
}

// The first member who can act asks to flee; a failure gives the monsters a round.
bool tryFlight(Game& g) {
    if (!fleeable(g)) return false;
    const int slot = MoveCommandSlot(g, 1, 1);
    if (slot > g.place.partyCount) return false;
    FlightTest(g, slot);
    return true;
}

}  // namespace

void PlayRound(Game& g, int fleeBelow) {
    if ((PartyLow(g, fleeBelow) || untouchable(g)) && tryFlight(g)) return;
    // As a player would with the reorder panel: the fallen go behind, so that members who
    // can still fight stand in the front row.
    if (frontRowDown(g)) RebuildParty(g);
    NormalAuto(g);
    spareReflectors(g);
    castersCast(g);
    StartRound(g);
}

int PlayBattle(Game& g, int fleeBelow, int roundLimit, int giveUpAfter) {
    int rounds = 0;
    while (g.battle.battlePhase == kCommandEntry && rounds < roundLimit) {
        if (giveUpAfter <= 0 || rounds < giveUpAfter || !tryFlight(g)) PlayRound(g, fleeBelow);
        ++rounds;
    }
    return rounds;
}

}  // namespace dv::policy
