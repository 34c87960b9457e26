#include "monsters/monster_spells.h"

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "characters/party.h"
#include "combat/combat_core.h"
#include "combat/fighters.h"
#include "combat/spells.h"
#include "combat/status_table.h"
#include "core/data/message.h"
#include "core/data/text.h"
#include "core/game.h"
#include "monsters/monster_turn.h"

namespace dv {

namespace {

constexpr const char* CR = "\r";
constexpr const char* LF = "\n";
// Statuses that keep a monster from answering back after its spell.
constexpr std::int32_t kCannotReact = kStatusSleep | kStatusParalysis | kStatusFear |
                                      kStatusFrozen | kStatusShocked | kStatusCarrot |
                                      kStatusStone | kStatusGone;

bool offField(const Character& c) {
    return (c.status & kStatusUntouchable) != 0;
}

// The name the group's messages use: its slot-1 fighter's.
std::string groupName(Game& game, const Character& m) {
    const int g = game.battle.actingGroup;
    if (g < 1 || g > kMonsterGroups) return m.name;
    return game.battle.monsters[static_cast<size_t>(g)][1].name;
}

std::vector<Character*> allies(Game& game, bool skipHidden) {
    std::vector<Character*> out;
    for (int s = 1; s <= kSummonSlots; ++s) {
        Character& a = game.battle.summons[static_cast<size_t>(s)];
        if (a.rosterId <= 0 || (a.status & kStatusGone)) continue;
        if (skipHidden && (a.status & kStatusHidden)) continue;
        out.push_back(&a);
    }
    return out;
}

// Party slots first..last.
std::vector<Character*> slots(Game& game, int first, int last) {
    std::vector<Character*> out;
    for (int i = first; i <= last; ++i)
        if (Character* c = PartyMember(game, i)) out.push_back(c);
    return out;
}

// One row of the party: the front when the monster is dull or the party small.
std::vector<Character*> partyRow(Game& game, const Character& m) {
    const int count = PartySize(game);
    if (Dice(game, 1, m.wisdom, 0) < 7 || count <= 3) return slots(game, 1, std::min(count, 3));
    return slots(game, 4, count);
}

// A member struck by a spell with skill 21 takes back a point of that kind and level.
void regainPoint(Character& c, const SpellRecord& spell) {
    if (IsMonster(c) || !HasSkill(c, 21) || spell.kind > 4 || spell.level > 9) return;
    auto& points = c.spellPoints(spell.kind, spell.level);
    if (points < c.maxSpellPoints(spell.kind, spell.level)) points += 1;
}

// The spell a monster of a school and level picks: one of records 1..81 allowed to
// monsters, else record 0.
const SpellRecord* pickSpell(Game& game, int school, int level) {
    std::vector<int> candidates;
    const int last = std::min<int>(81, static_cast<int>(game.db.spellTable.size()) - 1);
    for (int i = 1; i <= last; ++i) {
        const SpellRecord& s = game.db.spellTable[static_cast<size_t>(i)];
        if ((s.flags & kSpellForMonsters) && s.kind == school && s.level == level)
            candidates.push_back(i);
    }
    if (candidates.empty()) return spellAt(game.db, 0);
    return spellAt(
        game.db,
        candidates[static_cast<size_t>(Die(game, static_cast<int>(candidates.size())) - 1)]);
}

// A member answers a spell: casts it back or strikes the caster.
void reactions(Game& game, Character& m, const std::vector<Character*>& struck, int spellIndex) {
    for (Character* t : struck) {
        if (m.status & kCannotReact) return;
        if (IsMonster(*t) || (t->status & (kStatusHidden | kStatusCannotAct))) continue;
        if (HasSkill(*t, 18) && Dice(game, 1, t->wisdom, 0) >= 11) {
            Say(game, t->name + "は" + LF + "魔法をやりかえした");
            const auto code = t->actionCode;
            const auto spell = t->actionSpell;
            const auto group = t->targetGroup;
            t->actionCode = 2;
            t->actionSpell = static_cast<std::int16_t>(spellIndex);
            t->targetGroup = static_cast<std::int16_t>(game.battle.actingGroup);
            CastSpell(game, *t);
            t->actionCode = code;
            t->actionSpell = spell;
            t->targetGroup = group;
        } else if (HasSkill(*t, 31) && Dice(game, 1, t->agility, 0) >= 11) {
            Say(game, t->name + "は反撃にでた");
            MeleeAttack(game, *t, m, MainHandSlot(*t));
        }
    }
}

// Monsters of the battle in group order that a healing spell may reach.
std::vector<Character*> healable(Game& game) {
    std::vector<Character*> out;
    for (int g = 1; g <= kMonsterGroups; ++g)
        for (int s = 1; s <= kGroupSlots; ++s) {
            Character& f = game.battle.monsters[static_cast<size_t>(g)][static_cast<size_t>(s)];
            if (f.rosterId > 0 && !(f.status & kStatusUnhealable)) out.push_back(&f);
        }
    return out;
}

}  // namespace

bool MonsterSpellOfAction(int id, int& school, int& level) {
    if (id == 0) {
        school = 0;
        level = -1;
    } else if (id >= 2 && id <= 10) {
        school = 0;
        level = id - 1;
    } else if (id >= 11 && id <= 19) {
        school = 1;
        level = id - 10;
    } else if (id >= 20 && id <= 28) {
        school = 2;
        level = id - 19;
    } else {
        return false;
    }
    return true;
}

void CastMonsterSpell(Game& game, Character& m, int school, int level) {
    BattleState& b = game.battle;
    const SpellRecord* spell = pickSpell(game, school, level);
    // A record monsters may not cast (record 0 of a table without a monster spell) does
    // nothing, not even the silence.
    if (!spell || !(spell->flags & kSpellForMonsters)) return;
    const int spellIndex = static_cast<int>(spell - game.db.spellTable.data());
    const std::string h = groupName(game, m) + "は" + LF + ToWide(spell->name) + "の呪文を唱えた";
    if (spell->kind != 2 && (m.status & kStatusSilence)) {
        Say(game, h + CR + "しかし呪文は音にならなかった");
        return;
    }
    Character* ally = AllyTargetRoll(game);
    const int scope = spell->target;
    const int code = spell->effect;
    auto statusOf = [&]() {
        return spell->element == kResistCold        ? kEffectFrozen
               : spell->element == kResistLightning ? kEffectShocked
                                                    : 0;
    };
    switch (code) {
        case 2: {
            std::vector<Character*> targets;
            if (scope == 1) {
                if (ally) {
                    targets.push_back(ally);
                } else if (PartySize(game) >= 1) {
                    if (Character* c = PartyMember(game, Die(game, PartySize(game))))
                        targets.push_back(c);
                }
            } else if (scope == 2) {
                targets = ally ? allies(game, false) : partyRow(game, m);
            } else if (scope == 3) {
                if (ally) targets = allies(game, false);
                auto all = slots(game, 1, PartySize(game));
                targets.insert(targets.end(), all.begin(), all.end());
            }
            std::vector<Character*> struck;
            for (Character* t : targets) {
                if (m.status & kStatusDead) break;
                if (offField(*t)) continue;
                const std::int64_t amount = SpellPower(game, m, *t, *spell, b.partyShields[2]);
                ApplyMagicDamage(game, h, amount, m, *t, kResistSpell, spell->element, statusOf(),
                                 false);
                regainPoint(*t, *spell);
                if (!IsMonster(*t)) struck.push_back(t);
            }
            if (scope == 3) struck = slots(game, 1, PartySize(game));
            reactions(game, m, struck, spellIndex);
            break;
        }
        case 15:
        case 17:
        case 18:
        case 23:
        case 33: {
            std::vector<Character*> targets;
            if (ally)
                targets = allies(game, true);
            else
                targets = scope == 2 ? partyRow(game, m) : slots(game, 1, PartySize(game));
            for (Character* t : targets) {
                if (offField(*t)) continue;
                InflictStatus(game, h, *t, code, 100, false, 0, &m);
                regainPoint(*t, *spell);
            }
            break;
        }
        case 5: {
            const int g = b.actingGroup;
            if (g < 1 || g > kMonsterGroups) break;
            for (int s = 1; s <= kGroupSlots; ++s) {
                Character& f = b.monsters[static_cast<size_t>(g)][static_cast<size_t>(s)];
                if (f.rosterId <= 0 || (f.status & kStatusDead)) continue;
                ChangeArmorClass(game, h + CR, m, f, -spell->diceCount);
                if (scope == 4) break;
            }
            break;
        }
        case 4: {
            std::vector<Character*> targets =
                ally ? allies(game, false) : slots(game, 1, PartySize(game));
            for (Character* t : targets)
                ChangeArmorClass(game, h + CR, m, *t, spell->diceCount);
            break;
        }
        case 7:
        case 52:
        case 53: {
            for (Character* f : healable(game)) {
                if (code == 53) {
                    f->status &= ~kCureStatusBits;
                    Say(game, h + CR + HealCharacter(*f, f->maxHitPoints, false));
                } else {
                    const std::int64_t amount =
                        WideDice(game, std::max<std::int64_t>(spell->diceCount, 0),
                                 spell->diceSides, spell->diceBonus);
                    Say(game, h + CR + HealCharacter(*f, amount, false));
                }
                if (code != 52) break;
            }
            break;
        }
        case 65: {
            if (spell->element >= kAreaElements) break;
            AreaEffect& e = b.partyAreaEffects[spell->element];
            e.diceCount = spell->diceCount;
            e.diceSides = spell->diceSides;
            e.diceBonus = spell->diceBonus;
            e.roundsLeft = spell->diceCount;
            e.element = spell->element;
            Say(game, h);
            break;
        }
        case 46:
        case 47: {
            std::int16_t& count = b.monsterShields[code == 46 ? 2 : 3];
            if (count >= 3) {
                Say(game, h + CR + "しかし効果がなかった");
            } else {
                count = static_cast<std::int16_t>(count + 1);
                Say(game, h + CR +
                              (code == 46 ? "モンスターに魔法のシールドが張られた"
                                          : "モンスターにブレスのシールドが張られた"));
            }
            break;
        }
        case 48:
            b.partyShields[2] = 0;
            b.partyShields[3] = 0;
            Say(game, h + CR + "パーティーの魔法のシールドを打ち消した");
            break;
        default:
            break;
    }
}

const char* BreathWord(int element) {
    return element == kResistFire        ? "炎の"
           : element == kResistLightning ? "稲妻の"
           : element == kResistCold      ? "吹雪の"
           : element == kResistPoison    ? "酸の"
           : element == kResistHoly      ? "光の"
                                         : "闇の";
}

int BreathStatus(int element) {
    return element == kResistLightning ? kEffectShocked
           : element == kResistCold    ? kEffectFrozen
           : element == kResistPoison  ? kEffectPoison
                                       : 0;
}

void BreathAttack(Game& game, Character& m, int element) {
    const char* word = BreathWord(element);
    const int status = BreathStatus(element);
    const std::string h = m.name + "は" + LF + word + "ブレスを吐いた";
    const double shield = 1 - 0.2 * game.battle.partyShields[3];
    auto base = [&](const Character& t) {
        const double b = DamagePercentAt(t, kResistBreath) / 100.0 *
                         static_cast<double>(m.hitPoints / 2) * shield;
        // A breath is a 16-bit amount: larger products stop at its limit.
        return std::clamp<std::int64_t>(RoundHalfEven(b), -32768, 32767);
    };
    auto strike = [&](Character& t, std::int64_t b) {
        const int a = Dice(game, 1, t.luck, 0);
        const int c = Dice(game, 1, t.luck, 0);
        const std::int64_t amount = c >= 18 ? 0 : a <= 10 ? b : b / 2;
        ApplyMagicDamage(game, h, amount, m, t, kResistBreath, element, status, false);
    };
    if (Character* ally = AllyTargetRoll(game); ally) {
        (void)ally;
        for (Character* a : allies(game, false))
            strike(*a, base(*a));
        return;
    }
    const bool halved = PartyHasSkill(game, 131);
    for (Character* t : slots(game, 1, PartySize(game))) {
        if (t->status & kStatusGone) continue;
        if (HasSkill(*t, 78)) {
            Say(game, h + CR + t->name + "は攻撃を無効化した！");
            continue;
        }
        std::int64_t b = base(*t);
        if (HasSkill(*t, 121))
            b /= 4;
        else if (HasSkill(*t, 120))
            b /= 2;
        if (halved) b /= 2;
        strike(*t, b);
    }
}

void CallForHelp(Game& game, Character& m) {
    BattleState& b = game.battle;
    const std::string h = groupName(game, m) + "は" + LF + "助けを呼んだ";
    const int g = b.actingGroup;
    if (Die(game, 2) != 1 && g >= 1 && g <= kMonsterGroups) {
        auto& fighters = b.monsters[static_cast<size_t>(g)];
        for (int s = 1; s <= kGroupSlots; ++s) {
            Character& f = fighters[static_cast<size_t>(s)];
            if (!(f.status & kStatusDead)) continue;
            const std::string name = fighters[1].name;
            f = fighters[0];
            f.name = name;
            f.status = 0;
            f.initiative = 0;
            const std::int64_t hp =
                WideDice(game, std::clamp(f.hpDiceCount, 0, 32767), f.hpDiceSides, f.hpDiceBonus);
            f.maxHitPoints = static_cast<std::int32_t>(
                std::clamp<std::int64_t>(hp, 1, std::numeric_limits<std::int32_t>::max()));
            f.hitPoints = f.maxHitPoints;
            Say(game, h + CR + "仲間が１体あらわれた");
            return;
        }
    }
    Say(game, h + CR + "しかし助けは来なかった・・・");
}

void CallMonsters(Game& game, Character& m, int id) {
    BattleState& b = game.battle;
    if (id < 90 || id > 95) return;
    const int k = (id - 90) * 6 + Die(game, 6);
    const Character* kind = monsterAt(game.db, game.db.callTable[static_cast<size_t>(74 + k)]);
    if (!kind || kind->rosterId <= 0) return;
    int group = 0;
    for (int g = 1; g <= kMonsterGroups && group == 0; ++g) {
        bool taken = false;
        for (int s = 1; s <= kGroupSlots; ++s) {
            const Character& f = b.monsters[static_cast<size_t>(g)][static_cast<size_t>(s)];
            taken = taken || (f.rosterId > 0 && !(f.status & kStatusDead));
        }
        if (!taken) group = g;
    }
    if (group == 0) return;
    const int n =
        std::clamp(Dice(game, kind->appearDiceCount, kind->appearDiceSides, kind->appearDiceBonus),
                   0, kGroupSlots);
    Say(game, m.name + "は召喚した" + CR + kind->altName + "が" + ToWide(std::to_string(n)) +
                  "体あらわれた");
    auto& fighters = b.monsters[static_cast<size_t>(group)];
    for (Character& f : fighters)
        f.status = kStatusDead;
    b.groupCount = std::min(b.groupCount + 1, kMonsterGroups);
    const bool known = (game.place.partyEffects & 1) != 0;
    for (int s = 0; s <= n; ++s) {
        Character& f = fighters[static_cast<size_t>(s)];
        f = *kind;
        f.status = 0;
        f.initiative = 0;
        f.partyPosition = static_cast<std::uint8_t>(group);
        f.identified = known ? -1 : 0;
        const std::int64_t hp = WideDice(game, std::clamp(kind->hpDiceCount, 0, 32767),
                                         kind->hpDiceSides, kind->hpDiceBonus);
        f.maxHitPoints = static_cast<std::int32_t>(
            std::clamp<std::int64_t>(hp, 1, std::numeric_limits<std::int32_t>::max()));
        f.hitPoints = f.maxHitPoints;
    }
    // The template place stands for the group; it never fights.
    fighters[0].status = kStatusDead;
}

void MonsterFlee(Game& game, Character& m) {
    Say(game, groupName(game, m) + "は" + LF + "逃げた・・・");
    m.status = kStatusDead;
}

}  // namespace dv
