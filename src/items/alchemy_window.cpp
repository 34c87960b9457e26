#include "items/alchemy_window.h"

#include "characters/inventory.h"
#include "characters/party_items.h"
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
constexpr int kHeight = 360;
constexpr int kFont = 14;

Character* current(Game& game) {
    const int slot = game.currentCharacter;
    if (slot < 1 || slot >= kRosterSlots) return nullptr;
    return &game.save.roster[static_cast<size_t>(slot)];
}

std::string itemName(const Game& game, int item) {
    const ItemRecord* r = itemAt(game.db, item);
    return r ? r->name : std::string();
}

}  // namespace

Recipe RecipeAt(const Game& game, int r) {
    if (r < 1 || r > kAlchemyRecipes) return {};
    const auto& t = game.db.alchemyTable;
    return {t[static_cast<size_t>(r)], t[static_cast<size_t>(121 + r)],
            t[static_cast<size_t>(242 + r)]};
}

std::vector<int> ListedRecipes(const Game& game, const Character& c) {
    std::vector<int> listed;
    auto holds = [&](int slot, int item) {
        // Slot 0 is never filled.
        const int held = slot == 0 ? 0 : c.items[static_cast<size_t>(slot)].itemId;
        return held == item;
    };
    for (int r = 1; r <= kAlchemyRecipes; ++r) {
        const Recipe recipe = RecipeAt(game, r);
        if (recipe.first == 0 || !itemAt(game.db, recipe.product)) continue;
        for (int j = 0; j <= kInventorySlots; ++j) {
            if (!holds(j, recipe.first)) continue;
            for (int k = 0; k <= kInventorySlots; ++k)
                if (holds(k, recipe.second)) listed.push_back(r);
        }
    }
    return listed;
}

AlchemyWindow::AlchemyWindow(Ui& ui, Game& game) : Form(ui, "frmAlchemi"), game_(game) {
    move((640 - kWidth) / 2, (480 - kHeight) / 2, kWidth, kHeight);
    backColor = rgb(10, 12, 36);
    bordered = true;
    fraAlchemi.move(0, 0, kWidth, kHeight);
    add(fraAlchemi);
    for (Label* l : {&lblProducts, &lblMaterials, &lblHelp}) {
        l->setFont(Font::standard(kFont));
        l->wordWrap = false;
        fraAlchemi.add(*l);
    }
    lblProducts.setCaption("錬成できるアイテム");
    lblMaterials.setCaption("消費するアイテム");
    lblHelp.setCaption("Ｅｎｔｅｒで錬成　　ＥＳＣ　ｏｒ　ＢＳで戻る");
    lblHelp.foreColor = rgb(150, 170, 220);
    for (ListEx* l : {&lstAlchemi1, &lstAlchemi2}) {
        l->setFont(Font::standard(kFont));
        l->setSelectionFont(Font::standard(kFont));
        l->accessKeyOn = false;
        fraAlchemi.add(*l);
    }
    lblProducts.move(20, 14, 220, 18);
    lstAlchemi1.move(16, 36, 232, 280);
    lblMaterials.move(264, 14, 180, 18);
    lstAlchemi2.move(260, 36, 184, 60);
    lstAlchemi2.setEnabled(false);
    lblHelp.move(20, 326, 420, 18);
    lstAlchemi1.onClick = [this] { showMaterials(); };
    lstAlchemi1.onEnter = [this] { hide(); };
    lstAlchemi1.onKeyDown = [this](int& code, int) {
        if (code != keys::Esc && code != keys::Back) return;
        code = 0;
        cancelled_ = true;
        lstAlchemi1.setListIndex(-1);
        hide();
    };
}

void AlchemyWindow::dress(const SkinPictures& skin) {
    DressPanel(fraAlchemi, skin);
    DressList(lstAlchemi1, skin);
    DressList(lstAlchemi2, skin);
    bordered = !skin.complete;
}

void AlchemyWindow::showMaterials() {
    lstAlchemi2.setRedraw(false);
    lstAlchemi2.clear();
    const int i = lstAlchemi1.listIndex();
    if (i >= 0) {
        const Recipe r = RecipeAt(game_, lstAlchemi1.itemData(i));
        for (int item : {r.first, r.second}) {
            lstAlchemi2.addItem(itemName(game_, item));
            lstAlchemi2.setItemData(lstAlchemi2.newIndex(), item);
        }
    }
    lstAlchemi2.setRedraw(true);
    lstAlchemi2.setListIndex(-1);
}

int AlchemyWindow::run(std::array<int, 2>& materials) {
    cancelled_ = false;
    lstAlchemi1.setRedraw(false);
    lstAlchemi1.clear();
    if (const Character* c = current(game_)) {
        for (int r : ListedRecipes(game_, *c)) {
            lstAlchemi1.addItem(itemName(game_, RecipeAt(game_, r).product));
            lstAlchemi1.setItemData(lstAlchemi1.newIndex(), r);
        }
    }
    lstAlchemi1.setRedraw(true);
    lstAlchemi1.setListIndex(lstAlchemi1.listCount() > 0 ? 0 : -1);
    showMaterials();
    Form* owner = ModalOwner(game_, this);
    setOwner(owner);
    lstAlchemi1.setFocus();
    showModal(owner);
    const int i = lstAlchemi1.listIndex();
    if (cancelled_ || i < 0) return -1;
    materials = {lstAlchemi2.itemData(0), lstAlchemi2.itemData(1)};
    return lstAlchemi1.itemData(i);
}

int ChooseRecipe(Game& game, std::array<int, 2>& materials) {
    if (!current(game)) return -1;
    return WindowOf<AlchemyWindow>(game).run(materials);
}

void MakeRecipe(Game& game, int recipe, const std::array<int, 2>& materials) {
    Character* c = current(game);
    if (!c) return;
    const Recipe r = RecipeAt(game, recipe);
    if (recipe < 0 || !itemAt(game.db, r.product)) {
        ShowMessage(game, std::string(Message(1015)));
        return;
    }
    for (int m : materials)
        if (m != 0) RemoveItemById(*c, game.db, m, game.place.partyEffects);
    if (StoreItem(*c, game.db, r.product, false, 1) != 0) {
        ShowMessage(game, std::string(Message(1053)));
        return;
    }
    CountFound(game, r.product);
    ShowMessage(game, "新しいアイテムを手に入れました");
}

}  // namespace dv
