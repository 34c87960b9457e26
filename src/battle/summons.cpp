#include "battle/summons.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <map>
#include <string>

#include "characters/party.h"
#include "combat/combat_core.h"
#include "combat/fighters.h"
#include "combat/spells.h"
#include "combat/status_table.h"
#include "core/data/checked.h"
#include "core/data/message.h"
#include "core/data/text.h"
#include "core/game.h"
#include "monsters/monster_spells.h"
#include "monsters/monster_turn.h"

namespace dv {

namespace {

constexpr const char* CR = "\r";
constexpr const char* LF = "\n";

// Monster types and the skill that summons them.
constexpr std::pair<std::int32_t, int> kTypeSkills[] = {
    {1024, 174},   {32768, 175},  {1, 176},    {2, 177},       {64, 178},      {4, 179},
    {16, 180},     {131072, 181}, {128, 182},  {8, 183},       {512, 184},     {65536, 186},
    {524288, 187}, {32, 188},     {8192, 189}, {2097152, 190}, {1048576, 191}, {262144, 192},
};

// What an ally's scripted ability says after its name (the same words as the monsters').
const std::map<int, const char*>& abilityWords() {
    static const std::map<int, const char*> words = {
        {33, "は\n体当たりしてきた"},
        {45, "は\n影に隠れた"},
        {46, "は\n業火を召喚した"},
        {47, "は\n鬼火を召喚した"},
        {48, "は\nブリザードを巻き起こした"},
        {49, "は\nダイダルウェイブを呼び起こした"},
        {54, "は\n菩薩掌を繰り出した"},
        {56, "は\n大切断を繰り出した"},
        {57, "は\n大地震を起こした"},
        {58, "は\nトルネードを起こした"},
        {59, "は\nウサギを召喚した"},
        {60, "は\nアキラスペシャルを繰り出した"},
        {71, "は\n大脱走の合図を出した"},
        {72, "は\n復元した"},
        {74, "は\nメギドファイアーを撃ち放った"},
        {76, "は\n四天王阿修羅斬を繰り出した"},
        {78, "は\n天罰を下した"},
        {79, "は\n往復ビンタをブチかました"},
        {80, "は\n一文字に斬りつけた"},
        {83, "は\n－Ｅｎｄ　Ｏｆ　Ｄｅｓｔｉｎｙ－を行使した"},
        {84, "は\n－Ｌｉｋｅ　＠　Ｄｅｍｏｎ－を行使した"},
        {88, "は\nハルマゲドンを起こした"},
        {96, "は電撃を放った"},
        {97, "はサンダーブラストを放った"},
        {98, "はアイスブラストを放った"},
        {99, "はヒエロスグリュペインを放った"},
        {100, "は真空の竜巻を起こした"},
        {101, "は巨大な嵐を巻き起こした"},
        {102, "はスーパー・ノヴァを使った"},
        {103, "はエレクトリックサンダーを放った"},
        {104, "はミールストームを起こした"},
        {107, "はストーンファングを起こした"},
        {108, "は天誅を下した"},
        {109, "はダイアモンドダストを起こした"},
        {110, "はクレセントミラーを発動した"},
        {112, "は衝撃波を放った"},
        {113, "はかまいたちをはなった"},
        {114, "は猛毒の竜巻を起こした"},
        {115, "はストーンニードルを放った"},
        {116, "はメイルストロームを起こした"},
        {118, "はナイトメアハリケーンを唱えた"},
        {119, "はブラッディダンスを踊った"},
        {120, "は七鍵守護神を唱えた"},
        {121, "はフォースフィールドをはった"},
        {122, "はエレメンタルヴォイスを使った"},
        {124, "はストレングスドレインを行った"},
        {126, "はアシッドトリッガーを撃った"},
        {127, "は乱れ舞った"},
        {128, "はペインスプラッシュを唱えた"},
        {129, "は突撃してきた"},
        {131, "は"},
        {132, "は不気味な光をはなった"},
        {133, "はサイレントヴォイスを唱えた"},
        {134, "は光の壁をはった"},
        {135, "はファイアーストームをおこした"},
        {136, "は破滅の吐息を吐き出した"},
        {137, "はブラッドレインを降らせた"},
        {148, "は震撼の冷気をはなった"},
        {149, "は不浄の吐息を吐いた"},
    };
    return words;
}

std::string wide(std::int64_t n) {
    return ToWide(std::to_string(n));
}

bool summonsType(const Character& summoner, std::int32_t classBit) {
    for (const auto& [bit, skill] : kTypeSkills)
        if (bit == classBit) return HasSkill(summoner, skill);
    return false;
}

bool someoneHasRoom(Game& game) {
    for (int i = 1; i <= PartySize(game); ++i)
        if (const Character* c = PartyMember(game, i))
            for (int s = 1; s <= kInventorySlots; ++s)
                if (c->items[static_cast<size_t>(s)].itemId == 0) return true;
    return false;
}

// One unidentified item to the first member with room.
void giveToParty(Game& game, int item) {
    if (!itemAt(game.db, item)) return;
    for (int i = 1; i <= PartySize(game); ++i) {
        Character* c = PartyMember(game, i);
        if (!c) continue;
        for (int s = 1; s <= kInventorySlots; ++s) {
            ItemSlot& slot = c->items[static_cast<size_t>(s)];
            if (slot.itemId != 0) continue;
            slot = ItemSlot{item, kItemUnidentified, 1};
            return;
        }
    }
}

Character& monsterAt(Game& game, int group, int slot) {
    return game.battle.monsters[static_cast<size_t>(group)][static_cast<size_t>(slot)];
}

bool standing(const Character& m) {
    return m.rosterId > 0 && !(m.status & kStatusDead);
}

std::vector<Character*> standingIn(Game& game, int group) {
    std::vector<Character*> out;
    if (group < 1 || group > kMonsterGroups) return out;
    for (int s = 1; s <= kGroupSlots; ++s)
        if (standing(monsterAt(game, group, s))) out.push_back(&monsterAt(game, group, s));
    return out;
}

int randomGroup(Game& game) {
    return std::clamp(Dice(game, 1, game.battle.groupCount, 0), 1, kMonsterGroups);
}

class AllyAct {
  public:
    AllyAct(Game& game, Character& ally, int group, int slot)
        : game_(game), a_(ally), g_(group), m_(&monsterAt(game, group, slot)) {}

    void run(int id);

  private:
    std::int64_t D() {
        return WideDice(game_, std::clamp<std::int64_t>(a_.damageDiceCount, 0, 32767),
                        a_.damageDiceSides, a_.damageDiceBonus);
    }
    std::int64_t d(std::int64_t sides) { return Dice(game_, 1, sides, 0); }
    std::int64_t HP() const { return a_.hitPoints; }
    int hit(const std::string& header, std::int64_t amount, Character& t, int element,
            int status = 0) {
        return ApplyMagicDamage(game_, header, ClampLong(amount), a_, t, element, 0, status, false);
    }
    void hitGroup(const std::string& header, int element,
                  const std::function<std::int64_t(Character&)>& amount, int status = 0) {
        for (Character* t : standingIn(game_, g_))
            hit(header, amount(*t), *t, element, status);
    }
    void attempt(const std::string& header, Character& t, int type, int chance) {
        InflictStatus(game_, header, t, type, chance, true, 0, &a_);
    }
    void say(const std::string& text) { Say(game_, text); }
    void tableRow(const ActionRecord& row);
    void spell(int kind, int level);
    void breath(int element);
    void callForHelp();
    void steal();
    void melee();

    Game& game_;
    Character& a_;
    int g_;
    Character* m_;
};

void AllyAct::tableRow(const ActionRecord& row) {
    std::vector<Character*> targets;
    switch (row.targetKind) {
        case 2:
        case 12:
            targets.push_back(m_);
            break;
        case 3:
        case 4:
        case 13:
        case 14:
            targets = standingIn(game_, g_);
            break;
        case 5:
        case 15: {
            const std::int64_t n = std::clamp<std::int64_t>(
                WideDice(game_, std::clamp(row.drawCount, 0, 32767), row.drawSides, row.drawBonus),
                0, kGroupSlots);
            for (int s = 1; s <= n; ++s)
                targets.push_back(&monsterAt(game_, g_, s));
            break;
        }
        default:
            break;
    }
    const std::string header = a_.name + row.message;
    const std::int64_t count = ActionDiceValue(row.diceCount, a_);
    const std::int64_t sides = ActionDiceValue(row.diceSides, a_);
    const std::int64_t bonus = ActionDiceValue(row.diceBonus, a_);
    const std::int64_t multiplier = ActionDiceValue(row.multiplier, a_);
    const int element = elementIndex(row.element);
    const int second = row.secondResistance == 0 ? 0 : elementIndex(row.secondResistance);
    for (Character* t : targets) {
        if (row.kind == 1 || row.kind == 4) {
            const double roll = static_cast<double>(
                WideDice(game_, std::clamp<std::int64_t>(count, 0, 32767), sides, bonus));
            const std::int64_t amount = static_cast<std::int64_t>(
                std::clamp(static_cast<double>(multiplier) * roll, -2147483648.0, 2147483647.0));
            ApplyMagicDamage(game_, header, amount, a_, *t, element, second, 0, false);
        }
        if (row.kind == 2 || row.kind == 4)
            for (int k = 1; k <= 36; ++k) {
                const int chance = row.statusChance[static_cast<size_t>(k)];
                if (chance > 0) InflictStatus(game_, header, *t, k, chance, true, 0, &a_);
            }
    }
}

void AllyAct::spell(int kind, int level) {
    BattleState& b = game_.battle;
    std::vector<int> candidates;
    const int last = std::min<int>(81, static_cast<int>(game_.db.spellTable.size()) - 1);
    for (int i = 1; i <= last; ++i) {
        const SpellRecord& s = game_.db.spellTable[static_cast<size_t>(i)];
        if ((s.flags & kSpellForMonsters) && s.kind == kind && s.level == level)
            candidates.push_back(i);
    }
    if (candidates.empty()) return;
    const SpellRecord& s = game_.db.spellTable[static_cast<size_t>(
        candidates[static_cast<size_t>(Die(game_, static_cast<int>(candidates.size())) - 1)])];
    const std::string h = SpellHeader(a_, s);
    if ((a_.status & kStatusSilence) && s.kind != 2) {
        say(h + CR + "しかし呪文は音にならなかった");
        return;
    }
    auto randomMember = [&]() -> Character* {
        for (int n = 0; n < 51 && PartySize(game_) > 0; ++n) {
            Character* c = PartyMember(game_, Die(game_, PartySize(game_)));
            if (c && !(c->status & kStatusGone)) return c;
        }
        return nullptr;
    };
    auto healMember = [&](Character& c) {
        if (c.race == 256)
            say(h + CR + c.name + "は" + LF + "呪文を無効化した");
        else if (c.status & kStatusUnhealable)
            say(h + CR + c.name + std::string(Message(1023)));
        else
            say(h + CR + HealCharacter(c, SpellPower(game_, a_, c, s, 0), false));
    };
    switch (s.effect) {
        case 2: {
            const int group = randomGroup(game_);
            std::vector<Character*> targets;
            if (s.target == kTargetOneEnemy) {
                const int slot = FirstLiveSlot(b, group);
                if (slot != 0) targets.push_back(&monsterAt(game_, group, slot));
            } else if (s.target == kTargetAllEnemies) {
                for (int gg = 1; gg <= kMonsterGroups; ++gg) {
                    auto f = standingIn(game_, gg);
                    targets.insert(targets.end(), f.begin(), f.end());
                }
            } else {
                targets = standingIn(game_, group);
            }
            const int status = s.element == kResistCold        ? kEffectFrozen
                               : s.element == kResistLightning ? kEffectShocked
                                                               : 0;
            for (Character* t : targets) {
                std::int64_t amount = SpellPower(game_, a_, *t, s, b.monsterShields[2]);
                if (PartyHasSkill(game_, 201)) amount = ClampLong(amount * 2);
                ApplyMagicDamage(game_, h, amount, a_, *t, kResistSpell, s.element, status, false);
            }
            break;
        }
        case 15:
        case 17:
        case 18:
        case 23:
        case 33: {
            std::vector<Character*> targets;
            if (s.target == kTargetAllEnemies)
                for (int gg = 1; gg <= kMonsterGroups; ++gg) {
                    auto f = standingIn(game_, gg);
                    targets.insert(targets.end(), f.begin(), f.end());
                }
            else
                targets = standingIn(game_, randomGroup(game_));
            for (Character* t : targets)
                InflictStatus(game_, h, *t, s.effect, s.effect == 33 ? 70 : 100, false, 0, &a_);
            break;
        }
        case 4:
            for (Character* t : standingIn(game_, randomGroup(game_)))
                ChangeArmorClass(game_, h + CR, a_, *t, s.diceCount);
            break;
        case 5:
            if (s.target == kTargetMember) {
                if (Character* c = randomMember())
                    ChangeArmorClass(game_, h + CR, a_, *c, -s.diceCount);
            } else {
                for (int i = 1; i <= PartySize(game_); ++i)
                    if (Character* c = PartyMember(game_, i))
                        ChangeArmorClass(game_, h + CR, a_, *c, -s.diceCount);
            }
            break;
        case 7:
            if (Character* c = randomMember()) healMember(*c);
            break;
        case 52:
            for (int i = 1; i <= PartySize(game_); ++i)
                if (Character* c = PartyMember(game_, i)) healMember(*c);
            break;
        case 53:
            if (Character* c = randomMember()) {
                c->status &= ~kCureStatusBits;
                say(h + CR + HealCharacter(*c, c->maxHitPoints, false));
            }
            break;
        case 46:
        case 47: {
            std::int16_t& count = b.partyShields[s.effect == 46 ? 2 : 3];
            if (count < 3) {
                count = static_cast<std::int16_t>(count + 1);
                say(h + CR +
                    (s.effect == 46 ? "パーティーに魔法のシールドが張られた"
                                    : "パーティーにブレスのシールドが張られた"));
            } else {
                say(h + CR + "しかし効果がなかった");
            }
            break;
        }
        case 48:
            b.monsterShields[2] = 0;
            b.monsterShields[3] = 0;
            say(h + CR + "モンスターのシールドを打ち消した");
            break;
        case 65: {
            if (s.element >= kAreaElements) break;
            AreaEffect& e =
                b.monsterAreaEffects[static_cast<size_t>(randomGroup(game_))][s.element];
            e.roundsLeft = s.diceCount;
            e.diceCount = s.diceCount;
            e.diceSides = s.diceSides;
            e.diceBonus = s.diceBonus;
            e.element = s.element;
            e.caster = 0;
            say(h);
            break;
        }
        default:
            break;
    }
}

void AllyAct::breath(int element) {
    const char* word = BreathWord(element);
    const int status = BreathStatus(element);
    const std::string header = a_.name + "は" + LF + word + "ブレスを吐いた";
    for (Character* t : standingIn(game_, randomGroup(game_))) {
        const std::int64_t base =
            std::clamp<std::int64_t>(RoundHalfEven(DamagePercentAt(*t, kResistBreath) / 100.0 *
                                                   static_cast<double>(a_.hitPoints / 4) *
                                                   (1 - 0.2 * game_.battle.monsterShields[3])),
                                     -32768, 32767);
        const std::int64_t x = d(t->luck);
        const std::int64_t y = d(t->luck);
        const std::int64_t amount = y >= 18 ? 0 : x <= 10 ? base : base / 2;
        ApplyMagicDamage(game_, header, amount, a_, *t, kResistBreath, element, status, false);
    }
}

void AllyAct::callForHelp() {
    auto& allies = game_.battle.summons;
    const std::string h = a_.name + "は" + LF + "助けを呼んだ";
    if (Die(game_, 2) != 1) {
        for (int s = 1; s <= kSummonSlots; ++s) {
            Character& f = allies[static_cast<size_t>(s)];
            if (!(f.status & kStatusDead)) continue;
            const std::string name = allies[1].name;
            f = allies[0];
            f.name = name;
            f.status = 0;
            f.initiative = 0;
            say(h + CR + "仲間が１体あらわれた");
            return;
        }
    }
    say(h + CR + "しかし助けは来なかった・・・");
}

void AllyAct::steal() {
    const int group = randomGroup(game_);
    if (standingIn(game_, group).empty()) return;
    auto& fighters = game_.battle.monsters[static_cast<size_t>(group)];
    Character& lead = fighters[1];
    std::string text = a_.name + "は" + LF + lead.name + "の" + CR + "ふところを探った" + CR;
    const int common = lead.items[1].itemId;
    if (common < 1 || !someoneHasRoom(game_) || d(a_.dexterity) <= 10) {
        text += "しかし何も持っていなかった";
    } else {
        text += "そしてアイテムを盗んだ";
        const int rare = lead.items[2].itemId;
        giveToParty(game_, d(30) == 2 && rare >= 1 ? rare : common);
    }
    for (Character& f : fighters) {
        f.items[1] = ItemSlot{};
        f.items[2] = ItemSlot{};
    }
    a_.status &= ~kStatusHidden;
    say(text);
}

void AllyAct::melee() {
    if (a_.status & (kStatusConfusion | kStatusCharm)) {
        if (Character* c = ChooseMeleeTarget(game_, a_)) MeleeAttack(game_, a_, *c, 0);
        return;
    }
    MeleeAttack(game_, a_, *m_, 0);
}

void AllyAct::run(int id) {
    const ActionRecord* row = actionAt(game_.db, id);
    if (!row) return;
    if (row->kind == 1 || row->kind == 2 || row->kind == 4) {
        tableRow(*row);
        return;
    }
    if (row->kind != 3) return;
    int school = 0, level = 0;
    if (id != 0 && MonsterSpellOfAction(id, school, level)) {
        spell(school, level);
        return;
    }
    const auto word = abilityWords().find(id);
    const std::string head =
        a_.name +
        (word != abilityWords().end() ? std::string(word->second) + LF : std::string("は") + LF);
    Character& M = *m_;
    switch (id) {
        case 29:
            say(a_.name + "は" + LF + "逃げた・・・");
            a_.status |= kStatusDead;
            break;
        case 35:
            callForHelp();
            break;
        case 36:
            breath(kResistFire);
            break;
        case 37:
            breath(kResistLightning);
            break;
        case 38:
            breath(kResistCold);
            break;
        case 39:
            breath(kResistPoison);
            break;
        case 87:
            steal();
            break;
        case 33: {
            const std::int64_t amount = d(HP());
            say(head + DamageCharacter(M, amount, false));
            DamageCharacter(a_, amount, true);
            break;
        }
        case 45:
            a_.status |= kStatusHidden;
            break;
        case 46:
            hitGroup(head, kResistFire, [&](Character&) { return WideDice(game_, 1, HP(), HP()); });
            break;
        case 47:
            hit(head, WideDice(game_, 1, HP(), HP()), M, kResistFire);
            break;
        case 49:
            hitGroup(head, kResistWater,
                     [&](Character&) { return d(RoundHalfEven(static_cast<double>(HP()) / 2.0)); });
            break;
        case 56:
            hit(head, M.hitPoints / 2, M, kResistPhysical);
            break;
        case 57:
            hitGroup(head, kResistEarth, [&](Character&) { return D(); });
            break;
        case 58:
            hit(head, std::int64_t{M.hitPoints} - 1, M, kResistWind);
            break;
        case 59:
            attempt(head, M, kEffectDeath, 100);
            break;
        case 61:
            for (int n = 0; n < 10 && standing(M); ++n)
                hit(head, D(), M, kResistPhysical);
            break;
        case 71:
            for (Character* t : standingIn(game_, g_))
                t->status = kStatusDead;
            say(head + M.name + "たちを消し去った");
            break;
        case 72:
            a_.hitPoints = a_.maxHitPoints;
            break;
        case 74:
            hit(head, D() * a_.attackCount, M, kResistFire);
            break;
        case 78:
            hit(head, WideDice(game_, 1, M.maxHitPoints / 2, M.maxHitPoints / 2), M, kResistHoly);
            break;
        case 80:
            g_ = 1;
            hitGroup(head, kResistPhysical, [&](Character&) { return D() * a_.attackCount; });
            break;
        case 83:
            attempt(head, M, kEffectLost, 100);
            break;
        case 84:
            hitGroup(head, kResistDark, [](Character& t) { return std::int64_t{t.hitPoints} - 1; });
            break;
        case 88:
            hitGroup(head, kResistMystic, [&](Character& t) {
                return WideDice(game_, 1, t.maxHitPoints / 2, t.maxHitPoints / 2);
            });
            break;
        case 96:
            if (hit(head,
                    WideDice(game_, std::clamp(a_.damageDiceCount, 0, 32767), a_.damageDiceSides,
                             0),
                    M, kResistLightning) == kHitLanded)
                attempt(head, M, kEffectShocked, 50);
            break;
        case 100:
            hitGroup(head, kResistWind, [&](Character&) { return HP() / 2; });
            break;
        case 101:
            hitGroup(head, kResistWind, [&](Character&) { return HP(); });
            break;
        case 104:
        case 108:
            hit(head, std::int64_t{M.hitPoints} - 1, M, id == 104 ? kResistWind : kResistDark);
            break;
        case 105:
            hit(head, M.hitPoints / 4, M, kResistPhysical);
            break;
        case 106:
            hit(head, M.hitPoints / 2, M, kResistPhysical);
            break;
        case 107:
            hit(head, D(), M, kResistEarth);
            break;
        case 109:
            if (hit(head, D(), M, kResistCold) == kHitLanded) attempt(head, M, kEffectFrozen, 100);
            break;
        case 111:
            hit(head, std::int64_t{a_.maxHitPoints} - a_.hitPoints, M, kResistPhysical);
            break;
        case 118:
            for (Character* t : standingIn(game_, g_))
                if (hit(head, d(HP() / 2), *t, kResistDark) == kHitLanded)
                    attempt(head, *t, kEffectBlind, 50);
            break;
        case 119:
            hitGroup(head, kResistDark, [&](Character&) { return d(HP()); });
            break;
        case 120:
            hitGroup(head, kResistMystic,
                     [&](Character&) { return WideDice(game_, 1, HP(), HP()); });
            break;
        case 125:
            hitGroup(head, kResistEarth, [&](Character&) { return HP(); });
            break;
        case 128:
            g_ = 1;
            hitGroup(head, kResistPhysical, [&](Character&) { return D(); });
            break;
        case 133:
            for (Character* t : standingIn(game_, g_))
                attempt(head, *t, kEffectSilence, 100);
            break;
        case 148:
            hitGroup(head, kResistCold, [&](Character&) { return d(HP() / 2); });
            break;
        case 150:
            for (Character* t : standingIn(game_, g_))
                if (hit(head,
                        WideDice(game_, std::clamp(a_.damageDiceCount, 0, 32767),
                                 a_.damageDiceSides, 0),
                        *t, kResistLightning) == kHitLanded)
                    attempt(head, *t, kEffectShocked, 50);
            break;
        case 161: {
            constexpr int kElements[] = {kResistFire, kResistWater, kResistEarth,
                                         kResistWind, kResistCold,  kResistLightning};
            hitGroup(head, kElements[Die(game_, 6) - 1], [&](Character&) { return D(); });
            break;
        }
        case 34: {
            const std::int64_t amount = HP();
            say(head + DamageCharacter(M, amount, false));
            DamageCharacter(a_, amount, true);
            a_.status |= kStatusDead;
            a_.hitPoints = 0;
            MonsterKilled(game_, a_, &M, false);
            say(a_.name + std::string(Message(1066)));
            break;
        }
        case 48:
            hitGroup(
                head, 19, [&](Character&) { return d(HP() / 2); }, kEffectFrozen);
            break;
        case 54:
            if (ResistanceTest(game_, ResistanceAt(M, kResistPhysical), 0) != 0) {
                say(head + std::string(Message(1062)));
            } else {
                const std::int64_t half = M.hitPoints / 2;
                say(head + CR + M.name + "に　" + wide(half) + "のダメージ");
                M.hitPoints = static_cast<std::int32_t>(std::max<std::int64_t>(half, 1));
            }
            break;
        case 60: {
            hit(head, M.maxHitPoints / 2, M, kResistPhysical);
            const std::int32_t effects = game_.place.partyEffects;
            M.armorClass = M.baseArmorClass - ((effects & 128) ? 5 : (effects & 64) ? 3 : 0);
            game_.battle.partyShields[2] = game_.battle.partyShields[3] = 0;
            game_.battle.monsterShields[2] = game_.battle.monsterShields[3] = 0;
            M.status &= ~(kStatusDecapitationWard | kStatusDrainWard);
            say(M.name + "の" + LF + "防御は全て打ち消された");
            break;
        }
        case 73: {
            constexpr std::int32_t kStripped =
                kStatusBattleWard | kStatusHidden | kStatusDecapitationWard | kStatusDrainWard |
                kStatusAttackReduced | kStatusMagicReflect | kStatusPhysicalReflect | kStatusGuard;
            for (Character* t : standingIn(game_, g_)) {
                hit(head, D(), *t, kResistMind, kEffectFear);
                t->status &= ~kStripped;
                t->armorClass = t->baseArmorClass;
            }
            game_.battle.partyShields[2] = game_.battle.partyShields[3] = 0;
            game_.battle.monsterShields[2] = game_.battle.monsterShields[3] = 0;
            game_.place.partyEffects = 0;
            say("パーティーの防御は全て打ち消された");
            break;
        }
        case 76:
            for (Character* t : standingIn(game_, g_)) {
                hit(head, D() * a_.attackCount, *t, kResistPhysical, kEffectFear);
                if (d(t->agility) < 4) attempt(head, *t, kEffectDeath, 100);
            }
            break;
        case 79:
            hit(head, D() * a_.attackCount, M, kResistPhysical);
            if (standing(M)) hit(head, D() * a_.attackCount, M, kResistPhysical, kEffectCharm);
            break;
        case 97:
        case 98:
            g_ = 1;
            for (Character* t : standingIn(game_, g_)) {
                const bool cold = id == 98;
                const std::int64_t amount =
                    cold ? d(HP() / 2)
                         : WideDice(game_, std::clamp(a_.damageDiceCount, 0, 32767),
                                    a_.damageDiceSides, 0);
                if (hit(head, amount, *t, cold ? kResistCold : kResistLightning) == kHitLanded)
                    attempt(head, *t, cold ? kEffectFrozen : kEffectShocked, cold ? 50 : 30);
            }
            break;
        case 99:
            if (hit(head, D(), M, kResistHoly) == kHitLanded) {
                if (ResistanceTest(game_, ResistanceAt(M, kResistSpell),
                                   ResistanceAt(M, kResistHoly)) != 0) {
                    say(M.name + "は" + LF + "抵抗した");
                } else {
                    M.luck = static_cast<std::uint8_t>(std::max(M.luck - 1, 1));
                    say(M.name + "は運が落ちた");
                }
            }
            break;
        case 102:
            for (Character* t : standingIn(game_, g_))
                if (hit(head, HP(), *t, kResistMystic) == kHitLanded) {
                    if (ResistanceTest(game_, ResistanceAt(*t, kResistMystic), 0) != 0) {
                        say(t->name + "は" + LF + "抵抗した");
                    } else {
                        t->age =
                            static_cast<decltype(t->age)>(std::min<std::int64_t>(t->age + 1, 255));
                        say(t->name + "は年老いた");
                    }
                }
            break;
        case 103:
        case 115:
        case 116:
        case 126: {
            const int times = id == 116 ? 4 : 3;
            for (int n = 0; n < times; ++n) {
                const int slot = FirstLiveSlot(game_.battle, g_);
                if (slot == 0) break;
                Character& t = monsterAt(game_, g_, slot);
                if (id == 103) {
                    if (hit(head, HP(), t, kResistLightning) == kHitLanded)
                        attempt(head, t, kEffectShocked, 100);
                } else if (id == 115) {
                    attempt(head, t, kEffectStone, 30);
                } else if (id == 116) {
                    if (hit(head, D(), t, kResistWind) == kHitLanded &&
                        ResistanceTest(game_, ResistanceAt(t, kResistWind), 0) == 0) {
                        t.vitality = static_cast<std::uint8_t>(std::max(t.vitality - 1, 1));
                        say(t.name + "は生命力を失った");
                    }
                } else if (hit(head, D(), t, kResistPoison) == kHitLanded) {
                    attempt(head, t, kEffectPoison, 100);
                }
            }
            break;
        }
        case 110:
            for (Character* t : standingIn(game_, g_))
                if (hit(head, D(), *t, kResistHoly) == kHitLanded &&
                    ResistanceTest(game_, ResistanceAt(*t, kResistHoly), 0) == 0) {
                    t->piety = static_cast<std::uint8_t>(std::max(t->piety - 1, 1));
                    say(t->name + "は信仰心を失った");
                }
            break;
        case 112:
            for (int slot = 1; slot <= kGroupSlots; ++slot) {
                Character& t = monsterAt(game_, g_, slot);
                if (standing(t)) hit(head, (9 - slot) * D(), t, kResistWind);
            }
            break;
        case 113:
            hit(head, d(a_.attackCount) * D(), M, kResistWind);
            break;
        case 114:
            for (Character* t : standingIn(game_, g_))
                if (hit(head, d(a_.attackCount) * D(), *t, kResistPoison) == kHitLanded)
                    attempt(head, *t, kEffectPoison, 100);
            break;
        case 121:
            for (int slot = 1; slot <= kSummonSlots; ++slot) {
                Character& ally = game_.battle.summons[static_cast<size_t>(slot)];
                ally.damageDiceCount = ClampLong(std::int64_t{ally.damageDiceCount} * 2);
            }
            say(a_.name + "はフォースフィールドをはった" + CR + a_.name + "の攻撃力がＵＰした");
            break;
        case 122:
        case 134:
            for (int slot = 1; slot <= kSummonSlots; ++slot)
                game_.battle.summons[static_cast<size_t>(slot)].resistances[2] =
                    static_cast<std::uint8_t>(id == 122 ? 100 : 255);
            say(id == 122 ? a_.name + "はエレメンタルヴォイスを使った" + CR + a_.name + "は守られた"
                          : a_.name + "は光の壁をはった");
            break;
        case 124:
            if (hit(head, D(), M, kResistPhysical) == kHitLanded &&
                ResistanceTest(game_, ResistanceAt(M, kResistPhysical), 0) == 0) {
                M.strength = static_cast<std::uint8_t>(std::max(M.strength - 1, 1));
                say(M.name + "は力を失った");
            }
            break;
        case 127:
            for (int n = 0; n < 6; ++n) {
                const int group = randomGroup(game_);
                const int slot = FirstLiveSlot(game_.battle, group);
                if (slot != 0) hit(head, D(), monsterAt(game_, group, slot), kResistPhysical);
            }
            break;
        case 129: {
            const int last = std::max(1, static_cast<int>(m_ - &monsterAt(game_, g_, 0)));
            Character& t = monsterAt(game_, g_, Die(game_, last));
            if (standing(t)) hit(head, WideDice(game_, 1, HP(), HP()), t, kResistPhysical);
            break;
        }
        case 131:
            if (ResistanceTest(game_, ResistanceAt(M, kResistMind), 0) == 0) {
                say(a_.name + "は" + CR + M.name + "の最大ＨＰを下げた");
                if (M.maxHitPoints >= 16) M.maxHitPoints -= static_cast<std::int32_t>(d(10));
            }
            break;
        case 132:
            say(a_.name + "は不気味な光をはなった" + CR + "パーティーの防御は全て打ち消された");
            for (int slot = 0; slot <= kGroupSlots; ++slot)
                monsterAt(game_, g_, slot).armorClass = monsterAt(game_, g_, slot).baseArmorClass;
            game_.battle.monsterShields[2] = game_.battle.monsterShields[3] = 0;
            break;
        case 135: {
            AreaEffect& e = game_.battle.monsterAreaEffects[static_cast<size_t>(g_)][kResistFire];
            e.roundsLeft = a_.attackCount;
            e.diceCount = a_.damageDiceCount;
            e.diceSides = a_.damageDiceSides;
            e.diceBonus = 0;
            e.element = kResistFire;
            e.caster = 0;
            say(head);
            break;
        }
        case 136:
            for (Character* t : standingIn(game_, g_)) {
                if (ResistanceTest(game_, ResistanceAt(*t, kResistBreath), 0) != 0) continue;
                constexpr std::pair<int, int> kAttempts[] = {
                    {kEffectPoison, 100},   {kEffectDisease, 100},   {kEffectSleep, 100},
                    {kEffectBlind, 100},    {kEffectConfusion, 100}, {kEffectSilence, 100},
                    {kEffectParalysis, 50}, {kEffectStone, 30}};
                for (const auto& [type, chance] : kAttempts)
                    attempt(head, *t, type, chance);
            }
            break;
        case 137:
            hitGroup(head, kResistWater, [&](Character&) { return d(a_.attackCount) * D(); });
            break;
        case 141:
            for (Character* t : standingIn(game_, g_)) {
                hit(head, D(), *t, kResistMystic);
                say(HealCharacter(a_, D(), false));
            }
            break;
        case 149:
            hit(head,
                WideDice(game_, std::clamp(a_.damageDiceCount, 0, 32767), a_.damageDiceSides, 0), M,
                kResistDark);
            attempt(head, M, kEffectDisease, 100);
            break;
        case 156:
        case 171:
            for (Character* t : standingIn(game_, g_))
                if (t->status & (id == 156 ? kStatusCharm : kStatusSleep))
                    say(head + KillCharacter(*t, true));
            break;
        case 164: {
            const int times = Die(game_, 5);
            for (int n = 0; n < times && standing(M); ++n)
                hit(head, D(), M, Die(game_, 2) == 1 ? kResistDark : kResistFire);
            break;
        }
        default:
            melee();
            break;
    }
}

// Regeneration and coming out of hiding.
void allyUpkeep(Game& game, Character& a) {
    if (a.hitPoints <= a.maxHitPoints) {
        const std::int64_t regen =
            PartyHasSkill(game, 202) ? std::int64_t{a.regeneration} * 2 : a.regeneration;
        a.hitPoints = ClampLong(std::int64_t{a.hitPoints} + regen);
    }
    if ((a.status & kStatusHidden) && Die(game, 4) == 1) {
        Say(game, a.name + "は" + LF + CR + "あらわれた");
        a.status &= ~kStatusHidden;
    }
}

}  // namespace

void SummonWindow(int level, int& low, int& high) {
    low = level >= 5 ? level - 5 : 1;
    high = level <= 95 ? level + 5 : 100;
}

std::vector<int> SummonCandidates(const Game& game, const Character& summoner, int level) {
    int low = 0, high = 0;
    SummonWindow(level, low, high);
    std::vector<int> out;
    const int last = std::min<int>(2000, static_cast<int>(game.db.monsterTable.size()) - 1);
    const int counted = static_cast<int>(game.save.defeatedCounts.size()) - 1;
    for (int n = 1; n <= std::min(last, counted); ++n) {
        if (game.save.defeatedCounts[static_cast<size_t>(n)] <= 0) continue;
        const Character& m = game.db.monsterTable[static_cast<size_t>(n)];
        if (m.summonLevel < low || m.summonLevel > high) continue;
        if (summonsType(summoner, m.classBit)) out.push_back(n);
    }
    return out;
}

void SummonAction(Game& game, Character& member) {
    BattleState& b = game.battle;
    const std::vector<int> candidates = SummonCandidates(game, member, member.actionSpell);
    const int kindNumber =
        candidates.empty()
            ? 0
            : candidates[static_cast<size_t>(Die(game, static_cast<int>(candidates.size())) - 1)];
    const std::int64_t cost = member.maxHitPoints / (HasSkill(member, 209) ? 24 : 12);
    const bool paid = member.hitPoints > cost;
    if (paid) DamageCharacter(member, cost, true);
    const Character* kind = monsterAt(game.db, kindNumber);
    if (!kind || !paid) {
        Say(game, member.name + "は" + CR + "召喚に失敗した");
        return;
    }
    // A group never outgrows its nine places.
    const int n =
        std::clamp(Dice(game, kind->appearDiceCount, kind->appearDiceSides, kind->appearDiceBonus),
                   0, kSummonSlots);
    for (int s = 0; s <= kSummonSlots; ++s) {
        Character& a = b.summons[static_cast<size_t>(s)];
        if (s > n) {
            a.status |= kStatusDead;
            continue;
        }
        a = *kind;
        a.status = 0;
        a.initiative = 0;
        // The party has met this kind before: allies go by their true name.
        a.identified = -1;
        std::int64_t hp =
            HasSkill(member, 197)
                ? std::int64_t{kind->hpDiceCount} * kind->hpDiceSides + kind->hpDiceBonus
                : WideDice(game, std::clamp(kind->hpDiceCount, 0, 32767), kind->hpDiceSides,
                           kind->hpDiceBonus);
        a.hitPoints = a.maxHitPoints = static_cast<std::int32_t>(
            std::clamp<std::int64_t>(hp, 1, std::numeric_limits<std::int32_t>::max()));
        if (HasSkill(member, 199)) {
            a.damageDiceCount = ClampLong(std::int64_t{a.damageDiceCount} * 2);
            a.damageDiceSides = ClampLong(std::int64_t{a.damageDiceSides} * 2);
            a.damageDiceBonus = ClampLong(std::int64_t{a.damageDiceBonus} * 2);
        }
        if (HasSkill(member, 198))
            a.damagePercent[1] = static_cast<std::uint8_t>(RoundHalfEven(a.damagePercent[1] * 0.9));
        a.charm = member.charm;
    }
    if (n == 0) b.summons[0].status |= kStatusDead;
    Say(game, member.name + "は" + CR + kind->name + "を" + CR + wide(n) + "体召喚した");
    if (n >= 1) {
        b.summonsShown = true;
        ConversationCheck(game, kindNumber);
    }
}

void ConversationCheck(Game& game, int kind) {
    BattleState& b = game.battle;
    if (b.battleRound >= 10 || !someoneHasRoom(game) || Die(game, 4) != 1) return;
    const ConversationRecord* talk = nullptr;
    for (int r = 0; r < static_cast<int>(game.db.conversationTable.size()) && !talk; ++r)
        if (game.db.conversationTable[static_cast<size_t>(r)].summonKind == kind)
            talk = &game.db.conversationTable[static_cast<size_t>(r)];
    if (!talk) return;
    int group = 0;
    for (int g = 1; g <= kMonsterGroups && group == 0; ++g)
        if (monsterAt(game, g, 1).rosterId == talk->metKind && talk->metKind > 0) group = g;
    if (group == 0 || monsterAt(game, group, 0).identified != 0) return;
    const Character* summoned = monsterAt(game.db, kind);
    const Character* met = monsterAt(game.db, talk->metKind);
    if (!summoned || !met) return;
    Say(game, summoned->name + "と" + CR + met->name + "が" + CR + "会話を始めた");
    Say(game, talk->talkLine1);
    Say(game, talk->talkLine2);
    Say(game, talk->talkLine3);
    giveToParty(game, talk->giftItem);
}

void AllyTurn(Game& game, int slot) {
    BattleState& b = game.battle;
    if (slot < 1 || slot > kSummonSlots) return;
    Character& a = b.summons[static_cast<size_t>(slot)];
    b.actingSummonSlot = slot;
    if (!(a.status & kStatusCannotAct)) {
        if (b.rowCount < 1) {
            a.initiative = 0;
            return;
        }
        const int group = b.rows[static_cast<size_t>(Die(game, b.rowCount) - 1)].group;
        const int target = FirstLiveSlot(b, group);
        if (target == 0) {
            // The turn is lost, but the ally is not picked again this round.
            a.initiative = 0;
            return;
        }
        const int id = a.actions[static_cast<size_t>(Die(game, 20))];
        AllyAct(game, a, group, target).run(id);
    }
    allyUpkeep(game, a);
    a.initiative = 0;
}

}  // namespace dv
