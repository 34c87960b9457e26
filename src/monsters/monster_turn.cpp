#include "monsters/monster_turn.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "characters/party.h"
#include "combat/combat_core.h"
#include "combat/fighters.h"
#include "combat/status_table.h"
#include "core/game.h"
#include "core/prompt_dialog.h"
#include "monsters/abilities.h"

namespace dv {

namespace {

// Monster types and the party skill that makes them flinch.
constexpr std::pair<std::int32_t, int> kFlinch[] = {
    {1 << 20, 215}, {4, 216},     {8192, 217},  {1 << 17, 218}, {1 << 21, 219},
    {1024, 220},    {65536, 221}, {32768, 222}, {1, 223},       {2, 224},
    {64, 225},      {16, 226},    {32, 227},    {4096, 228},
};

constexpr std::int64_t kMaxDraws = 99;

bool livingForDraw(const Character& c) {
    return !(c.status & kStatusUntouchable);
}

// A row's dice string: a decimal number, or the monster's own dice ("da", "db", "dc") and
// attack count ("wc"). Anything else counts as 0.
std::int64_t diceValue(const std::string& text, const Character& m) {
    if (text == "da") return m.damageDiceCount;
    if (text == "db") return m.damageDiceSides;
    if (text == "dc") return m.damageDiceBonus;
    if (text == "wc") return m.attackCount;
    std::int64_t value = 0;
    const char* first = text.data();
    const char* last = first + text.size();
    while (first < last && *first == ' ')
        ++first;
    auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc{}) return 0;
    // Nothing in a row may stand for more than a Long.
    return ClampLong(value);
}

// The action table's rows (kinds 1, 2 and 4).
void tableAction(Game& game, Character& m, const ActionRecord& row) {
    const std::string header = m.name + row.message;
    std::vector<Character*> targets;
    bool anyAlly = false;
    for (int s = 1; s <= kSummonSlots; ++s)
        anyAlly =
            anyAlly || !(game.battle.summons[static_cast<size_t>(s)].status & kStatusUntouchable);
    Character* ally = anyAlly ? AllyTargetRoll(game) : nullptr;
    if (ally) {
        const int k = row.targetKind;
        if (k == 1 || k == 2 || k == 11 || k == 12) {
            targets.push_back(ally);
        } else {
            for (int s = 1; s <= kSummonSlots; ++s)
                targets.push_back(&game.battle.summons[static_cast<size_t>(s)]);
        }
    } else {
        int draws = 0;
        // A row's draws are few; a damaged row cannot make the turn endless.
        if (row.kind == 1)
            draws = static_cast<int>(std::clamp<std::int64_t>(
                WideDice(game, std::clamp(row.drawCount, 0, 32767), row.drawSides, row.drawBonus),
                0, kMaxDraws));
        targets = PartyTargets(game, row.targetKind, draws);
    }
    const std::int64_t count = diceValue(row.diceCount, m);
    const std::int64_t sides = diceValue(row.diceSides, m);
    const std::int64_t bonus = diceValue(row.diceBonus, m);
    const std::int64_t multiplier = diceValue(row.multiplier, m);
    const int element = elementIndex(row.element);
    const int second = row.secondResistance == 0 ? 0 : elementIndex(row.secondResistance);
    for (Character* t : targets) {
        if (row.kind == 1 || row.kind == 4) {
            const double roll = static_cast<double>(
                WideDice(game, std::clamp<std::int64_t>(count, 0, 32767), sides, bonus));
            const std::int64_t amount = static_cast<std::int64_t>(
                std::clamp(static_cast<double>(multiplier) * roll, -2147483648.0, 2147483647.0));
            ApplyMagicDamage(game, header, amount, m, *t, element, second, 0, false);
        }
        if (row.kind == 2 || row.kind == 4) {
            for (int k = 1; k <= 36; ++k) {
                const int chance = row.statusChance[static_cast<size_t>(k)];
                if (chance > 0) InflictStatus(game, header, *t, k, chance, true, 0, &m);
            }
        }
    }
}

bool canAct(const Character& c) {
    return !(c.status & kStatusCannotAct);
}

void upkeep(Game& game, Character& m) {
    if (!PartyHasSkill(game, 170) && m.hitPoints <= m.maxHitPoints) {
        const int regeneration = PartyHasSkill(game, 161) ? m.regeneration / 2 : m.regeneration;
        m.hitPoints = ClampLong(std::int64_t{m.hitPoints} + regeneration);
    }
    if (!(m.status & kStatusGone)) {
        if (m.status & kStatusPoison)
            DamageCharacter(m, Die(game, m.maxHitPoints / 128), true);
        else if (m.status & kStatusDeadlyPoison)
            DamageCharacter(m, Die(game, m.maxHitPoints / 32), true);
    }
    if ((m.status & kStatusHidden) && Die(game, 4) == 1) {
        Say(game, m.name + "は" + "\n" + "\r" + "あらわれた");
        m.status &= ~kStatusHidden;
    }
    m.initiative = 0;
}

}  // namespace

std::vector<Character*> PartyTargets(Game& game, int targetKind, int draws) {
    const int count = std::min(game.place.partyCount, kPartySlots);
    const bool front = targetKind == 12 || targetKind == 14 || targetKind == 15;
    const int last = front ? FrontRowCount(game) : count;
    std::vector<Character*> out;
    auto randomLiving = [&]() -> Character* {
        if (last < 1) return nullptr;
        for (int i = 0; i < 51; ++i) {
            Character* c = PartyMember(game, Die(game, last));
            if (c && livingForDraw(*c)) return c;
        }
        return nullptr;
    };
    switch (targetKind) {
        case 2:
        case 12:
            if (Character* c = randomLiving()) out.push_back(c);
            break;
        case 3:
            for (int i = 1; i <= count; ++i)
                if (Character* c = PartyMember(game, i)) out.push_back(c);
            break;
        case 4:
        case 14:
            for (int i = 1; i <= last; ++i)
                if (Character* c = PartyMember(game, i); c && !(c->status & kStatusGone))
                    out.push_back(c);
            break;
        case 5:
        case 15:
            for (int n = 0; n < draws; ++n)
                if (Character* c = randomLiving()) out.push_back(c);
            break;
        default:
            break;
    }
    return out;
}

Character* AllyTargetRoll(Game& game) {
    const int roll = PartyHasSkill(game, 200) ? Die(game, 9) : Die(game, 15);
    if (roll < 4) return nullptr;
    for (int s = 1; s <= kSummonSlots; ++s) {
        Character& ally = game.battle.summons[static_cast<size_t>(s)];
        if (ally.status & kStatusUntouchable) continue;
        if (Die(game, ally.charm) < 3) return nullptr;
        return &ally;
    }
    return nullptr;
}

int PickLivingGroup(Game& game) {
    for (int i = 0; i < 50; ++i) {
        const int g = Die(game, kMonsterGroups);
        if (FirstLiveSlot(game.battle, g) != 0) return g;
    }
    return 0;
}

Character* ChooseMeleeTarget(Game& game, const Character& monster) {
    const int last =
        monster.longReach != 0 ? std::min(game.place.partyCount, kPartySlots) : FrontRowCount(game);
    struct Candidate {
        Character* c;
        std::int16_t weight;
    };
    std::vector<Candidate> candidates;
    for (int i = 1; i <= last; ++i) {
        Character* c = PartyMember(game, i);
        if (!c || (c->wardMask & monster.classBit) || (c->status & kStatusUntouchable)) continue;
        candidates.push_back({c, static_cast<std::int16_t>(6 - c->partyPosition)});
    }
    if (candidates.empty()) return nullptr;
    auto add = [](Candidate& k, std::int64_t v) {
        k.weight = clampToField<std::int16_t>(k.weight + v);
    };
    const int wisdom = monster.wisdom;
    const double estimate =
        (static_cast<double>(monster.damageDiceCount) * monster.damageDiceSides +
         monster.damageDiceBonus) *
        monster.attackCount;
    for (Candidate& k : candidates)
        if (HasSkill(*k.c, 99)) add(k, 20);
    if (wisdom > 3)
        for (Candidate& k : candidates)
            if (k.c->status & kStatusSleep) add(k, 10);
    if (wisdom > 5)
        for (Candidate& k : candidates) {
            // The status word compared as a signed number: an untroubled member is an
            // easy mark whenever the monster hits at all.
            if (estimate / 2 > static_cast<double>(k.c->status)) add(k, 5);
            if (k.c->status & kStatusMarked) add(k, 20);
        }
    if (wisdom > 7)
        for (Candidate& k : candidates)
            if (estimate / 10 > static_cast<double>(k.c->status)) add(k, 10);
    if (wisdom > 8)
        for (Candidate& k : candidates) {
            if (k.c->initiative != 0) add(k, 3);
            if (k.c->actionCode == 2 || k.c->actionCode == 1024)
                if (const SpellRecord* spell = spellAt(game.db, k.c->actionSpell))
                    add(k, spell->level);
        }
    if (wisdom > 10)
        for (Candidate& k : candidates)
            if (k.c->resistances[2] != 0)
                k.weight = clampToField<std::int16_t>(
                    RoundHalfEven(k.weight + k.c->resistances[2] / 10.0));
    if (wisdom > 12) {
        constexpr std::pair<int, int> kWeak[] = {{16, 1}, {15, 2}, {18, 2}, {19, 2}, {20, 1},
                                                 {21, 1}, {22, 1}, {23, 1}, {24, 3}, {28, 4},
                                                 {31, 5}, {30, 5}, {29, 1}};
        for (Candidate& k : candidates)
            for (const auto& [index, gain] : kWeak)
                if (k.c->resistances[static_cast<size_t>(index)] < 30) add(k, gain);
    }
    if (wisdom > 15)
        for (Candidate& k : candidates)
            if (k.c->damagePercent[1] > 100) add(k, 10);
    if (wisdom > 16)
        for (Candidate& k : candidates)
            if (HasSkill(*k.c, 30))
                k.weight = clampToField<std::int16_t>(RoundHalfEven(k.weight * 0.5));
    if (wisdom > 15)
        for (Candidate& k : candidates)
            if (k.c->resistances[1] == 255 || k.c->resistances[1] == 200) k.weight = 0;
    std::int64_t total = 0;
    for (const Candidate& k : candidates)
        total += k.weight;
    const std::int64_t r = total > 0 ? Die(game, total) : 1;
    std::int64_t running = 0;
    for (const Candidate& k : candidates) {
        running += k.weight;
        if (running >= r) return k.c;
    }
    return nullptr;
}

void MonsterTurn(Game& game, int group, int slot) {
    if (group < 1 || group > kMonsterGroups || slot < 1 || slot > kGroupSlots) return;
    Character& m = game.battle.monsters[static_cast<size_t>(group)][static_cast<size_t>(slot)];
    game.battle.actingGroup = group;
    game.battle.actingSlot = slot;
    if (canAct(m)) {
        const int id = m.actions[static_cast<size_t>(Die(game, 20))];
        if (PartyHasSkill(game, 152) && Die(game, 20) == 1 && Die(game, m.level) == 1) {
            Say(game, m.name + "の行動は" + "\r" + "ケブレスの守護により無効化された");
            return;
        }
        const int flinchSides = PartyHasSkill(game, 260) ? 8 : 12;
        if (Die(game, flinchSides) == 1 && Die(game, m.level) == 1) {
            for (const auto& [bit, skill] : kFlinch) {
                if (m.classBit == bit && PartyHasSkill(game, skill)) {
                    Say(game, m.name + "は" + "\r" + "ひるんでいる");
                    return;
                }
            }
        }
        Character* ally = AllyTargetRoll(game);
        if (const ActionRecord* row = actionAt(game.db, id)) {
            switch (row->kind) {
                case 1:
                case 2:
                case 4:
                    tableAction(game, m, *row);
                    break;
                case 3:
                    MonsterAbility(game, m, id, ally);
                    break;
                default:
                    break;
            }
        }
    }
    upkeep(game, m);
}

}  // namespace dv
