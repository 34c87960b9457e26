#include "combat/combat_core.h"

#include <algorithm>
#include <array>

#include "characters/experience.h"
#include "characters/healing.h"
#include "characters/party.h"
#include "combat/fighters.h"
#include "combat/status_table.h"
#include "core/data/checked.h"
#include "core/data/message.h"
#include "core/data/text.h"
#include "core/game.h"
#include "core/prompt_dialog.h"

namespace dv {

namespace {

std::string wide(std::int64_t n) {
    return ToWide(std::to_string(n));
}

std::string noEffect(const Character& c) {
    return c.name + std::string(Message(1023));
}

bool isUntouchable(const Character& c) {
    return c.rosterId == 0 || (c.status & kStatusUntouchable) != 0;
}

// The ward skill of each effect type.
int wardSkill(int effectType) {
    switch (effectType) {
        case kEffectSleep:
            return 246;
        case kEffectParalysis:
            return 249;
        case kEffectFear:
            return 247;
        case kEffectConfusion:
            return 255;
        case kEffectFrozen:
            return 250;
        case kEffectShocked:
            return 251;
        case kEffectCharm:
            return 256;
        case kEffectPoison:
        case 34:
            return 248;
        case kEffectSilence:
            return 252;
        case kEffectBlind:
            return 253;
        case kEffectDisease:
            return 257;
        case kEffectStone:
            return 254;
        case kEffectLevelDrain:
            return 258;
        case kEffectDeath:
            return 259;
        default:
            return 0;
    }
}

// The party skills that weaken a monster's element: (element, skill).
constexpr std::array<std::pair<int, int>, 10> kElementGuards{{
    {kResistFire, 235},
    {kResistWind, 236},
    {kResistEarth, 237},
    {kResistWater, 238},
    {kResistPoison, 239},
    {kResistLightning, 240},
    {kResistCold, 241},
    {kResistMind, 242},
    {kResistDark, 243},
    {kResistHoly, 244},
}};

// The resistance a status attack tests against the effect itself.
int effectResistance(Game& game, const Character& target, int effectType) {
    // The fear-resistance song holds fear off like a full resistance.
    if (effectType == kEffectFear && !IsMonster(target) && (game.place.partyBlessings & 2))
        return 100;
    return ResistanceAt(target, effectType);
}

// The element a weapon strikes with (bare hands and element 0 are physical).
int weaponElement(const ItemRecord* weapon) {
    return weapon && weapon->element != 0 ? elementIndex(weapon->element) : kResistPhysical;
}

}  // namespace

int ResistanceTest(Game& game, int primary, int secondary) {
    if (primary == 200 || secondary == 200) return kAbsorbed;
    if (primary == 255 || secondary == 255) return kReflected;
    if (Die(game, 100) < primary) return kNullified;
    if (Die(game, 100) < secondary) return kResisted;
    return 0;
}

std::string HealCharacter(Character& target, std::int64_t amount, bool quiet) {
    amount = std::max<std::int64_t>(amount, 0);
    const bool whole = amount >= std::int64_t{target.maxHitPoints} - target.hitPoints;
    if (!HealHitPoints(target, amount)) return quiet ? std::string() : noEffect(target);
    if (quiet) return {};
    if (whole) return target.name + std::string(Message(1026));
    return target.name + std::string(Message(1024)) + wide(amount) + std::string(Message(1025));
}

std::string DamageCharacter(Character& target, std::int64_t amount, bool quiet) {
    if (target.status & kStatusGone) return quiet ? std::string() : noEffect(target);
    amount = std::max<std::int64_t>(amount, 0);
    const std::int64_t hp = std::int64_t{target.hitPoints} - amount;
    target.hitPoints = ClampLong(hp);
    std::string text;
    if (!quiet) text = target.name + "は\n" + wide(amount) + "のダメージをうけた";
    if (hp < 1) {
        std::string death = KillCharacter(target, !quiet);
        if (!quiet) text += "\n" + death;
    }
    return text;
}

std::string KillCharacter(Character& target, bool withMessage) {
    target.status |= kStatusDead;
    target.hitPoints = 0;
    return withMessage ? target.name + std::string(Message(1066)) : std::string();
}

std::string SetStatus(Character& target, std::int32_t bit) {
    target.status |= bit;
    if (bit & kStatusLost) target.status |= kStatusDead;
    const std::string_view message = StatusSetMessage(bit);
    return message.empty() ? std::string() : target.name + std::string(message);
}

std::string ApplyEffect(Character& target, int effectType) {
    const std::int32_t bit = StatusOfEffect(effectType);
    if (bit == 0) return {};
    if (effectType == kEffectDeath) {
        KillCharacter(target, false);
        return target.name + std::string(StatusSetMessage(kStatusDead));
    }
    return SetStatus(target, bit);
}

std::string ClearStatus(Character& target, std::int32_t bits) {
    target.status &= ~bits;
    return std::string(Message(1020));
}

bool PartyWardCheck(Game& game, const Character& target, int effectType) {
    if (IsMonster(target)) return false;
    const int skill = wardSkill(effectType);
    if (skill == 0 || !PartyHasSkill(game, skill)) return false;
    const int draw = PartyHasSkill(game, 262) ? Dice(game, 1, 2, -1) : Dice(game, 1, 3, -1);
    return draw != 0;
}

void InflictStatus(Game& game, const std::string& header, Character& target, int effectType,
                   int chance, bool dodgeable, int extraIndex, Character* attacker) {
    const std::int32_t bit = StatusOfEffect(effectType);
    // An effect without a status of its own has nothing to set.
    if (bit == 0) return;
    if (isUntouchable(target) || Die(game, 100) >= chance) return;
    std::string outcome;
    if (dodgeable && Die(game, 50) < target.luck) {
        outcome = target.name + "は" + "\n" + "かわした";
    } else if (ResistanceTest(game, ResistanceAt(target, extraIndex), 0) != 0) {
        outcome = target.name + "は\n無効化した";
    } else if (ResistanceTest(game, effectResistance(game, target, effectType), 0) != 0 ||
               PartyWardCheck(game, target, effectType) || (target.status & kStatusGuard)) {
        outcome = target.name + "は\n抵抗した";
    } else if (effectType == kEffectDeath) {
        outcome = IsMonster(target) ? MonsterKilled(game, target, attacker, true)
                                    : KillCharacter(target, true);
    } else {
        outcome = ApplyEffect(target, effectType);
    }
    Say(game, header + "\n" + outcome);
}

int ApplyMagicDamage(Game& game, const std::string& header, std::int64_t amount, Character& caster,
                     Character& target, int kindIndex, int elementIndex, int effectType,
                     bool noReflect) {
    if (isUntouchable(target)) return kNoTarget;
    amount = std::max<std::int64_t>(amount, 0);
    if (IsMonster(caster)) {
        for (int index : {kindIndex, elementIndex}) {
            if (index == 0) continue;
            amount =
                RoundHalfEven(static_cast<double>(amount) * DamagePercentAt(target, index) / 100.0);
        }
        const int divisor = PartyHasSkill(game, 261) ? 4 : 2;
        for (const auto& [element, skill] : kElementGuards)
            if (elementIndex == element && PartyHasSkill(game, skill)) amount /= divisor;
    }
    int r =
        ResistanceTest(game, ResistanceAt(target, kindIndex), ResistanceAt(target, elementIndex));
    if (kindIndex == kResistSpell) {
        if (HasSkill(target, 35)) {
            r = kReflected;
        } else if (HasSkill(target, 168) && Die(game, target.luck) > 10) {
            r = kSealed;
        } else if (r == kReflected && HasSkill(caster, 231)) {
            if (HasSkill(caster, 266) || Die(game, caster.wisdom) > 2) r = kHitLanded;
        }
        if (target.status & kStatusMagicReflect) {
            target.status &= ~kStatusMagicReflect;
            r = kReflected;
        }
    }
    if (noReflect && r == kReflected) r = kNullified;
    const std::string lead = header + "\r";
    switch (r) {
        case kHitLanded:
            Say(game, lead + DamageCharacter(target, amount, false));
            if (effectType != 0)
                InflictStatus(game, header, target, effectType, 100, true, 0, &caster);
            break;
        case kNullified:
            Say(game, lead + target.name + "は\n無効化した");
            break;
        case kReflected:
            Say(game, lead + target.name + "は攻撃を反射した！！" + "\n" +
                          DamageCharacter(caster, amount, false));
            if (effectType != 0)
                InflictStatus(game, header, caster, effectType, 100, true, 0, &target);
            break;
        case kAbsorbed:
            Say(game, lead + target.name + "は攻撃を吸収した！" + "\n" +
                          HealCharacter(target, amount, false));
            break;
        case kResisted:
            Say(game, lead + target.name + "は\n抵抗した");
            break;
        case kSealed:
            Say(game, lead + target.name + "は" + "\n" + "ワルプルギスの夜で封じた");
            break;
        default:
            break;
    }
    if (target.hitPoints < 1) {
        if (IsMonster(target)) {
            MonsterKilled(game, target, &caster, false);
        } else {
            KillCharacter(target, false);
        }
    }
    return r;
}

int StrengthBonus(int value) {
    if (value <= 12) return 0;
    if (value <= 15) return 1;
    if (value <= 17) return 2;
    return value - 15;
}

std::int64_t HitTarget(const Character& attacker, const Character& defender,
                       const ItemRecord* weapon) {
    const int attackBonus = weapon ? weapon->attackBonus : 0;
    const std::int64_t skillPart =
        attacker.level / 3 + StrengthBonus(attacker.dexterity + attackBonus);
    if (HasSkill(attacker, 123)) return 50 - skillPart;
    const int base = HasSkill(attacker, 147) ? 40 : (HasSkill(defender, 148) ? 60 : 50);
    return base - skillPart - defender.baseArmorClass;
}

HitResult HitRoll(Game& game, const Character& attacker, const Character& defender,
                  const ItemRecord* weapon) {
    if (attacker.status & kStatusHidden) return HitResult::SureHit;
    if ((attacker.status & kStatusBlind) && Die(game, 6) == 1)
        return HasSkill(attacker, 38) ? HitResult::Hit : HitResult::Miss;
    if (defender.status & kStatusHidden) return HitResult::Miss;
    const std::int64_t target = HitTarget(attacker, defender, weapon);
    const int g = Dice(game, 1, 100, 1);
    if (g == 100) return HitResult::SureHit;
    if (g > 3) return g < target ? HitResult::Miss : HitResult::Hit;
    return HasSkill(attacker, 33) ? HitResult::SureHit : HitResult::Fumble;
}

std::int32_t MeleeDamage(Game& game, const Character& attacker, const Character& defender,
                         const ItemRecord* weapon, int& hits) {
    std::int64_t h =
        HasSkill(attacker, 127) ? attacker.attackCount : Die(game, attacker.attackCount);
    if (weapon && weapon->weaponType >= 1 && weapon->weaponType <= 13 &&
        HasSkill(attacker, 133 + weapon->weaponType))
        h += 1;
    if (PartyHasSkill(game, 233)) h += 1;

    double d = 0;
    if (IsMonster(attacker)) {
        for (std::int64_t i = 0; i < h; ++i)
            d += Dice(game, attacker.damageDiceCount, attacker.damageDiceSides,
                      attacker.damageDiceBonus);
    } else if (!weapon) {
        const std::int64_t sides = attacker.classBit == 1024    ? 8
                                   : attacker.classBit == 16384 ? attacker.level + 3
                                                                : 4;
        for (std::int64_t i = 0; i < h; ++i)
            d += Dice(game, 1, sides, 0) + StrengthBonus(attacker.strength);
    } else {
        h = std::max<std::int64_t>(h, weapon->minimumHits);
        auto weaponRoll = [&] {
            return Dice(game, weapon->damageDiceCount, weapon->damageDiceSides,
                        weapon->damageDiceBonus);
        };
        for (std::int64_t i = 0; i < h; ++i)
            d += weaponRoll() + StrengthBonus(attacker.strength + weapon->attackBonus);
        if ((game.place.partyBlessings & 16) && (attacker.classBit & 256)) d += weaponRoll();
        if ((game.place.partyBlessings & 32) && (attacker.classBit & 512)) d += weaponRoll();
        if (IsMonster(defender) && (defender.classBit & weapon->slayMask)) d *= 2;
    }
    hits = static_cast<int>(std::clamp<std::int64_t>(h, 0, 1 << 20));

    if ((defender.status & kStatusSleep) && !HasSkill(defender, 62)) d *= 2;
    if (HasSkill(attacker, 57) && attacker.hitPoints < attacker.maxHitPoints / 8) d *= 1.5;
    if (HasSkill(attacker, 96)) d *= 1.5;
    if (HasSkill(defender, 96)) d *= 2;
    if (HasSkill(attacker, 154) && attacker.strength > 17 && Die(game, 8) == 2) d *= 1.5;
    if ((attacker.status & kStatusPoison) && !HasSkill(attacker, 63))
        d = static_cast<double>(RoundHalfEven(d) / 2);

    const int index = IsMonster(attacker) ? kResistPhysical : weaponElement(weapon);
    double u = d * DamagePercentAt(defender, index) / 100.0;
    if (HasSkill(defender, 32)) u = u * (100 - attacker.vitality) / 100.0;
    if (IsMonster(attacker) && PartyHasSkill(game, 234)) u *= 0.8;
    if (defender.status & kStatusAttackReduced) u = static_cast<double>(RoundHalfEven(u) / 2);
    if (IsMonster(attacker) && (game.place.partyBlessings & 128)) u *= 0.9;
    if (IsMonster(defender) && weapon && isWeaponTypeIndex(weapon->weaponType))
        u = u * defender.weaponTypePercent[static_cast<size_t>(weapon->weaponType)] / 100.0;
    return ClampLong(RoundHalfEven(u));
}

namespace {

// The shown text of a landed hit (the status attacks after it use it as their header).
std::string hitText(const std::string& header, const Character& defender, int hits,
                    std::int64_t damage) {
    return header + defender.name + "に　" + wide(hits) + "あたり" + wide(damage) + "のダメージ";
}

// The count of equipped items, for the critical's bound.
int equippedCount(const Character& c) {
    int n = 0;
    for (int s = 1; s <= kInventorySlots; ++s)
        if (c.items[static_cast<size_t>(s)].itemFlags & kItemEquipSlotMask) ++n;
    return n;
}

void monsterStatusAttacks(Game& game, const std::string& shown, Character& attacker,
                          Character& defender, int hits) {
    auto chance = [&](int type) {
        return static_cast<int>(attacker.meleeStatusChance[static_cast<size_t>(type)]);
    };
    for (int type : {17, 19, 20, 15, 22, 24, 23, 18, 21, 16, 29})
        if (chance(type) > 0)
            InflictStatus(game, shown, defender, type, chance(type), true, 0, &attacker);
    if (chance(kEffectLevelDrain) > 0 && !(defender.status & kStatusDrainWard) &&
        !IsMonster(defender) && Die(game, 100) < chance(kEffectLevelDrain) &&
        hits < defender.level &&
        ResistanceTest(game, ResistanceAt(defender, kEffectLevelDrain), 0) == 0 &&
        !PartyWardCheck(game, defender, kEffectLevelDrain)) {
        DrainLevels(defender, hits, game.rng);
        Say(game, defender.name + "は\n" + "レベルを" + wide(hits) + "下げられた！");
    }
    if (chance(kEffectDeath) > 0 && !(defender.status & kStatusDecapitationWard) &&
        Die(game, 100) < chance(kEffectDeath) && !HasSkill(defender, 16) &&
        !HasSkill(defender, 56) &&
        ResistanceTest(game, ResistanceAt(defender, kEffectDeath), 0) == 0 &&
        !PartyWardCheck(game, defender, kEffectDeath)) {
        KillCharacter(defender, false);
        Say(game, shown + "\n" + defender.name + "は\nくびをはねられた！");
    }
    if (chance(kEffectAshes) > 0)
        InflictStatus(game, shown, defender, kEffectAshes, chance(kEffectAshes), true, 0,
                      &attacker);
}

void memberStatusAttacks(Game& game, const std::string& shown, Character& attacker,
                         Character& defender, const ItemRecord* weapon) {
    if (weapon) {
        for (int type : {17, 15, 23, 18, 19, 20, 21}) {
            const int chance = weapon->statusChance[static_cast<size_t>(type)];
            if (chance > 0) InflictStatus(game, shown, defender, type, chance, true, 0, &attacker);
        }
    }
    // A body already down cannot be struck down again.
    if (defender.status & kStatusDead) return;
    if (HasSkill(attacker, 13)) {
        if (!HasSkill(attacker, 23) &&
            ResistanceTest(game, ResistanceAt(defender, kEffectDeath), 0) != 0)
            return;
        const int j = equippedCount(attacker);
        std::int64_t bound;
        if (HasSkill(attacker, 84) && j == 0) {
            bound = 100;
        } else {
            const std::int64_t o =
                attacker.level <= 100 ? attacker.level - 3 * j + 22 : 100 - 5 * j;
            bound = Dice(game, 1, o, 1);
        }
        if (Dice(game, 1, 100, 1) < bound) {
            KillCharacter(defender, false);
            attacker.criticalKills =
                clampToField<std::int32_t>(std::int64_t{attacker.criticalKills} + 1);
            Say(game, defender.name + "は\nくびをはねられた！");
        }
        return;
    }
    const int critical = weapon ? weapon->criticalChance() : 0;
    if (critical > 0 && Die(game, 100) < critical &&
        ResistanceTest(game, ResistanceAt(defender, kEffectDeath), 0) == 0) {
        KillCharacter(defender, false);
        attacker.criticalKills =
            clampToField<std::int32_t>(std::int64_t{attacker.criticalKills} + 1);
        Say(game, defender.name + "は\n致命傷をうけた");
    }
}

}  // namespace

void MeleeAttack(Game& game, Character& attacker, Character& defender, int weaponSlot) {
    const std::string header = attacker.name + "の攻撃！！" + "\n";
    const ItemRecord* weapon = ItemInSlot(game.db, attacker, weaponSlot);
    int hits = 0;
    const std::int32_t damage = MeleeDamage(game, attacker, defender, weapon, hits);

    const bool slaying =
        IsMonster(defender) && weapon && (weapon->slayMask & defender.classBit) != 0;
    int r = 0;
    if (!slaying) {
        const int element =
            IsMonster(attacker)
                ? (attacker.attackElement != 0 ? elementIndex(attacker.attackElement) : 1)
                : weaponElement(weapon);
        r = ResistanceTest(game, ResistanceAt(defender, element), 0);
    }
    const bool crushing = HasSkill(attacker, 154);
    if (r == kNullified || r == kResisted) {
        Say(game, header + defender.name + "は攻撃を無効化した！");
        return;
    }
    if (r == kReflected && !crushing) {
        Say(game, header + defender.name + "は攻撃を反射した！！" + "\n" + attacker.name + "は" +
                      wide(hits) + "あたり" + DamageCharacter(attacker, damage, false));
        return;
    }
    if (r == kAbsorbed && !crushing) {
        Say(game, header + defender.name + "は攻撃を吸収した！" + "\n" +
                      HealCharacter(defender, damage, false));
        return;
    }
    if (r == 0 && (defender.status & kStatusPhysicalReflect)) {
        defender.status &= ~kStatusPhysicalReflect;
        Say(game, header + defender.name + "は攻撃を反射した！！" + "\n" + attacker.name + "は" +
                      wide(hits) + "あたり" + wide(damage) + "のダメージ");
        DamageCharacter(attacker, damage, true);
        return;
    }

    const HitResult hit = HitRoll(game, attacker, defender, weapon);
    bool landed = false;
    std::string shown;
    if (hit == HitResult::Hit || hit == HitResult::SureHit) {
        if (Die(game, attacker.agility) > 13 && HasSkill(defender, 37)) {
            shown = header + defender.name + "は攻撃を受け止めた！";
        } else {
            shown = hitText(header, defender, hits, damage);
            landed = true;
        }
    } else if (hit == HitResult::Miss) {
        shown = header + defender.name + "に ダメージをあたえられない！";
    } else {
        shown = header + attacker.name + "は　ころんだ・・・";
    }
    Say(game, shown);

    if (landed) {
        DamageCharacter(defender, damage, true);
        defender.status &= ~(kStatusSleep | kStatusConfusion);
        if (!(defender.status & kStatusGuard)) {
            const int drainChance = weapon ? weapon->drainChance() : 0;
            if (ResistanceTest(game, ResistanceAt(defender, kEffectDrain), 0) == 0 &&
                (Die(game, 100) < drainChance || HasSkill(attacker, 58))) {
                Say(game, attacker.name + "は\n" + "ＨＰを吸収した" + "\n" +
                              HealCharacter(attacker, damage / 6, false));
            }
            if (IsMonster(attacker))
                monsterStatusAttacks(game, shown, attacker, defender, hits);
            else
                memberStatusAttacks(game, shown, attacker, defender, weapon);
        }
    }

    if (defender.hitPoints > 0 && !(defender.status & kStatusDead)) {
        attacker.status &= ~kStatusHidden;
        return;
    }
    if (!landed && (defender.status & kStatusDead)) return;  // it was down before the swing
    if (IsMonster(defender)) {
        if (HasSkill(attacker, 88)) {
            attacker.experience += defender.experience;
            defender.experience = 0;
            defender.level = 1;
        }
        Say(game, MonsterKilled(game, defender, &attacker, true));
    } else {
        Say(game, KillCharacter(defender, true));
    }
    if (Die(game, attacker.agility) < 10) attacker.status &= ~kStatusHidden;
}

void BookKill(Game& game, Character& monster) {
    BattleState& b = game.battle;
    b.goldPool = ClampLong(RoundHalfEven(static_cast<double>(b.goldPool) + monster.gold));
    b.experiencePool =
        ClampLong(RoundHalfEven(static_cast<double>(b.experiencePool) + monster.experience));
    b.killedLevelSum = ClampLong(std::int64_t{b.killedLevelSum} + monster.level);
    b.killCount = ClampLong(std::int64_t{b.killCount} + 1);
    monster.hitPoints = 0;
    monster.status = kStatusDead;
    if (monster.rosterId >= 1 && monster.rosterId < kCounterCount) {
        auto& count = game.save.defeatedCounts[static_cast<size_t>(monster.rosterId)];
        count = clampToField<std::int32_t>(std::int64_t{count} + 1);
    }
}

std::string MonsterKilled(Game& game, Character& monster, Character* killer, bool withMessage) {
    BookKill(game, monster);
    if (killer) killer->marks += 1;
    if (Die(game, 100) < monster.items[4].itemId) game.battle.dropItem = monster.items[3].itemId;
    return withMessage ? monster.name + std::string(Message(1066)) : std::string();
}

void ChangeArmorClass(Game& game, const std::string& header, Character& source, Character& target,
                      int amount) {
    const std::string change = "ＡＣが" + wide(amount) + (amount > 0 ? "上がった" : "下がった");
    switch (ResistanceTest(game, ResistanceAt(target, kResistSpell), 0)) {
        case 0:
            target.armorClass = ClampLong(std::int64_t{target.armorClass} + amount);
            Say(game, header + target.name + "は\n" + change);
            break;
        case kReflected:
            source.armorClass = ClampLong(std::int64_t{source.armorClass} + amount);
            Say(game, header + target.name + "は\n" + "反射した" + source.name + "は\n" + change);
            break;
        default:
            Say(game, header + std::string(Message(1062)));
            break;
    }
}

}  // namespace dv
