#pragma once

// The character sheet dfrmStatus: one character's record, the inventory, the command list
// and the spell book.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "ui/form.h"
#include "ui/label.h"
#include "ui/list_ex.h"
#include "ui/panel.h"
#include "ui/panel_ex.h"

namespace dv {

struct Game;
struct SkinPictures;

// sheetMode values: 2 opened in town, 3 camp in the dungeon, 0 or 1 inspection only.
inline constexpr int kSheetTown = 2;
inline constexpr int kSheetCamp = 3;

// Opens the sheet modally for a roster slot and returns when it closes ("L)戻る" saves).
void OpenSheet(Game& game, int slot, int mode);

class StatusSheet : public Form {
  public:
    StatusSheet(Ui& ui, Game& game);
    ~StatusSheet() override;
    void dress(const SkinPictures& skin);

    // Redraws every value of the current character.
    void DrawSheet();
    // The commands for sheetMode.
    void BuildCommands();
    // The inventory lines.
    void BuildItemList();

    PanelEx fraBack{"fraBack"};
    ListEx lstCommand{"lstCommand"};
    ListEx lstItem{"lstItem"};
    // lbl 7 name, 1 class label, 2 race, 3 sex; other indexes are static captions.
    std::array<Label, 8> lbl;
    std::array<Label, 25> lblStatu;
    std::vector<std::unique_ptr<Label>> captions;  // static texts beside the values

    // The spell book: label index = level * 10 + number, one array per spell kind.
    Panel picSpell{"picSpell"};
    std::array<std::array<Label, 100>, 4> spellLabels;
    std::array<Label, 4> spellHeads;

    bool drawn = false;

  private:
    void chooseCommand();
    void readSpellBook();
    void cast();
    void closePanels();
    void page(int step);
    void captionSpellBook();
    Label& addCaption(const std::string& text, int x, int y, int w);

    Game& game_;
    std::string lastSpell_;
};

}  // namespace dv
