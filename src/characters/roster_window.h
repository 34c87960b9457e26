#pragma once

// The roster window frmCharacterList: the list of characters with a preview of the one
// selected, used as the picker of the training grounds, the tavern, the resume, the class
// change and the sheet.

#include <array>
#include <string>
#include <vector>

#include "core/data/save_data.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/list_ex.h"
#include "ui/panel_ex.h"

namespace dv {

struct Game;
struct SkinPictures;

// Picker modes.
enum PickerMode {
    kPickJoinParty = 1,    // tavern: adds each choice to the party
    kPickResume = 2,       // characters left in a dungeon
    kPickAny = 3,          // the sheet
    kPickClassChange = 4,  // floor 0
    kPickDelete = 5,
    kPickRename = 6,
    kPickInspect = 7,
    kPickReorder = 10,
};

// Opens the roster window modally in a mode and returns the roster slot chosen (0 for
// "Ｒ）戻る" or nothing). Modes 1 and 2 with nobody to list show a message instead.
int PickCharacter(Game& game, int mode, Form* owner = nullptr);

// One list line: position, name, level, class label and race, full width, then
// "Ａｓｈｅｓ．" or "Ｄｅａｄ．" and "Ｏｕｔ" as they apply.
std::string RosterLine(const Character& c, int position);

// The roster slots a mode lists, in slot order. The tavern's list after a character
// joined (refill) lists nobody once the party mixes good and evil.
std::vector<int> PickerSlots(const Game& game, int mode, bool refill = false);

class CharacterListWindow : public Form {
  public:
    CharacterListWindow(Ui& ui, Game& game);
    void dress(const SkinPictures& skin);

    int run(int mode, Form* owner);

    ListEx lstCharacter{"lstCharacter"};
    PanelEx picPreview{"picPreview"};
    Label lblLevel{"lblLevel"}, lblClassLabel{"lblClassLabel"}, lblRace{"lblRace"},
        lblSex{"lblSex"};
    Label lblNumbers{"lblNumbers"};  // EXP, Gold, Walk, Marks
    Label lblAttributes{"lblAttributes"};
    Label lblItems1{"lblItems1"}, lblItems2{"lblItems2"};

    int pickerMode = 0;
    bool reorderPending = false;
    int reorderSource = 0;

  private:
    void fillList(bool refill = false);
    void showPreview();
    void choose();
    void close();
    void layout();

    Game& game_;
};

}  // namespace dv
