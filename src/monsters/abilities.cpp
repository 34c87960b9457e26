#include "monsters/abilities.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "characters/experience.h"
#include "characters/party.h"
#include "combat/combat_core.h"
#include "combat/fighters.h"
#include "combat/status_table.h"
#include "core/data/checked.h"
#include "core/data/message.h"
#include "core/data/text.h"
#include "core/game.h"
#include "core/main_window.h"
#include "core/prompt_dialog.h"
#include "core/screens.h"
#include "monsters/monster_turn.h"

namespace dv {

namespace {

constexpr const char* LF = "\n";
constexpr const char* CR = "\r";

// The battle-only marks a jihad or an eerie light strips from the party.
constexpr std::int32_t kDefencesStripped =
    kStatusBattleWard | kStatusHidden | kStatusDecapitationWard | kStatusDrainWard |
    kStatusAttackReduced | kStatusMagicReflect | kStatusPhysicalReflect | kStatusGuard;

std::string wide(std::int64_t n) {
    return ToWide(std::to_string(n));
}

// Attribute losses stop at 1.
void lower(std::uint8_t& attribute) {
    if (attribute > 1) attribute = static_cast<std::uint8_t>(attribute - 1);
}

class Ability {
  public:
    Ability(Game& game, Character& m, Character* ally) : game_(game), m_(m), ally_(ally) {}

    void run(int id);

  private:
    // The monster's own melee dice, rolled once.
    std::int64_t D() {
        return WideDice(game_, std::clamp<std::int64_t>(m_.damageDiceCount, 0, 32767),
                        m_.damageDiceSides, m_.damageDiceBonus);
    }
    std::int64_t HP() const { return m_.hitPoints; }
    std::int64_t MHP() const { return m_.maxHitPoints; }
    std::string M() const { return m_.name; }

    // Party targets.
    Character* oneLiving(bool front = false) {
        auto t = PartyTargets(game_, front ? 12 : 2, 0);
        return t.empty() ? nullptr : t.front();
    }
    std::vector<Character*> everyLiving(bool front = false) {
        return PartyTargets(game_, front ? 14 : 4, 0);
    }
    std::vector<Character*> draws(int n, bool front = false) {
        return PartyTargets(game_, front ? 15 : 5, n);
    }
    Character* anyMember() {
        const int count = std::min(game_.place.partyCount, kPartySlots);
        if (count < 1) return nullptr;
        return PartyMember(game_, Die(game_, count));
    }
    std::vector<Character*> everyMember() { return PartyTargets(game_, 3, 0); }
    std::vector<Character*> allies() {
        std::vector<Character*> out;
        for (int s = 1; s <= kSummonSlots; ++s)
            out.push_back(&game_.battle.summons[static_cast<size_t>(s)]);
        return out;
    }

    // How an entry treats the turn's ally roll.
    std::vector<Character*> single(Character* partyTarget) {
        if (ally_) return {ally_};
        if (partyTarget) return {partyTarget};
        return {};
    }
    std::vector<Character*> group(std::vector<Character*> party) {
        return ally_ ? allies() : party;
    }
    std::vector<Character*> singleThenParty(Character* partyTarget) {
        std::vector<Character*> out;
        if (ally_) out.push_back(ally_);
        if (partyTarget) out.push_back(partyTarget);
        return out;
    }
    std::vector<Character*> groupThenParty(std::vector<Character*> party) {
        std::vector<Character*> out;
        if (ally_) out = allies();
        out.insert(out.end(), party.begin(), party.end());
        return out;
    }

    int hit(const std::string& header, std::int64_t amount, Character& t, int element,
            int second = 0, int status = 0) {
        return ApplyMagicDamage(game_, header, ClampLong(amount), m_, t, element, second, status,
                                false);
    }
    void attempt(const std::string& header, Character& t, int type, int chance) {
        InflictStatus(game_, header, t, type, chance, true, 0, &m_);
    }
    bool escapes(const Character& t, int index, int second = 0) {
        return ResistanceTest(game_, ResistanceAt(t, index), second) != 0;
    }
    void say(const std::string& text) { Say(game_, text); }
    bool alive(const Character& t) const { return !(t.status & kStatusGone); }

    // Hits every target with an amount worked out per target.
    void hitEach(const std::vector<Character*>& targets, const std::string& header, int element,
                 const std::function<std::int64_t(Character&)>& amount, int status = 0) {
        for (Character* t : targets)
            hit(header, amount(*t), *t, element, 0, status);
    }

    void drainLevels(const std::string& header, Character& t, int levels) {
        DrainLevels(t, levels, game_.rng);
        say(header + t.name + "は" + LF + "レベルを" + wide(levels) + "下げられた！");
    }
    void smile(int spared);
    void kingdoms(int levels);
    void gold(int id);
    void rival(bool menOnly);
    void enchant(int id);
    void groupBoost(int id);
    void throwOut();
    void castOut();
    void destroy(int id);
    void steal();
    void selfDestruct();
    void megante();
    void jihad();

    Game& game_;
    Character& m_;
    Character* ally_;
};

void Ability::run(int id) {
    const std::string head = M() + "は" + LF;
    switch (id) {
        case 1:
            MonsterMelee(game_, m_, ally_);
            break;
        case 0:
        case 2:
        case 3:
        case 4:
        case 5:
        case 6:
        case 7:
        case 8:
        case 9:
        case 10:
        case 11:
        case 12:
        case 13:
        case 14:
        case 15:
        case 16:
        case 17:
        case 18:
        case 19:
        case 20:
        case 21:
        case 22:
        case 23:
        case 24:
        case 25:
        case 26:
        case 27:
        case 28:
        case 29:
        case 35:
        case 36:
        case 37:
        case 38:
        case 39:
        case 90:
        case 91:
        case 92:
        case 93:
        case 94:
        case 95:
            // Monster spells (0, 2..28), flight (29), calls for help (35), breath (36..39)
            // and called groups (90..95) have rules of their own that are not in the game
            // yet: until they are, the monster lets its turn pass.
            break;
        case 33: {
            const auto targets = single(oneLiving());
            if (targets.empty()) break;
            Character* t = targets.front();
            const std::int64_t a = Die(game_, HP());
            say(head + "体当たりしてきた" + CR + DamageCharacter(*t, a, false));
            DamageCharacter(m_, a, true);
            break;
        }
        case 34:
            selfDestruct();
            break;
        case 42:
            smile(2);
            break;
        case 43:
            smile(1);
            break;
        case 45:
            say(head + "影に隠れた");
            m_.status |= kStatusHidden;
            break;
        case 46:
            hitEach(group(everyLiving()), head + "業火を召喚した", kResistFire,
                    [&](Character&) { return WideDice(game_, 1, HP(), HP()); });
            break;
        case 47:
            hitEach(single(oneLiving()), head + "鬼火を召喚した", kResistFire,
                    [&](Character&) { return WideDice(game_, 1, HP(), HP()); });
            break;
        case 48:
            hitEach(
                group(everyLiving()), head + "ブリザードを巻き起こした", kEffectFrozen,
                [&](Character&) { return Die(game_, HP() / 2); }, kEffectFrozen);
            break;
        case 49:
            hitEach(group(everyLiving()), head + "ダイダルウェイブを呼び起こした", kResistWater,
                    [&](Character&) {
                        return Die(game_, RoundHalfEven(static_cast<double>(HP()) / 2.0));
                    });
            break;
        case 54: {
            const std::string header = head + "菩薩掌を繰り出した" + CR;
            for (Character* t : single(oneLiving())) {
                if (escapes(*t, kResistPhysical)) {
                    say(header + std::string(Message(1062)));
                    continue;
                }
                const std::int32_t half = t->hitPoints / 2;
                say(header + CR + t->name + "に　" + wide(half) + "のダメージ");
                t->hitPoints = std::max(half, 1);
            }
            break;
        }
        case 56:
            hitEach(single(oneLiving(true)), head + "大切断を繰り出した", kResistPhysical,
                    [](Character& t) { return t.hitPoints / 2; });
            break;
        case 57: {
            const std::string header = head + "大地震を起こした";
            if (game_.place.partyEffects & 4) {
                say(header + CR + "パーティーは空中に浮かんでいる");
                break;
            }
            hitEach(group(everyLiving()), header, kResistEarth, [&](Character&) { return D(); });
            break;
        }
        case 58:
            hitEach(single(oneLiving()), head + "トルネードを起こした", kResistWind,
                    [](Character& t) { return std::int64_t{t.hitPoints} - 1; });
            break;
        case 59:
            for (Character* t : single(oneLiving()))
                attempt(head + "ウサギを召喚した", *t, kEffectDeath, 100);
            break;
        case 60: {
            Character* t = oneLiving(true);
            if (!t) break;
            hit(head + "アキラスペシャルを繰り出した", t->maxHitPoints / 2, *t, kResistPhysical);
            const std::int32_t effects = game_.place.partyEffects;
            t->armorClass = t->baseArmorClass - ((effects & 128) ? 5 : (effects & 64) ? 3 : 0);
            game_.battle.partyShields[2] = game_.battle.partyShields[3] = 0;
            t->status &= ~(kStatusDecapitationWard | kStatusDrainWard);
            say(t->name + "の" + LF + "防御は全て打ち消された");
            break;
        }
        case 61:
            for (Character* t : single(oneLiving()))
                for (int n = 0; n < 10; ++n)
                    hit(M() + "の" + LF + "１０連コンボ", D(), *t, kResistPhysical);
            break;
        case 67:
            throwOut();
            break;
        case 68:
            castOut();
            break;
        case 71:
            say(head + "大脱走の合図を出した");
            for (int g = 1; g <= kMonsterGroups; ++g)
                for (int s = 1; s <= kGroupSlots; ++s)
                    game_.battle.monsters[static_cast<size_t>(g)][static_cast<size_t>(s)].status =
                        kStatusDead;
            break;
        case 72:
            say(head + "復元した");
            m_.hitPoints = m_.maxHitPoints;
            break;
        case 73:
            jihad();
            break;
        case 74:
            hitEach(single(oneLiving()), head + "メギドファイアーを撃ち放った", kResistFire,
                    [&](Character&) { return D() * m_.attackCount; });
            break;
        case 76: {
            const std::string header = head + "四天王阿修羅斬を繰り出した";
            for (Character* t : group(everyLiving())) {
                hit(header, D() * m_.attackCount, *t, kResistPhysical, 0, kEffectFear);
                if (Die(game_, t->agility) < 4) attempt(header, *t, kEffectDeath, 100);
            }
            break;
        }
        case 78:
            if (Character* t = oneLiving())
                hit(head + "天罰を下した",
                    WideDice(game_, 1, t->maxHitPoints / 2, t->maxHitPoints / 2), *t, kResistHoly);
            break;
        case 79:
            if (Character* t = oneLiving(true)) {
                const std::string header = head + "往復ビンタをブチかました";
                hit(header, D() * m_.attackCount, *t, kResistPhysical);
                if (alive(*t))
                    hit(header, D() * m_.attackCount, *t, kResistPhysical, 0, kEffectCharm);
            }
            break;
        case 80:
            hitEach(everyLiving(true), head + "一文字に斬りつけた", kResistPhysical,
                    [&](Character&) { return D() * m_.attackCount; });
            break;
        case 83:
            if (Character* t = anyMember())
                attempt(head + "－Ｅｎｄ　Ｏｆ　Ｄｅｓｔｉｎｙ－を行使した", *t, kEffectLost, 100);
            break;
        case 84:
            hitEach(groupThenParty(everyLiving()), head + "－Ｌｉｋｅ　＠　Ｄｅｍｏｎ－を行使した",
                    kResistDark, [](Character& t) { return std::int64_t{t.hitPoints} - 1; });
            break;
        case 85:
        case 86:
            destroy(id);
            break;
        case 87:
            steal();
            break;
        case 88:
            hitEach(groupThenParty(everyLiving()), head + "ハルマゲドンを起こした", kResistMystic,
                    [&](Character& t) {
                        return WideDice(game_, 1, t.maxHitPoints / 2, t.maxHitPoints / 2);
                    });
            break;
        case 96: {
            const std::string header = M() + "は電撃を放った";
            for (Character* t : single(oneLiving(true))) {
                hit(header,
                    WideDice(game_, std::clamp<std::int64_t>(m_.damageDiceCount, 0, 32767),
                             m_.damageDiceSides, 0),
                    *t, kResistLightning);
                attempt(header, *t, kEffectShocked, 50);
            }
            break;
        }
        case 97: {
            const std::string header = M() + "はサンダーブラストを放った";
            for (Character* t : groupThenParty(everyLiving(true))) {
                hit(header,
                    WideDice(game_, std::clamp<std::int64_t>(m_.damageDiceCount, 0, 32767),
                             m_.damageDiceSides, 0),
                    *t, kResistLightning);
                attempt(header, *t, kEffectShocked, 30);
            }
            break;
        }
        case 98: {
            const std::string header = M() + "はアイスブラストを放った";
            for (Character* t : groupThenParty(everyLiving(true))) {
                hit(header, Die(game_, HP() / 2), *t, kResistCold);
                attempt(header, *t, kEffectFrozen, 50);
            }
            break;
        }
        case 99: {
            const std::string header = M() + "はヒエロスグリュペインを放った";
            for (Character* t : single(oneLiving(true))) {
                if (hit(header, D(), *t, kResistHoly) != kHitLanded) continue;
                if (escapes(*t, kResistSpell, ResistanceAt(*t, kResistHoly))) {
                    say(header + CR + t->name + "は" + LF + "抵抗した");
                } else {
                    lower(t->luck);
                    say(header + CR + t->name + "は運が落ちた");
                }
            }
            break;
        }
        case 100:
            hitEach(groupThenParty(everyLiving(true)), M() + "は真空の竜巻を起こした", kResistWind,
                    [&](Character&) { return HP() / 2; });
            break;
        case 101:
            hitEach(groupThenParty(everyLiving()), M() + "は巨大な嵐を巻き起こした", kResistWind,
                    [&](Character&) { return HP(); });
            break;
        case 102: {
            const std::string header = M() + "はスーパー・ノヴァを使った";
            for (Character* t : everyLiving()) {
                if (hit(header, HP(), *t, kResistMystic) != kHitLanded) continue;
                if (escapes(*t, kResistMystic)) {
                    say(header + CR + t->name + "は" + LF + "抵抗した");
                } else {
                    t->age = clampToField<std::int16_t>(std::int64_t{t->age} + 1);
                    say(header + CR + t->name + "は年老いた");
                }
            }
            break;
        }
        case 103: {
            const std::string header = M() + "はエレクトリックサンダーを放った";
            for (Character* t : draws(3))
                if (hit(header, HP(), *t, kResistLightning) == kHitLanded)
                    attempt(header, *t, kEffectShocked, 100);
            break;
        }
        case 104:
            hitEach(single(oneLiving(true)), M() + "はミールストームを起こした", kResistWind,
                    [](Character& t) { return std::int64_t{t.hitPoints} - 1; });
            break;
        case 105:
            hitEach(single(oneLiving(true)), M() + "剛切断をくりだした", kResistPhysical,
                    [](Character& t) { return t.hitPoints / 4; });
            break;
        case 106:
            hitEach(single(oneLiving(true)), M() + "のまっぷたつ斬り", kResistPhysical,
                    [](Character& t) { return t.hitPoints / 2; });
            break;
        case 107:
            hitEach(singleThenParty(oneLiving(true)), M() + "はストーンファングを起こした",
                    kResistEarth, [&](Character&) { return D(); });
            break;
        case 108:
            if (Character* t = oneLiving())
                hit(M() + "は天誅を下した", std::int64_t{t->hitPoints} - 1, *t, kResistDark);
            break;
        case 109: {
            const std::string header = M() + "はダイアモンドダストを起こした";
            if (ally_ && hit(header, D(), *ally_, kResistCold) != kHitLanded) break;
            if (ally_) attempt(header, *ally_, kEffectFrozen, 100);
            if (Character* t = oneLiving(true))
                if (hit(header, D(), *t, kResistCold) == kHitLanded)
                    attempt(header, *t, kEffectFrozen, 100);
            break;
        }
        case 110: {
            const std::string header = M() + "はクレセントミラーを発動した";
            if (Character* t = oneLiving()) {
                if (hit(header, D(), *t, kResistHoly) == kHitLanded && !escapes(*t, kResistHoly)) {
                    lower(t->piety);
                    say(header + CR + t->name + "は信仰心を失った");
                }
            }
            break;
        }
        case 111:
            hitEach(single(oneLiving()), M() + "のリベンジブレイク", kResistPhysical,
                    [&](Character&) { return MHP() - HP(); });
            break;
        case 112: {
            const auto targets = everyLiving();
            const auto n = static_cast<std::int64_t>(targets.size());
            for (std::int64_t k = 1; k <= n; ++k)
                hit(M() + "は衝撃波を放った", (n - k) * D(), *targets[static_cast<size_t>(k - 1)],
                    kResistWind);
            break;
        }
        case 113:
            hitEach(single(oneLiving(true)), M() + "はかまいたちをはなった", kResistWind,
                    [&](Character&) { return Die(game_, m_.attackCount) * D(); });
            break;
        case 114: {
            const std::string header = M() + "は猛毒の竜巻を起こした";
            const std::int64_t amount = Die(game_, m_.attackCount) * D();
            for (Character* t : everyLiving())
                if (hit(header, amount, *t, kResistPoison) == kHitLanded)
                    attempt(header, *t, kEffectPoison, 100);
            break;
        }
        case 115: {
            const std::string header = M() + "はストーンニードルを放った";
            if (ally_) {
                for (int n = 0; n < 3; ++n)
                    attempt(header, game_.battle.summons[static_cast<size_t>(Die(game_, 3))],
                            kEffectStone, 30);
            } else {
                for (Character* t : draws(3))
                    attempt(header, *t, kEffectStone, 30);
            }
            break;
        }
        case 116: {
            const std::string header = M() + "はメイルストロームを起こした";
            for (Character* t : draws(4)) {
                if (hit(header, D(), *t, kResistWind) == kHitLanded && !escapes(*t, kResistWind)) {
                    lower(t->vitality);
                    say(header + CR + t->name + "は生命力を失った");
                }
            }
            break;
        }
        case 117:
            megante();
            break;
        case 118: {
            const std::string header = M() + "はナイトメアハリケーンを唱えた";
            for (Character* t : groupThenParty(everyLiving()))
                if (hit(header, Die(game_, HP()), *t, kResistDark) == kHitLanded)
                    attempt(header, *t, kEffectBlind, 50);
            break;
        }
        case 119:
            hitEach(everyLiving(), M() + "はブラッディダンスを踊った", kResistDark,
                    [&](Character&) { return Die(game_, HP()); });
            break;
        case 120:
            hitEach(groupThenParty(everyLiving()), M() + "は七鍵守護神を唱えた", kResistMystic,
                    [&](Character&) { return WideDice(game_, 1, HP(), HP()); });
            break;
        case 121:
            say(M() + "はフォースフィールドをはった" + CR + "モンスターの攻撃力がＵＰした");
            for (int g = 1; g <= kMonsterGroups; ++g)
                for (int s = 1; s <= kGroupSlots; ++s) {
                    Character& x =
                        game_.battle.monsters[static_cast<size_t>(g)][static_cast<size_t>(s)];
                    const std::int64_t doubled = std::int64_t{x.damageDiceCount} * 2;
                    if (fitsField<std::int32_t>(doubled))
                        x.damageDiceCount = static_cast<std::int32_t>(doubled);
                }
            break;
        case 122:
            say(M() + "はエレメンタルヴォイスを使った" + CR + "モンスターは守られた");
            for (int g = 1; g <= kMonsterGroups; ++g)
                for (int s = 1; s <= kGroupSlots; ++s)
                    game_.battle.monsters[static_cast<size_t>(g)][static_cast<size_t>(s)]
                        .resistances[2] = 100;
            break;
        case 123: {
            const std::string header = M() + "はエターナルデザイアを唱えた";
            if (Character* t = oneLiving()) {
                if (hit(header, RoundHalfEven(t->marks), *t, kResistPhysical) == kHitLanded &&
                    !escapes(*t, kResistPhysical)) {
                    lower(t->wisdom);
                    say(header + CR + t->name + "は知恵を失った");
                }
            }
            break;
        }
        case 124: {
            const std::string header = M() + "はストレングスドレインを行った";
            if (Character* t = oneLiving()) {
                if (hit(header, D(), *t, kResistPhysical) == kHitLanded &&
                    !escapes(*t, kResistPhysical)) {
                    lower(t->strength);
                    say(header + CR + t->name + "は力を失った");
                }
            }
            break;
        }
        case 125:
            hitEach(group(everyLiving()), M() + "のメガトンプレス", kResistEarth,
                    [&](Character&) { return HP(); });
            break;
        case 126: {
            const std::string header = M() + "はアシッドトリッガーを撃った";
            for (Character* t : ally_ ? allies() : draws(3, true))
                if (hit(header, D(), *t, kResistPoison) == kHitLanded)
                    attempt(header, *t, kEffectPoison, 100);
            break;
        }
        case 127: {
            const std::string header = M() + "は乱れ舞った";
            if (ally_) {
                const std::int64_t shared = D();
                for (int n = 0; n < 6; ++n)
                    hit(header, shared, game_.battle.summons[static_cast<size_t>(Die(game_, 9))],
                        kResistPhysical);
            }
            for (Character* t : draws(6))
                hit(header, D(), *t, kResistPhysical);
            break;
        }
        case 128:
            hitEach(group(everyLiving(true)), M() + "はペインスプラッシュを唱えた", kResistPhysical,
                    [&](Character&) { return D(); });
            break;
        case 129:
            if (Character* t = oneLiving(true))
                hit(M() + "は突撃してきた", WideDice(game_, 1, HP(), HP()), *t, kResistPhysical);
            break;
        case 130: {
            const std::string header = M() + "はあやしく光った";
            if (Character* t = oneLiving(); t && !escapes(*t, kResistMind)) {
                say(header + CR + t->name + "のＭＰを吸い取った");
                for (int kind = 0; kind <= 3; ++kind)
                    for (int level = 1; level <= 9; ++level)
                        if (t->spellPoints(kind, level) > 0) --t->spellPoints(kind, level);
            }
            break;
        }
        case 131:
            if (Character* t = oneLiving(); t && !escapes(*t, kResistMind)) {
                say(M() + "は" + CR + t->name + "の最大ＨＰを下げた");
                if (t->maxHitPoints > 15) {
                    t->maxHitPoints -= Die(game_, 10);
                    t->hitPoints = std::min(t->hitPoints, t->maxHitPoints);
                }
            }
            break;
        case 132: {
            say(M() + "は不気味な光をはなった" + CR + "パーティーの防御は全て打ち消された");
            for (Character* t : everyMember()) {
                t->status &= ~kDefencesStripped;
                t->armorClass = t->baseArmorClass;
            }
            game_.place.partyEffects = 0;
            game_.battle.partyShields[2] = game_.battle.partyShields[3] = 0;
            break;
        }
        case 133:
            for (Character* t : everyLiving())
                attempt(M() + "はサイレントヴォイスを唱えた", *t, kEffectSilence, 100);
            break;
        case 134:
            say(M() + "は光の壁をはった");
            for (int s = 1; s <= kGroupSlots; ++s)
                game_.battle
                    .monsters[static_cast<size_t>(std::clamp(
                        game_.battle.actingGroup, 0, kMonsterGroups))][static_cast<size_t>(s)]
                    .resistances[2] = 255;
            break;
        case 135: {
            say(M() + "はファイアーストームをおこした");
            AreaEffect& e = game_.battle.partyAreaEffects[kResistFire];
            e.diceCount = m_.damageDiceCount;
            e.diceSides = m_.damageDiceSides;
            e.diceBonus = 0;
            e.roundsLeft = m_.attackCount;
            e.element = kResistFire;
            break;
        }
        case 136: {
            const std::string header = M() + "は破滅の吐息を吐き出した";
            for (Character* t : everyLiving()) {
                if (escapes(*t, kResistBreath)) continue;
                for (auto [type, chance] : {std::pair{22, 100},
                                            {27, 100},
                                            {15, 100},
                                            {24, 100},
                                            {18, 100},
                                            {23, 100},
                                            {16, 50},
                                            {29, 30}})
                    attempt(header, *t, type, chance);
            }
            break;
        }
        case 137: {
            const std::int64_t amount = Die(game_, m_.attackCount) * D();
            hitEach(groupThenParty(everyLiving()), M() + "はブラッドレインを降らせた", kResistWater,
                    [&](Character&) { return amount; });
            break;
        }
        case 141: {
            const std::string header = M() + "のオルタナティブライフ";
            for (Character* t : everyLiving()) {
                const std::int64_t d = D();
                hit(header, d, *t, kResistMystic);
                say(HealCharacter(m_, d, false));
            }
            break;
        }
        case 146:
            if (Character* t = oneLiving())
                hit(M() + "のエンドオブザライン", RoundHalfEven(t->escapes) / 10, *t,
                    kResistMystic);
            break;
        case 148:
            hitEach(everyLiving(), M() + "は震撼の冷気をはなった", kResistCold,
                    [&](Character&) { return Die(game_, HP() / 2); });
            break;
        case 149: {
            const std::string header = M() + "は不浄の吐息を吐いた";
            for (Character* t : everyLiving()) {
                hit(header,
                    WideDice(game_, std::clamp<std::int64_t>(m_.damageDiceCount, 0, 32767),
                             m_.damageDiceSides, 0),
                    *t, kResistDark);
                attempt(header, *t, kEffectDisease, 100);
            }
            break;
        }
        case 150: {
            const std::string header = M() + "のサンダーウェーブ";
            for (Character* t : everyLiving(true)) {
                hit(header,
                    WideDice(game_, std::clamp<std::int64_t>(m_.damageDiceCount, 0, 32767),
                             m_.damageDiceSides, 0),
                    *t, kResistLightning);
                attempt(header, *t, kEffectShocked, 50);
            }
            break;
        }
        case 153:
            rival(true);
            break;
        case 154:
            hitEach(everyLiving(), M() + "の夜叉神楽", kResistDark,
                    [&](Character& t) { return Die(game_, RoundHalfEven(t.victories)); });
            break;
        case 156:
        case 171: {
            const std::string header = M() + "の美女のいざない";
            const std::int32_t bit = id == 156 ? kStatusCharm : kStatusSleep;
            for (Character* t : everyLiving())
                if ((t->status & bit) && !(t->status & kStatusGone))
                    say(header + CR + KillCharacter(*t, true));
            break;
        }
        case 157:
            rival(false);
            break;
        case 161: {
            constexpr int kElements[] = {kResistFire, kResistWater, kResistEarth,
                                         kResistWind, kResistCold,  kResistLightning};
            for (Character* t : everyLiving())
                hit(M() + "のジューダスペイン", D(), *t, kElements[Die(game_, 6) - 1]);
            break;
        }
        case 164: {
            const std::string header = M() + "のゲヘナの炎をはなった";
            for (Character* t : draws(Die(game_, 5)))
                hit(header, D(), *t, Die(game_, 2) == 1 ? kResistDark : kResistFire);
            break;
        }
        case 167:
        case 168:
        case 169:
            gold(id);
            break;
        case 170:
            for (Character* t : everyLiving())
                if (t->status & kStatusPoison)
                    hit(M() + "のベノムペイン", std::int64_t{t->hitPoints} - (Die(game_, 3) + 1),
                        *t, kResistPoison);
            break;
        case 172: {
            const std::string header = M() + "の後光の恵み";
            const int g = std::clamp(game_.battle.actingGroup, 0, kMonsterGroups);
            for (int s = 1; s <= kGroupSlots; ++s) {
                Character& x =
                    game_.battle.monsters[static_cast<size_t>(g)][static_cast<size_t>(s)];
                if (x.status & kStatusUnhealable) continue;
                say(header + CR + HealCharacter(x, D(), false));
            }
            break;
        }
        case 187:
            kingdoms(7);
            break;
        case 188:
            kingdoms(3);
            break;
        case 269: {
            const ActionRecord* row = actionAt(game_.db, id);
            say(M() + (row ? row->message : std::string()));
            BattleState& b = game_.battle;
            for (int g = 1; g <= kMonsterGroups; ++g)
                for (int s = 1; s <= kGroupSlots; ++s) {
                    Character& x = b.monsters[static_cast<size_t>(g)][static_cast<size_t>(s)];
                    bool& done = b.rearmed[static_cast<size_t>(g)][static_cast<size_t>(s)];
                    // Once a round each, or two such monsters would keep each other going.
                    if (done || (x.status & kStatusCannotAct) || x.initiative != 0) continue;
                    x.initiative = 1;
                    done = true;
                }
            break;
        }
        case 300:
        case 301:
        case 302:
        case 303:
        case 304:
        case 305:
            groupBoost(id);
            break;
        case 306:
        case 307:
        case 308: {
            const int counted = id == 306 ? 837 : id == 307 ? 836 : 472;
            const std::string header = id == 306   ? M() + "のマザーペイン "
                                       : id == 307 ? M() + "のソウルペイン "
                                                   : M() + "は下僕達への鎮魂歌を歌った";
            const std::int64_t amount =
                3 * std::int64_t{game_.save.defeatedCounts[static_cast<size_t>(counted)]};
            for (Character* t : everyLiving())
                say(header + CR + DamageCharacter(*t, amount, false));
            break;
        }
        case 309:
        case 310:
        case 317:
        case 311:
        case 316:
        case 318:
            enchant(id);
            break;
        default:
            // The ids without an ability do nothing.
            break;
    }
}

void Ability::selfDestruct() {
    const auto targets = single(oneLiving());
    if (targets.empty()) return;
    Character* t = targets.front();
    const std::int64_t a = HP();
    say(M() + "は" + LF + "自爆した" + CR + DamageCharacter(*t, a, false));
    DamageCharacter(m_, a, true);
    say(MonsterKilled(game_, m_, nullptr, true));
}

void Ability::smile(int spared) {
    const std::string header = M() + "は" + LF + "ニコリと笑った・・・" + CR;
    Character* t = oneLiving();
    if (!t) return;
    // The resistance roll is made for everyone but only spares the one sex.
    const bool escaped = escapes(*t, kEffectLevelDrain);
    if (t->sex == spared && escaped) {
        say(header + std::string(Message(1062)));
        return;
    }
    drainLevels(header, *t, m_.attackCount);
}

void Ability::kingdoms(int levels) {
    const std::string header =
        M() + (levels == 7 ? "のセブンキングダムズ " : "のスリーキングダムズ") + CR;
    for (Character* t : everyLiving()) {
        if (PartyWardCheck(game_, *t, kEffectLevelDrain) && escapes(*t, kEffectLevelDrain)) {
            say(header + std::string(Message(1062)));
            continue;
        }
        drainLevels(header, *t, levels);
    }
}

void Ability::gold(int id) {
    Character* t = oneLiving();
    if (!t) return;
    const std::string header = M() + (id == 167   ? "のゼロルーザー"
                                      : id == 168 ? "のハーフルーザー"
                                                  : "のかすめとる");
    if (id == 167) {
        t->gold = 0;
        say(header + CR + t->name + "の" + CR + "所持金が０になった");
    } else if (id == 168) {
        t->gold = static_cast<double>(RoundHalfEven(t->gold) / 2);
        say(header + CR + t->name + "の" + CR + "所持金が半分");
    } else {
        t->gold = t->gold * 0.8;
        say(header + CR + t->name + "の" + CR + "所持金を奪われた");
    }
}

void Ability::rival(bool menOnly) {
    const std::string header = M() + (menOnly ? "のリアルバウト" : "のジールオンミー");
    for (Character* t : everyLiving()) {
        if (menOnly && t->sex != 1) continue;
        say(header + CR + t->name + "の敵意は" + CR + M() + "に向けられた");
        t->targetGroup = static_cast<std::int16_t>(game_.battle.actingGroup);
    }
}

void Ability::enchant(int id) {
    const std::string header =
        M() + (id == 309   ? std::string("の") + CR + "ゴッドセイブザクィーン"
               : id == 310 ? std::string("の") + CR + "ロックアラウンドザクロック"
               : id == 311 ? std::string("の") + CR + "ドロップデッドゴージャス"
               : id == 316 ? std::string("の") + CR + "グッドモーニングハイド"
               : id == 317 ? std::string("の") + CR + "ジューダスライジング"
                           : std::string("のキングセイブザアヴァロン"));
    auto bewitch = [&](Character& t, int type) {
        const std::int32_t bit = StatusOfEffect(type);
        if (PartyWardCheck(game_, t, type) && escapes(t, type)) {
            say(header + "は" + LF + "抵抗した");
            return;
        }
        t.status |= bit;
        say(header + CR + t.name + "は" + LF + (type == kEffectCharm ? "魅了された" : "混乱した"));
    };
    const std::string nothing = std::string(Message(1062));
    for (Character* t : everyLiving()) {
        switch (id) {
            case 309:
                bewitch(*t, kEffectCharm);
                break;
            case 310:
                bewitch(*t, kEffectConfusion);
                break;
            case 311:
                if (t->status & kStatusCharm)
                    say(header + CR + KillCharacter(*t, true));
                else
                    say(header + nothing);
                break;
            case 316:
                if (t->status & kStatusHidden) {
                    t->status &= ~kStatusHidden;
                    say(header + CR + t->name + "は姿を現した");
                } else {
                    say(header + nothing);
                }
                break;
            case 317:
                if (t->status & kStatusHidden)
                    bewitch(*t, kEffectCharm);
                else
                    say(header + nothing);
                break;
            case 318: {
                if (t->status & kStatusHidden) {
                    t->status &= ~kStatusHidden;
                    say(header + CR + t->name + "は姿を現した");
                } else {
                    say(header + CR + nothing);
                }
                if (!escapes(*t, kResistPhysical))
                    for (auto [type, chance] : {std::pair{22, 50},
                                                {27, 50},
                                                {15, 50},
                                                {24, 50},
                                                {18, 50},
                                                {23, 50},
                                                {16, 20},
                                                {29, 10}})
                        attempt(header, *t, type, chance);
                constexpr int kElements[] = {kResistFire, kResistWater, kResistEarth,
                                             kResistWind, kResistCold,  kResistLightning};
                hit(header, D(), *t, kElements[Die(game_, 6) - 1]);
                break;
            }
            default:
                break;
        }
    }
    if (id == 318) {
        const int g = PickLivingGroup(game_);
        if (g == 0) return;
        auto& fighters = game_.battle.monsters[static_cast<size_t>(g)];
        say(M() + "のキングセイブザアヴァロン" + CR + fighters[1].name + "の" + CR +
            "攻撃回数がＵＰした");
        for (int s = 1; s <= kGroupSlots; ++s) {
            Character& x = fighters[static_cast<size_t>(s)];
            if (x.attackCount <= 30) ++x.attackCount;
        }
    }
}

void Ability::groupBoost(int id) {
    const int g = PickLivingGroup(game_);
    // No group found: nothing is written anywhere.
    if (g == 0) return;
    auto& fighters = game_.battle.monsters[static_cast<size_t>(g)];
    const ActionRecord* row = actionAt(game_.db, id);
    const std::string lead = M() + (row ? row->message : std::string()) + CR + fighters[1].name;
    static const char* const kTexts[] = {
        "に"
        "\r"
        "魔法反射のシールドがはられた",
        "に"
        "\r"
        "物理反射のシールドがはられた",
        "の"
        "\r"
        "攻撃回数がＵＰした",
        "の"
        "\r"
        "防御力がＵＰした",
        "の"
        "\r"
        "攻撃は鋭さを増した",
        "の"
        "\r"
        "素早さと器用さがＵＰした"};
    say(lead + kTexts[id - 300]);
    for (int s = 1; s <= kGroupSlots; ++s) {
        Character& x = fighters[static_cast<size_t>(s)];
        switch (id) {
            case 300:
                x.resistances[2] = 255;
                break;
            case 301:
                x.resistances[1] = 255;
                break;
            case 302:
                if (x.attackCount <= 30) ++x.attackCount;
                break;
            case 303:
                x.damagePercent[1] = static_cast<std::uint8_t>(x.damagePercent[1] / 2);
                break;
            case 304:
                x.meleeStatusChance[31] = 100;
                break;
            default:
                x.dexterity = 50;
                x.agility = 50;
                break;
        }
    }
}

void Ability::throwOut() {
    if (game_.place.partyCount <= 1) return;
    Character* t = anyMember();
    if (!t) return;
    std::vector<bool> taken(kRosterSlots + 1, false);
    for (const Character& c : game_.save.roster)
        if (c.rosterId > 0 && c.partyId >= 1 && c.partyId <= 50) taken[c.partyId] = true;
    int id = 1;
    while (id <= 50 && taken[static_cast<size_t>(id)])
        ++id;
    if (id > 50) return;
    const Place& p = game_.place;
    t->partyId = static_cast<std::uint8_t>(id);
    t->floor = static_cast<std::uint8_t>(std::clamp<int>(p.currentFloor, 0, 255));
    t->posX = static_cast<std::int16_t>(p.partyX);
    t->posY = static_cast<std::int16_t>(p.partyY);
    say(M() + "は" + LF + "大車輪投げを繰り出した" + CR + t->name + "は" + CR + "投げ飛ばされた");
    RebuildParty(game_);
}

void Ability::castOut() {
    if (game_.place.partyCount <= 1) return;
    Character* t = oneLiving();
    if (!t) return;
    const std::string header = M() + "は" + LF + "アナザーディメンションへの道を開いた" + CR;
    if (Die(game_, 18) < t->luck) {
        say(header + t->name + "は" + LF + "かわした");
        return;
    }
    if (escapes(*t, kResistDark)) {
        say(header + t->name + "は" + LF + "抵抗した");
        return;
    }
    const std::string name = t->name;
    t->partyId = 0;
    t->dungeonId = 0;
    t->floor = 0;
    t->posX = 0;
    t->posY = 0;
    t->armorClass = t->baseArmorClass;
    t->status &= ~(kStatusSleep | kStatusParalysis | kStatusFear | kStatusConfusion |
                   kStatusFrozen | kStatusShocked | kStatusCharm | kStatusPoison | kStatusSilence |
                   kStatusHidden | kStatusDecapitationWard | kStatusDrainWard);
    t->status |= kStatusDead;
    t->hitPoints = 0;
    if (t->status & kStatusLost) *t = game_.save.roster[0];
    say(header + name + "は" + CR + "次元の彼方に消え去った");
    RebuildParty(game_);
}

void Ability::destroy(int id) {
    Character* t = oneLiving(true);
    if (!t) return;
    const bool weapon = id == 85;
    if (HasSkill(*t, weapon ? 79 : 80)) return;
    const int code = weapon ? 1 : 3;
    for (int s = 1; s <= kInventorySlots; ++s) {
        ItemSlot& slot = t->items[static_cast<size_t>(s)];
        if (slot.itemId == 0 || (slot.itemFlags & kItemEquipSlotMask) != code) continue;
        if (s > 12) return;
        slot = ItemSlot{};
        say(M() + "の攻撃！！" + CR + t->name + "の" + LF +
            (weapon ? "武器は破壊された" : "鎧は破壊された"));
        return;
    }
}

void Ability::steal() {
    Character* t = anyMember();
    if (!t || HasSkill(*t, 81)) return;
    for (int s = 1; s <= kInventorySlots; ++s) {
        ItemSlot& slot = t->items[static_cast<size_t>(s)];
        if (slot.itemId == 0) continue;
        const ItemRecord* item = itemAt(game_.db, slot.itemId);
        if (item && item->kind == 11) continue;
        if (m_.wisdom < 10 && (slot.itemFlags & kItemEquipSlotMask)) continue;
        slot = ItemSlot{};
        m_.status = kStatusDead;
        say(M() + "は" + LF + CR + t->name + "からアイテムを盗み" + LF + "そして逃げ出した" + LF);
        return;
    }
}

void Ability::megante() {
    MainWindow* main = game_.screens ? game_.screens->main : nullptr;
    if (main) {
        main->backColor = rgb(128, 0, 0);
        main->invalidate();
    }
    const std::string header = M() + "はメガンテを唱えた";
    say(header);
    for (Character* t : everyMember()) {
        KillCharacter(*t, false);
        say(header + CR + t->name + "はくだけ散った");
    }
    KillCharacter(m_, false);
    say(M() + "は力尽きて死んでしまった");
    if (main) {
        main->backColor = colors::black;
        main->invalidate();
    }
}

void Ability::jihad() {
    const std::string header = M() + "は" + LF + "ジハードを起こした";
    for (Character* t : everyLiving()) {
        hit(header, D(), *t, kResistMind, 0, kEffectFear);
        t->status &= ~kDefencesStripped;
        t->armorClass = t->baseArmorClass;
    }
    game_.battle.partyShields[2] = game_.battle.partyShields[3] = 0;
    game_.place.partyEffects = 0;
    say(M() + "パーティーの防御は全て打ち消された");
}

}  // namespace

void MonsterAbility(Game& game, Character& m, int id, Character* ally) {
    Ability(game, m, ally).run(id);
}

void MonsterMelee(Game& game, Character& m, Character* ally) {
    BattleState& b = game.battle;
    if (m.status & (kStatusConfusion | kStatusCharm)) {
        const int g = Die(game, b.groupCount);
        const int s = FirstLiveSlot(b, g);
        if (s != 0)
            MeleeAttack(game, m, b.monsters[static_cast<size_t>(g)][static_cast<size_t>(s)], 0);
        return;
    }
    if (ally) {
        MeleeAttack(game, m, *ally, 0);
        return;
    }
    Character* target = ChooseMeleeTarget(game, m);
    if (!target) return;
    if (target->hitPoints != 0 && target->hitPoints < target->maxHitPoints / 8) {
        for (int i = 1; i <= std::min(game.place.partyCount, kPartySlots); ++i) {
            Character* c = PartyMember(game, i);
            if (!c || c == target || !HasSkill(*c, 34) || Die(game, c->agility) <= 12) continue;
            if (c->status & kStatusCannotAct) break;
            Say(game, c->name + "は" + LF + target->name + "をかばった");
            target = c;
            break;
        }
    }
    MeleeAttack(game, m, *target, 0);
    if (target->status & kStatusDead) {
        if (HasSkill(*target, 94) && target->sex == 2 &&
            Die(game, target->vitality) < Die(game, 10)) {
            Say(game, target->name + "は" + CR + "ヴァルハラから帰還した！");
            target->status = 0;
            target->hitPoints = 1;
        }
        if (target->status & kStatusDead) {
            for (int i = 1; i <= std::min(game.place.partyCount, kPartySlots); ++i) {
                Character* c = PartyMember(game, i);
                if (!c || !HasSkill(*c, 40) || (c->status & kStatusCannotAct)) continue;
                Say(game, c->name + "はあだ討ちにでた");
                MeleeAttack(game, *c, m, MainHandSlot(*c));
                break;
            }
        }
        return;
    }
    if (HasSkill(*target, 30) && !(target->status & kStatusCannotAct) &&
        !(m.status & (kStatusHidden | kStatusCannotAct)) && Die(game, target->agility) >= 11 &&
        !(m.resistances[1] == 255 && HasSkill(*target, 185))) {
        Say(game, target->name + "は反撃にでた");
        MeleeAttack(game, *target, m, MainHandSlot(*target));
    }
}

}  // namespace dv
