#include "dungeon/map_events.h"

#include <string>
#include <vector>

#include "characters/inventory.h"
#include "characters/party_items.h"
#include "combat/combat_core.h"
#include "combat/fighters.h"
#include "combat/status_table.h"
#include "core/data/message.h"
#include "core/data/text.h"
#include "core/game.h"
#include "core/prompt_dialog.h"
#include "dungeon/dungeon_controls.h"
#include "dungeon/expedition.h"
#include "dungeon/maze.h"
#include "dungeon/party_rules.h"
#include "dungeon/view.h"
#include "dungeon/wandering_chests.h"
#include "items/select_box.h"
#include "ui/utf8.h"

namespace dv {

namespace {

bool flagHolds(const Game& game, const MapEvent& e) {
    if (e.whenFlag < 0 || e.whenFlagTest == FlagTest::None) return true;
    if (e.whenFlag >= kEventFlagCount) return false;
    std::int32_t v = game.save.eventFlags[static_cast<size_t>(e.whenFlag)];
    switch (e.whenFlagTest) {
        case FlagTest::Equal:
            return v == e.whenFlagValue;
        case FlagTest::NotEqual:
            return v != e.whenFlagValue;
        case FlagTest::Less:
            return v < e.whenFlagValue;
        case FlagTest::AtLeast:
            return v >= e.whenFlagValue;
        default:
            return true;
    }
}

}  // namespace

bool EventConditionsHold(const Game& game, const MapEvent& e) {
    if (!flagHolds(game, e)) return false;
    if (e.whenItem != 0 &&
        PartyHasItem(game, e.whenItem, e.whenItemScope == ItemScope::Roster) != e.whenItemHeld)
        return false;
    if constexpr (requires { e.whenSkill; }) {
        if (e.whenSkill != 0 && PartyHasSkill(game, e.whenSkill) != e.whenSkillHeld) return false;
    }
    return true;
}

namespace {

// The first event of the table for this entry point, cell, facing and moved flag.
const MapEvent* findEvent(Game& game, EventTrigger trigger, bool moved, int itemId = 0) {
    const Place& p = game.place;
    for (const MapEvent& e : game.dungeon.events) {
        if (e.trigger != trigger || e.dungeon != p.currentDungeon || e.floor != p.currentFloor ||
            e.x != p.partyX || e.y != p.partyY)
            continue;
        if (e.facing != kAnyFacing && e.facing != p.facing) continue;
        if (trigger == EventTrigger::Arrival && e.movedOnly && !moved) continue;
        if (trigger == EventTrigger::ItemUse && e.items[0] != itemId) continue;
        if (!EventConditionsHold(game, e)) continue;
        return &e;
    }
    return nullptr;
}

template <size_t N>
void showTexts(Game& game, const std::array<std::int16_t, N>& texts) {
    for (std::int16_t t : texts)
        if (t != 0) ShowMessage(game, std::string(Message(t)));
}

template <size_t N>
bool hasTexts(const std::array<std::int16_t, N>& texts) {
    for (std::int16_t t : texts)
        if (t != 0) return true;
    return false;
}

// The flag a row names; rows naming a flag outside the table act on nothing.
std::int32_t* flagPtr(Game& game, int flag) {
    if (flag < 0 || flag >= kEventFlagCount) return nullptr;
    return &game.save.eventFlags[static_cast<size_t>(flag)];
}
std::int32_t flagValue(Game& game, int flag) {
    const std::int32_t* f = flagPtr(game, flag);
    return f ? *f : 0;
}
void setFlag(Game& game, int flag, std::int32_t value) {
    if (std::int32_t* f = flagPtr(game, flag)) *f = value;
}

void stairs(Game& game, int targetFloor, bool up, int x, int y) {
    std::string text = std::string(up ? "上る階段がある" : "下る階段がある") + "\r" +
                       (up ? "上がりますか？" : "下がりますか？");
    if (AskYesNo(game, text)) Relocate(game, targetFloor, x, y);
}

void teleporter(Game& game, const MapEvent& e) {
    switch (static_cast<TeleportWording>(e.variant)) {
        case TeleportWording::Trap:
            ShowMessage(game, "おおっと、テレポーター！");
            break;
        case TeleportWording::Forced:
            ShowMessage(game, "強制転移だ！");
            break;
        case TeleportWording::Texts:
            showTexts(game, e.texts);
            break;
        case TeleportWording::Circle:
            showTexts(game, e.texts);
            if (!AskYesNo(game, "入りますか？")) return;
            break;
        case TeleportWording::Mist: {
            // The last text is the question of the jump.
            std::vector<int> texts;
            for (std::int16_t t : e.texts)
                if (t != 0) texts.push_back(t);
            for (size_t i = 0; i + 1 < texts.size(); ++i)
                ShowMessage(game, std::string(Message(texts[i])));
            if (!texts.empty() && !AskYesNo(game, std::string(Message(texts.back())))) return;
            break;
        }
        default:
            break;
    }
    if (e.targetFacing != kAnyFacing) game.place.facing = e.targetFacing & 3;
    Relocate(game, e.targetFloor, e.targetX, e.targetY);
}

void trapFloor(Game& game, int diceCount, int status) {
    if (game.place.partyEffects & 4) {
        ShowMessage(game, "トラップの上に浮かんでいる");
        return;
    }
    ShowMessage(game, "トラップだ！");
    for (int i = 1; i <= game.place.partyCount; ++i) {
        Character* c = PartyMember(game, i);
        if (!c || IsGone(*c)) continue;
        if (game.rng.uniform(1, 20) >= c->luck) {
            ShowMessage(game, c->name + std::string(Message(1023)));
            continue;
        }
        std::int64_t damage = 0;
        for (int k = 0; k < diceCount; ++k)
            damage += game.rng.uniform(1, 10);
        ShowMessage(game, DamageCharacter(*c, damage, false));
        if (IsGone(*c) || StatusOfEffect(status) == 0) continue;
        // A resistance value of 1..100 is the chance in a hundred to shake it off.
        if (ResistanceTest(game, ResistanceAt(*c, status), 0) != 0 || (c->status & kStatusGuard))
            continue;
        ShowMessage(game, ApplyEffect(*c, status));
    }
    RefreshPartyPanel(game);
}

bool lockedDoor(Game& game, int lockLevel) {
    ShowMessage(game, "鍵がかかっている");
    int slot = PickPartyMember(game, false, "だれが開けますか？");
    if (slot < 1 || slot >= kRosterSlots) return false;
    Character* c = &game.save.roster[static_cast<size_t>(slot)];
    if (c->skills[3] != 0) {
        std::int64_t roll = game.rng.uniform(1, std::max<int>(1, c->dexterity)) + c->level;
        if (roll > lockLevel) {
            ShowMessage(game, "鍵を開けた");
            return true;
        }
        ShowMessage(game, "鍵は開かなかった");
        return false;
    }
    ShowMessage(game, (c->status & kStatusCannotAct) ? std::string(Message(1003))
                                                     : std::string("鍵は開かなかった"));
    return false;
}

bool keyDoor(Game& game, const MapEvent& e) {
    bool held = true;
    for (std::int16_t item : e.items)
        if (item != 0 && !PartyHasItem(game, item, e.itemScope == ItemScope::Roster)) held = false;
    if (!held) {
        showTexts(game, e.texts);
        return false;
    }
    showTexts(game, e.passTexts);
    return true;
}

bool flagGate(Game& game, const MapEvent& e) {
    if (flagValue(game, e.flag) == 0) {
        showTexts(game, e.texts);
        return false;
    }
    if (e.variant == 1) ShowMessage(game, "崖にはつり橋が架けられている");
    showTexts(game, e.passTexts);
    return true;
}

bool riddleDoor(Game& game, const MapEvent& e) {
    showTexts(game, e.texts);
    const char* prompt =
        static_cast<RiddlePrompt>(e.variant) == RiddlePrompt::What ? "何と答える？" : "名は何？";
    std::string typed = PromptDialog(game, prompt, kPromptInput);
    if (!typed.empty() && RiddleForm(typed) == RiddleForm(e.answer)) {
        showTexts(game, e.passTexts);
        return true;
    }
    showTexts(game, e.failTexts);
    return false;
}

bool passwordGhost(Game& game, const MapEvent& e) {
    std::vector<const char*> words;
    for (const char* w : e.words)
        if (w && *w) words.push_back(w);
    ShowMessage(game, "合言葉は・・・");
    if (words.empty()) return false;
    for (int question = 1;; ++question) {
        const char* word =
            words[static_cast<size_t>(game.rng.uniform(0, std::int64_t(words.size()) - 1))];
        // The first three questions are always the wrong form.
        bool genuine = question >= 4 && game.rng.uniform(1, 4) == 1;
        if (!AskYesNo(game, std::string(word) + (genuine ? "だね？" : "かい？"))) continue;
        ShowMessage(game, genuine ? "入りな！" : "出直してきな！");
        return genuine;
    }
}

void pool(Game& game, const MapEvent& e, int& encounter) {
    switch (static_cast<PoolKind>(e.variant)) {
        case PoolKind::Healing:
            showTexts(game, e.texts);
            for (int i = 1; i <= game.place.partyCount; ++i)
                if (Character* c = PartyMember(game, i); c && !IsGone(*c))
                    HealCharacter(*c, c->maxHitPoints, true);
            ShowMessage(game, "パーティは回復した");
            RefreshPartyPanel(game);
            return;
        case PoolKind::Monster:
            showTexts(game, e.texts);
            encounter = e.encounter;
            return;
        default:
            break;
    }
    ShowMessage(game, static_cast<PoolKind>(e.variant) == PoolKind::Cautious
                          ? "恐る恐る、水を飲んでみた・・・"
                          : "沼の水を飲んでみた・・・");
    for (int i = 1; i <= game.place.partyCount; ++i) {
        Character* c = PartyMember(game, i);
        if (!c || IsGone(*c)) continue;
        if (game.rng.uniform(1, std::max<int>(1, c->luck)) == 1) {
            ShowMessage(game, SetStatus(*c, kStatusPoison));
        } else {
            HealCharacter(*c, game.rng.uniform(1, 10), true);
        }
    }
    RefreshPartyPanel(game);
}

void lever(Game& game, const MapEvent& e) {
    static const char* const questions[] = {"引いてみますか？", "押しますか？",
                                            "レバーを引きますか？", "レバーを下げますか？"};
    const std::int32_t flag = flagValue(game, e.flag);
    showTexts(game, e.texts);
    if (!e.toggle && flag == e.flagValue) {
        ShowMessage(game, "レバーはすでに作動している");
        return;
    }
    if (!AskYesNo(game, questions[e.variant & 3])) return;
    if (e.toggle) {
        bool lowered = flag != e.flagValue;
        setFlag(game, e.flag, lowered ? e.flagValue : 0);
        ShowMessage(game, lowered ? "レバーを下げた" : "レバーを上げた");
    } else {
        setFlag(game, e.flag, e.flagValue);
    }
    if (hasTexts(e.passTexts)) {
        showTexts(game, e.passTexts);
    } else {
        ShowMessage(game, "どこかで壁の動く音が聞こえた・・・");
    }
    ApplyWallPatches(game);
    Redraw(game);
}

void transformItem(Game& game, const MapEvent& e) {
    for (int i = 1; i <= game.place.partyCount; ++i) {
        Character* c = PartyMember(game, i);
        if (!c) continue;
        for (int s = 1; s <= kInventorySlots; ++s) {
            ItemSlot& slot = c->items[static_cast<size_t>(s)];
            if (slot.itemId != e.items[0]) continue;
            showTexts(game, e.texts);
            slot.itemId = e.resultItem;
            RefreshUsable(*c, game.db, s);
            return;
        }
    }
}

// The battle an event starts: its music and the event number the victory reports back.
EncounterCall eventBattle(const MapEvent& e) {
    EncounterCall call;
    call.encounter = e.encounter;
    call.music = e.music > 0 ? e.music : 12;
    call.mapEvent = e.battleEvent != 0 ? e.battleEvent : -1;
    return call;
}

struct Outcome {
    bool blocked = false;
    bool handled = false;
    EncounterCall battle{0, 12, 0};
};

Outcome run(Game& game, const MapEvent& e) {
    Outcome out;
    switch (e.action) {
        case EventAction::Message:
            showTexts(game, e.texts);
            break;
        case EventAction::Stairs:
            showTexts(game, e.texts);
            stairs(game, e.targetFloor, e.up, e.targetX, e.targetY);
            break;
        case EventAction::Teleporter:
            teleporter(game, e);
            break;
        case EventAction::Spinner:
            game.place.facing = static_cast<int>(game.rng.uniform(0, 3));
            Redraw(game);
            break;
        case EventAction::TrapFloor:
            trapFloor(game, e.diceCount, e.status);
            break;
        case EventAction::LockedDoor:
            out.blocked = !lockedDoor(game, e.lockLevel);
            break;
        case EventAction::KeyDoor:
            out.blocked = !keyDoor(game, e);
            break;
        case EventAction::FlagGate:
            out.blocked = !flagGate(game, e);
            break;
        case EventAction::RiddleDoor:
            out.blocked = !riddleDoor(game, e);
            break;
        case EventAction::PasswordGhost:
            out.blocked = !passwordGhost(game, e);
            break;
        case EventAction::PersonRoom:
            showTexts(game, e.texts);
            game.dungeon.currentNpc = e.npc;
            CallLink(game.links.talkTo, game, e.npc);
            out.handled = true;
            break;
        case EventAction::FixedBattle:
            showTexts(game, e.texts);
            out.battle = eventBattle(e);
            break;
        case EventAction::Pool: {
            int encounter = 0;
            pool(game, e, encounter);
            if (encounter > 0) out.battle = eventBattle(e);
            break;
        }
        case EventAction::Lever:
            lever(game, e);
            break;
        case EventAction::HiddenItem:
            if (e.items[0] > 0 && !PartyHasItem(game, e.items[0])) {
                showTexts(game, e.texts);
                GiveItemToParty(game, e.items[0], false, Announce::WithName, true);
            }
            break;
        case EventAction::NewStairs:
            ShowMessage(game, "床が抜け落ち、階段があらわれた！");
            stairs(game, e.targetFloor, e.up, e.targetX, e.targetY);
            break;
        case EventAction::TransformItem:
            transformItem(game, e);
            break;
        case EventAction::DigUp:
            showTexts(game, e.texts);
            if (e.resultItem > 0)
                GiveItemToParty(game, e.resultItem, false, Announce::WithName, true);
            break;
        case EventAction::RandomPuzzle: {
            if (flagPtr(game, e.flag) && flagValue(game, e.flag) == 0 && e.flagValue >= 1) {
                setFlag(game, e.flag, static_cast<std::int32_t>(game.rng.uniform(1, e.flagValue)));
                showTexts(game, e.texts);
            }
            ApplyWallPatches(game);
            Redraw(game);
            break;
        }
        case EventAction::Reward:
            showTexts(game, e.texts);
            if (e.resultItem > 0)
                GiveItemToParty(game, e.resultItem, false, Announce::WithName, true);
            setFlag(game, e.flag, e.flagValue);
            // A guardian may be followed at once by the next one.
            if (e.encounter > 0) out.battle = eventBattle(e);
            break;
        case EventAction::SetFlag:
            showTexts(game, e.texts);
            setFlag(game, e.flag, e.flagValue);
            ApplyWallPatches(game);
            Redraw(game);
            break;
    }
    return out;
}

void somethingLyingHere(Game& game) {
    if (PartyHasSkill(game, 232) && WanderingChestHere(game) != 0)
        ShowMessage(game, "何かが落ちている");
}

int chestLevel(const Place& p) {
    switch (p.currentDungeon) {
        case 21:
        case 22:
            return 1;
        case 23:
            return p.currentFloor == 7 ? 2 : 1;
        case 24:
            return p.currentFloor == 6 ? 5 : 3;
        case 25:
        case 26:
            return 2;
        default:
            return 1;
    }
}

void chestHere(Game& game) {
    const int spot = WanderingChestHere(game);
    if (spot != 0) {
        ShowMessage(game, "宝箱を発見した！");
        game.save.chestSpots(spot, 5) = 0;
        game.dungeon.pendingChest = chestLevel(game.place);
    } else if (game.options.showEmptySearch == 1) {
        ShowMessage(game, std::string(Message(302)));
    }
}

EncounterCall rift(Game& game) {
    DungeonState& d = game.dungeon;
    if (d.riftUsed || !d.secondsSinceStart || d.secondsSinceStart() <= 800) return {0, 12, 0};
    const Place& p = game.place;
    if (game.rng.uniform(0, 19) != p.partyY) return {0, 12, 0};
    if (game.rng.uniform(0, 19) != p.partyX) return {0, 12, 0};
    if (game.rng.uniform(0, 3) != p.facing) return {0, 12, 0};
    d.riftUsed = true;
    if (game.rng.uniform(1, 10) != 3) return {0, 12, 0};
    for (int m : {995, 996, 997})
        ShowMessage(game, std::string(Message(m)));
    if (!AskYesNo(game, std::string(Message(998)))) return {0, 12, 0};
    ShowMessage(game, std::string(Message(999)));
    if (PartyHasSkill(game, 95)) return {1810 + static_cast<int>(game.rng.uniform(1, 14)), 14, -1};
    return {1799 + static_cast<int>(game.rng.uniform(1, 11)), 13, -1};
}

void setWall(FloorWalls& walls, int x, int y, int bit, bool open) {
    if (x < 0 || x >= kFloorSize || y < 0 || y >= kFloorSize) return;
    std::int16_t& w = walls(x, y);
    w = static_cast<std::int16_t>(open ? (w & ~bit) : (w | bit));
}

// The wall between two neighbouring cells, both sides.
void setPassage(FloorWalls& walls, int x1, int y1, int side1, int x2, int y2, bool open) {
    setWall(walls, x1, y1, SideBit(side1), open);
    setWall(walls, x2, y2, SideBit((side1 + 2) % 4), open);
}

}  // namespace

EventOutcome PreStepCheck(Game& game) {
    EventOutcome r;
    if (const MapEvent* e = findEvent(game, EventTrigger::PreStep, true)) {
        Outcome o = run(game, *e);
        r.blocked = o.blocked;
        if (o.battle.encounter > 0) r.battle = o.battle;
    }
    return r;
}

EventOutcome ArrivalCheck(Game& game, bool moved) {
    EventOutcome r;
    const Place& p = game.place;
    if (p.currentFloor == 1 && p.partyX == 0 && p.partyY == 0 && (p.facing == 0 || p.facing == 3)) {
        if (AskYesNo(game, "城へ戻りますか？")) {
            ReturnToTown(game);
            r.handled = true;
        }
        return r;
    }
    if (const MapEvent* e = findEvent(game, EventTrigger::Arrival, moved)) {
        Outcome o = run(game, *e);
        r.handled = o.handled;
        if (o.battle.encounter > 0) r.battle = o.battle;
        return r;
    }
    somethingLyingHere(game);
    if (p.currentDungeon == 24 && p.currentFloor == 7) r.battle = rift(game);
    return r;
}

namespace {
EncounterCall battleOf(const Outcome& o) {
    return o.battle.encounter > 0 ? o.battle : EncounterCall{0, 12, 0};
}
}  // namespace

EncounterCall SearchCheck(Game& game) {
    if (const MapEvent* e = findEvent(game, EventTrigger::Search, true))
        return battleOf(run(game, *e));
    chestHere(game);
    return {0, 12, 0};
}

EncounterCall ItemUseCheck(Game& game, int itemId) {
    if (itemId <= 0) return {0, 12, 0};
    if (const MapEvent* e = findEvent(game, EventTrigger::ItemUse, true, itemId))
        return battleOf(run(game, *e));
    return {0, 12, 0};
}

EncounterCall PostBattleCheck(Game& game) {
    if (const MapEvent* e = findEvent(game, EventTrigger::PostBattle, true))
        return battleOf(run(game, *e));
    return {0, 12, 0};
}

void PatchWalls(const SaveData& save, int dungeon, int floor, FloorWalls& walls) {
    const auto& flags = save.eventFlags;
    if (dungeon == 21 && floor == 3) {
        setPassage(walls, 7, 2, 1, 8, 2, flags[2] != 0);
    } else if (dungeon == 21 && floor == 5) {
        for (int c = 1; c <= 5; ++c)
            setPassage(walls, c, 12, 2, c, 13, false);
        // The flag comes from the save file: only a real column is opened.
        if (flags[5] >= 0 && flags[5] <= 19) setPassage(walls, flags[5], 12, 2, flags[5], 13, true);
    } else if (dungeon == 23 && floor == 7) {
        setPassage(walls, 9, 14, 2, 9, 15, flags[10] == 4);
    } else if (dungeon == 24 && floor == 1) {
        setPassage(walls, 4, 9, 2, 4, 10, flags[15] == 1);
        setPassage(walls, 13, 9, 2, 13, 10, flags[16] == 1);
    }
}

void ApplyWallPatches(Game& game) {
    PatchWalls(game.save, game.place.currentDungeon, game.place.currentFloor,
               game.dungeon.floorWalls);
}

std::string RiddleForm(const std::string& typed) {
    std::u32string wide = decodeUtf8(ToWide(typed));
    for (char32_t& c : wide)
        if (c >= U'\u3041' && c <= U'\u3096') c += 0x60;
    return encodeUtf8(wide);
}

}  // namespace dv
