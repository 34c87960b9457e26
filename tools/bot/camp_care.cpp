#include "camp_care.h"

#include "bot_game.h"
#include "characters/healing.h"
#include "characters/party.h"
#include "combat/spells.h"
#include "core/game.h"
#include "dungeon/camp_spells.h"

namespace dv::bot {

namespace {

constexpr int kHealOne = 7;
constexpr int kCurePoison = 43;

// A camp spell of an effect the caster knows and has a point for (the lowest level
// first: the cheap heal for small wounds leaves the big ones their points).
const SpellRecord* campSpell(const Game& g, const Character& c, int effect) {
    for (int i = 1; i <= 200; ++i) {
        const SpellRecord* s = spellAt(g.db, i);
        if (!s || s->effect != effect || !(s->flags & kSpellInCamp)) continue;
        if (s->kind > 3 || s->level < 1 || s->level > 9 || s->number < 1 || s->number > 4) continue;
        if (c.spellsKnown(s->kind, s->level, s->number) != 0 &&
            c.spellPoints(s->kind, s->level) > 0)
            return s;
    }
    return nullptr;
}

// The member who can cast a spell of the effect, and the spell.
std::pair<int, const SpellRecord*> caster(const Game& g, int effect) {
    for (int i = 1; i <= g.place.partyCount; ++i) {
        const Character* c = PartyMember(g, i);
        if (!c || (c->status & (kStatusCannotAct | kStatusSilence))) continue;
        if (const SpellRecord* s = campSpell(g, *c, effect)) return {c->rosterId, s};
    }
    return {0, nullptr};
}

bool cast(Game& g, Intent& intent, int effect, int target) {
    const auto [slot, spell] = caster(g, effect);
    if (!spell) return false;
    g.currentCharacter = slot;
    intent.pickSlot = target;
    CampCast(g, spell->name, kCastByMember);
    return true;
}

}  // namespace

int CampCare(Game& g, Intent& intent, int healBelow) {
    int cast_ = 0;
    for (int round = 0; round < 30; ++round) {
        const Character* hurt = nullptr;
        const Character* poisoned = nullptr;
        for (int i = 1; i <= g.place.partyCount; ++i) {
            const Character* m = PartyMember(g, i);
            if (!m || (m->status & kStatusUnhealable)) continue;
            if (m->status & (kStatusPoison | kStatusDeadlyPoison)) poisoned = m;
            if (m->hitPoints * 100 < m->maxHitPoints * healBelow &&
                (!hurt || m->hitPoints * hurt->maxHitPoints < hurt->hitPoints * m->maxHitPoints))
                hurt = m;
        }
        if (poisoned && cast(g, intent, kCurePoison, poisoned->rosterId)) {
            ++cast_;
            continue;
        }
        if (hurt && cast(g, intent, kHealOne, hurt->rosterId)) {
            ++cast_;
            continue;
        }
        break;
    }
    return cast_;
}

}  // namespace dv::bot
