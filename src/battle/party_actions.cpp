#include "battle/party_actions.h"

#include <algorithm>
#include <string>
#include <vector>

#include "characters/party.h"
#include "combat/combat_core.h"
#include "combat/fighters.h"
#include "combat/spells.h"
#include "combat/status_table.h"
#include "core/data/checked.h"
#include "core/data/message.h"
#include "core/data/text.h"
#include "core/game.h"

namespace dv {

namespace {

constexpr const char* CR = "\r";
constexpr const char* LF = "\n";

std::string wide(std::int64_t n) {
    return ToWide(std::to_string(n));
}

bool validGroup(int group) {
    return group >= 1 && group <= kMonsterGroups;
}

std::array<Character, kGroupSlots + 1>& groupOf(Game& game, int group) {
    return game.battle.monsters[static_cast<size_t>(group)];
}

std::vector<Character*> standing(Game& game, int group) {
    std::vector<Character*> out;
    if (!validGroup(group)) return out;
    for (int s = 1; s <= kGroupSlots; ++s) {
        Character& m = groupOf(game, group)[static_cast<size_t>(s)];
        if (m.rosterId > 0 && !(m.status & kStatusDead)) out.push_back(&m);
    }
    return out;
}

int freeSlot(const Character& c) {
    for (int s = 1; s <= kInventorySlots; ++s)
        if (c.items[static_cast<size_t>(s)].itemId == 0) return s;
    return 0;
}

void countFound(Game& game, int item) {
    if (item < 0 || item >= static_cast<int>(game.save.itemFoundCounts.size())) return;
    auto& found = game.save.itemFoundCounts[static_cast<size_t>(item)];
    found = clampToField<std::int32_t>(std::int64_t{found} + 1);
}

std::string pocketText(const Character& member, const Character& monster) {
    return member.name + "は" + LF + monster.name + "の" + CR + "ふところを探った" + CR;
}

}  // namespace

void HideAction(Game& game, Character& member) {
    const int bonus = member.classBit == 1024 ? 15 : 5;
    const std::int64_t sides = std::int64_t{member.level} + member.agility + member.luck;
    if (Dice(game, 1, 100, 0) < Dice(game, 1, sides, bonus)) {
        member.status |= kStatusHidden;
        Say(game, member.name + "は影に隠れた");
    } else {
        Say(game, member.name + "は隠れることが出来なかった");
    }
}

void SearchAction(Game& game, Character& member) {
    const int g = member.targetGroup;
    if (standing(game, g).empty()) return;
    const Character& lead = groupOf(game, g)[1];
    std::string text = pocketText(member, lead);
    const ItemRecord* common = itemAt(game.db, lead.items[1].itemId);
    const ItemRecord* rare = itemAt(game.db, lead.items[2].itemId);
    if (Dice(game, 1, member.agility, 0) < 13 || lead.items[1].itemId < 1 ||
        lead.items[2].itemId < 1 || !common || !rare)
        text += "しかし何も探ることが出来なかった";
    else
        text += common->name + "か" + CR + rare->name + CR + "を持っている可能性がある";
    Say(game, text);
}

void StealAction(Game& game, Character& member) {
    const int g = member.targetGroup;
    if (standing(game, g).empty()) return;
    auto& fighters = groupOf(game, g);
    Character& lead = fighters[1];
    std::string text = pocketText(member, lead);
    const int common = lead.items[1].itemId;
    const int slot = freeSlot(member);
    bool stolen = false;
    if (common >= 1 && slot != 0) {
        int threshold = HasSkill(member, 10) ? 5 : 10;
        if (game.place.partyBlessings & 64) threshold -= 3;
        if (Dice(game, 1, member.dexterity, 0) > threshold) {
            const int sides = HasSkill(member, 245) ? 5 : 20;
            int item = common;
            // An empty rare pocket gives the common one.
            if (Dice(game, 1, sides, 0) == 2 && lead.items[2].itemId >= 1)
                item = lead.items[2].itemId;
            if (itemAt(game.db, item)) {
                member.items[static_cast<size_t>(slot)] = ItemSlot{item, kItemUnidentified, 1};
                countFound(game, item);
                stolen = true;
            }
        }
    }
    text += stolen ? "そしてアイテムを盗んだ！" : "しかし何も持っていなかった";
    for (Character& f : fighters) {
        f.items[1] = ItemSlot{};
        f.items[2] = ItemSlot{};
    }
    member.status &= ~kStatusHidden;
    Say(game, text);
}

void SeeThroughAction(Game& game, Character& member) {
    const int g = member.targetGroup;
    if (!validGroup(g)) return;
    if (Dice(game, 1, member.wisdom, 0) <= 7) {
        Say(game, member.name + "はみぬくことが出来なかった");
        return;
    }
    const Character& t = groupOf(game, g)[0];
    auto n = [](std::int64_t v) { return std::to_string(v); };
    Say(game, member.name + "はみぬいた" + CR + "名前：" + t.name + CR + "攻撃：" +
                  n(t.damageDiceCount) + "Ｄ" + n(t.damageDiceSides) + "＋" + n(t.damageDiceBonus) +
                  CR + "ＨＰ：" + n(t.hpDiceCount) + "Ｄ" + n(t.hpDiceSides) + "＋" +
                  n(t.hpDiceBonus) + CR + "ＥＸＰ：" + FormatNumberZero(t.experience) + CR);
    Say(game, member.name + "はみぬいた" + CR + "力：" + n(t.strength) + CR + "知恵：" +
                  n(t.wisdom) + CR + "素早さ：" + n(t.agility) + CR + "運：" + n(t.luck) + CR);
}

void ThrowMoneyAction(Game& game, Character& member) {
    for (Character* m : standing(game, member.targetGroup)) {
        std::int64_t d = Dice(game, 3, member.level, 0);
        if (10.0 * static_cast<double>(d) >= member.gold)
            d = 0;
        else
            member.gold -= 10.0 * static_cast<double>(d);
        m->hitPoints = ClampLong(std::int64_t{m->hitPoints} - d);
        std::string text = member.name + "はぜにを投げた！" + CR + m->name + "は" + LF + wide(d) +
                           "のダメージをうけた";
        if (m->hitPoints < 1) text += std::string(CR) + MonsterKilled(game, *m, &member, true);
        member.status &= ~kStatusHidden;
        Say(game, text);
    }
}

void DispelAction(Game& game, Character& member, int group) {
    const std::string failed = member.name + "は呪いを解けなかった";
    if (!validGroup(group)) {
        Say(game, failed);
        return;
    }
    const Character& t = groupOf(game, group)[0];
    if (member.level < t.level || t.identified == 0) {
        Say(game, failed);
        return;
    }
    const bool matches = (t.classBit == 65536 && HasSkill(member, 25)) ||
                         (t.classBit == 1024 && HasSkill(member, 26)) ||
                         (t.classBit == 2 && HasSkill(member, 28));
    if (!matches) {
        Say(game, failed);
        return;
    }
    int count = 0;
    for (Character* m : standing(game, group)) {
        if (Dice(game, 1, member.piety, 1) > 6) {
            // Dispelled monsters leave without rewards.
            m->status = kStatusDead;
            ++count;
        }
    }
    Say(game, member.name + "は" + LF + wide(count) + "体のモンスターをディスペルした");
}

void BreathAction(Game& game, Character& member) {
    const auto targets = standing(game, member.targetGroup);
    if (targets.empty()) return;
    const int uses = std::min<int>(member.level, 10);
    const int left = uses - member.breathCount;
    member.breathCount = static_cast<std::int16_t>(std::min(member.breathCount + 1, 32767));
    int element = kResistFire;
    const char* word = "炎の";
    if (HasSkill(member, 124)) {
        element = kResistCold;
        word = "吹雪の";
    } else if (HasSkill(member, 125)) {
        element = kResistLightning;
        word = "稲妻の";
    }
    const std::string h = member.name + "は" + LF + word + "ブレスを吐いた";
    const std::int64_t cap = HasSkill(member, 126) ? 450 : HasSkill(member, 85) ? 300 : 150;
    for (Character* m : targets) {
        std::int64_t e = 0;
        if (left >= 1) {
            const double roll =
                static_cast<double>(WideDice(game, 1, member.hitPoints / 4, member.vitality));
            e = RoundHalfEven(roll / (member.breathCount + 1) *
                              (1 - 0.2 * game.battle.monsterShields[3]));
        }
        if (Dice(game, 1, m->luck, 0) > 10) e /= 2;
        e = std::min(e, cap);
        ApplyMagicDamage(game, h, e, member, *m, kResistBreath, element, 0, false);
        if (member.level < 15) break;
    }
}

void SongAction(Game& game, Character& member) {
    const int slot = member.actionItemSlot;
    const ItemRecord* instrument = ItemInSlot(game.db, member, slot);
    const SpellRecord* song = instrument ? SpellByIndex(game, instrument->spellLink) : nullptr;
    if (!song) {
        Say(game, member.name + "は呪文に失敗した");
        return;
    }
    const std::string h = member.name + "は" + LF + ToWide(song->name) + "の曲を奏でた";
    if (!(song->flags & kSpellInBattle)) {
        Say(game, h + CR + std::string(Message(1062)));
        return;
    }
    // The song is copied: a breaking instrument takes its record's place with it.
    const SpellRecord s = *song;
    if (Dice(game, 1, 100, 0) < instrument->breakChance) RemoveOneUnit(game, member, slot);
    auto bless = [&](std::int32_t bit, const char* text) {
        game.place.partyBlessings |= bit;
        Say(game, h + CR + text);
    };
    auto healSlots = [&](int first, int last) {
        for (int i = first; i <= last; ++i) {
            Character* c = PartyMember(game, i);
            if (!c) continue;
            if (c->race == 256)
                Say(game, h + CR + c->name + std::string(Message(1023)));
            else
                Say(game, h + CR + HealCharacter(*c, SpellPower(game, member, *c, s, 0), false));
        }
    };
    const int g = member.targetGroup;
    switch (s.effect) {
        case 2:
            SpellDamageOnMonsters(game, member, s, h, kResistSong, g);
            break;
        case 15:
        case 21:
        case 23:
        case 33: {
            std::vector<Character*> targets;
            if (s.target == kTargetAllEnemies) {
                for (int group = 1; group <= kMonsterGroups; ++group)
                    if (groupOf(game, group)[0].rosterId > 0) {
                        auto f = standing(game, group);
                        targets.insert(targets.end(), f.begin(), f.end());
                    }
            } else {
                targets = standing(game, g);
            }
            for (Character* m : targets)
                InflictStatus(game, h, *m, s.effect, s.effect == 33 ? 70 : 100, false, kResistSong,
                              &member);
            break;
        }
        case 5: {
            std::vector<Character*> targets;
            if (s.target == kTargetMember) {
                if (Character* c = ChosenMember(game, member)) targets.push_back(c);
            } else {
                targets = PartyMembers(game);
            }
            for (Character* c : targets) {
                if (c->race == 256)
                    Say(game, h + CR + c->name + "は" + LF + "呪文を無効化した");
                else
                    ChangeArmorClass(game, h + CR, member, *c, -s.diceCount);
            }
            break;
        }
        case 60:
            if (Character* c = ChosenMember(game, member)) {
                c->status &= ~kCureStatusBits;
                Say(game, h + CR + c->name + "は" + LF + "回復した");
            }
            break;
        case 74:
            for (Character* c : PartyMembers(game)) {
                if (c->status & kStatusUnhealable)
                    Say(game, c->name + std::string(Message(1023)));
                else
                    Say(game, h + CR + HealCharacter(*c, 134217727, false));
            }
            break;
        case 101:
            bless(2, "パーティの恐怖への耐性があがった");
            break;
        case 102:
        case 103: {
            const int phase = s.effect == 102 ? game.save.artemisPhase : game.save.lunaPhase;
            for (Character* m : standing(game, g)) {
                if (member.status & kStatusDead) break;
                ApplyMagicDamage(
                    game, h,
                    WideDice(game, std::max<std::int64_t>(s.diceCount, 0), phase / 50, s.diceBonus),
                    member, *m, kResistSong, s.element, 0, false);
            }
            break;
        }
        case 104:
            bless(4, "パーティの周囲から魔物の気配が少なくなった");
            break;
        case 105:
            bless(8, "パーティにリジェネの効果");
            break;
        case 106:
            healSlots(1, std::min(3, PartySize(game)));
            break;
        case 113:
            healSlots(4, PartySize(game));
            break;
        case 107:
            for (Character* m : standing(game, g)) {
                if (m->classBit & 4098)
                    ApplyMagicDamage(game, h,
                                     WideDice(game, std::max<std::int64_t>(s.diceCount, 0),
                                              s.diceSides, s.diceBonus),
                                     member, *m, kResistSong, s.element, 0, false);
                else
                    Say(game, h + CR + m->name + "は効果が無い");
            }
            break;
        case 109:
            bless(16, "パーティ内の侍のダメージがアップした");
            break;
        case 110:
            bless(32, "パーティ内のロードのダメージがアップした");
            break;
        case 111:
            bless(64, "パーティの盗む確率がアップした");
            break;
        case 112:
            bless(128, "パーティに防御シールドがはられた");
            break;
        case 114:
            for (Character* c : PartyMembers(game)) {
                if (c->status & (kStatusAshes | kStatusDead)) {
                    c->status &= ~(kStatusAshes | kStatusDead);
                    HealCharacter(*c, c->maxHitPoints, true);
                    Say(game, h + CR + c->name + "は" + LF + "生き返った");
                } else {
                    Say(game, h + CR + c->name + "は" + LF + "効果が無い");
                }
            }
            break;
        default:
            break;
    }
}

}  // namespace dv
