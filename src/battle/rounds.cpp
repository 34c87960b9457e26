#include "battle/rounds.h"

#include <algorithm>
#include <string>

#include "battle/battle_end.h"
#include "battle/battle_screen.h"
#include "battle/monster_list.h"
#include "battle/party_actions.h"
#include "battle/summons.h"
#include "characters/party.h"
#include "characters/races_classes.h"
#include "combat/combat_core.h"
#include "combat/fighters.h"
#include "combat/spells.h"
#include "combat/status_table.h"
#include "core/data/checked.h"
#include "core/data/message.h"
#include "core/data/text.h"
#include "core/game.h"
#include "core/prompt_dialog.h"
#include "monsters/monster_turn.h"

namespace dv {

namespace {

bool canAct(const Character& c) {
    return !(c.status & kStatusCannotAct);
}

int initiativeFor(Game& game, const Character& c) {
    if (c.actionCode <= 0) return 0;
    if (HasSkill(c, 86)) return 50;
    if (HasSkill(c, 119)) return std::min(Die(game, std::int64_t{c.agility} * 3), 45);
    int value;
    switch (c.actionCode) {
        case 2:
            value = HasSkill(c, 150) ? 45 : Die(game, c.wisdom);
            break;
        case 128:
        case 4096:
            value = Die(game, c.dexterity);
            break;
        case 8192:
        case 16384:
            value = Die(game, c.charm);
            break;
        case 16:
            value = Die(game, c.piety);
            break;
        case 64:
            value = Die(game, c.vitality);
            break;
        case 1: {
            if (HasSkill(c, 149)) {
                value = 45;
            } else if (HasSkill(c, 166)) {
                const ItemRecord* weapon = ItemInSlot(game.db, c, MainHandSlot(c));
                value = (weapon && weapon->weaponType == 4) ? 45 : Die(game, c.agility);
            } else {
                value = Die(game, c.agility);
            }
            break;
        }
        default:
            value = Die(game, c.agility);
            break;
    }
    if (PartyHasSkill(game, 129)) value = std::min(value + Die(game, 5), 47);
    return value;
}

// The text of damage without the death line (area damage kills quietly).
std::string quietDamageText(const Character& c, std::int64_t amount) {
    return c.name + "は\n" + ToWide(std::to_string(std::max<std::int64_t>(amount, 0))) +
           "のダメージをうけた";
}

void partyAreaEffects(Game& game) {
    BattleState& b = game.battle;
    for (int a = 4; a <= 14; ++a) {
        AreaEffect& e = b.partyAreaEffects[static_cast<size_t>(a)];
        if (e.roundsLeft <= 0) continue;
        const std::string name(Message(4200 + a));
        auto strike = [&](Character& victim) {
            if (ResistanceTest(game, ResistanceAt(victim, a), 0) != 0) return;
            const std::int64_t amount = ClampLong(
                WideDice(game, std::clamp(e.diceCount, 0, 32767), e.diceSides, e.diceBonus) *
                e.roundsLeft);
            DamageCharacter(victim, amount, true);
            Say(game, name + "\n" + quietDamageText(victim, amount));
        };
        for (int s = 1; s <= kSummonSlots; ++s) {
            Character& ally = b.summons[static_cast<size_t>(s)];
            if (ally.rosterId > 0 && !(ally.status & kStatusGone)) strike(ally);
        }
        for (int i = 1; i <= PartySize(game); ++i)
            if (Character* c = PartyMember(game, i); c && !(c->status & kStatusGone)) strike(*c);
        e.roundsLeft = static_cast<std::int16_t>(e.roundsLeft - 1);
        e.diceCount -= 1;
    }
}

// How much the caster's skills multiply a lingering effect on the monsters.
std::int64_t casterMultiplier(const Character& caster, int element) {
    std::int64_t m = 1;
    if (HasSkill(caster, 151)) {
        m = std::min<std::int64_t>((std::int64_t{caster.level} - 270) / 30 + 6, 15);
    } else if (HasSkill(caster, 70)) {
        const std::int64_t level = caster.level;
        m = level < 180 ? 2 : level < 210 ? 3 : level < 240 ? 4 : level < 270 ? 5 : 6;
    }
    constexpr std::pair<int, int> kElementSkills[] = {{74, 4},  {75, 8},  {76, 6},
                                                      {194, 9}, {195, 5}, {196, 7}};
    for (const auto& [skill, e] : kElementSkills)
        if (e == element && HasSkill(caster, skill)) m *= 2;
    return m;
}

void monsterAreaEffects(Game& game) {
    BattleState& b = game.battle;
    static const Character kNobody{};
    for (int element = 4; element <= 14; ++element) {
        const std::string name(Message(4200 + element));
        for (int g = 1; g <= kMonsterGroups; ++g) {
            AreaEffect& e =
                b.monsterAreaEffects[static_cast<size_t>(g)][static_cast<size_t>(element)];
            if (e.roundsLeft <= 0) continue;
            const Character& caster = e.caster >= 1 && e.caster < kRosterSlots
                                          ? game.save.roster[static_cast<size_t>(e.caster)]
                                          : kNobody;
            int extra = 0;
            if (HasSkill(caster, 22)) {
                const std::int64_t level = caster.level;
                extra = level <= 49    ? 1
                        : level <= 69  ? 2
                        : level <= 89  ? 3
                        : level <= 109 ? 4
                        : level <= 129 ? 5
                                       : 6;
            }
            for (int s = 1; s <= kGroupSlots; ++s) {
                Character& m = b.monsters[static_cast<size_t>(g)][static_cast<size_t>(s)];
                if (m.status & kStatusDead) continue;
                if (ResistanceTest(game, ResistanceAt(m, element), 0) != 0) continue;
                std::int64_t amount = WideDice(
                    game, std::clamp<std::int64_t>(std::int64_t{e.diceCount} + extra, 0, 32767),
                    e.diceSides, e.diceBonus);
                amount = static_cast<std::int64_t>(
                    std::floor(static_cast<double>(amount) * (1 - 0.2 * b.monsterShields[2])));
                amount *= casterMultiplier(caster, element);
                amount = ClampLong(amount);
                Say(game, name + "\n" + DamageCharacter(m, amount, false));
                if (m.hitPoints < 1) BookKill(game, m);
            }
            if (!PartyHasSkill(game, 229)) e.diceCount -= 1;
            if (!PartyHasSkill(game, 230))
                e.roundsLeft = static_cast<std::int16_t>(e.roundsLeft - 1);
        }
    }
}

void identifyGroups(Game& game) {
    for (int g = 1; g <= kMonsterGroups; ++g) {
        Character& templ = game.battle.monsters[static_cast<size_t>(g)][0];
        if (templ.identified == 0 && Die(game, 2) == 1) templ.identified = -1;
    }
}

// The first free inventory slot of a character, 0 when full.
int freeSlot(const Character& c) {
    for (int s = 1; s <= kInventorySlots; ++s)
        if (c.items[static_cast<size_t>(s)].itemId == 0) return s;
    return 0;
}

// Allies whose leader rolls low turn on the party and join the monsters.
void betrayal(Game& game) {
    BattleState& b = game.battle;
    if (!b.summonsShown || b.groupCount < 1 || b.groupCount > 3 || PartyHasSkill(game, 208)) return;
    Character& leader = b.summons[1];
    if (Die(game, leader.charm) != 1 || Die(game, 20) != 1) return;
    Say(game, leader.name + "は" + "\n" + "パーティを裏切った！");
    // The first group with nobody standing takes them; none in play is overwritten.
    int group = 0;
    for (int g = 1; g <= kMonsterGroups && group == 0; ++g)
        if (!GroupHasFighter(b, g)) group = g;
    if (group == 0) return;
    b.groupCount += 1;
    const int dropped = leader.items[3].itemId;
    auto& fighters = b.monsters[static_cast<size_t>(group)];
    for (int s = 0; s <= kSummonSlots; ++s) {
        fighters[static_cast<size_t>(s)] = b.summons[static_cast<size_t>(s)];
        fighters[static_cast<size_t>(s)].identified = -1;
        fighters[static_cast<size_t>(s)].partyPosition = static_cast<std::uint8_t>(group);
        b.summons[static_cast<size_t>(s)].status |= kStatusDead;
        b.summons[static_cast<size_t>(s)].rosterId = 0;
    }
    MonsterRow& row = b.rows[static_cast<size_t>(std::min(b.rowCount, kMonsterGroups - 1))];
    row.group = group;
    row.text = GroupRowText(game, group);
    b.rowCount = std::min(b.rowCount + 1, kMonsterGroups);
    std::sort(b.rows.begin(), b.rows.begin() + b.rowCount,
              [](const MonsterRow& x, const MonsterRow& y) { return x.group < y.group; });
    b.summonsShown = false;
    if (b.battleRound < 15 && PartyHasSkill(game, 210) && Die(game, 3) == 1) {
        const ItemRecord* item = itemAt(game.db, dropped);
        const int slot = game.currentCharacter;
        if (item && slot >= 1 && slot < kRosterSlots) {
            Character& c = game.save.roster[static_cast<size_t>(slot)];
            const int free = freeSlot(c);
            if (free == 0) {
                Say(game, std::string(Message(1053)));
            } else {
                c.items[static_cast<size_t>(free)] = ItemSlot{dropped, kItemUnidentified, 1};
                auto& found = game.save.itemFoundCounts[static_cast<size_t>(dropped)];
                found = clampToField<std::int32_t>(std::int64_t{found} + 1);
                Say(game, item->altName + "を手に入れた");
            }
        }
    }
}

// Regeneration, poison and waking up; returns how many members are out of the fight.
int partyUpkeep(Game& game) {
    int out = 0;
    const bool regenerationSong = (game.place.partyBlessings & 8) != 0;
    for (int i = 1; i <= PartySize(game); ++i) {
        Character* c = PartyMember(game, i);
        if (!c) continue;
        if (c->regeneration > 0 && !(c->status & kStatusGone))
            HealCharacter(
                *c, HasSkill(*c, 66) ? std::int64_t{c->regeneration} * 2 : c->regeneration, true);
        if (regenerationSong) HealCharacter(*c, Die(game, c->vitality), true);
        if ((c->status & kStatusSleep) && HasSkill(*c, 211))
            HealCharacter(*c, Die(game, c->vitality), true);
        if ((c->status & kStatusParalysis) && HasSkill(*c, 212))
            HealCharacter(*c, Die(game, c->vitality), true);
        if ((c->status & kStatusBlind) && HasSkill(*c, 214))
            HealCharacter(*c, Die(game, c->vitality), true);
        if (!(c->status & kStatusGone)) {
            if (c->status & kStatusPoison)
                DamageCharacter(*c, Die(game, c->maxHitPoints / 128), true);
            else if (c->status & kStatusDeadlyPoison)
                DamageCharacter(*c, Die(game, c->maxHitPoints / 32), true);
        }
        if (c->status & kStatusOutOfFight) {
            ++out;
            continue;
        }
        if (HasSkill(*c, 64) || Die(game, 2) == 1 || PartyHasSkill(game, 61))
            c->status &= ~kStatusSleep;
        if ((c->status & kStatusConfusion) && Die(game, 2) == 1) c->status &= ~kStatusConfusion;
        if ((c->status & kStatusCharm) && Die(game, 4) == 1) c->status &= ~kStatusCharm;
        if (HasSkill(*c, 117)) c->status &= ~kStatusSilence;
        if (HasSkill(*c, 118)) c->status &= ~kStatusParalysis;
        if (!HasSkill(*c, 265) && (c->status & kStatusHidden) && Die(game, c->agility) < 4)
            c->status &= ~kStatusHidden;
        c->status &= ~(kStatusFear | kStatusFrozen | kStatusShocked | kStatusAttackReduced |
                       kStatusMagicReflect | kStatusPhysicalReflect | kStatusGuard);
    }
    return out;
}

void endOfRound(Game& game) {
    BattleState& b = game.battle;
    partyAreaEffects(game);
    monsterAreaEffects(game);
    identifyGroups(game);
    RebuildMonsterRows(game);
    bool allies = false;
    for (int s = 1; s <= kSummonSlots; ++s) {
        const Character& a = b.summons[static_cast<size_t>(s)];
        allies = allies || (!(a.status & kStatusDead) && a.rosterId > 0);
    }
    b.summonsShown = allies;
    b.summonRow = allies ? SummonRowText(game) : std::string();
    ShowMonsterRows(game);
    betrayal(game);
    ShowMonsterRows(game);
    const int out = partyUpkeep(game);
    if (out == game.place.partyCount) {
        PartyWipedOut(game);
        return;
    }
    if (b.rowCount > 0) {
        ShowFirstGroupPicture(game);
        DrawPartyPanel(game);
        b.commandSlot = 1;
        game.currentCharacter = game.place.partyMembers[1];
        BeginCommandEntry(game);
        return;
    }
    Victory(game);
}

}  // namespace

void DrawPartyInitiative(Game& game) {
    for (int i = 1; i <= PartySize(game); ++i) {
        Character* c = PartyMember(game, i);
        if (!c || !canAct(*c)) continue;
        c->initiative = static_cast<std::int16_t>(initiativeFor(game, *c));
    }
}

void DrawAllyInitiative(Game& game) {
    for (int s = 1; s <= kSummonSlots; ++s) {
        Character& a = game.battle.summons[static_cast<size_t>(s)];
        a.initiative = static_cast<std::int16_t>(canAct(a) ? Die(game, a.agility) : 0);
    }
}

void DrawMonsterInitiative(Game& game) {
    const bool dazzle = PartyHasSkill(game, 130);
    for (int g = 1; g <= kMonsterGroups; ++g)
        for (int s = 1; s <= kGroupSlots; ++s) {
            Character& m = game.battle.monsters[static_cast<size_t>(g)][static_cast<size_t>(s)];
            m.initiative = static_cast<std::int16_t>(canAct(m) ? Die(game, m.agility) : 0);
            if (dazzle && Die(game, 20) == 1 && m.classBit != 4096 && m.classBit != 8192 &&
                m.classBit != 2)
                m.initiative = 0;
        }
}

void StartRound(Game& game) {
    BattleState& b = game.battle;
    HideCommandEntry(game);
    b.battlePhase = kRoundRunning;
    DrawPartyInitiative(game);
    DrawAllyInitiative(game);
    if (b.partyFirstStrike)
        b.partyFirstStrike = false;
    else
        DrawMonsterInitiative(game);
    RunRound(game);
}

void RunRound(Game& game) {
    BattleState& b = game.battle;
    b.battleRound += 1;
    b.rearmed = {};
    for (int d = 50; d > 0;) {
        Character* member = nullptr;
        int memberSlot = 0;
        for (int i = 1; i <= PartySize(game) && !member; ++i) {
            Character* c = PartyMember(game, i);
            if (c && c->initiative == d && canAct(*c)) {
                member = c;
                memberSlot = game.place.partyMembers[static_cast<size_t>(i)];
            }
        }
        Character* monster = nullptr;
        int monsterGroup = 0, monsterSlot = 0;
        for (int g = 1; g <= kMonsterGroups && !monster; ++g)
            for (int s = 1; s <= kGroupSlots && !monster; ++s) {
                Character& m = b.monsters[static_cast<size_t>(g)][static_cast<size_t>(s)];
                if (m.rosterId > 0 && m.initiative == d && canAct(m)) {
                    monster = &m;
                    monsterGroup = g;
                    monsterSlot = s;
                }
            }
        Character* ally = nullptr;
        for (int s = 1; s <= kSummonSlots && !ally; ++s) {
            Character& a = b.summons[static_cast<size_t>(s)];
            if (a.rosterId > 0 && a.initiative == d && canAct(a)) {
                ally = &a;
                b.actingSummonSlot = s;
            }
        }
        // A monster beats a member only with more luck; an ally beats whoever else with
        // more luck, and goes alone when nobody else does.
        Character* winner = member;
        if (monster && (!member || member->luck < monster->luck)) winner = monster;
        if (ally && (!winner || ally->luck > winner->luck)) winner = ally;
        if (!winner) {
            --d;
            continue;
        }
        if (winner == member) {
            game.currentCharacter = memberSlot;
            MemberAction(game, *member);
            member->initiative = 0;
            if (b.escapeBySpell) {
                EscapeBySpell(game);
                return;
            }
            if (b.battlePhase != kRoundRunning) {
                b.battlePhase = kNoBattle;
                b.partyFirstStrike = false;
                return;
            }
        } else if (winner == monster) {
            MonsterTurn(game, monsterGroup, monsterSlot);
            monster->initiative = 0;
        } else {
            AllyTurn(game, b.actingSummonSlot);
            ally->initiative = 0;
        }
    }
    endOfRound(game);
}

void FlightTest(Game& game, int slot) {
    BattleState& b = game.battle;
    Character* c = PartyMember(game, slot);
    if (!c) return;
    int f = Dice(game, 1, c->agility, 1);
    if (HasSkill(*c, 8))
        f = 10;
    else if (HasSkill(*c, 102))
        f += 2;
    bool boss = false;
    for (int g = 1; g <= kMonsterGroups; ++g)
        boss = boss || b.monsters[static_cast<size_t>(g)][0].level > 36;
    if (boss) Say(game, "逃げれない！！");
    if (!boss && f > 4) {
        Place& p = game.place;
        p.partyX = p.previousX;
        p.partyY = p.previousY;
        if (PartyHasSkill(game, 101)) PayRewards(game);
        for (int i = 1; i <= PartySize(game); ++i)
            if (Character* m = PartyMember(game, i)) m->escapes += 1;
        b.battlePhase = kNoBattle;
        b.partyFirstStrike = false;
        b.lastEnd = BattleEnd::Flight;
        EndBattleCleanup(game);
        CallLink(game.links.battleOver, game, BattleEnd::Flight, b.mapEvent);
        return;
    }
    HideCommandEntry(game);
    b.battlePhase = kRoundRunning;
    if (!b.partyFirstStrike) DrawMonsterInitiative(game);
    RunRound(game);
}

void MemberAction(Game& game, Character& member) {
    if (canAct(member)) {
        if (member.status & (kStatusConfusion | kStatusCharm)) member.actionCode = kActFight;
        switch (member.actionCode) {
            case kActFight:
                FightAction(game, member);
                break;
            case kActCast:
            case kActUseItem:
                CastSpell(game, member);
                break;
            case kActCastTwice:
                CastSpell(game, member);
                if (!game.battle.escapeBySpell && canAct(member) &&
                    SpellTargetStands(game, member)) {
                    Say(game, member.name + "は連続詠唱した");
                    CastSpell(game, member);
                }
                break;
            case kActDispel:
                DispelAction(game, member, member.targetGroup);
                break;
            case kActHide:
                HideAction(game, member);
                break;
            case kActBreath:
                BreathAction(game, member);
                break;
            case kActSteal: {
                StealAction(game, member);
                const int slot = FirstLiveSlot(game.battle, member.targetGroup);
                if (HasSkill(member, 6) && member.targetGroup != 0 && slot != 0)
                    MeleeAttack(game, member,
                                game.battle.monsters[static_cast<size_t>(member.targetGroup)]
                                                    [static_cast<size_t>(slot)],
                                MainHandSlot(member));
                break;
            }
            case kActSearch:
                SearchAction(game, member);
                break;
            case kActSeeThrough:
                SeeThroughAction(game, member);
                break;
            case kActThrowMoney:
                ThrowMoneyAction(game, member);
                break;
            case kActSummon:
                SummonAction(game, member);
                break;
            case kActSong:
                SongAction(game, member);
                break;
            default:
                // Defending does nothing.
                break;
        }
    }
    member.actionCode = 0;
    member.initiative = 0;
}

void EscapeBySpell(Game& game) {
    BattleState& b = game.battle;
    b.escapeBySpell = false;
    Place& p = game.place;
    p.partyX = p.previousX;
    p.partyY = p.previousY;
    b.battlePhase = kNoBattle;
    b.partyFirstStrike = false;
    b.lastEnd = BattleEnd::Flight;
    EndBattleCleanup(game);
    CallLink(game.links.battleOver, game, BattleEnd::Flight, b.mapEvent);
}

namespace {

// The main attack's victim: a random member for the confused and charmed, else the first
// standing monster of the chosen group.
Character* fightTarget(Game& game, const Character& member) {
    if (member.status & (kStatusConfusion | kStatusCharm)) {
        const int count = PartySize(game);
        if (count < 1) return nullptr;
        for (int n = 0; n < 51; ++n) {
            Character* c = PartyMember(game, Die(game, count));
            if (c && !(c->status & kStatusUntouchable)) return c;
        }
        return nullptr;
    }
    const int slot = FirstLiveSlot(game.battle, member.targetGroup);
    if (slot == 0) return nullptr;
    return &game.battle
                .monsters[static_cast<size_t>(member.targetGroup)][static_cast<size_t>(slot)];
}

}  // namespace

void FightAction(Game& game, Character& member) {
    if ((member.status & kStatusConfusion) && Die(game, 2) == 1) {
        ConfusionAction(game, member);
        return;
    }
    int rounds = 1;
    if (HasSkill(member, 132)) rounds = Die(game, member.agility) <= 10 ? 1 : 2;
    if (HasSkill(member, 133)) {
        if (Die(game, member.agility) >= 13)
            rounds = 3;
        else
            rounds = Die(game, member.agility) >= 19 ? 2 : 1;
    }
    const int mainHand = MainHandSlot(member);
    auto attack = [&](int weaponSlot) {
        if (Character* target = fightTarget(game, member))
            MeleeAttack(game, member, *target, weaponSlot);
    };
    for (int r = 0; r < rounds; ++r) {
        attack(mainHand);
        if (HasSkill(member, 55)) {
            const int most = std::min(member.level / 7, 8);
            const int threshold = HasSkill(member, 122) ? 5 : 10;
            for (int k = 2; k <= most; ++k) {
                if (!canAct(member) || Die(game, member.agility) <= threshold) break;
                attack(mainHand);
            }
        }
        if (!canAct(member)) continue;
        const int offHand = OffHandSlot(game.db, member);
        if (HasSkill(member, 55) && member.classBit == 16384)
            attack(offHand);
        else if (offHand != 0)
            attack(offHand);
    }
}

void ConfusionAction(Game& game, Character& member) {
    switch (Die(game, 4)) {
        case 1:
            Say(game, member.name + "は" + "\r" + "混乱して意味不明な言葉を発した");
            break;
        case 2: {
            const std::int64_t thrown = RoundHalfEven(member.gold) / 5;
            member.gold -= static_cast<double>(thrown);
            Say(game, member.name + "は" + "\r" + std::to_string(thrown) + "のお金を投げ捨てた");
            break;
        }
        case 3:
            for (int s = 1; s <= kInventorySlots; ++s)
                member.items[static_cast<size_t>(s)].itemFlags &= ~kItemEquipSlotMask;
            ResetRaceValues(member);
            Say(game, member.name + "は" + "\r" + "装備をすべて脱ぎ始めた");
            break;
        default:
            Say(game, member.name + "は" + "\r" + "ぼんやりしている");
            break;
    }
}

}  // namespace dv
