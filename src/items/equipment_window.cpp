#include "items/equipment_window.h"

#include <algorithm>

#include "characters/equipment_rules.h"
#include "characters/inventory.h"
#include "characters/party_items.h"
#include "characters/races_classes.h"
#include "core/data/checked.h"
#include "core/data/message.h"
#include "core/game.h"
#include "core/prompt_dialog.h"
#include "core/screens.h"
#include "core/skin_pictures.h"
#include "core/window_of.h"
#include "items/modal_owner.h"
#include "ui/keys.h"
#include "ui/window_system.h"

namespace dv {

namespace {

constexpr int kWidth = 460;
constexpr int kHeight = 250;
constexpr int kFont = 14;

const ItemRecord* itemOf(const Game& game, const ItemSlot& s) {
    return s.itemId != 0 ? itemAt(game.db, s.itemId) : nullptr;
}

bool usable(const ItemSlot& s) {
    return (s.itemFlags & kItemUnusable) == 0;
}

int wornCode(const ItemSlot& s) {
    return s.itemFlags & kEquipCodeBits;
}

Character* current(Game& game) {
    const int slot = game.currentCharacter;
    if (slot < 1 || slot >= kRosterSlots) return nullptr;
    return &game.save.roster[static_cast<size_t>(slot)];
}

// Raises an attribute by one while it is below the race's limit (limit numbers as the
// powers give them).
void raise(std::uint8_t& value, const Character& c, int limitNumber) {
    if (value < AttributeLimit(c.race, limitNumber, true, 1)) ++value;
}

}  // namespace

const std::vector<EquipPosition>& EquipPositions() {
    static const std::vector<EquipPosition> positions = {
        {"P)プライマリハンド", kEquipPrimary},
        {"S)セカンダリハンド", kEquipSecondary},
        {"H)頭", kEquipHead},
        {"A)鎧", kEquipArmor},
        {"G)手", kEquipHands},
        {"B)靴", kEquipFeet},
        {"A)アクセサリ", kEquipAccessory},
        {"L)戻る", 0},
    };
    return positions;
}

std::vector<int> EquipCandidates(const Game& game, const Character& c, int code) {
    std::vector<int> slots;
    for (int s = 1; s <= kInventorySlots; ++s) {
        const ItemSlot& slot = c.items[static_cast<size_t>(s)];
        const ItemRecord* item = itemOf(game, slot);
        if (!item || !usable(slot)) continue;
        bool fits = false;
        switch (code) {
            case kEquipPrimary:
                // A weapon for the other hand may move over, but not the one held there.
                fits = item->secondaryCapable == 0
                           ? item->kind == 1
                           : item->kind != 2 && wornCode(slot) != kEquipSecondary;
                break;
            case kEquipSecondary:
                fits = item->kind == 2 ||
                       (c.skills[128] != 0 && item->kind == 1 && item->secondaryCapable != 0 &&
                        wornCode(slot) != kEquipPrimary);
                break;
            case kEquipHead:
            case kEquipArmor:
            case kEquipHands:
            case kEquipFeet:
            case kEquipAccessory:
                fits = item->kind == code;
                break;
            default:
                break;
        }
        if (fits) slots.push_back(s);
    }
    return slots;
}

std::string EquipItem(Game& game, Character& c, int code, int slot) {
    auto at = [&](int s) -> ItemSlot& { return c.items[static_cast<size_t>(s)]; };
    // Take off what the position holds; a weapon in the other hand stays.
    if (code == kEquipSecondary) {
        for (int s = 1; s <= kInventorySlots; ++s) {
            const ItemRecord* item = itemOf(game, at(s));
            if (item && (at(s).itemFlags & 7) == kEquipSecondary &&
                (item->kind == 1 || item->kind == 2)) {
                at(s).itemFlags &= ~kEquipCodeBits;
                break;
            }
        }
    } else {
        for (int s = 1; s <= kInventorySlots; ++s) {
            const ItemRecord* item = itemOf(game, at(s));
            if (item && item->kind == code && (at(s).itemFlags & 7) != kEquipSecondary)
                at(s).itemFlags &= ~kEquipCodeBits;
        }
    }
    if (slot < 1 || slot > kInventorySlots) return "";
    const ItemRecord* chosen = itemOf(game, at(slot));
    if (!chosen) return "";
    if (code == kEquipPrimary && chosen->twoHanded != 0) {
        for (int s = 1; s <= kInventorySlots; ++s) {
            const ItemRecord* item = itemOf(game, at(s));
            if (item && item->kind == 2 && (at(s).itemFlags & kItemCursedWorn))
                return "セカンダリハンドが呪われているため\n装備できない";
        }
        for (int s = 1; s <= kInventorySlots; ++s)
            if (const ItemRecord* item = itemOf(game, at(s)); item && item->kind == 2)
                at(s).itemFlags &= ~kEquipCodeBits;
    }
    if (code == kEquipSecondary) {
        for (int s = 1; s <= kInventorySlots; ++s) {
            const ItemRecord* item = itemOf(game, at(s));
            if (item && item->kind == 1 && item->twoHanded != 0 &&
                (at(s).itemFlags & kItemCursedWorn))
                return "プライマリハンドが呪われているため\n装備できない";
        }
        for (int s = 1; s <= kInventorySlots; ++s)
            if (const ItemRecord* item = itemOf(game, at(s)); item && item->twoHanded != 0)
                at(s).itemFlags &= ~kEquipCodeBits;
    }
    // The code replaces whatever code the slot carried; a cursed item sticks.
    ItemSlot& s = at(slot);
    s.itemFlags = (s.itemFlags & ~kEquipCodeBits) | code;
    if (chosen->cursed != 0) {
        s.itemFlags |= kItemCursedWorn;
        return std::string(Message(1044));
    }
    return "";
}

EquipmentWindow::EquipmentWindow(Ui& ui, Game& game) : Form(ui, "frmEquip"), game_(game) {
    move((640 - kWidth) / 2, (480 - kHeight) / 2, kWidth, kHeight);
    backColor = rgb(10, 12, 36);
    bordered = true;
    fraBack.move(0, 0, kWidth, kHeight);
    add(fraBack);
    for (Label* l : {&lblMsg, &lblmsgItem}) {
        l->setFont(Font::standard(kFont));
        l->wordWrap = false;
        fraBack.add(*l);
    }
    lblMsg.setCaption("装備場所を選んでください");
    lblmsgItem.setCaption("装備を選んでください");
    for (ListEx* l : {&lstPosition, &lstItem}) {
        l->setFont(Font::standard(kFont));
        l->setSelectionFont(Font::standard(kFont));
        fraBack.add(*l);
    }
    lstPosition.accessKeyEnter = true;
    lstItem.accessKeyOn = false;
    lblMsg.move(20, 16, 200, 18);
    lstPosition.move(16, 40, 196, 194);
    lblmsgItem.move(236, 16, 200, 18);
    lstItem.move(232, 40, 212, 194);
    for (const EquipPosition& p : EquipPositions())
        lstPosition.addItem(p.text);
    // Moving the highlight shows that position's items.
    lstPosition.onClick = [this] {
        // Not after a position was opened (the list reports its selection after Enter).
        if (lstPosition.enabled()) showCandidates();
    };
    lstPosition.onEnter = [this] { choosePosition(); };
    lstPosition.onKeyDown = [this](int& code, int) {
        if (code != keys::Esc && code != keys::Back) return;
        code = 0;
        hide();
    };
    lstPosition.onKeyUp = [this](int& code, int) {
        if (code == keys::Enter) showCandidates();
    };
    lstItem.onEnter = [this] { chooseItem(); };
    lstItem.onKeyDown = [this](int& code, int) {
        if (code != keys::Esc && code != keys::Back) return;
        code = 0;
        backToPositions();
    };
}

void EquipmentWindow::dress(const SkinPictures& skin) {
    DressPanel(fraBack, skin);
    DressList(lstPosition, skin);
    DressList(lstItem, skin);
    bordered = !skin.complete;
}

int EquipmentWindow::positionCode() const {
    const int i = lstPosition.listIndex();
    const auto& positions = EquipPositions();
    if (i < 0 || i >= static_cast<int>(positions.size())) return 0;
    return positions[static_cast<size_t>(i)].code;
}

void EquipmentWindow::showCandidates() {
    lstItem.setRedraw(false);
    lstItem.clear();
    const Character* c = current(game_);
    const int code = positionCode();
    if (c && code != 0) {
        int n = 0;
        for (int slot : EquipCandidates(game_, *c, code)) {
            const ItemSlot& s = c->items[static_cast<size_t>(slot)];
            lstItem.addItem(InventoryLine(game_.db, s, ++n, kMarkedLines));
            lstItem.setItemData(lstItem.newIndex(), slot);
        }
        lstItem.addItem("L)なにも装備しない");
        lstItem.setItemData(lstItem.newIndex(), 0);
    }
    lstItem.setRedraw(true);
    lstItem.setListIndex(-1);
}

void EquipmentWindow::choosePosition() {
    const int code = positionCode();
    if (code == 0) {
        hide();
        return;
    }
    showCandidates();
    for (int i = 0; i < lstItem.listCount(); ++i) {
        const std::string line = lstItem.list(i);
        if (line.size() > 2 && line[2] == '-') {
            ShowMessage(game_, std::string(Message(1044)));
            return;
        }
    }
    lstPosition.setEnabled(false);
    lstItem.setEnabled(true);
    lstItem.setListIndex(0);
    lstItem.setFocus();
}

void EquipmentWindow::chooseItem() {
    Character* c = current(game_);
    const int line = lstItem.listIndex();
    if (!c || line < 0) return;
    const int slot = lstItem.itemData(line);
    // What was worn here comes off in the list as well.
    for (int i = 0; i < lstItem.listCount(); ++i) {
        std::string text = lstItem.list(i);
        if (text.size() > 2 && text[2] == '*') {
            text[2] = ' ';
            lstItem.setList(i, text);
        }
    }
    const std::string message = EquipItem(game_, *c, positionCode(), slot);
    if (slot >= 1) {
        const std::int32_t flags = c->items[static_cast<size_t>(slot)].itemFlags;
        if (flags & kEquipCodeBits) {
            std::string text = lstItem.list(line);
            if (text.size() > 2) {
                text[2] = (flags & kItemCursedWorn) ? '-' : '*';
                lstItem.setList(line, text);
            }
        }
    }
    if (!message.empty()) ShowMessage(game_, message);
    backToPositions();
}

void EquipmentWindow::backToPositions() {
    lstItem.setListIndex(-1);
    lstItem.setEnabled(false);
    lstPosition.setEnabled(true);
    lstPosition.setFocus();
}

void EquipmentWindow::run() {
    lstPosition.setEnabled(true);
    lstPosition.setListIndex(0);
    lstItem.setEnabled(false);
    showCandidates();
    Form* owner = ModalOwner(game_, this);
    setOwner(owner);
    lstPosition.setFocus();
    showModal(owner);
}

void OpenEquipment(Game& game) {
    if (!current(game)) return;
    WindowOf<EquipmentWindow>(game).run();
}

void ApplyPower(Game& game, Character& c, int code) {
    auto spellPoints = [&](int kind, int level) {
        if (c.maxSpellPoints(kind, level) < 9) ++c.maxSpellPoints(kind, level);
        c.spellPoints(kind, level) = c.maxSpellPoints(kind, level);
    };
    auto experience = [&](double amount) { c.experience += amount; };
    switch (code) {
        case 1:
            raise(c.strength, c, 1);
            break;
        case 2:
            raise(c.wisdom, c, 2);
            break;
        case 3:
            raise(c.piety, c, 3);
            break;
        case 4:
            raise(c.vitality, c, 4);
            break;
        case 5:
            raise(c.agility, c, 5);
            break;
        case 6:
            raise(c.luck, c, 7);
            break;
        case 7:
            if (c.age >= 16) --c.age;
            break;
        case 8:
            for (int i = 1; i <= game.place.partyCount && i <= kPartySlots; ++i) {
                const int slot = game.place.partyMembers[static_cast<size_t>(i)];
                if (slot < 1 || slot >= kRosterSlots) continue;
                Character& m = game.save.roster[static_cast<size_t>(slot)];
                if (m.status & (2 | 8192 | 16384 | 32768 | 65536)) continue;
                m.hitPoints = m.maxHitPoints;
            }
            break;
        case 9:
            c.maxHitPoints = clampToField<std::int32_t>(std::int64_t{c.maxHitPoints} +
                                                        rollDice(game.rng, 1, 5, 0));
            break;
        case 10:
            c.race = 256;
            c.alignment = kLawful;
            UnequipAll(c);
            break;
        case 11:
            c.race = 128;
            c.alignment = kChaotic;
            UnequipAll(c);
            break;
        case 12:
            c.alignment = kChaotic;
            UnequipAll(c);
            break;
        case 13:
            c.alignment = kLawful;
            UnequipAll(c);
            break;
        case 14:
            c.alignment = kNeutral;
            UnequipAll(c);
            break;
        case 21:
            raise(c.dexterity, c, 6);
            break;
        case 22:
            raise(c.charm, c, 8);
            break;
        case 59:
            experience(500000);
            break;
        case 60:
            experience(400000);
            break;
        case 61:
            experience(300000);
            break;
        case 62:
            experience(200000);
            break;
        default:
            if (code >= 23 && code <= 58) {
                const int kind = (code - 23) / 9;
                spellPoints(kind, code - 22 - kind * 9);
            }
            break;
    }
}

void ReleasePowers(Game& game) {
    Character* c = current(game);
    if (!c) return;
    for (int s = 1; s <= kInventorySlots; ++s) {
        ItemSlot& slot = c->items[static_cast<size_t>(s)];
        const ItemRecord* item = itemOf(game, slot);
        if (!item || item->specialPower <= 0) continue;
        const std::string name = (slot.itemFlags & kItemUnidentified) ? item->altName : item->name;
        if (!AskYesNo(game, "あなたは" + name + "の\n真の力を解放しますか？")) continue;
        const int itemId = slot.itemId;
        const int power = item->specialPower;
        const int breakChance = item->powerBreakChance;
        const int brokenInto = item->brokenInto;
        ApplyPower(game, *c, power);
        if (rollDice(game.rng, 1, 100, 0) >= breakChance) continue;
        if (const ItemRecord* into = itemAt(game.db, brokenInto)) {
            slot.itemId = brokenInto;
            CountFound(game, brokenInto);
            RefreshUsable(*c, game.db, s);
            // What it became may not be wearable: then it comes off, or it could never be
            // taken off again.
            if (into->kind >= 8 && into->kind <= 12)
                slot.itemFlags &= ~(kEquipCodeBits | kItemCursedWorn);
        } else {
            RemoveItemById(*c, game.db, itemId, game.place.partyEffects);
        }
        ShowMessage(game, std::string(Message(1048)));
    }
}

}  // namespace dv
