#pragma once

// The character sheet dfrmStatus: one character's record, the inventory, the command list
// with every command a character can give outside battle, the item page, the monster page
// and the spell book.

#include <array>
#include <functional>
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
struct ItemRecord;
struct Character;

// sheetMode values: 2 opened in town, 3 camp in the dungeon, 0 or 1 inspection only.
inline constexpr int kSheetTown = 2;
inline constexpr int kSheetCamp = 3;

// Opens the sheet modally for a roster slot and returns when it closes ("L)戻る" saves).
void OpenSheet(Game& game, int slot, int mode);

// The sheet's commands, by what they do (the list's item data); the caption's letter is
// only the key that chooses it.
enum class SheetCommand {
    Cast = 1,
    Equip,
    Give,
    Use,
    PoolGold,
    Drop,
    Skills,
    Identify,
    Appraise,
    Alchemy,
    Next,
    Previous,
    SpellBook,
    Leave,
};

class StatusSheet : public Form {
  public:
    StatusSheet(Ui& ui, Game& game);
    ~StatusSheet() override;
    void dress(const SkinPictures& skin);

    // Redraws every value of the current character.
    void DrawSheet();
    // The commands for sheetMode.
    void BuildCommands();
    // The inventory lines (after closing gaps and recomputing the usable bits).
    void BuildItemList();
    // The command on a line of the command list (0 for none).
    SheetCommand commandAt(int line) const;

    // The item page of an item: with level -1 every panel, otherwise the panels an
    // appraiser of that level may see.
    void ShowItemPage(const ItemRecord& item, int level);
    // The monster page of a monster-table entry.
    void ShowMonsterPage(const Character& monster);

    PanelEx fraBack{"fraBack"};
    ListEx lstCommand{"lstCommand"};
    ListEx lstItem{"lstItem"};
    // lbl 7 name, 1 class label, 2 race, 3 sex; 16..67 the item page.
    std::array<Label, 68> lbl;
    std::array<Label, 25> lblStatu;
    std::vector<std::unique_ptr<Label>> captions;  // static texts beside the values

    // The item prompt over the inventory.
    Panel fraTitle{"fraTitle"};
    Label lblTitle{"fraTitleCaption"};
    Label lblMsg1{"lblMsg1"};
    Label lblMsg2{"lblMsg2"};

    // The item page and its panels (shown by the appraiser's level).
    Panel fraInspect{"fraInspect"};
    Panel fraRace{"fraRace"};
    Panel fraSexAttribute{"fraSexAttribute"};
    Panel fraClass{"fraClass"};
    Panel fraEquip1{"fraEquip1"};
    Panel fraEquip2{"fraEquip2"};
    // The monster page.
    Panel fraMonster{"fraMonster"};
    std::array<Label, 19> lblMonster;

    // The spell book: label index = level * 10 + number, one array per spell kind.
    Panel picSpell{"picSpell"};
    std::array<std::array<Label, 100>, 4> spellLabels;
    std::array<Label, 4> spellHeads;

    bool drawn = false;

  private:
    void chooseCommand();
    void readSpellBook();
    bool closePanels();
    void page(int step);
    void captionSpellBook();
    void layoutItemPage();
    void layoutMonsterPage();
    Label& addCaption(Control& parent, const std::string& text, int x, int y, int w);
    Character* shown();

    // The item commands: the prompt panel over the inventory and what Enter does there.
    bool haveItems();
    void openItemPanel(const std::string& title, const std::string& prompt,
                       std::function<void()> action, int firstLine = 0);
    void closeItemPanel();
    void reselect(int line);
    int chosenSlot() const;
    void give();
    void giveChosen(int receiver);
    void poolGold();
    void drop();
    void use();
    void useChosen();
    void identify();
    void identifyChosen();
    void appraise();
    void appraiseChosen();
    void equip();
    void skills();
    void alchemy();
    void cast();

    Game& game_;
    std::vector<SheetCommand> commands_;
    std::function<void()> itemAction_;
    std::string lastSpell_;
};

}  // namespace dv
