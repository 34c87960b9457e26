#include "dungeon/chest.h"

#include <algorithm>
#include <string>

#include "characters/inventory.h"
#include "characters/member_choice.h"
#include "characters/party_items.h"
#include "core/data/message.h"
#include "core/game.h"
#include "core/main_window.h"
#include "core/music.h"
#include "core/prompt_dialog.h"
#include "core/save_game.h"
#include "core/screens.h"
#include "core/skin_pictures.h"
#include "dungeon/dungeon_controls.h"
#include "dungeon/expedition.h"
#include "dungeon/map_events.h"
#include "dungeon/maze.h"
#include "dungeon/party_rules.h"
#include "dungeon/view.h"
#include "ui/keys.h"
#include "ui/utf8.h"

namespace dv {

namespace {

constexpr int kWidth = 240;
constexpr int kHeight = 200;
constexpr int kFont = 16;

struct CommandLine {
    ChestCommand command;
    const char* text;
};
constexpr CommandLine kCommands[] = {{ChestCommand::Inspect, "I)調べる"},
                                     {ChestCommand::Disba, "D)ＤＩＳＢＡ"},
                                     {ChestCommand::Disarm, "P)罠を外す"},
                                     {ChestCommand::Open, "O)開ける"},
                                     {ChestCommand::Leave, "L)立ち去る"}};

// Paralysed, stone, dead, ashes or lost: such a member cannot touch the chest.
constexpr std::int32_t kCannotTouch = 2 | 8192 | 16384 | 32768 | 65536;

// A trap row drawn from 1..last, for a false name.
const TrapRecord* randomTrap(Game& game, int last) {
    return trapAt(game.db, game.rng.uniform(1, last));
}

}  // namespace

Inspection InspectionOf(Game& game, const Character& c) {
    auto roll = [&](std::int64_t n) { return game.rng.uniform(1, std::max<std::int64_t>(n, 1)); };
    if (c.skills[1] != 0) {
        if (c.skills[11] != 0) return Inspection::TrueName;
        if (c.classBit & (8 | 32)) {
            if (roll(c.dexterity) != 1) return Inspection::TrueName;
            return roll(50) == 1 ? Inspection::TrapSprung : Inspection::FalseName;
        }
        if (c.classBit & 1024) {
            if (roll(c.dexterity) >= 3) return Inspection::TrueName;
            return roll(30) == 1 ? Inspection::TrapSprung : Inspection::FalseName;
        }
        if (roll(c.dexterity) > 9) return Inspection::TrueName;
        return roll(8) == 1 ? Inspection::TrapSprung : Inspection::FalseName;
    }
    if (roll(c.agility) >= 17) return Inspection::TrueName;
    return roll(8) == 1 ? Inspection::TrapSprung : Inspection::FalseName;
}

const SpellRecord* DisbaSpell(const Game& game) {
    for (int i = 1; i <= 60 && i < static_cast<int>(game.db.spellTable.size()); ++i)
        if (game.db.spellTable[static_cast<size_t>(i)].effect == 41)
            return &game.db.spellTable[static_cast<size_t>(i)];
    return nullptr;
}

std::string TrapAnswer(const std::string& typed) {
    std::u32string text = decodeUtf8(typed);
    for (char32_t& ch : text) {
        if (ch >= U'a' && ch <= U'z') ch = ch - U'a' + U'A';
        if (ch >= U'ａ' && ch <= U'ｚ') ch = ch - U'ａ' + U'Ａ';
    }
    return encodeUtf8(text);
}

std::vector<int> ChestCandidates(const Game& game, const ChestOrigin& origin) {
    std::vector<int> items;
    if (origin.foundLevel > 0) {
        for (int row = 1; row <= 50; ++row)
            if (game.db.chestItemTable(row, 0) <= origin.foundLevel &&
                itemAt(game.db, game.db.chestItemTable(row, 1)))
                items.push_back(game.db.chestItemTable(row, 1));
        return items;
    }
    for (int n = 1; n < static_cast<int>(game.db.itemTable.size()); ++n) {
        const ItemRecord& r = game.db.itemTable[static_cast<size_t>(n)];
        if (r.chestRank != 0 && r.chestRank <= origin.battleLevel && r.chestAllowed > 0)
            items.push_back(n);
    }
    return items;
}

InspectReading InspectChest(Game& game, const Character& member, const TrapRecord& trap) {
    InspectReading reading;
    reading.result = InspectionOf(game, member);
    if (reading.result == Inspection::TrueName) {
        reading.name = trap.trapName;
    } else if (reading.result == Inspection::FalseName) {
        const TrapRecord* other = randomTrap(game, 50);
        reading.name = other ? other->trapName : std::string();
    }
    return reading;
}

bool CastDisba(Game& game, Character& member, const TrapRecord& trap, std::string& shown) {
    const SpellRecord* spell = DisbaSpell(game);
    const bool castable = spell && spell->kind <= 3 && spell->level >= 1 && spell->level <= 9 &&
                          spell->number >= 1 && spell->number <= 4 &&
                          member.spellsKnown(spell->kind, spell->level, spell->number) != 0 &&
                          member.spellPoints(spell->kind, spell->level) >= 1;
    if (!castable) return false;
    --member.spellPoints(spell->kind, spell->level);
    if (game.rng.uniform(1, 20) == 1) {
        const TrapRecord* other = randomTrap(game, 41);
        shown = other ? other->trapName : std::string();
    } else {
        shown = trap.trapName;
    }
    return true;
}

DisarmResult DisarmAttempt(Game& game, const Character& member, const ChestOrigin& origin,
                           const TrapRecord& trap, const std::string& typed) {
    if (TrapAnswer(typed) != trap.trapName) return DisarmResult::Sprung;
    if (member.skills[12] != 0) {
        ShowMessage(game, "罠を外した");
        return DisarmResult::Disarmed;
    }
    // A found chest's disarm roll uses its own level.
    const int level = origin.foundLevel > 0 ? origin.foundLevel : origin.battleLevel;
    const std::int64_t r = game.rng.uniform(1, level + 50);
    if (r == 1) return DisarmResult::Sprung;
    if (r >= std::int64_t{member.dexterity} + member.level) {
        ShowMessage(game, "罠を外すことができなかった");
        return DisarmResult::Failed;
    }
    if (member.skills[2] != 0 || game.rng.uniform(1, std::max<int>(member.luck, 1)) > 15) {
        ShowMessage(game, "罠を外した");
        return DisarmResult::Disarmed;
    }
    return DisarmResult::Sprung;
}

bool OpenChestAndLoot(Game& game, const ChestOrigin& origin, const TrapRecord& trap,
                      Character* opener, bool safe) {
    if (safe && opener && opener->skills[103] != 0)
        opener->experience += static_cast<double>(trap.trapLevel) * 25;
    if (!safe) {
        ShowMessage(game, "罠に引っかかった！");
        SpringTrap(game, trap, game.currentCharacter, origin.mapEvent != 0);
        if (CheckLanding(game) || WipeOutTest(game)) return false;
    }
    RefreshPartyPanel(game);
    const std::vector<int> candidates = ChestCandidates(game, origin);
    int given = 0, lost = 0;
    auto give = [&](int item) {
        for (int i = 1; i <= game.place.partyCount; ++i) {
            Character* c = PartyMember(game, i);
            if (!c) continue;
            if (StoreItem(*c, game.db, item, true, 1) != 0) continue;
            const ItemRecord* r = itemAt(game.db, item);
            ShowMessage(game, c->name + std::string(Message(1024)) + (r ? r->altName : "") +
                                  "を手に入れた");
            CountFound(game, item);
            ++given;
            return;
        }
        ++lost;
    };
    if (!candidates.empty()) {
        const int most = PartyHasSkill(game, 93) ? 4 : 3;
        const std::int64_t count = game.rng.uniform(1, most);
        for (std::int64_t k = 0; k < count; ++k)
            give(candidates[static_cast<size_t>(
                game.rng.uniform(0, static_cast<std::int64_t>(candidates.size()) - 1))]);
    }
    if (itemAt(game.db, origin.dropItem) && game.rng.uniform(1, 5) == 1) give(origin.dropItem);
    if (given == 0 && lost > 0) ShowMessage(game, "パーティーの持ち物はいっぱいだった");
    return true;
}

void ChestScreen::attach(MainWindow& main, Game& game) {
    game_ = &game;
    main_ = &main;
    fraTreasure.move(main.width() / 5, main.height() / 4, kWidth, kHeight);
    fraTreasure.setVisible(false);
    fraTreasure.caption = "宝箱";
    fraTreasure.captionFont = Font::standard(kFont);
    fraTreasure.captionColor = rgb(255, 230, 150);
    main.add(fraTreasure);
    lstTreasure.setFont(Font::standard(kFont));
    lstTreasure.setSelectionFont(Font::standard(kFont));
    lstTreasure.accessKeyEnter = true;
    lblTreasure.setFont(Font::standard(kFont));
    lblTreasure.wordWrap = false;
    lblTreasure.alignment = Align::Center;
    lblTreasure.setVisible(false);
    fraTreasure.add(lstTreasure);
    fraTreasure.add(lblTreasure);
    lstTreasure.onEnter = [this] { confirm(); };
    lstTreasure.onKeyDown = [this](int& code, int) {
        if (code != keys::Esc && code != keys::Back) return;
        code = 0;
        lstTreasure.setListIndex(lstTreasure.listCount() - 1);
        confirm();
    };
    main.tmrTreasure.onTick = [this] { timerTick(); };
}

void ChestScreen::dress(const SkinPictures& skin) {
    DressPanel(fraTreasure, skin);
    DressList(lstTreasure, skin);
    const Rect in = fraTreasure.innerRect();
    lstTreasure.move(in.x + 8, in.y + 28, in.w - 16, in.h - 64);
    lblTreasure.move(in.x + 4, in.y + in.h - 32, in.w - 8, 24);
}

void ChestScreen::fillCommands(bool withInspect) {
    lstTreasure.setRedraw(false);
    lstTreasure.clear();
    for (const CommandLine& c : kCommands) {
        if (c.command == ChestCommand::Inspect && !withInspect) continue;
        lstTreasure.addItem(c.text);
        lstTreasure.setItemData(lstTreasure.newIndex(), static_cast<int>(c.command));
    }
    lstTreasure.setRedraw(true);
}

ChestCommand ChestScreen::commandAt(int line) const {
    return static_cast<ChestCommand>(lstTreasure.itemData(line));
}

void ChestScreen::open(const ChestOrigin& origin) {
    Game& game = *game_;
    origin_ = origin;
    const TrapRecord* t = trapAt(game.db, origin.trap);
    trap_ = t ? *t : TrapRecord{};
    open_ = true;
    main_->busy = true;
    fillCommands(true);
    fraTreasure.move(main_->width() / 5, main_->height() / 4);
    fraTreasure.setVisible(true);
    fraTreasure.setEnabled(true);
    fraTreasure.bringToFront();
    lblTreasure.setVisible(false);
    main_->fraParty.setVisible(true);
    lstTreasure.setEnabled(true);
    lstTreasure.setListIndex(0);
    lstTreasure.setFocus();
}

void ChestScreen::confirm() {
    const int line = lstTreasure.listIndex();
    if (line < 0 || !open_) return;
    const ChestCommand command = commandAt(line);
    if (command == ChestCommand::Leave) {
        leave();
        return;
    }
    // The member who acts is chosen on the party panel.
    main_->fraParty.setVisible(true);
    fraTreasure.setEnabled(false);
    Game& game = *game_;
    BeginMemberChoice(
        game, [this, command] { act(command); }, [this] { backToList(); });
}

void ChestScreen::backToList() {
    EndMemberChoice(*game_);
    // While a trap's name shows, the timer gives the list back.
    if (!main_->tmrTreasure.enabled()) fraTreasure.setEnabled(true);
    lstTreasure.setEnabled(true);
    lstTreasure.setFocus();
}

void ChestScreen::act(ChestCommand command) {
    Game& game = *game_;
    EndMemberChoice(game);
    const int slot = game.currentCharacter;
    if (slot < 1 || slot >= kRosterSlots) return backToList();
    Character& member = game.save.roster[static_cast<size_t>(slot)];
    if (member.status & kCannotTouch) {
        ShowMessage(game, std::string(Message(1003)));
        backToList();
        return;
    }
    switch (command) {
        case ChestCommand::Inspect:
            inspect(member);
            break;
        case ChestCommand::Disba:
            disba(member);
            break;
        case ChestCommand::Disarm:
            disarm(member);
            break;
        case ChestCommand::Open:
            openChest(&member, false);
            break;
        case ChestCommand::Leave:
            leave();
            break;
    }
}

void ChestScreen::showName(const std::string& name) {
    lblTreasure.setCaption(name);
    lblTreasure.setVisible(true);
    fraTreasure.setEnabled(false);
    main_->tmrTreasure.setEnabled(true);
}

void ChestScreen::timerTick() {
    lblTreasure.setVisible(false);
    lblTreasure.setCaption("");
    main_->tmrTreasure.setEnabled(false);
    if (!open_) return;
    fraTreasure.setEnabled(true);
    lstTreasure.setEnabled(true);
    if (!main_->fraParty.hasFocus()) lstTreasure.setFocus();
}

void ChestScreen::inspect(Character& member) {
    Game& game = *game_;
    // Inspecting is done once a chest.
    fillCommands(false);
    lstTreasure.setListIndex(0);
    const InspectReading reading = InspectChest(game, member, trap_);
    if (reading.result == Inspection::TrapSprung) {
        openChest(&member, false);
        return;
    }
    showName(reading.name);
    backToList();
}

void ChestScreen::disba(Character& member) {
    std::string shown;
    if (!CastDisba(*game_, member, trap_, shown)) {
        ShowMessage(*game_, "唱える力がありません");
        backToList();
        return;
    }
    showName(shown);
    backToList();
}

void ChestScreen::disarm(Character& member) {
    Game& game = *game_;
    const std::string typed = PromptDialog(game, "罠を入力して下さい", kPromptInput, "");
    // Leaving the question empty (or with Esc) touches nothing.
    if (typed.empty()) {
        backToList();
        return;
    }
    switch (DisarmAttempt(game, member, origin_, trap_, typed)) {
        case DisarmResult::Disarmed:
            openChest(&member, true);
            return;
        case DisarmResult::Failed:
            backToList();
            return;
        case DisarmResult::Sprung:
            openChest(&member, false);
            return;
    }
}

void ChestScreen::openChest(Character* opener, bool safe) {
    Game& game = *game_;
    if (!OpenChestAndLoot(game, origin_, trap_, opener, safe)) {
        close();
        WipeOut(game);
        return;
    }
    const int mapEvent = origin_.mapEvent;
    close();
    const EncounterCall next = mapEvent != 0 ? PostBattleCheck(game) : EncounterCall{};
    if (mapEvent != 0) game.battle.mapEvent = 0;
    SaveGame(game);
    Redraw(game);
    if (next.encounter > 0 && game.place.currentFloor > 0) StartEventBattle(game, next);
}

void ChestScreen::leave() {
    Game& game = *game_;
    const int mapEvent = origin_.mapEvent;
    close();
    if (mapEvent != 0) {
        const EncounterCall next = PostBattleCheck(game);
        game.battle.mapEvent = 0;
        if (next.encounter > 0 && game.place.currentFloor > 0) StartEventBattle(game, next);
    }
}

void ChestScreen::close() {
    Game& game = *game_;
    open_ = false;
    main_->tmrTreasure.setEnabled(false);
    lblTreasure.setVisible(false);
    fraTreasure.setVisible(false);
    EndMemberChoice(game);
    game.dungeon.pendingChest = 0;
    main_->busy = false;
    PlayScene(game, game.dungeon.dungeonMusic);
    main_->picMap.setFocus();
}

void OpenFoundChest(Game& game) {
    if (game.dungeon.pendingChest == 0 || !game.screens) return;
    ChestOrigin origin;
    origin.foundLevel = game.dungeon.pendingChest;
    origin.trap = static_cast<int>(game.rng.uniform(1, 50));
    game.screens->part<ChestScreen>().open(origin);
}

}  // namespace dv
