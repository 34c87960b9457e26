#include "battle/battle_screen.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <filesystem>

#include "battle/party_actions.h"
#include "battle/rounds.h"
#include "characters/inventory.h"
#include "characters/member_choice.h"
#include "characters/party.h"
#include "characters/party_controls.h"
#include "combat/fighters.h"
#include "combat/spells.h"
#include "core/data/atomic_file.h"
#include "core/data/text.h"
#include "core/game.h"
#include "core/game_settings.h"
#include "core/main_window.h"
#include "core/prompt_dialog.h"
#include "core/screens.h"
#include "core/skin_pictures.h"
#include "items/status_sheet.h"
#include "ui/keys.h"
#include "ui/png.h"

namespace dv {

namespace {

// The layout above the party panel (y 0..360).
constexpr Rect kMonsterList{8, 24, 440, 100};
constexpr Rect kCommandList{456, 24, 176, 328};
constexpr Rect kSummonPanel{8, 128, 440, 34};
constexpr Rect kHelpPanel{8, 166, 184, 186};
constexpr Rect kItemPanel{456, 24, 176, 200};
// The picture stands on the party panel, centred; larger pictures are scaled down to this.
constexpr int kPictureWidth = 240;
constexpr int kPictureHeight = 180;
constexpr int kPartyTop = 360;
constexpr int kInspectionSheet = 1;

BattleScreen* screenOf(Game& game) {
    return game.screens ? game.screens->findPart<BattleScreen>() : nullptr;
}

std::string wide(std::int64_t n) {
    return ToWide(std::to_string(n));
}

}  // namespace

SeeThroughPicture::SeeThroughPicture(std::string name) : Control(std::move(name)) {}

void SeeThroughPicture::setPicture(const Canvas& picture, const std::vector<std::uint8_t>& alpha,
                                   int maxWidth, int maxHeight) {
    const int w = picture.width();
    const int h = picture.height();
    if (w <= 0 || h <= 0) {
        clearPicture();
        return;
    }
    const double scale =
        std::min({1.0, static_cast<double>(maxWidth) / w, static_cast<double>(maxHeight) / h});
    const int sw = std::max(1, static_cast<int>(w * scale));
    const int sh = std::max(1, static_cast<int>(h * scale));
    picture_.resize(sw, sh);
    alpha_.assign(static_cast<size_t>(sw) * static_cast<size_t>(sh), 255);
    for (int y = 0; y < sh; ++y) {
        const int sy = std::min(h - 1, y * h / sh);
        for (int x = 0; x < sw; ++x) {
            const int sx = std::min(w - 1, x * w / sw);
            const auto from = static_cast<size_t>(sy * w + sx);
            const auto to = static_cast<size_t>(y * sw + x);
            picture_.pixels()[to] = picture.pixels()[from];
            alpha_[to] = from < alpha.size() ? alpha[from] : 255;
        }
    }
    invalidate();
}

void SeeThroughPicture::clearPicture() {
    picture_ = Canvas();
    alpha_.clear();
    invalidate();
}

void SeeThroughPicture::paint(Canvas& canvas, const Rect& area) {
    if (picture_.width() == 0) return;
    const Rect clip = canvas.clip();
    for (int y = 0; y < picture_.height(); ++y) {
        const int cy = area.y + y;
        if (cy < clip.y || cy >= clip.y + clip.h) continue;
        for (int x = 0; x < picture_.width(); ++x) {
            const int cx = area.x + x;
            if (cx < clip.x || cx >= clip.x + clip.w) continue;
            const auto i = static_cast<size_t>(y * picture_.width() + x);
            const std::uint32_t a = alpha_[i];
            if (a == 0) continue;
            const std::uint32_t src = picture_.pixels()[i];
            if (a == 255) {
                canvas.setPixel(cx, cy, src);
                continue;
            }
            const std::uint32_t dst = canvas.pixel(cx, cy);
            auto mix = [&](int shift) {
                const std::uint32_t s = (src >> shift) & 0xFF;
                const std::uint32_t d = (dst >> shift) & 0xFF;
                return ((s * a + d * (255 - a)) / 255) << shift;
            };
            canvas.setPixel(cx, cy, mix(16) | mix(8) | mix(0));
        }
    }
}

void BattleScreen::attach(MainWindow& main, Game& game) {
    main_ = &main;
    game_ = &game;

    picMonster.setVisible(false);
    main.add(picMonster);

    lstMonster.move(kMonsterList.x, kMonsterList.y, kMonsterList.w, kMonsterList.h);
    lstMonster.setFont(Font::standard(16));
    lstMonster.setSelectionFont(Font::standard(16));
    lstMonster.accessKeyOn = false;
    lstMonster.setVisible(false);
    lstMonster.setEnabled(false);
    main.add(lstMonster);
    lstMonster.onEnter = [this] { chooseMonster(); };
    lstMonster.onKeyDown = [this](int& code, int) { monsterKeyDown(code); };

    fraSummon.move(kSummonPanel.x, kSummonPanel.y, kSummonPanel.w, kSummonPanel.h);
    fraSummon.setVisible(false);
    main.add(fraSummon);
    lblSummon.setFont(Font::standard(16));
    lblSummon.wordWrap = false;
    fraSummon.add(lblSummon);

    fraHelp.move(kHelpPanel.x, kHelpPanel.y, kHelpPanel.w, kHelpPanel.h);
    fraHelp.setVisible(false);
    main.add(fraHelp);
    lblHelp.setFont(Font::standard(12));
    lblHelp.wordWrap = false;
    fraHelp.add(lblHelp);

    fraUseItem.move(kItemPanel.x, kItemPanel.y, kItemPanel.w, kItemPanel.h);
    fraUseItem.setVisible(false);
    main.add(fraUseItem);
    lstUseItem.setFont(Font::standard(14));
    lstUseItem.setSelectionFont(Font::standard(14));
    lstUseItem.accessKeyOn = false;
    fraUseItem.add(lstUseItem);
    lstUseItem.onEnter = [this] { chooseItem(); };
    lstUseItem.onKeyDown = [this](int& code, int) { itemKeyDown(code); };

    ListEx& commands = main.lstBattleCommand;
    commands.move(kCommandList.x, kCommandList.y, kCommandList.w, kCommandList.h);
    commands.setFont(Font::standard(14));
    commands.setSelectionFont(Font::standard(14));
    // A command's letter chooses it at once.
    commands.accessKeyEnter = true;
    commands.onEnter = [this] { chooseCommand(); };
    commands.onKeyDown = [this](int& code, int) { commandKeyDown(code); };
    commands.bringToFront();
}

void BattleScreen::dress(const SkinPictures& skin) {
    DressList(lstMonster, skin);
    DressPanel(fraSummon, skin);
    DressPanel(fraHelp, skin);
    DressPanel(fraUseItem, skin);
    {
        const Rect in = fraUseItem.innerRect();
        lstUseItem.move(in.x + 2, in.y + 2, in.w - 4, in.h - 4);
        DressList(lstUseItem, skin);
    }
    for (PanelEx* p : {&fraSummon, &fraHelp}) {
        Rect in = p->innerRect();
        Label& l = p == &fraSummon ? lblSummon : lblHelp;
        l.move(in.x + 4, in.y + 2, in.w - 8, in.h - 4);
    }
}

void BattleScreen::buildCommandMenu(int direction) {
    Game& game = *game_;
    BattleState& b = game.battle;
    ListEx& list = main_->lstBattleCommand;
    list.setRedraw(false);
    list.clear();
    fraHelp.setVisible(game.options.battleHelpWindow != 0);
    b.commandSlot = MoveCommandSlot(game, b.commandSlot, direction);
    shown_ = CommandsFor(game, b.commandSlot);
    const Character* member = PartyMember(game, b.commandSlot);
    const bool serving = member && !(member->status & kStatusCannotAct);
    if (serving) {
        const std::string_view status = StatusName(member->status);
        ShowCommandLabel(game, b.commandSlot,
                         status.empty() ? wide(member->maxHitPoints) : std::string(status));
    }
    for (BattleCommand c : shown_)
        list.addItem(std::string(CommandCaption(c)));
    list.setListIndex(0);
    list.setCaption(serving ? member->name : std::string());
    list.setRedraw(true);
    list.setVisible(true);
    list.setEnabled(true);
    list.bringToFront();
    list.setFocus();
    refreshHelp();
}

void BattleScreen::refreshHelp() {
    Game& game = *game_;
    const Character* c = PartyMember(game, game.battle.commandSlot);
    if (!c) {
        lblHelp.setCaption("");
        return;
    }
    std::string text = "STR:" + std::to_string(c->strength) +
                       " DEX:" + std::to_string(c->dexterity) + " LUK:" + std::to_string(c->luck);
    static const char* const kSchools[] = {"W:", "C:", "A:", "T:"};
    for (int kind = 0; kind < 4; ++kind) {
        text += "\n";
        text += kSchools[kind];
        for (int level = 1; level <= 9; ++level) {
            if (level > 1) text += "/";
            text += std::to_string(c->spellPoints(kind, level));
        }
    }
    for (int s = 1; s <= kInventorySlots; ++s) {
        const ItemSlot& slot = c->items[static_cast<size_t>(s)];
        if (!(slot.itemFlags & kItemEquipSlotMask)) continue;
        const ItemRecord* item = itemAt(game.db, slot.itemId);
        if (!item) continue;
        text += "\nE:" + ((slot.itemFlags & kItemUnidentified) ? item->altName : item->name);
    }
    lblHelp.setCaption(text);
}

void BattleScreen::showRows() {
    const BattleState& b = game_->battle;
    const int keep = lstMonster.listIndex();
    lstMonster.setRedraw(false);
    lstMonster.clear();
    for (int r = 0; r < b.rowCount; ++r) {
        lstMonster.addItem(b.rows[static_cast<size_t>(r)].text);
        lstMonster.setItemData(lstMonster.newIndex(), b.rows[static_cast<size_t>(r)].group);
    }
    lstMonster.setListIndex(lstMonster.enabled() ? std::min(keep, b.rowCount - 1) : -1);
    lstMonster.setRedraw(true);
    lblSummon.setCaption(b.summonRow);
    fraSummon.setVisible(b.summonsShown);
}

void BattleScreen::showPicture(int group) {
    Game& game = *game_;
    picMonster.setVisible(false);
    picMonster.clearPicture();
    if (group < 1 || group > kMonsterGroups) return;
    const Character& first = game.battle.monsters[static_cast<size_t>(group)][0];
    // The player's picture for the monster's true name, else the picture of its type.
    const Loaded* shown = nullptr;
    if (const auto chosen = MonsterPicturePath(game, first.name); !chosen.empty()) {
        shown = &pictureFile(chosen, true);
        if (shown->picture.width() == 0) shown = nullptr;
    }
    const std::int32_t type = first.classBit;
    // One picture per monster type: monNN.png, NN = the type bit's place + 1.
    if (!shown && type > 0 && std::has_single_bit(static_cast<std::uint32_t>(type))) {
        const int number = std::countr_zero(static_cast<std::uint32_t>(type)) + 1;
        const Loaded*& typePicture = typePictures_[number];
        if (!typePicture) {
            char name[32];
            std::snprintf(name, sizeof name, "mon%02d.png", number);
            typePicture = &pictureFile(FindFileNoCase(game.programDir, name), false);
        }
        shown = typePicture;
    }
    if (!shown || shown->picture.width() == 0) return;
    picMonster.setPicture(shown->picture, shown->alpha, kPictureWidth, kPictureHeight);
    const int w = picMonster.picture().width();
    const int h = picMonster.picture().height();
    picMonster.move((640 - w) / 2, kPartyTop - h, w, h);
    picMonster.setVisible(true);
}

const BattleScreen::Loaded& BattleScreen::pictureFile(const std::filesystem::path& path,
                                                      bool chosen) {
    auto found = pictures_.find(path);
    if (found != pictures_.end()) return found->second;
    Loaded loaded;
    if (!loadPicture(path.string(), loaded.picture, loaded.alpha)) {
        loaded.picture = Canvas();
        // Said once per file: the monster's own picture is shown instead.
        if (chosen)
            std::fprintf(stderr, "dalvenor: %s: not a picture the game can show\n",
                         path.string().c_str());
    }
    return pictures_.emplace(path, std::move(loaded)).first->second;
}

void BattleScreen::commandKeyDown(int& code) {
    if (code != keys::Esc && code != keys::Back) return;
    code = 0;
    BattleState& b = game_->battle;
    if (b.commandSlot > 1) b.commandSlot -= 1;
    buildCommandMenu(2);
}

void BattleScreen::nextMember() {
    game_->battle.commandSlot += 1;
    buildCommandMenu(1);
}

void BattleScreen::chooseCommand() {
    Game& game = *game_;
    BattleState& b = game.battle;
    ListEx& list = main_->lstBattleCommand;
    const int index = list.listIndex();
    if (index < 0 || index >= static_cast<int>(shown_.size())) return;
    const BattleCommand command = shown_[static_cast<size_t>(index)];
    Character* member = PartyMember(game, b.commandSlot);
    switch (command) {
        case BattleCommand::Start:
            StartRound(game);
            break;
        case BattleCommand::Back:
            if (b.commandSlot > 1) b.commandSlot -= 1;
            buildCommandMenu(2);
            break;
        case BattleCommand::Flee:
            FlightTest(game, b.commandSlot);
            break;
        case BattleCommand::Restart:
            DrawPartyPanel(game);
            b.commandSlot = 1;
            buildCommandMenu(1);
            break;
        case BattleCommand::Fight:
        case BattleCommand::Ambush:
        case BattleCommand::Steal:
        case BattleCommand::Search:
        case BattleCommand::SeeThrough:
        case BattleCommand::ThrowMoney:
        case BattleCommand::Breath:
        case BattleCommand::Dispel:
            if (!member) break;
            pending_ = command;
            SetCommand(*member, CommandCode(*member, command), member->targetGroup);
            ShowCommandLabel(game, b.commandSlot, CommandLabel(command));
            askMonsterGroup();
            break;
        case BattleCommand::Defend:
        case BattleCommand::Hide:
            if (!member) break;
            SetCommand(*member, CommandCode(*member, command), 0);
            ShowCommandLabel(game, b.commandSlot, CommandLabel(command));
            nextMember();
            break;
        case BattleCommand::Cast:
            if (member) askSpell(*member);
            break;
        case BattleCommand::UseItem:
        case BattleCommand::Song:
            if (member) openItems(*member, command == BattleCommand::Song);
            break;
        case BattleCommand::Summon:
            if (member) askSummonLevel(*member);
            break;
        case BattleCommand::Status:
            if (!member) break;
            OpenSheet(game, game.place.partyMembers[static_cast<size_t>(b.commandSlot)],
                      kInspectionSheet);
            DrawPartyPanel(game);
            list.setFocus();
            break;
        case BattleCommand::Reorder: {
            list.setEnabled(false);
            PartyControls& party = game.screens->part<PartyControls>();
            party.onReorderClosed = [this] {
                game_->battle.commandSlot = 1;
                buildCommandMenu(1);
            };
            OpenReorderPanel(game);
            break;
        }
        case BattleCommand::NormalAuto:
            NormalAuto(game);
            for (int i = 1; i <= std::min(game.place.partyCount, kPartySlots); ++i) {
                const Character* c = PartyMember(game, i);
                if (!c || (c->status & kStatusCannotAct)) continue;
                const BattleCommand shownAs = c->actionCode == kActDefend   ? BattleCommand::Defend
                                              : (c->status & kStatusHidden) ? BattleCommand::Ambush
                                                                            : BattleCommand::Fight;
                ShowCommandLabel(game, i, CommandLabel(shownAs));
            }
            StartRound(game);
            break;
    }
}

void BattleScreen::monsterKeyDown(int& code) {
    if (code != keys::Esc && code != keys::Back) return;
    code = 0;
    backToCommands();
}

void BattleScreen::backToCommands() {
    lstMonster.setListIndex(-1);
    lstMonster.setEnabled(false);
    ListEx& list = main_->lstBattleCommand;
    list.setEnabled(true);
    list.setVisible(true);
    list.setListIndex(0);
    list.setFocus();
}

void BattleScreen::chooseMonster() {
    Game& game = *game_;
    BattleState& b = game.battle;
    Character* member = PartyMember(game, b.commandSlot);
    const int row = lstMonster.listIndex();
    if (!member || row < 0 || row >= lstMonster.listCount()) return;
    if (pending_ == BattleCommand::Fight && !FightReaches(game, *member, row)) {
        ShowMessage(game, "そこに攻撃は届かない");
        lstMonster.setListIndex(0);
        lstMonster.setFocus();
        return;
    }
    member->targetGroup = static_cast<std::int16_t>(lstMonster.itemData(row));
    backToCommands();
    nextMember();
}

void BattleScreen::askMonsterGroup() {
    main_->lstBattleCommand.setEnabled(false);
    lstMonster.setEnabled(true);
    lstMonster.setListIndex(0);
    lstMonster.setFocus();
}

void BattleScreen::askSpell(Character& member) {
    Game& game = *game_;
    BattleState& b = game.battle;
    SetCommand(member, CommandCode(member, BattleCommand::Cast), 0);
    member.actionSpell = 0;
    const std::string typed =
        PromptDialog(game, "呪文を入力してください", kPromptInput, b.lastSpellName);
    if (typed.empty()) {
        backToCommands();
        return;
    }
    b.lastSpellName = typed;
    ShowCommandLabel(game, b.commandSlot, SpellNameKey(typed));
    aim(SpellNameEntered(game, member, typed));
}

void BattleScreen::aim(SpellAim where) {
    Game& game = *game_;
    switch (where) {
        case SpellAim::MonsterGroup:
            // A spell reaches every row.
            pending_ = BattleCommand::Cast;
            askMonsterGroup();
            break;
        case SpellAim::Member: {
            ListEx& list = main_->lstBattleCommand;
            list.setEnabled(false);
            const int serving = game.battle.commandSlot;
            BeginMemberChoice(
                game,
                [this, serving] {
                    Game& g = *game_;
                    if (Character* m = PartyMember(g, serving))
                        m->targetGroup = static_cast<std::int16_t>(g.currentCharacter);
                    EndMemberChoice(g);
                    g.currentCharacter = g.place.partyMembers[static_cast<size_t>(serving)];
                    backToCommands();
                    nextMember();
                },
                [this] {
                    EndMemberChoice(*game_);
                    backToCommands();
                });
            break;
        }
        case SpellAim::Nothing:
            nextMember();
            break;
    }
}

void BattleScreen::openItems(Character& member, bool instruments) {
    Game& game = *game_;
    const std::vector<int> slots = UsableItemSlots(game, member, instruments);
    if (slots.empty()) {
        ShowMessage(game,
                    instruments ? "使える楽器をもっていません" : "使えるアイテムをもっていません");
        backToCommands();
        return;
    }
    songList_ = instruments;
    SetCommand(member,
               CommandCode(member, instruments ? BattleCommand::Song : BattleCommand::UseItem), 0);
    lstUseItem.setRedraw(false);
    lstUseItem.clear();
    for (int slot : slots) {
        lstUseItem.addItem(ItemDisplayName(game.db, member.items[static_cast<size_t>(slot)]));
        lstUseItem.setItemData(lstUseItem.newIndex(), slot);
    }
    lstUseItem.setListIndex(0);
    lstUseItem.setRedraw(true);
    main_->lstBattleCommand.setEnabled(false);
    fraUseItem.setVisible(true);
    fraUseItem.bringToFront();
    lstUseItem.setFocus();
}

void BattleScreen::closeItems() {
    fraUseItem.setVisible(false);
}

void BattleScreen::itemKeyDown(int& code) {
    if (code != keys::Esc && code != keys::Back) return;
    code = 0;
    closeItems();
    backToCommands();
}

void BattleScreen::chooseItem() {
    Game& game = *game_;
    BattleState& b = game.battle;
    Character* member = PartyMember(game, b.commandSlot);
    const int row = lstUseItem.listIndex();
    if (!member || row < 0 || row >= lstUseItem.listCount()) return;
    const int slot = lstUseItem.itemData(row);
    closeItems();
    member->actionItemSlot = static_cast<std::int16_t>(slot);
    const ItemRecord* item = ItemInSlot(game.db, *member, slot);
    const int spell = item ? SpellIndexOfLink(game, item->spellLink) : 0;
    member->actionSpell = static_cast<std::int16_t>(spell);
    ShowCommandLabel(game, b.commandSlot, "アイテム");
    if (spell == 0) {
        nextMember();
        return;
    }
    aim(AimOf(game, *member, spell));
}

void BattleScreen::askSummonLevel(Character& member) {
    Game& game = *game_;
    BattleState& b = game.battle;
    const std::string top = member.level <= 100 ? std::to_string(member.level) : "100";
    const std::string typed =
        PromptDialog(game, "召喚ＬＶを入力してください (1-" + top + ") ", kPromptInput);
    if (typed.empty()) {
        backToCommands();
        return;
    }
    SetCommand(member, kActSummon, 0);
    member.actionSpell = static_cast<std::int16_t>(SummonLevelEntered(member, typed));
    ShowCommandLabel(game, b.commandSlot, CommandLabel(BattleCommand::Summon));
    nextMember();
}

void LockMapKeys(Game& game) {
    if (screenOf(game)) game.screens->main->busy = true;
}

void ShowBattleScreen(Game& game) {
    BattleScreen* s = screenOf(game);
    if (!s) return;
    MainWindow& main = *game.screens->main;
    main.busy = true;
    main.fraParty.setVisible(true);
    if (main.fraParty.left() < 0) main.fraParty.move(0, main.fraParty.top());
    s->lstMonster.setListIndex(-1);
    s->lstMonster.setEnabled(false);
    s->lstMonster.setVisible(true);
    s->showRows();
    ShowFirstGroupPicture(game);
}

void ShowMonsterRows(Game& game) {
    if (BattleScreen* s = screenOf(game)) s->showRows();
}

void ShowFirstGroupPicture(Game& game) {
    BattleScreen* s = screenOf(game);
    if (!s) return;
    const BattleState& b = game.battle;
    s->showPicture(b.rowCount > 0 ? b.rows[0].group : 0);
}

void BeginCommandEntry(Game& game) {
    BattleState& b = game.battle;
    b.battlePhase = kCommandEntry;
    b.commandSlot = 1;
    if (BattleScreen* s = screenOf(game)) s->buildCommandMenu(1);
}

void HideCommandEntry(Game& game) {
    if (!screenOf(game)) return;
    BattleScreen& s = *screenOf(game);
    game.screens->main->lstBattleCommand.setVisible(false);
    s.fraHelp.setVisible(false);
}

void ShowMonsterPictureOff(Game& game) {
    if (BattleScreen* s = screenOf(game)) {
        s->picMonster.setVisible(false);
        s->picMonster.clearPicture();
    }
}

void HideBattleLists(Game& game) {
    BattleScreen* s = screenOf(game);
    if (!s) return;
    s->fraSummon.setVisible(false);
    s->fraUseItem.setVisible(false);
    s->lstMonster.setVisible(false);
    game.screens->main->lstBattleCommand.setVisible(false);
    s->fraHelp.setVisible(false);
}

void ShowPartyPanel(Game& game) {
    if (screenOf(game)) game.screens->main->fraParty.setVisible(true);
}

void HideBattleScreen(Game& game) {
    BattleScreen* s = screenOf(game);
    if (!s) return;
    MainWindow& main = *game.screens->main;
    HideBattleLists(game);
    s->lblSummon.setCaption("");
    ShowMonsterPictureOff(game);
    s->lstMonster.setEnabled(false);
    main.fraParty.setEnabled(false);
    main.shpPartyBar.setVisible(false);
    main.busy = false;
}

void ShowCommandLabel(Game& game, int slot, std::string_view label) {
    if (!screenOf(game) || slot < 1 || slot > kPartySlots) return;
    game.screens->main->lblState[static_cast<size_t>(slot - 1)].setCaption(std::string(label));
}

}  // namespace dv
