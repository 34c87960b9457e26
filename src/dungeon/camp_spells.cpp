#include "dungeon/camp_spells.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "characters/experience.h"
#include "characters/healing.h"
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
#include "core/main_window.h"
#include "core/prompt_dialog.h"
#include "core/save_game.h"
#include "core/screens.h"
#include "core/skin_pictures.h"
#include "core/window_of.h"
#include "dungeon/maze.h"
#include "dungeon/view.h"
#include "items/select_box.h"
#include "items/status_sheet.h"
#include "ui/keys.h"
#include "ui/utf8.h"
#include "ui/window_system.h"

namespace dv {

namespace {

constexpr const char* CR = "\r";
constexpr const char* LF = "\n";
constexpr std::int32_t kKeptBit = 524288;

std::string wide(std::int64_t n) {
    return ToWide(std::to_string(n));
}

void say(Game& game, const std::string& text) {
    ShowMessage(game, text);
}

Character* rosterAt(Game& game, int slot) {
    if (slot < 1 || slot >= kRosterSlots) return nullptr;
    return &game.save.roster[static_cast<size_t>(slot)];
}

// The sheet closes (the party moved or a battle is coming).
void closeSheet(Game& game) {
    if (!game.screens) return;
    StatusSheet& sheet = WindowOf<StatusSheet>(game);
    if (sheet.visible()) {
        sheet.hide();
        sheet.unload();
    }
}

void loseVitality(Game& game, Character& m) {
    if (m.vitality > 1 && !PartyHasSkill(game, 113))
        m.vitality = static_cast<std::uint8_t>(m.vitality - 1);
}

std::string hpLine(const Character& m) {
    return std::string(CR) + std::to_string(m.hitPoints) + "/" + std::to_string(m.maxHitPoints);
}

// The break test of an item whose spell was used: the first unit holding that item goes.
void breakTest(Game& game, Character& user, const std::string& spellName) {
    for (int s = 1; s <= kInventorySlots; ++s) {
        const ItemRecord* item = ItemInSlot(game.db, user, s);
        if (!item) continue;
        const SpellRecord* spell = SpellOfLink(game, item->spellLink);
        if (!spell || SpellNameKey(spell->name) != SpellNameKey(spellName)) continue;
        int bonus = 0;
        if (item->kind == 9) bonus = HasSkill(user, 48) ? 100 : HasSkill(user, 46) ? 20 : 0;
        if (item->kind == 12 && HasSkill(user, 45)) bonus = 20;
        if (Dice(game, 1, 100, bonus) >= item->breakChance) return;
        const int into = item->brokenInto;
        RemoveOneUnit(game, user, s);
        say(game, "壊れました");
        if (into != 0 && itemAt(game.db, into)) {
            for (int f = 1; f <= kInventorySlots; ++f) {
                ItemSlot& slot = user.items[static_cast<size_t>(f)];
                if (slot.itemId != 0) continue;
                slot = ItemSlot{into, 0, 1};
                break;
            }
        }
        return;
    }
}

class CampSpell {
  public:
    CampSpell(Game& game, Character& caster, const SpellRecord& spell, int mode)
        : game_(game), c_(caster), s_(spell), mode_(mode) {}
    void run();

  private:
    Character* pick() {
        const int slot = PickPartyMember(game_, false, "キャラクターを選んでください");
        return rosterAt(game_, slot);
    }
    bool angel(const Character& m) {
        if (m.race != 256) return false;
        say(game_, m.name + "は" + LF + "呪文を無効化した");
        return true;
    }
    std::vector<Character*> memberOrParty() {
        if (HasSkill(c_, 193)) return PartyMembers(game_);
        if (Character* m = pick()) return {m};
        return {};
    }
    void location();
    void locate();
    void wallProbe();
    void wish();
    void teleport();
    void returnToTown();

    Game& game_;
    Character& c_;
    const SpellRecord& s_;
    int mode_;
};

void CampSpell::location() {
    const Place& p = game_.place;
    static const char* const kFacing[] = {"北を向いています", "東を向いています",
                                          "南を向いています", "西を向いています"};
    const char* facing = kFacing[std::clamp(p.facing, 0, 3)];
    say(game_, std::string("現在位置") + " " + std::string(Message(1400 + p.currentDungeon)) + CR +
                   "パーティーは現在　" + facing + CR + "城から東に　" + wide(p.partyX) + "南に" +
                   wide(p.partyY) + CR + "地下" + wide(p.currentFloor) + "階にいます");
    if (mode_ == kCastByMember && HasSkill(c_, 97) && s_.kind <= 4 && s_.level <= 9)
        c_.spellPoints(s_.kind, s_.level) += 1;
}

void CampSpell::locate() {
    std::vector<std::string> names;
    std::vector<int> slots;
    for (int r = 1; r < kRosterSlots; ++r) {
        const Character& c = game_.save.roster[static_cast<size_t>(r)];
        if (c.name.empty()) continue;
        names.push_back(c.name);
        slots.push_back(r);
    }
    const int chosen = PickFromList(game_, names, slots, "キャラクターを選んでください");
    Character* t = rosterAt(game_, chosen);
    if (!t) {
        say(game_, std::string(Message(1015)));
        return;
    }
    if (t == &c_) {
        say(game_, t->name + "は" + LF + "自分だ！");
    } else if (IsPartyMember(game_, chosen)) {
        say(game_, t->name + "は" + LF + "目の前にいる！");
    } else if (t->floor == 0) {
        say(game_, t->name + "は現在" + CR + "城内にいます");
    } else {
        say(game_, t->name + "は現在" + CR + "城から東に　" + wide(t->posX) + "南に" +
                       wide(t->posY) + CR + "地下" + wide(t->floor) + "階にいます");
    }
}

void CampSpell::wallProbe() {
    const Place& p = game_.place;
    static const int kDx[] = {0, 1, 0, -1};
    static const int kDy[] = {-1, 0, 1, 0};
    const int f = std::clamp(p.facing, 0, 3);
    const int x = ((p.partyX + kDx[f]) % kFloorSize + kFloorSize) % kFloorSize;
    const int y = ((p.partyY + kDy[f]) % kFloorSize + kFloorSize) % kFloorSize;
    const bool rock = game_.dungeon.floorWalls(x, y) == 15 && game_.dungeon.floorDoors(x, y) == 0;
    say(game_, rock ? "壁の向こうは石です" : "壁の向こうは空間です");
}

void CampSpell::wish() {
    std::vector<std::string> texts;
    std::vector<int> values;
    for (int e = 0; e < kWishCount; ++e) {
        texts.emplace_back(WishText(e));
        values.push_back(e);
    }
    const int entry = PickFromList(game_, texts, values, "願いをひとつ選んでください");
    if (entry < 0) return;
    int member = 0;
    if (entry >= 3 && entry <= 17) {
        member = PickPartyMember(game_, false, "キャラクターを選んでください");
        if (!rosterAt(game_, member)) return;
    }
    GrantWish(game_, c_.rosterId, entry, member);
}

void CampSpell::teleport() {
    if (!game_.screens) return;
    int floors = 0, east = 0, south = 0;
    if (!WindowOf<TeleportEntry>(game_).ask(floors, east, south)) {
        say(game_, std::string(Message(1015)));
        return;
    }
    RelativeTeleport(game_, floors, east, south);
    // The map's keys take over: they run the landing check once the sheet has closed.
    closeSheet(game_);
}

void CampSpell::returnToTown() {
    Place& p = game_.place;
    for (Character* m : PartyMembers(game_)) {
        m->floor = 1;
        m->posX = 0;
        m->posY = 0;
        // The gold does not survive the journey.
        m->gold = 0;
    }
    p.currentFloor = 1;
    p.partyX = p.previousX = 0;
    p.partyY = p.previousY = 0;
    LoadFloor(game_);
    say(game_, std::string(Message(1018)));
    SaveGame(game_);
    closeSheet(game_);
    Redraw(game_);
}

void CampSpell::run() {
    Place& p = game_.place;
    const int code = s_.effect;
    switch (code) {
        case 3:
            location();
            break;
        case 6:
            p.partyEffects |= 4;
            say(game_, "浮かんだ");
            break;
        case 49:
        case 11:
            p.partyEffects |= code == 49 ? 256 : 1;
            say(game_, std::string(Message(1018)));
            break;
        case 82:
            p.partyEffects |= 32;
            say(game_, std::string(Message(1018)));
            closeSheet(game_);
            break;
        case 104:
            p.partyBlessings |= 4;
            say(game_, "パーティの周囲から魔物の気配が少なくなった");
            break;
        case 5: {
            const std::int32_t bit = s_.diceCount == 5 ? 128 : 64;
            if (p.partyEffects & bit) {
                say(game_, "すでに効いている");
                break;
            }
            p.partyEffects |= bit;
            say(game_, std::string(Message(1018)));
            for (Character* m : PartyMembers(game_))
                m->armorClass = ClampLong(std::int64_t{m->baseArmorClass} - s_.diceCount);
            break;
        }
        case 44:
        case 66:
            teleport();
            break;
        case 54:
            returnToTown();
            break;
        case 8:
            locate();
            break;
        case 57:
            if (Character* m = pick()) {
                const double needed = ExperienceForLevel(m->level, m->classBit, m->race);
                if (needed >= m->experience) {
                    char digits[32];
                    std::snprintf(digits, sizeof digits, "%8.0f", needed - m->experience);
                    std::string text = digits;
                    text.erase(0, text.find_first_not_of(' '));
                    say(game_, "つぎのＬＶまで" + std::string(CR) + ToWide(text) + "です");
                } else {
                    say(game_, m->name + "はＬＶが上がります");
                }
            }
            break;
        case 59:
            wallProbe();
            break;
        case 64:
            wish();
            break;
        case 52:
            for (Character* m : PartyMembers(game_)) {
                if (m->status & kStatusUnhealable) {
                    say(game_, "効果がなかった");
                    continue;
                }
                if (angel(*m)) continue;
                const std::int64_t amount = SpellPower(game_, c_, *m, s_, 0);
                if (std::int64_t{m->hitPoints} + amount < m->maxHitPoints) {
                    HealHitPoints(*m, amount);
                    say(game_,
                        m->name + "は" + LF + wide(amount) + "ポイント回復した" + hpLine(*m));
                } else {
                    m->hitPoints = m->maxHitPoints;
                    say(game_, m->name + "は" + LF + "全快した");
                }
            }
            break;
        case 7:
            if (Character* m = pick()) {
                if (angel(*m)) break;
                say(game_, HealCharacter(*m, SpellPower(game_, c_, *m, s_, 0), false) + hpLine(*m));
            }
            break;
        case 53:
            if (Character* m = pick()) {
                if (angel(*m)) break;
                if (m->status & kStatusGone) {
                    say(game_, m->name + std::string(Message(1023)));
                    break;
                }
                m->status &= ~(kCureStatusBits | (HasSkill(c_, 52) ? kStatusDisease : 0));
                say(game_, HealCharacter(*m, m->maxHitPoints, false) + hpLine(*m));
            }
            break;
        case 74:
            for (Character* m : PartyMembers(game_)) {
                if (angel(*m)) continue;
                if (m->status & kStatusGone) {
                    say(game_, m->name + std::string(Message(1023)));
                } else if (m->status & kStatusDisease) {
                    say(game_, m->name + "は" + LF + "病気なので回復できない");
                } else {
                    m->status &= ~kCureStatusBits;
                    const bool full = m->hitPoints >= m->maxHitPoints;
                    const std::string text = HealCharacter(*m, m->maxHitPoints, false);
                    say(game_, full ? text : text + hpLine(*m));
                }
            }
            break;
        case 60:
        case 10:
        case 43:
        case 73: {
            const std::int32_t bits =
                code == 60
                    ? (kStatusSleep | kStatusFear | kStatusBlind | kStatusConfusion | kStatusCharm)
                : code == 10 ? kStatusParalysis
                : code == 43 ? (kStatusPoison | kStatusDeadlyPoison)
                             : kStatusStone;
            std::vector<Character*> targets;
            if (code == 73) {
                if (Character* m = pick()) targets.push_back(m);
            } else {
                targets = memberOrParty();
            }
            for (Character* m : targets) {
                if (angel(*m)) continue;
                m->status &= ~bits;
                say(game_, m->name + "は" + LF + "回復した");
            }
            break;
        }
        case 24:
        case 80:
            // The member is chosen, and nothing comes of it.
            pick();
            break;
        case 77:
        case 79: {
            const std::int32_t bit =
                code == 77 ? (kStatusPoison | kStatusDeadlyPoison) : kStatusBlind;
            for (Character* m : PartyMembers(game_)) {
                if (angel(*m)) continue;
                if (m->status & bit) {
                    m->status &= ~bit;
                    say(game_, m->name + "は" + LF + (code == 77 ? "解毒された" : "回復した"));
                } else {
                    say(game_, m->name + "は" + LF + "効果が無い");
                }
            }
            break;
        }
        case 106:
        case 113: {
            const int first = code == 106 ? 1 : 4;
            const int last = code == 106 ? std::min(3, PartySize(game_)) : PartySize(game_);
            for (int i = first; i <= last; ++i) {
                Character* m = PartyMember(game_, i);
                if (!m) continue;
                if (m->race == 256)
                    say(game_, m->name + std::string(Message(1023)));
                else
                    say(game_, HealCharacter(*m, SpellPower(game_, c_, *m, s_, 0), false));
            }
            break;
        }
        case 1:
            if (Character* m = pick()) {
                if (angel(*m)) break;
                if ((m->status & (kStatusAshes | kStatusLost)) || !(m->status & kStatusDead)) {
                    say(game_, std::string(Message(1062)));
                } else if (Dice(game_, 1, m->vitality, 0) < 5) {
                    m->status = kStatusAshes;
                    say(game_, m->name + "は" + LF + "灰燼と化した！！");
                } else {
                    m->status &= ~kStatusDead;
                    m->hitPoints = 1;
                    m->ripCount += 1;
                    loseVitality(game_, *m);
                    say(game_, m->name + "は" + LF + "回復した");
                }
            }
            break;
        case 9:
            if (Character* m = pick()) {
                if (angel(*m)) break;
                if ((m->status & kStatusLost) || !(m->status & (kStatusDead | kStatusAshes))) {
                    say(game_, std::string(Message(1062)));
                } else if (Dice(game_, 1, m->vitality, 0) > 3) {
                    m->ripCount += 1;
                    m->status = (m->status & kKeptBit) ? kKeptBit : 0;
                    m->hitPoints = m->maxHitPoints;
                    loseVitality(game_, *m);
                    say(game_, m->name + "は" + LF + "回復した");
                } else if (m->status & kStatusAshes) {
                    const std::string name = m->name;
                    const int slot = m->rosterId;
                    *m = Character{};
                    // The erased character leaves the party too.
                    if (slot >= 1 && IsPartyMember(game_, slot)) RemoveFromParty(game_, slot);
                    say(game_, name + "は" + LF + "消滅した！！");
                    DrawPartyPanel(game_);
                } else {
                    m->status = kStatusAshes;
                    say(game_, m->name + "は" + LF + "灰燼と化した！！");
                }
            }
            break;
        case 71:
            if (Character* m = pick()) {
                if ((m->status & kStatusLost) || !(m->status & (kStatusDead | kStatusAshes))) {
                    say(game_, std::string(Message(1062)));
                    break;
                }
                m->ripCount += 1;
                m->status = (m->status & kKeptBit) ? kKeptBit : 0;
                m->hitPoints = m->maxHitPoints;
                say(game_, m->name + "は" + LF + "回復した");
                DrainLevels(c_, 1, game_.rng);
            }
            break;
        case 72:
            if (Character* m = pick()) {
                if (angel(*m)) break;
                bool raised = false;
                for (int level = 1; level <= 9; ++level)
                    if (m->spellPoints(1, level) < m->maxSpellPoints(1, level)) {
                        m->spellPoints(1, level) += 1;
                        raised = true;
                    }
                say(game_, raised ? m->name + "の魔力が復活した" : std::string("おや？"));
            }
            break;
        default:
            break;
    }
}

}  // namespace

const char* WishText(int entry) {
    static const char* const kWishes[kWishCount] = {
        "全員のＨＰ回復",     "全員の状態を回復",     "全員のＭＰを回復",   "若返らせる",
        "力を上げる",         "知恵を上げる",         "信仰心を上げる",     "生命力を上げる",
        "素早さを上げる",     "運を上げる",           "属性を秩序にする",   "属性を中立にする",
        "属性を混沌にする",   "種族を人間にする",     "種族をエルフにする", "種族をドワーフにする",
        "種族をノームにする", "種族をホビットにする", "城に帰還する!"};
    return entry >= 0 && entry < kWishCount ? kWishes[entry] : "";
}

bool GrantWish(Game& game, int caster, int entry, int member) {
    Character* c = rosterAt(game, caster);
    if (!c || entry < 0 || entry >= kWishCount) return false;
    Character* m = rosterAt(game, member);
    if (entry >= 3 && entry <= 17 && !m) return false;
    DrainLevels(*c, 1, game.rng);
    constexpr std::int32_t kOutOfReach = kStatusDisease | kStatusGone;
    switch (entry) {
        case 0:
            for (Character* p : PartyMembers(game))
                if (!(p->status & kOutOfReach)) p->hitPoints = p->maxHitPoints;
            break;
        case 1:
            for (Character* p : PartyMembers(game))
                p->status = (p->status & kKeptBit) ? kKeptBit : 0;
            break;
        case 2:
            for (Character* p : PartyMembers(game))
                if (!(p->status & kOutOfReach))
                    for (int kind = 1; kind <= 2; ++kind)
                        for (int level = 1; level <= 9; ++level)
                            p->spellPoints(kind, level) = p->maxSpellPoints(kind, level);
            break;
        case 3:
            if (m->age >= 16) m->age -= 1;
            break;
        case 4:
        case 5:
        case 6:
        case 7:
        case 8:
        case 9: {
            std::uint8_t* attributes[] = {&m->strength, &m->wisdom,  &m->piety,
                                          &m->vitality, &m->agility, &m->luck};
            static const int kLimitNumber[] = {1, 2, 3, 4, 6, 7};
            std::uint8_t& a = *attributes[entry - 4];
            if (a < AttributeLimit(m->race, kLimitNumber[entry - 4], true, 1))
                a = static_cast<std::uint8_t>(a + 1);
            break;
        }
        case 10:
        case 11:
        case 12:
        case 13:
        case 14:
        case 15:
        case 16:
        case 17:
            if (entry <= 12)
                m->alignment = static_cast<decltype(m->alignment)>(entry == 10   ? 1
                                                                   : entry == 11 ? 2
                                                                                 : 4);
            else
                m->race = static_cast<decltype(m->race)>(1 << (entry - 13));
            m->experience = ExperienceForLevel(m->level - 1, m->classBit, m->race);
            for (int s = 1; s <= kInventorySlots; ++s)
                m->items[static_cast<size_t>(s)].itemFlags &= ~kItemEquipSlotMask;
            ResetRaceValues(*m);
            say(game, std::string(Message(3038)));
            break;
        case 18: {
            say(game, std::string(Message(1018)));
            Place& p = game.place;
            p.partyX = p.partyY = p.previousX = p.previousY = 0;
            p.currentFloor = 1;
            for (Character* q : PartyMembers(game)) {
                q->floor = 1;
                q->posX = 0;
                q->posY = 0;
            }
            SaveGame(game);
            LoadFloor(game);
            // The sheet stays open; the map is drawn anew when it closes.
            break;
        }
        default:
            break;
    }
    return true;
}

int TeleportOffset(const std::string& text) {
    int value = 0;
    const char* first = text.data();
    const char* last = first + text.size();
    auto [end, ec] = std::from_chars(first, last, value);
    if (ec == std::errc::result_out_of_range) return text.starts_with("-") ? -99 : 99;
    if (ec != std::errc{}) return 0;
    return std::clamp(value, -99, 99);
}

TeleportEntry::TeleportEntry(Ui& ui, Game& game) : Form(ui, "frmMove"), game_(game) {
    backColor = rgb(10, 12, 36);
    bordered = true;
    move(170, 150, 300, 180);
    add(fraMove);
    fraMove.move(0, 0, 300, 180);
    static const char* const kCaptions[] = {
        "転移する値を入力してください",  "上", "東", "南", "負の値で逆向き　↑↓で増減　←→で移動",
        "Ｅｎｔｅｒで転移、ＥＳＣで中止"};
    for (size_t i = 0; i < lblMove.size(); ++i) {
        lblMove[i].setFont(Font::standard(14));
        lblMove[i].setCaption(kCaptions[i]);
        fraMove.add(lblMove[i]);
    }
    lblMove[0].move(12, 10, 276, 18);
    lblMove[4].move(12, 120, 276, 18);
    lblMove[5].move(12, 146, 276, 18);
    for (int i = 0; i < 3; ++i) {
        TextBox& box = txtMove[static_cast<size_t>(i)];
        lblMove[static_cast<size_t>(i + 1)].move(12 + i * 92, 40, 30, 18);
        box.move(12 + i * 92, 62, 80, 24);
        box.font = Font::standard(16);
        box.maxLength = 4;
        fraMove.add(box);
        box.onKeyDown = [this, i](int& code, int) { boxKey(i, code); };
        box.onKeyPress = [](int& ascii) {
            const bool allowed = (ascii >= '0' && ascii <= '9') || ascii == '-' || ascii < 32;
            if (!allowed) ascii = 0;
        };
        box.onGotFocus = [&box] { box.selectAll(); };
    }
}

void TeleportEntry::dress(const SkinPictures& skin) {
    DressPanel(fraMove, skin);
    bordered = !skin.complete;
}

void TeleportEntry::boxKey(int box, int& code) {
    TextBox& t = txtMove[static_cast<size_t>(box)];
    const int value = TeleportOffset(t.text());
    const int length = static_cast<int>(decodeUtf8(t.text()).size());
    switch (code) {
        case keys::Up:
            if (value < 99) t.setText(std::to_string(value + 1));
            code = 0;
            break;
        case keys::Down:
            if (value > -99) t.setText(std::to_string(value - 1));
            code = 0;
            break;
        case keys::Left:
            if (t.selStart() == 0) {
                code = 0;
                focusControl(&txtMove[static_cast<size_t>((box + 2) % 3)]);
            }
            break;
        case keys::Right:
            if (t.selStart() + t.selLength() >= length) {
                code = 0;
                focusControl(&txtMove[static_cast<size_t>((box + 1) % 3)]);
            }
            break;
        case keys::Enter:
            code = 0;
            accepted_ = true;
            hide();
            break;
        case keys::Esc:
            code = 0;
            accepted_ = false;
            hide();
            break;
        default:
            break;
    }
}

bool TeleportEntry::ask(int& floors, int& east, int& south) {
    for (TextBox& t : txtMove)
        t.setText("0");
    accepted_ = false;
    Form* owner = nullptr;
    for (Form* f : game_.screens->ui->forms())
        if (f->isModal() && f != this) owner = f;
    if (!owner) owner = game_.screens->main;
    onActivate = [this] { focusControl(&txtMove[0]); };
    showModal(owner);
    if (!accepted_) return false;
    floors = TeleportOffset(txtMove[0].text());
    east = TeleportOffset(txtMove[1].text());
    south = TeleportOffset(txtMove[2].text());
    return true;
}

void CampCast(Game& game, const std::string& spellName, int mode) {
    Character* c = rosterAt(game, game.currentCharacter);
    if (!c) return;
    const SpellRecord* spell = SpellByIndex(game, FindSpell(game, spellName, 200));
    if (!spell) {
        say(game, "なに？");
        return;
    }
    if (!(spell->flags & kSpellInCamp)) {
        say(game, "今はその魔法はつかえない");
        return;
    }
    if (mode == kCastByMember) {
        if (spell->level >= 10) {
            say(game, "禁呪は使うことが出来ない");
            return;
        }
        const int kind = spell->kind;
        const int level = spell->level;
        if (kind > 4 || spell->number > 4 || c->spellsKnown(kind, level, spell->number) == 0) {
            say(game, "おや？");
            return;
        }
        if ((c->status & kStatusSilence) && !HasSkill(*c, 207)) {
            c->spellPoints(kind, level) =
                static_cast<std::int16_t>(std::max(c->spellPoints(kind, level) - 1, -32768));
            say(game, c->name + "は" + LF + ToWide(spell->name) + "の呪文を唱えた" + CR +
                          "しかし呪文は音にならなかった");
            return;
        }
        if (c->spellPoints(kind, level) < 1) {
            say(game, "無理だ");
            return;
        }
        c->spellPoints(kind, level) -= 1;
    }
    if (CampSpellSwallowed(game, spell->effect)) {
        say(game, "しかし呪文はかき消された");
        return;
    }
    const SpellRecord cast = *spell;
    CampSpell(game, *c, cast, mode).run();
    if (mode == kCastByItem) {
        if (Character* user = rosterAt(game, game.currentCharacter))
            breakTest(game, *user, cast.name);
    }
}

bool CampSpellSwallowed(const Game& game, int effect) {
    const Place& p = game.place;
    return p.currentDungeon == 24 && p.currentFloor >= 3 && p.currentFloor <= 5 &&
           (effect == 3 || effect == 54);
}

}  // namespace dv
