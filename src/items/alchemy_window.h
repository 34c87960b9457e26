#pragma once

// The alchemy window frmAlchemi: every product the inventory allows with the two
// materials it takes, and the making of the chosen one.

#include <array>
#include <vector>

#include "ui/form.h"
#include "ui/label.h"
#include "ui/list_ex.h"
#include "ui/panel_ex.h"

namespace dv {

struct Game;
struct Character;
struct SkinPictures;

inline constexpr int kAlchemyRecipes = 120;

struct Recipe {
    int product = 0;
    int first = 0;   // 0 = no recipe
    int second = 0;  // 0 is held by every empty slot
};
// Recipe r (1..120) of the alchemy table.
Recipe RecipeAt(const Game& game, int r);

// The recipe numbers the character's inventory allows, once for every pair of slots
// (0..15, slot 0 always empty) holding the first and the second material; recipes whose
// product is not an item are left out.
std::vector<int> ListedRecipes(const Game& game, const Character& c);

// The alchemy window for currentCharacter: the chosen recipe with its two materials, or
// -1 when the player left.
int ChooseRecipe(Game& game, std::array<int, 2>& materials);
// The sheet's making: -1 says "おおっと！"; otherwise one unit of each material goes and the
// product is stored identified ("新しいアイテムを手に入れました"), or lost with the
// materials when there is no room (message 1053).
void MakeRecipe(Game& game, int recipe, const std::array<int, 2>& materials);

class AlchemyWindow : public Form {
  public:
    AlchemyWindow(Ui& ui, Game& game);
    void dress(const SkinPictures& skin);
    int run(std::array<int, 2>& materials);

    PanelEx fraAlchemi{"fraAlchemi"};
    Label lblProducts{"lblProducts"};
    ListEx lstAlchemi1{"lstAlchemi1"};
    Label lblMaterials{"lblMaterials"};
    ListEx lstAlchemi2{"lstAlchemi2"};
    Label lblHelp{"lblHelp"};

  private:
    void showMaterials();

    Game& game_;
    bool cancelled_ = false;
};

}  // namespace dv
