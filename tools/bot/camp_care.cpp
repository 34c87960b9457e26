#include "camp_care.h"

#include "bot_game.h"
#include "characters/healing.h"
#include "characters/party.h"
#include "combat/fighters.h"
#include "combat/spells.h"
#include "core/data/database.h"
#include "core/game.h"
#include "dungeon/camp_spells.h"

namespace dv::bot {

namespace {

constexpr int kHealOne = 7;
constexpr int kCurePoison = 43;
constexpr int kCureParalysis = 10;
constexpr int kCureStone = 73;
constexpr int kWake = 60;
constexpr int kReturnToEntrance = 54;
// The full heal, which lifts disease too when its caster has the skill for it.
constexpr int kHealAll = 53;
constexpr int kCuresDisease = 52;

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

// The worst hurt member below the share (by the share of its hit points), or nullptr.
const Character* worstHurt(const Game& g, int healBelow) {
    const Character* hurt = nullptr;
    for (int i = 1; i <= g.place.partyCount; ++i) {
        const Character* m = PartyMember(g, i);
        if (!m || (m->status & kStatusUnhealable)) continue;
        if (m->hitPoints * 100 < m->maxHitPoints * healBelow &&
            (!hurt || m->hitPoints * hurt->maxHitPoints < hurt->hitPoints * m->maxHitPoints))
            hurt = m;
    }
    return hurt;
}

const SpellRecord* remedySpell(const Game& g, int itemId) {
    const ItemRecord* item = itemAt(g.db, itemId);
    if (!item || item->kind != 8 || item->spellLink <= 0) return nullptr;
    const SpellRecord* s = SpellOfLink(g, item->spellLink);
    if (!s || !(s->flags & kSpellInCamp)) return nullptr;
    return s->effect == kHealOne || s->effect == kCurePoison || s->effect == kReturnToEntrance
               ? s
               : nullptr;
}

// The first remedy of an effect someone able to act carries: its holder and its spell.
std::pair<int, const SpellRecord*> carried(const Game& g, int effect) {
    int holder = 0;
    const SpellRecord* best = nullptr;
    for (int i = 1; i <= g.place.partyCount; ++i) {
        const Character* c = PartyMember(g, i);
        if (!c || (c->status & kStatusCannotAct)) continue;
        for (int s = 1; s <= kInventorySlots; ++s) {
            const ItemSlot& slot = c->items[static_cast<size_t>(s)];
            const SpellRecord* spell = remedySpell(g, slot.itemId);
            if (!spell || spell->effect != effect || (slot.itemFlags & kItemUnidentified)) continue;
            // The weakest that does: the strong ones are kept for the deep wounds.
            if (!best || spell->diceCount * spell->diceSides < best->diceCount * best->diceSides) {
                best = spell;
                holder = c->rosterId;
            }
        }
    }
    return {holder, best};
}

}  // namespace

bool IsRemedy(const Game& g, int itemId) {
    return remedySpell(g, itemId) != nullptr;
}

bool CastReturn(Game& g, Intent& intent) {
    // Pandemonium's middle floors swallow the spell and the wings alike: the party walks.
    if (CampSpellSwallowed(g, kReturnToEntrance)) return false;
    if (const auto [slot, spell] = caster(g, kReturnToEntrance); spell) {
        g.currentCharacter = slot;
        intent.pickSlot = slot;
        CampCast(g, spell->name, kCastByMember);
        return true;
    }
    // Without the spell, the wings the party carries for it.
    if (const auto [holder, spell] = carried(g, kReturnToEntrance); spell) {
        g.currentCharacter = holder;
        intent.pickSlot = holder;
        CampCast(g, spell->name, kCastByItem);
        return true;
    }
    return false;
}

bool CanCurePoison(const Game& g) {
    return carried(g, kCurePoison).second != nullptr || caster(g, kCurePoison).second != nullptr;
}

int DrinkPotions(Game& g, Intent& intent, int healBelow) {
    int used = 0;
    // The carried item of `use` given to `target`; false when nobody carries one.
    auto drink = [&](const Character& target, auto use) {
        const auto [holder, spell] = carried(g, use);
        if (!spell) return false;
        g.currentCharacter = holder;
        intent.pickSlot = target.rosterId;
        CampCast(g, spell->name, kCastByItem);
        ++used;
        return true;
    };
    // Poison eats a point a step: an antidote first.
    for (int i = 1; i <= g.place.partyCount; ++i) {
        const Character* m = PartyMember(g, i);
        if (!m || (m->status & kStatusUnhealable) || !(m->status & kStatusPoison)) continue;
        if (!drink(*m, kCurePoison)) break;
    }
    for (int round = 0; round < 20; ++round) {
        const Character* hurt = worstHurt(g, healBelow);
        if (!hurt || !drink(*hurt, kHealOne)) break;
    }
    return used;
}

int CampCare(Game& g, Intent& intent, int healBelow) {
    // The conditions the camp prayers lift, worst first, with the prayer's effect.
    struct Cure {
        std::int32_t bits;
        int effect;
    };
    static constexpr Cure kCures[] = {
        {kStatusStone, kCureStone},
        {kStatusParalysis, kCureParalysis},
        {kStatusPoison | kStatusDeadlyPoison, kCurePoison},
        {kStatusSleep | kStatusFear | kStatusBlind | kStatusConfusion | kStatusCharm, kWake},
    };
    int cast_ = 0;
    for (int round = 0; round < 30; ++round) {
        bool done = false;
        for (const Cure& cure : kCures) {
            for (int i = 1; i <= g.place.partyCount && !done; ++i) {
                const Character* m = PartyMember(g, i);
                if (!m || (m->status & kStatusGone) || !(m->status & cure.bits)) continue;
                done = cast(g, intent, cure.effect, m->rosterId);
            }
            if (done) break;
        }
        if (done) {
            ++cast_;
            continue;
        }
        // Disease stops every other healing: the full heal of a priest who knows how.
        for (int i = 1; i <= g.place.partyCount && !done; ++i) {
            const Character* m = PartyMember(g, i);
            if (!m || (m->status & kStatusGone) || !(m->status & kStatusDisease)) continue;
            for (int j = 1; j <= g.place.partyCount && !done; ++j) {
                const Character* c = PartyMember(g, j);
                if (!c || (c->status & (kStatusCannotAct | kStatusSilence)) ||
                    !HasSkill(*c, kCuresDisease))
                    continue;
                if (const SpellRecord* s = campSpell(g, *c, kHealAll)) {
                    g.currentCharacter = c->rosterId;
                    intent.pickSlot = m->rosterId;
                    CampCast(g, s->name, kCastByMember);
                    done = true;
                }
            }
        }
        if (done) {
            ++cast_;
            continue;
        }
        const Character* hurt = worstHurt(g, healBelow);
        if (hurt && cast(g, intent, kHealOne, hurt->rosterId)) {
            ++cast_;
            continue;
        }
        break;
    }
    return cast_;
}

}  // namespace dv::bot
