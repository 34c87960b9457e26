#include "town/fortune_house.h"

#include <iterator>
#include <string>

#include "characters/equipment_rules.h"
#include "characters/inventory.h"
#include "characters/party.h"
#include "characters/party_items.h"
#include "core/command_menu.h"
#include "core/data/message.h"
#include "core/game.h"
#include "core/main_window.h"
#include "core/prompt_dialog.h"
#include "core/save_game.h"
#include "core/screens.h"
#include "town/fortune_rules.h"
#include "town/report_window.h"

namespace dv {

namespace {

constexpr int kTownMenu = 8;

// Menu 7's entries in order, the reports they show.
constexpr ReportKind kEntryReports[] = {
    ReportKind::Level,
    ReportKind::MaxHitPoints,
    ReportKind::Marks,
    ReportKind::Rip,
    ReportKind::CriticalHits,
    ReportKind::ItemsObtained,
    ReportKind::MonstersDefeated,
    ReportKind::ItemCatalogue,
    ReportKind::MonsterCatalogue,
};
constexpr int kFusionEntry = 9;
constexpr int kBackEntry = 10;

MainWindow& mainOf(Game& game) {
    return *game.screens->main;
}

Character* partyMember(Game& game, int partySlot) {
    const int slot = game.place.partyMembers[static_cast<std::size_t>(partySlot)];
    if (slot < 1 || slot >= kRosterSlots) return nullptr;
    return &game.save.roster[static_cast<std::size_t>(slot)];
}

bool holds(const Character& c, int itemId) {
    for (int s = 1; s <= kInventorySlots; ++s)
        if (c.items[static_cast<std::size_t>(s)].itemId == itemId) return true;
    return false;
}

bool partyHolds(Game& game, int itemId) {
    for (int i = 1; i <= game.place.partyCount && i <= kPartySlots; ++i) {
        const Character* c = partyMember(game, i);
        if (c && holds(*c, itemId)) return true;
    }
    return false;
}

// One unit of each ingredient from the first member (in party order) who carries it,
// worn or not; a worn one takes its values with it.
void takeIngredients(Game& game, const FusionRecipe& r) {
    for (int itemId : r.ingredients) {
        if (itemId == 0) continue;
        for (int i = 1; i <= game.place.partyCount && i <= kPartySlots; ++i) {
            Character* c = partyMember(game, i);
            if (c && RemoveItemById(*c, game.db, itemId, game.place.partyEffects)) break;
        }
    }
}

void fuse(Game& game, int k) {
    const FusionRecipe r = RecipeAt(game.db, k);
    if (!AskYesNo(game, "合体させて良いですか？")) return;
    for (int itemId : r.ingredients) {
        if (itemId != 0 && !partyHolds(game, itemId)) {
            ShowMessage(game, "アイテムが足りないですよ");
            return;
        }
    }
    for (const char* text : {"それでは合体させます", "・・・・", "・・・・・", "・・・・・・・"})
        ShowMessage(game, text);
    takeIngredients(game, r);
    switch (DrawFusionOutcome(game.rng)) {
        case FusionOutcome::Destroyed:
            ShowMessage(game, "失敗！");
            ShowMessage(game, "全部壊れてしまいました");
            break;
        case FusionOutcome::WrongItem:
            ShowMessage(game, "失敗！");
            ShowMessage(game, "予定と違うものが出来ました");
            GiveItemToParty(game, r.failure, true, Announce::WithName, true);
            break;
        case FusionOutcome::Success:
            ShowMessage(game, "合体できました");
            GiveItemToParty(game, r.result, false, Announce::WithName, true);
            break;
    }
    if (game.currentCharacter >= 1 && game.currentCharacter < kRosterSlots) {
        Character& c = game.save.roster[static_cast<std::size_t>(game.currentCharacter)];
        ResetDerived(c);
        ApplyEquipment(c, game.db, game.place.partyEffects);
    }
    DrawPartyPanel(game);
    SaveGame(game);
}

}  // namespace

void ChooseFortuneEntry(Game& game, int entry) {
    if (entry >= 0 && entry < static_cast<int>(std::size(kEntryReports))) {
        ShowReport(game, kEntryReports[entry]);
        return;
    }
    if (entry == kFusionEntry) {
        if (game.place.partyCount > 0)
            BuildFusionList(game);
        else
            ShowMessage(game, std::string(Message(1063)));
        return;
    }
    if (entry == kBackEntry) {
        // Back to the town; the music goes on.
        mainOf(game).lbl.setCaption("");
        BuildMenu(game, kTownMenu);
    }
}

void BuildFusionList(Game& game) {
    ListEx& list = mainOf(game).lstCommandList;
    game.menuState = kFusionMenu;
    list.setRedraw(false);
    list.clear();
    for (int k = 1; k <= kRecipeCount; ++k) {
        list.addItem(FusionRow(game.db, game.save, k));
        list.setItemData(list.newIndex(), k);
    }
    list.addItem("前に戻る");
    list.setListIndex(0);
    list.setRedraw(true);
    list.setEnabled(true);
    list.setFocus();
    mainOf(game).lbl.setCaption(std::string(Message(501)));
}

void ChooseFusionEntry(Game& game, int entry) {
    ListEx& list = mainOf(game).lstCommandList;
    if (entry < 0 || entry >= list.listCount()) return;
    if (entry == list.listCount() - 1) {
        mainOf(game).lbl.setCaption("");
        BuildMenu(game, kFortuneMenu);
        return;
    }
    const int k = list.itemData(entry);
    if (!RecipeRevealed(game.db, game.save, k)) {
        ShowMessage(game, "それはまだ合体できないですよ");
        return;
    }
    fuse(game, k);
}

}  // namespace dv
