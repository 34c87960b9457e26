#pragma once

// The fortune house on the command list: its menu (7) opens the reports and the fusion
// list (17); fusion takes the ingredients from the party and gives the product.

namespace dv {

struct Game;

inline constexpr int kFortuneMenu = 7;
inline constexpr int kFusionMenu = 17;

// An entry of menu 7 (0-based). The two catalogues share the letter G: G chooses the item
// catalogue, the monster catalogue below it is reached with the arrows and Enter.
void ChooseFortuneEntry(Game& game, int entry);

// Fills the command list with the sixty recipes and "前に戻る" (menu 17).
void BuildFusionList(Game& game);
// A row of menu 17 (0-based): a recipe, or the last row back to menu 7.
void ChooseFusionEntry(Game& game, int entry);

}  // namespace dv
