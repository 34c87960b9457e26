#include "battle/encounter.h"

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "battle/battle_end.h"
#include "battle/battle_screen.h"
#include "battle/monster_list.h"
#include "battle/rounds.h"
#include "characters/melee_swings.h"
#include "characters/party.h"
#include "combat/fighters.h"
#include "combat/status_table.h"
#include "core/game.h"
#include "core/music.h"
#include "core/prompt_dialog.h"

namespace dv {

namespace {

constexpr int kEncounterMusic = 19;

// The fighting action a copied character gets for its class.
int cloneAction(std::int32_t classBit) {
    switch (classBit) {
        case 1:
            return 47;
        case 2:
            return 56;
        case 4:
            return 69;
        case 8:
            return 78;
        case 16:
            return 64;
        case 128:
            return 68;
        case 16384:
            return 52;
        case 8192:
            return 50;
        case 32:
            return 31;
        case 2048:
            return 53;
        case 256:
            return 67;
        case 512:
            return 66;
        case 1024:
            return 45;
        default:
            return 0;
    }
}

std::uint8_t addByte(std::uint8_t value, int add) {
    return clampToField<std::uint8_t>(std::int64_t{value} + add);
}

// A clone battle's group: one living copy of a random member, paid like monster m; the
// roster character itself is never touched.
void cloneGroup(Game& game, int group, const Character& monster) {
    auto& fighters = game.battle.monsters[static_cast<size_t>(group)];
    const int count = std::min(game.place.partyCount, kPartySlots);
    if (count < 1) return;
    const Character* source = PartyMember(game, Die(game, count));
    if (!source) return;
    Character& templ = fighters[0];
    templ = *source;
    templ.altName = monster.altName;
    templ.rosterId = monster.rosterId;
    templ.sex = 4;
    for (Character& f : fighters)
        f.status = kStatusDead;

    Character clone = *source;
    clone.rosterId = monster.rosterId;
    clone.gold = monster.gold;
    clone.experience = monster.experience;
    clone.attackCount = static_cast<std::int16_t>(MeleeSwingCount(*source));
    clone.actions.fill(0);
    clone.actions[1] = static_cast<std::int16_t>(cloneAction(source->classBit));
    if (source->race == 64)
        clone.actions[2] = static_cast<std::int16_t>(Dice(game, 1, 4, 26));
    else if (source->sex == 2)
        clone.actions[2] = 70;
    for (int level = 1; level <= 9; ++level) {
        if (source->maxSpellPoints(0, level) > 0 && Die(game, 2) == 1)
            clone.actions[static_cast<size_t>(2 + level)] = static_cast<std::int16_t>(1 + level);
        if (source->maxSpellPoints(1, level) > 0 && Die(game, 2) == 1)
            clone.actions[static_cast<size_t>(11 + level)] = static_cast<std::int16_t>(10 + level);
    }
    if (const ItemRecord* weapon = ItemInSlot(game.db, *source, MainHandSlot(*source))) {
        clone.damageDiceCount = weapon->damageDiceCount;
        clone.damageDiceSides = weapon->damageDiceSides;
        clone.damageDiceBonus = weapon->damageDiceBonus;
        clone.longReach = weapon->reach > 1 ? -1 : 0;
        for (int type = 15; type <= 33; ++type)
            clone.meleeStatusChance[static_cast<size_t>(type)] =
                weapon->statusChance[static_cast<size_t>(type)];
    } else {
        clone.damageDiceSides = source->classBit == 1024    ? 8
                                : source->classBit == 16384 ? source->level + 3
                                                            : 4;
        clone.damageDiceBonus = 0;
        clone.longReach = 0;
    }
    clone.sex = 4;
    clone.status = 0;
    clone.maxHitPoints = std::max(clone.maxHitPoints, 1);
    clone.hitPoints = clone.maxHitPoints;
    clone.initiative = 0;
    clone.actionCode = 0;
    fighters[1] = std::move(clone);
}

// Group g of monster m: n fighters with their own hit points.
int monsterGroup(Game& game, int group, const Character& monster) {
    auto& fighters = game.battle.monsters[static_cast<size_t>(group)];
    int bonus = monster.appearDiceBonus;
    if (PartyHasSkill(game, 160) && bonus >= 2) bonus -= 1;
    // A group never outgrows its nine places.
    const int n = std::clamp(Dice(game, monster.appearDiceCount, monster.appearDiceSides, bonus), 0,
                             kGroupSlots);
    const bool poisoned = PartyHasSkill(game, 162);
    const bool weakened = PartyHasSkill(game, 159);
    for (int j = 0; j <= n; ++j) {
        Character& f = fighters[static_cast<size_t>(j)];
        f = monster;
        // Every fighter starts sound, whatever a damaged record says.
        f.status = 0;
        std::int64_t hp = WideDice(game, std::clamp(monster.hpDiceCount, 0, 32767),
                                   monster.hpDiceSides, monster.hpDiceBonus);
        if (poisoned) f.status |= kStatusPoison;
        if (weakened) hp = RoundHalfEven((Die(game, 19) + 80) / 100.0 * static_cast<double>(hp));
        f.maxHitPoints = static_cast<std::int32_t>(
            std::clamp<std::int64_t>(hp, 1, std::numeric_limits<std::int32_t>::max()));
        f.hitPoints = f.maxHitPoints;
    }
    fighters[0].status = kStatusDead;
    return n;
}

// Every member who can act may turn (chaotic to lawful on a refusal, lawful to chaotic on
// a fight).
void friendlyAlignments(Game& game, bool fight) {
    for (int i = 1; i <= std::min(game.place.partyCount, kPartySlots); ++i) {
        Character* c = PartyMember(game, i);
        if (!c || Die(game, 20) != 2 || HasSkill(*c, 98)) continue;
        if (!fight) {
            if (c->alignment == 4) c->alignment = 1;
            continue;
        }
        if (c->alignment != 1) continue;
        c->alignment = 4;
        if (c->race == 256) {
            c->race = 128;
            c->resistances[kResistHoly] = 0;
            c->resistances[kResistSpell] = 0;
            c->resistances[kResistDark] = 100;
            Say(game, c->name + "は\n" + "堕天しました");
        }
    }
}

// The party's order turned round for the monsters' free round of a back attack.
std::vector<int> reverseParty(Game& game) {
    Place& p = game.place;
    const int count = std::min(p.partyCount, kPartySlots);
    std::vector<int> order(p.partyMembers.begin() + 1, p.partyMembers.begin() + 1 + count);
    for (int i = 1; i <= count; ++i) {
        const int slot = order[static_cast<size_t>(count - i)];
        p.partyMembers[static_cast<size_t>(i)] = slot;
        if (Character* c = PartyMember(game, i)) c->partyPosition = static_cast<std::uint8_t>(i);
    }
    DrawPartyPanel(game);
    return order;
}

// The order before the back attack, for whoever is still in the party.
void restoreOrder(Game& game, const std::vector<int>& order) {
    Place& p = game.place;
    const int count = std::min(p.partyCount, kPartySlots);
    std::vector<int> now(p.partyMembers.begin() + 1, p.partyMembers.begin() + 1 + count);
    std::vector<int> kept;
    for (int slot : order)
        if (std::find(now.begin(), now.end(), slot) != now.end()) kept.push_back(slot);
    for (int slot : now)
        if (std::find(kept.begin(), kept.end(), slot) == kept.end()) kept.push_back(slot);
    for (int i = 1; i <= count; ++i) {
        p.partyMembers[static_cast<size_t>(i)] = kept[static_cast<size_t>(i - 1)];
        if (Character* c = PartyMember(game, i)) c->partyPosition = static_cast<std::uint8_t>(i);
    }
    DrawPartyPanel(game);
}

void monstersStrikeFirst(Game& game) {
    DrawMonsterInitiative(game);
    game.battle.battlePhase = kRoundRunning;
    RunRound(game);
}

bool friendlyMonsters(const BattleState& b) {
    for (int g = 1; g <= kMonsterGroups; ++g) {
        const auto& fighters = b.monsters[static_cast<size_t>(g)];
        // An absent group counts as level 0.
        if (fighters[1].rosterId > 0 && fighters[1].level > 29) return false;
    }
    return true;
}

}  // namespace

void AdjustForMoons(const SaveData& save, Character& m) {
    const int a = save.lunaPhase / 30;
    const int b = save.artemisPhase / 40;
    switch (m.classBit) {
        case 128:
            if (a == 8 || b == 8) {
                m.hitPoints = 1;
            } else if (a == 0 || b == 0) {
                m.damageDiceCount = ClampLong(std::int64_t{m.damageDiceCount} * 2);
                m.agility = m.agility >= 100 ? 200 : static_cast<std::uint8_t>(m.agility * 2);
                m.skills[30] = 1;
                m.resistances[kResistSpell] = 100;
                m.resistances[kResistPhysical] = 255;
                m.resistances[35] = 100;
                m.regeneration = clampToField<std::int16_t>(m.hitPoints);
            } else {
                m.strength = addByte(m.strength, a);
                m.agility = addByte(m.agility, b);
            }
            break;
        case 512:
            m.strength = addByte(m.strength, a);
            m.agility = addByte(m.agility, b);
            break;
        case 8192:
            m.damageDiceCount = ClampLong(std::int64_t{m.damageDiceCount} + a);
            break;
        case 1024:
            if (a == 0 || b == 0) {
                m.damageDiceCount = ClampLong(std::int64_t{m.damageDiceCount} * 2);
                m.resistances[kResistSpell] = 100;
            }
            break;
        case 131072:
            if (a == 8 || b == 8) m.resistances[kResistPhysical] = 255;
            break;
        case 8:
            m.maxHitPoints = ClampLong(RoundHalfEven((b * 0.05 + 1) * m.maxHitPoints));
            break;
        case 2:
            if (a == 8 && b == 8) m.resistances[kResistHoly] = 0;
            break;
        default:
            break;
    }
}

void StartEncounter(Game& game, const EncounterCall& call) {
    BattleState& b = game.battle;
    for (auto& fighters : b.monsters)
        for (Character& f : fighters)
            f = Character{};
    for (Character& s : b.summons)
        s = Character{};
    b.goldPool = b.experiencePool = b.killedLevelSum = b.killCount = b.dropItem = 0;
    b.groupCount = 0;
    b.rowCount = 0;
    b.summonRow.clear();
    b.summonsShown = false;
    // Shields and lingering effects of a battle the party fell in end here at the latest.
    b.partyAreaEffects = {};
    b.monsterAreaEffects = {};
    b.partyShields = {};
    b.monsterShields = {};
    b.rearmed = {};

    int encounter = call.encounter;
    if (encounter == 0) {
        const auto& list = game.dungeon.floorEncounters;
        if (list.empty()) return;
        encounter =
            list[static_cast<size_t>(Die(game, static_cast<std::int64_t>(list.size())) - 1)];
    }
    // 0, and a number past the encounter table, start nothing.
    if (encounter < 1 || encounter > 2000) return;

    b.music = call.music;
    b.mapEvent = call.mapEvent;
    b.lastEnd = BattleEnd::None;
    LockMapKeys(game);
    PlayScene(game, kEncounterMusic);
    Say(game, "モンスターが現れた");
    b.battleRound = 0;

    for (int g = 1; g <= kMonsterGroups; ++g) {
        auto& fighters = b.monsters[static_cast<size_t>(g)];
        for (Character& f : fighters)
            f.status = kStatusDead;
        const Character* monster =
            monsterAt(game.db, game.db.encounterTable(encounter, kEncounterFirstGroup + g - 1));
        // Monster 0, a number past the table or an empty record: no group.
        if (!monster || monster->rosterId <= 0) continue;
        b.groupCount += 1;
        int n = 1;
        if (call.mapEvent == kCloneBattleEvent)
            cloneGroup(game, g, *monster);
        else
            n = monsterGroup(game, g, *monster);
        if (game.place.partyEffects & 1 || Die(game, 2) == 1)
            for (Character& f : fighters)
                f.identified = -1;
        for (int j = 0; j <= n; ++j) {
            Character& f = fighters[static_cast<size_t>(j)];
            f.partyPosition = static_cast<std::uint8_t>(g);
            AdjustForMoons(game.save, f);
        }
        MonsterRow& row = b.rows[static_cast<size_t>(b.rowCount)];
        row.group = g;
        row.text = GroupRowText(game, g);
        b.rowCount += 1;
    }
    b.groupCount = b.rowCount;
    b.battlePhase = kCommandEntry;

    for (int i = 1; i <= std::min(game.place.partyCount, kPartySlots); ++i)
        if (Character* c = PartyMember(game, i)) {
            c->status &= ~kStatusFear;
            c->breathCount = 0;
            c->initiative = 0;
            c->actionCode = 0;
        }
    for (int s = 1; s <= kSummonSlots; ++s)
        b.summons[static_cast<size_t>(s)].status = kStatusDead;
    ShowBattleScreen(game);

    const int r = Die(game, 30);
    if (r == 1) {
        Say(game, "モンスターの先制攻撃");
        PlayScene(game, b.music);
        monstersStrikeFirst(game);
    } else if (r == 2 || (r >= 5 && PartyHasSkill(game, 17) && Die(game, 20) == 1)) {
        Say(game, "パーティーの先制攻撃");
        b.partyFirstStrike = true;
        PlayScene(game, b.music);
    } else if (r == 3 && friendlyMonsters(b)) {
        const std::string name = b.rowCount > 0
                                     ? b.monsters[static_cast<size_t>(b.rows[0].group)][1].name
                                     : std::string();
        if (!AskYesNo(game, "友好的な\n" + name + "\n戦いますか？")) {
            friendlyAlignments(game, false);
            b.battlePhase = kNoBattle;
            b.partyFirstStrike = false;
            b.lastEnd = BattleEnd::Refused;
            EndBattleCleanup(game);
            CallLink(game.links.battleOver, game, BattleEnd::Refused, b.mapEvent);
            return;
        }
        friendlyAlignments(game, true);
        PlayScene(game, b.music);
        b.partyFirstStrike = true;
        DrawPartyPanel(game);
    } else if (r == 4 && !PartyHasSkill(game, 15)) {
        Say(game, "モンスターのバックアタック");
        PlayScene(game, b.music);
        const std::vector<int> order = reverseParty(game);
        for (int i = 1; i <= std::min(game.place.partyCount, kPartySlots); ++i)
            if (Character* c = PartyMember(game, i)) c->status &= ~kStatusFear;
        monstersStrikeFirst(game);
        if (game.place.partyCount > 0) restoreOrder(game, order);
    } else {
        PlayScene(game, b.music);
    }
    if (b.battlePhase != kNoBattle) BeginCommandEntry(game);
}

}  // namespace dv
