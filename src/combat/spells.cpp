#include "combat/spells.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "characters/experience.h"
#include "characters/party.h"
#include "combat/combat_core.h"
#include "combat/fighters.h"
#include "combat/status_table.h"
#include "core/data/message.h"
#include "core/data/text.h"
#include "core/game.h"

namespace dv {

namespace {

constexpr const char* CR = "\r";
constexpr const char* LF = "\n";

constexpr std::int32_t kAngel = 256;

std::string wide(std::int64_t n) {
    return ToWide(std::to_string(n));
}

bool angel(const Character& c) {
    return c.race == kAngel;
}

bool dead(const Character& c) {
    return (c.status & kStatusDead) != 0;
}

// Appends a code point as UTF-8.
void putUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

Character& monsterAt(Game& game, int group, int slot) {
    return game.battle.monsters[static_cast<size_t>(group)][static_cast<size_t>(slot)];
}

bool standing(const Character& m) {
    return m.rosterId > 0 && !(m.status & kStatusDead);
}

// Slots 1..9 of a group without the dead bit, in slot order.
std::vector<Character*> groupFighters(Game& game, int group) {
    std::vector<Character*> out;
    if (group < 1 || group > kMonsterGroups) return out;
    for (int s = 1; s <= kGroupSlots; ++s)
        if (standing(monsterAt(game, group, s))) out.push_back(&monsterAt(game, group, s));
    return out;
}

// Every standing monster of every group in play.
std::vector<Character*> allFighters(Game& game) {
    std::vector<Character*> out;
    for (int g = 1; g <= kMonsterGroups; ++g) {
        if (monsterAt(game, g, 0).rosterId <= 0) continue;
        auto f = groupFighters(game, g);
        out.insert(out.end(), f.begin(), f.end());
    }
    return out;
}

// Group (target 2) or every group (target 3).
std::vector<Character*> groupOrAll(Game& game, const SpellRecord& spell, int group) {
    return spell.target == kTargetAllEnemies ? allFighters(game) : groupFighters(game, group);
}

class PartyCast {
  public:
    PartyCast(Game& game, Character& caster, const SpellRecord& spell, std::string header,
              int resist)
        : game_(game), c_(caster), s_(spell), h_(std::move(header)), resist_(resist) {}

    void run();

  private:
    void say(const std::string& text) { Say(game_, text); }
    // H + "\r" + text, one message.
    void outcome(const std::string& text) { say(h_ + CR + text); }
    // Angels turn party spells away.
    bool refusedByAngel(const Character& m) {
        if (!angel(m)) return false;
        outcome(m.name + "は" + LF + "呪文を無効化した");
        return true;
    }
    // Member, or the whole party when the caster has skill 193.
    std::vector<Character*> memberOrParty(bool notGone = false) {
        if (HasSkill(c_, 193)) {
            std::vector<Character*> out;
            for (Character* m : PartyMembers(game_))
                if (!notGone || !(m->status & kStatusGone)) out.push_back(m);
            return out;
        }
        if (Character* m = ChosenMember(game_, c_)) return {m};
        return {};
    }
    void heal(Character& m) {
        if (refusedByAngel(m)) return;
        if (m.status & kStatusUnhealable) {
            outcome(m.name + std::string(Message(1023)));
            return;
        }
        outcome(HealCharacter(m, SpellPower(game_, c_, m, s_, 0), false));
    }
    void clearBits(const std::vector<Character*>& targets, std::int32_t bits) {
        say(h_);
        for (Character* m : targets) {
            if (angel(*m)) {
                say(m->name + "は" + LF + "呪文を無効化した");
                continue;
            }
            m->status &= ~bits;
            say(m->name + "は" + LF + "回復した");
        }
    }
    void loseVitality(Character& m) {
        if (m.vitality > 1 && !PartyHasSkill(game_, 113))
            m.vitality = static_cast<std::uint8_t>(m.vitality - 1);
    }
    void raise(Character& m, int ashesBelow);
    void resurrect(Character& m, int failAtOrBelow);
    void shield(std::int16_t& count, const std::string& text) {
        if (count < 3) {
            count = static_cast<std::int16_t>(count + 1);
            outcome(text);
        } else {
            outcome("しかし効果がなかった");
        }
    }
    bool targetGone();
    void exorcise();
    void drain();
    void nearDeath();
    void lowerLuck();
    void restoreTemplate();
    void chaos();
    void gamble();

    Game& game_;
    Character& c_;
    const SpellRecord& s_;
    std::string h_;
    int resist_;
};

void PartyCast::raise(Character& m, int ashesBelow) {
    if (angel(m)) {
        say(m.name + "は" + LF + "呪文を無効化した");
        return;
    }
    if ((m.status & (kStatusAshes | kStatusLost)) || !dead(m)) {
        say(std::string(Message(1062)));
        return;
    }
    if (Dice(game_, 1, m.vitality, 0) < ashesBelow) {
        m.status = kStatusAshes;
        say(m.name + "は" + LF + "灰燼と化した！！");
        return;
    }
    m.status &= ~kStatusDead;
    m.ripCount += 1;
    m.hitPoints = 1;
    loseVitality(m);
    say(m.name + "は" + LF + "生き返った");
}

void PartyCast::resurrect(Character& m, int failAtOrBelow) {
    if (angel(m)) {
        say(m.name + "は" + LF + "呪文を無効化した");
        return;
    }
    if ((m.status & kStatusLost) || !(m.status & (kStatusDead | kStatusAshes))) {
        say(std::string(Message(1062)));
        return;
    }
    if (Dice(game_, 1, m.vitality, 0) > failAtOrBelow) {
        m.ripCount += 1;
        m.status = (m.status & 524288) ? 524288 : 0;
        m.hitPoints = m.maxHitPoints;
        loseVitality(m);
        say(m.name + "は" + LF + "生き返った");
    } else if (m.status & kStatusAshes) {
        m.status = kStatusLost | kStatusDead;
        say(m.name + "は" + LF + "消滅した！！");
    } else {
        m.status = kStatusAshes;
        say(m.name + "は" + LF + "灰燼と化した！！");
    }
}

void PartyCast::exorcise() {
    for (Character* m : groupFighters(game_, c_.targetGroup)) {
        const int r =
            ResistanceTest(game_, ResistanceAt(*m, kResistSpell), ResistanceAt(*m, s_.element));
        const bool kind = (m->classBit & 1026) != 0;
        if (r == 0 && kind && Dice(game_, 1, c_.level, 0) > Dice(game_, 1, m->level, 0)) {
            outcome(m->name + "を" + CR + "退魔した");
            MonsterKilled(game_, *m, &c_, false);
        } else {
            outcome(m->name + "を" + CR + "退魔できなかった");
        }
    }
}

void PartyCast::drain() {
    const int slot = FirstLiveSlot(game_.battle, c_.targetGroup);
    if (slot == 0) return;
    Character& m = monsterAt(game_, c_.targetGroup, slot);
    if (ResistanceTest(game_, ResistanceAt(m, kResistSpell), 0) != 0) {
        outcome(m.name + "は" + LF + "抵抗した");
        return;
    }
    const std::int64_t amount = static_cast<std::int64_t>(
        std::floor((1 - 0.2 * game_.battle.monsterShields[2]) *
                   static_cast<double>(WideDice(game_, std::max<std::int64_t>(s_.diceCount, 0),
                                                s_.diceSides, s_.diceBonus))));
    const std::int64_t taken = std::max<std::int64_t>(amount, 0);
    m.hitPoints = ClampLong(std::int64_t{m.hitPoints} - taken);
    std::string text = h_ + CR + m.name + "は" + LF + wide(taken) + "のダメージをうけた";
    if (angel(c_))
        text += std::string(CR) + c_.name + "は" + LF + "吸収できなかった";
    else
        text += std::string(CR) + HealCharacter(c_, taken, false);
    say(text);
    if (m.hitPoints < 1) say(MonsterKilled(game_, m, &c_, true));
}

void PartyCast::nearDeath() {
    for (Character* m : groupFighters(game_, c_.targetGroup)) {
        const int r = ResistanceTest(game_, ResistanceAt(*m, kResistSpell), 0);
        if (r == kReflected) {
            c_.hitPoints = 1;
            outcome(m->name + "は" + LF + "呪文を反射した" + CR + c_.name + "は" + LF +
                    "瀕死状態におちいった");
            return;
        }
        if (r != 0) {
            outcome(m->name + "は" + LF + "呪文に抵抗した");
            continue;
        }
        m->hitPoints = 1;
        outcome(m->name + "は" + LF + "瀕死状態におちいった");
    }
}

void PartyCast::lowerLuck() {
    for (Character* m : groupFighters(game_, c_.targetGroup)) {
        if (ResistanceTest(game_, ResistanceAt(*m, kResistSpell), 0) != 0) continue;
        if (m->luck == 0) {
            outcome(m->name + "は" + LF + "これ以上効果が無い");
            continue;
        }
        m->luck = static_cast<std::uint8_t>(m->luck > 5 ? m->luck - 5 : 0);
        outcome(m->name + "は" + LF + "運が下がった");
    }
}

void PartyCast::restoreTemplate() {
    const int g = c_.targetGroup;
    if (g < 1 || g > kMonsterGroups) return;
    const Character& t = monsterAt(game_, g, 0);
    for (Character* m : groupFighters(game_, g)) {
        m->damagePercent = t.damagePercent;
        for (int k = 1; k <= 36; ++k)
            m->resistances[static_cast<size_t>(k)] = t.resistances[static_cast<size_t>(k)];
        m->meleeStatusChance = t.meleeStatusChance;
        m->attackCount = t.attackCount;
        m->damageDiceCount = t.damageDiceCount;
        m->damageDiceSides = t.damageDiceSides;
        m->damageDiceBonus = t.damageDiceBonus;
        m->strength = t.strength;
        m->dexterity = t.dexterity;
        m->agility = t.agility;
    }
    outcome(monsterAt(game_, g, 1).name + "の" + CR + "能力ＵＰを解除した");
}

void PartyCast::chaos() {
    for (Character* m : groupFighters(game_, c_.targetGroup)) {
        const std::string hm = h_ + CR + m->name;
        if (ResistanceTest(game_, ResistanceAt(*m, kResistSpell), 0) != 0) {
            say(hm + "は" + LF + "呪文に抵抗した");
            continue;
        }
        switch (Dice(game_, 1, 10, 0)) {
            case 1:
                say(h_ + CR + SetStatus(*m, kStatusSleep));
                break;
            case 2:
                say(h_ + CR + SetStatus(*m, kStatusConfusion));
                break;
            case 3:
                say(h_ + CR + SetStatus(*m, kStatusBlind));
                break;
            case 4:
                say(h_ + CR + SetStatus(*m, kStatusSilence));
                break;
            case 5:
                say(hm + "は逃げた・・・");
                m->status = kStatusDead;
                m->hitPoints = 0;
                break;
            case 6:
                m->hitPoints = m->maxHitPoints;
                say(hm + std::string(Message(1026)));
                break;
            case 7:
            case 8:
                say(hm + "は" + LF + "何の変化も無い");
                break;
            case 9: {
                const std::int64_t amount = WideDice(game_, c_.strength, c_.strength, 0);
                say(h_ + CR + DamageCharacter(*m, amount, false));
                if (m->hitPoints < 1) MonsterKilled(game_, *m, &c_, false);
                break;
            }
            default:
                break;
        }
    }
}

void PartyCast::gamble() {
    DrainLevels(c_, 1, game_.rng);
    auto everyMonster = [&](std::int32_t bit, const std::string& text) {
        for (Character* m : allFighters(game_))
            m->status |= bit;
        outcome(text);
    };
    switch (Dice(game_, 1, 10, 0)) {
        case 1:
            for (Character* m : PartyMembers(game_))
                if (!(m->status & kStatusUnhealable)) m->hitPoints = m->maxHitPoints;
            outcome("パーティーは全快した");
            break;
        case 2:
            for (Character* m : PartyMembers(game_))
                for (int kind = 0; kind <= 1; ++kind)
                    for (int level = 1; level <= 9; ++level)
                        m->spellPoints(kind, level) = m->maxSpellPoints(kind, level);
            outcome("パーティーの魔力が復活した");
            break;
        case 3:
            for (Character* m : PartyMembers(game_))
                m->status =
                    static_cast<std::int32_t>(static_cast<std::uint32_t>(m->status) & 4160740352u);
            outcome("パーティーは治癒した");
            break;
        case 4:
            everyMonster(kStatusSilence, "モンスターは沈黙した");
            break;
        case 5:
            everyMonster(kStatusConfusion, "モンスターは混乱した");
            break;
        case 6:
            for (Character* m : allFighters(game_))
                if (m->classBit != 4096 && m->classBit != 8192 && m->level < 34)
                    outcome(MonsterKilled(game_, *m, &c_, true));
            break;
        default:
            break;
    }
}

bool PartyCast::targetGone() {
    const int code = s_.effect;
    static const std::vector<int> onMonsters = {2,  4,  11, 15, 17, 18, 21, 23, 24,
                                                33, 50, 51, 55, 63, 65, 78, 80, 84};
    static const std::vector<int> onMember = {1, 7, 9, 53, 61, 62, 72, 73};
    const bool monsters = std::find(onMonsters.begin(), onMonsters.end(), code) != onMonsters.end();
    if (monsters && s_.target != kTargetAllEnemies)
        return FirstLiveSlot(game_.battle, c_.targetGroup) == 0;
    bool member = std::find(onMember.begin(), onMember.end(), code) != onMember.end();
    if ((code == 5 && s_.target == kTargetMember) ||
        ((code == 60 || code == 10 || code == 43) && !HasSkill(c_, 193)))
        member = true;
    return member && ChosenMember(game_, c_) == nullptr;
}

void PartyCast::run() {
    BattleState& b = game_.battle;
    const int code = s_.effect;
    // The group fell or the member left before the spell came: it goes into nothing.
    if (targetGone()) {
        outcome(std::string(Message(1062)));
        return;
    }
    switch (code) {
        case 2:
            SpellDamageOnMonsters(game_, c_, s_, h_, resist_, c_.targetGroup);
            break;
        case 15:
        case 17:
        case 18:
        case 21:
        case 23:
        case 24:
        case 33:
            for (Character* m : groupOrAll(game_, s_, c_.targetGroup)) {
                if (dead(c_)) break;
                InflictStatus(game_, h_, *m, code, code == 33 ? 70 : 100, false, resist_, &c_);
            }
            break;
        case 80:
            for (Character* m : groupFighters(game_, c_.targetGroup)) {
                if (dead(c_)) break;
                InflictStatus(game_, h_, *m, 34, 100, false, 0, &c_);
            }
            break;
        case 4:
            for (Character* m : groupFighters(game_, c_.targetGroup))
                ChangeArmorClass(game_, h_ + CR, c_, *m, s_.diceCount);
            break;
        case 5: {
            std::vector<Character*> targets;
            if (s_.target == kTargetMember) {
                if (Character* m = ChosenMember(game_, c_)) targets.push_back(m);
            } else {
                targets = PartyMembers(game_);
            }
            for (Character* m : targets)
                if (!refusedByAngel(*m)) ChangeArmorClass(game_, h_ + CR, c_, *m, -s_.diceCount);
            break;
        }
        case 7:
            if (Character* m = ChosenMember(game_, c_)) heal(*m);
            break;
        case 52:
            for (Character* m : PartyMembers(game_))
                heal(*m);
            break;
        case 53:
            if (Character* m = ChosenMember(game_, c_)) {
                if (refusedByAngel(*m)) break;
                say(h_);
                m->status &= ~(kCureStatusBits | (HasSkill(c_, 52) ? kStatusDisease : 0));
                say(HealCharacter(*m, std::int64_t{m->maxHitPoints}, false));
            }
            break;
        case 74:
            say(h_);
            for (Character* m : PartyMembers(game_)) {
                if (angel(*m)) {
                    say(m->name + "は" + LF + "呪文を無効化した");
                } else if (m->status & kStatusUnhealable) {
                    say(m->name + std::string(Message(1023)));
                } else {
                    m->status &= ~kCureStatusBits;
                    say(HealCharacter(*m, std::int64_t{m->maxHitPoints}, false));
                }
            }
            break;
        case 60:
            clearBits(memberOrParty(),
                      kStatusSleep | kStatusFear | kStatusBlind | kStatusConfusion | kStatusCharm);
            break;
        case 10:
            clearBits(memberOrParty(true), kStatusParalysis);
            break;
        case 43:
            clearBits(memberOrParty(), kStatusPoison | kStatusDeadlyPoison);
            break;
        case 73:
            if (Character* m = ChosenMember(game_, c_)) clearBits({m}, kStatusStone);
            break;
        case 76:
        case 77:
        case 79: {
            const std::int32_t bit = code == 76   ? kStatusSleep
                                     : code == 77 ? (kStatusPoison | kStatusDeadlyPoison)
                                                  : kStatusBlind;
            const char* done = code == 76   ? "眠りから覚めた"
                               : code == 77 ? "解毒された"
                                            : "盲目から回復した";
            say(h_);
            for (Character* m : PartyMembers(game_)) {
                if (angel(*m)) {
                    say(m->name + "は" + LF + "呪文を無効化した");
                } else if (m->status & bit) {
                    m->status &= ~bit;
                    say(m->name + "は" + LF + done);
                } else {
                    say(m->name + "は" + LF + "効果が無い");
                }
            }
            break;
        }
        case 1:
            say(h_);
            if (Character* m = ChosenMember(game_, c_)) raise(*m, 6);
            break;
        case 9:
            say(h_);
            if (Character* m = ChosenMember(game_, c_)) resurrect(*m, 4);
            break;
        case 83:
            say(h_);
            if (c_.level < 20) {
                say(std::string(Message(1062)));
                break;
            }
            for (Character* m : PartyMembers(game_))
                resurrect(*m, 4);
            DrainLevels(c_, 1, game_.rng);
            break;
        case 46:
            shield(b.partyShields[2], "パーティーに魔法のシールドが張られた");
            break;
        case 47:
            shield(b.partyShields[3], "パーティーにブレスのシールドが張られた");
            break;
        case 48:
            b.monsterShields[2] = 0;
            b.monsterShields[3] = 0;
            outcome("モンスターのシールドを打ち消した");
            break;
        case 61:
        case 62:
            if (Character* m = ChosenMember(game_, c_)) {
                m->status |= code == 61 ? kStatusDecapitationWard : kStatusDrainWard;
                outcome(m->name + "は" + LF + "守られた");
            }
            break;
        case 67:
        case 68:
        case 69:
        case 70: {
            constexpr std::int32_t kBits[] = {kStatusAttackReduced, kStatusMagicReflect,
                                              kStatusPhysicalReflect, kStatusGuard};
            for (Character* m : PartyMembers(game_)) {
                if (refusedByAngel(*m)) continue;
                m->status |= kBits[code - 67];
                outcome(m->name + "は" + LF + "守られた");
            }
            break;
        }
        case 75:
            if (s_.target == kTargetParty) {
                for (Character* m : PartyMembers(game_)) {
                    if (refusedByAngel(*m)) continue;
                    m->status |= kStatusHidden;
                    outcome(m->name + "は影に隠れた");
                }
            } else {
                c_.status |= kStatusHidden;
                outcome(c_.name + "は影に隠れた");
            }
            break;
        case 11: {
            say(h_);
            const int g = c_.targetGroup;
            if (g >= 1 && g <= kMonsterGroups)
                for (int s = 0; s <= kGroupSlots; ++s)
                    monsterAt(game_, g, s).identified = -1;
            game_.place.partyEffects |= 1;
            break;
        }
        case 51:
            exorcise();
            break;
        case 50:
            drain();
            break;
        case 63:
            nearDeath();
            break;
        case 78:
            lowerLuck();
            break;
        case 84:
            restoreTemplate();
            break;
        case 65: {
            const int g = c_.targetGroup;
            if (g < 1 || g > kMonsterGroups || s_.element >= kAreaElements) break;
            AreaEffect& e = b.monsterAreaEffects[static_cast<size_t>(g)][s_.element];
            e.roundsLeft = s_.diceCount;
            e.diceCount = s_.diceCount;
            e.diceSides = s_.diceSides;
            e.diceBonus = s_.diceBonus;
            e.element = s_.element;
            e.caster = c_.rosterId;
            say(h_);
            break;
        }
        case 72:
            if (Character* m = ChosenMember(game_, c_)) {
                bool raised = false;
                for (int level = 1; level <= 9; ++level) {
                    if (m->spellPoints(1, level) < m->maxSpellPoints(1, level)) {
                        m->spellPoints(1, level) += 1;
                        raised = true;
                    }
                }
                outcome(raised ? m->name + "の魔力が復活した"
                               : m->name + std::string(Message(1023)));
            }
            break;
        case 81:
            if (game_.place.partyEffects & 512) {
                outcome("すでに効いている");
            } else {
                game_.place.partyEffects |= 512;
                outcome("宝箱の収集率がＵＰした");
            }
            break;
        case 58:
            outcome("パーティは逃げ出した");
            b.escapeBySpell = true;
            break;
        case 55:
            chaos();
            break;
        case 56:
            gamble();
            break;
        default:
            break;
    }
}

}  // namespace

Character* ChosenMember(Game& game, const Character& caster) {
    for (Character* c : PartyMembers(game))
        if (c->rosterId == caster.targetGroup) return c;
    return nullptr;
}

std::string SpellNameKey(std::string_view typed) {
    std::string out;
    size_t i = 0;
    while (i < typed.size()) {
        const auto b0 = static_cast<unsigned char>(typed[i]);
        char32_t cp = b0;
        size_t len = 1;
        if (b0 >= 0xF0 && i + 3 < typed.size()) {
            cp = ((b0 & 0x07u) << 18) | ((typed[i + 1] & 0x3Fu) << 12) |
                 ((typed[i + 2] & 0x3Fu) << 6) | (typed[i + 3] & 0x3Fu);
            len = 4;
        } else if (b0 >= 0xE0 && i + 2 < typed.size()) {
            cp = ((b0 & 0x0Fu) << 12) | ((typed[i + 1] & 0x3Fu) << 6) | (typed[i + 2] & 0x3Fu);
            len = 3;
        } else if (b0 >= 0xC0 && i + 1 < typed.size()) {
            cp = ((b0 & 0x1Fu) << 6) | (typed[i + 1] & 0x3Fu);
            len = 2;
        }
        if (cp >= 0xFF01 && cp <= 0xFF5E) cp -= 0xFEE0;
        if (cp == 0x3000) cp = U' ';
        if (cp >= U'a' && cp <= U'z') cp -= 32;
        if (len > 1 && cp < 0x80)
            out += static_cast<char>(cp);
        else if (len > 1)
            out.append(typed.substr(i, len));
        else
            putUtf8(out, cp);
        i += len;
    }
    return out;
}

int FindSpell(const Game& game, std::string_view typed, int last) {
    const std::string key = SpellNameKey(typed);
    if (key.empty()) return 0;
    const int end = std::min<int>(last, static_cast<int>(game.db.spellTable.size()) - 1);
    for (int i = 1; i <= end; ++i)
        if (SpellNameKey(game.db.spellTable[static_cast<size_t>(i)].name) == key) return i;
    return 0;
}

const SpellRecord* SpellByIndex(const Game& game, std::int64_t index) {
    if (index < 1 || index > 200) return nullptr;
    return spellAt(game.db, index);
}

int SpellIndexOfLink(const Game& game, std::int64_t link) {
    if (link < 1) return 0;
    const int end = std::min<int>(200, static_cast<int>(game.db.spellTable.size()) - 1);
    for (int i = 1; i <= end; ++i)
        if (game.db.spellTable[static_cast<size_t>(i)].id == link) return i;
    return 0;
}

const SpellRecord* SpellOfLink(const Game& game, std::int64_t link) {
    return SpellByIndex(game, SpellIndexOfLink(game, link));
}

std::int64_t SpellPower(Game& game, const Character& caster, const Character& target,
                        const SpellRecord& spell, int shields) {
    std::int64_t n = std::max<std::int64_t>(spell.diceCount, 0);
    if (HasSkill(caster, 22)) {
        const std::int64_t level = caster.level;
        n += level < 50    ? 1
             : level < 70  ? 2
             : level < 90  ? 3
             : level < 110 ? 4
             : level < 130 ? 5
                           : 6;
    }
    std::int64_t p = static_cast<std::int64_t>(
        std::floor((1 - 0.2 * shields) *
                   static_cast<double>(WideDice(game, n, spell.diceSides, spell.diceBonus))));
    if (HasSkill(caster, 151)) {
        const std::int64_t q = (std::int64_t{caster.level} - 270) / 30;
        p *= std::min<std::int64_t>(q + 6, 15);
    } else if (HasSkill(caster, 70)) {
        const std::int64_t level = caster.level;
        p *= level < 180 ? 2 : level < 210 ? 3 : level < 240 ? 4 : level < 270 ? 5 : 6;
    }
    constexpr std::pair<int, int> kElementSkills[] = {{4, 74},  {8, 75},  {6, 76},
                                                      {9, 194}, {5, 195}, {7, 196}};
    for (const auto& [element, skill] : kElementSkills)
        if (spell.element == element && HasSkill(caster, skill)) p = ClampLong(p * 2);
    if (HasSkill(target, 20))
        p = RoundHalfEven(static_cast<double>(p) * (100 - target.wisdom) / 100.0);
    return ClampLong(p);
}

std::string SpellHeader(const Character& caster, const SpellRecord& spell) {
    return caster.name + "は" + LF + ToWide(spell.name) + "の呪文を唱えた";
}

bool PietySavesPoint(Game& game, const Character& caster) {
    return HasSkill(caster, 27) && Dice(game, 1, caster.piety, 0) >= 10;
}

void SpellDamageOnMonsters(Game& game, Character& caster, const SpellRecord& spell,
                           const std::string& header, int resistIndex, int group) {
    std::vector<Character*> targets;
    if (spell.target == kTargetOneEnemy) {
        const int slot = FirstLiveSlot(game.battle, group);
        if (slot != 0) targets.push_back(&monsterAt(game, group, slot));
    } else if (spell.target == kTargetAllEnemies) {
        targets = allFighters(game);
    } else {
        targets = groupFighters(game, group);
    }
    const int status = spell.element == kResistCold        ? kEffectFrozen
                       : spell.element == kResistLightning ? kEffectShocked
                                                           : 0;
    for (Character* m : targets) {
        if (dead(caster)) break;
        if (m->status & kStatusDead) continue;
        const std::int64_t amount =
            SpellPower(game, caster, *m, spell, game.battle.monsterShields[2]);
        ApplyMagicDamage(game, header, amount, caster, *m, resistIndex, spell.element, status,
                         false);
    }
}

void PartySpellEffect(Game& game, Character& caster, const SpellRecord& spell,
                      const std::string& header, int resistIndex) {
    PartyCast(game, caster, spell, header, resistIndex).run();
}

void CastSpell(Game& game, Character& member) {
    const std::string nothing = std::string(CR) + std::string(Message(1062));
    if (member.actionCode == 4) {
        const int slot = member.actionItemSlot;
        const ItemRecord* item = ItemInSlot(game.db, member, slot);
        const SpellRecord* spell = item ? SpellByIndex(game, item->spellLink) : nullptr;
        if (!spell) {
            Say(game, member.name + "は呪文に失敗した");
            return;
        }
        if (!(spell->flags & kSpellInBattle)) {
            Say(game, SpellHeader(member, *spell) + nothing);
            return;
        }
        if (Dice(game, 1, 100, 0) < item->breakChance) {
            RemoveOneUnit(game, member, slot);
        }
        PartySpellEffect(game, member, *spell, SpellHeader(member, *spell), kResistSpell);
        return;
    }
    const SpellRecord* spell = SpellByIndex(game, member.actionSpell);
    if (!spell) {
        Say(game, member.name + "は呪文に失敗した");
        return;
    }
    const std::string header = SpellHeader(member, *spell);
    if (!(spell->flags & kSpellInBattle)) {
        Say(game, header + nothing);
        return;
    }
    const int kind = spell->kind;
    const int level = spell->level;
    const bool inBook = kind <= 4 && level <= 9 && spell->number <= 4;
    if ((member.status & kStatusSilence) && !HasSkill(member, 207)) {
        if (inBook && !PietySavesPoint(game, member))
            member.spellPoints(kind, level) =
                static_cast<std::int16_t>(std::max(member.spellPoints(kind, level) - 1, -32768));
        Say(game, header + CR + "しかし呪文は音にならなかった");
        return;
    }
    if (!inBook || member.spellsKnown(kind, level, spell->number) == 0 ||
        member.spellPoints(kind, level) < 1) {
        Say(game, member.name + "には" + CR + ToWide(spell->name) + "を唱える魔力がなかった");
        return;
    }
    if (!PietySavesPoint(game, member))
        member.spellPoints(kind, level) =
            static_cast<std::int16_t>(member.spellPoints(kind, level) - 1);
    PartySpellEffect(game, member, *spell, header, kResistSpell);
}

bool SpellTargetStands(const Game& game, const Character& member) {
    const SpellRecord* spell = member.actionCode == 4
                                   ? nullptr
                                   : (member.actionSpell >= 1 && member.actionSpell <= 200
                                          ? spellAt(game.db, member.actionSpell)
                                          : nullptr);
    if (!spell) return false;
    switch (spell->target) {
        case kTargetOneEnemy:
        case kTargetEnemyGroup:
            return FirstLiveSlot(game.battle, member.targetGroup) != 0;
        case kTargetAllEnemies:
            for (int g = 1; g <= kMonsterGroups; ++g)
                if (FirstLiveSlot(game.battle, g) != 0) return true;
            return false;
        case kTargetMember:
        case kTargetParty:
            return member.targetGroup != 0;
        default:
            return false;
    }
}

}  // namespace dv
