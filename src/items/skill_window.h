#pragma once

// The skill window frmSkill: the skills a character's class and level allow and those its
// worn items offer, each with a check box; how many may be checked at once is a game-wide
// limit (event flag 19).

#include <vector>

#include "ui/form.h"
#include "ui/label.h"
#include "ui/list_ex.h"
#include "ui/panel_ex.h"

namespace dv {

struct Game;
struct Character;
struct SkinPictures;

// The class number the skill table is indexed by: 1 for class bit 1, log2(bit) + 1
// otherwise; 0 for a value that is not one known class bit.
int SkillClassNumber(std::int64_t classBit);

// The skills offered, in order: by class and level from the table, then those of worn
// items not already listed.
std::vector<int> OfferedSkills(const Game& game, const Character& c);

// How many skills may be checked at once (event flag 19; a negative value counts as 0).
int SkillLimit(const Game& game);

// Builds the list for a roster character, shows the window modally and stores the choice.
void ChooseSkills(Game& game, int character);

// Stores a choice from the offered skills (checked[i] for offered[i]); the rest are
// dropped.
void StoreSkills(Character& c, const std::vector<int>& offered, const std::vector<bool>& checked);

class SkillWindow : public Form {
  public:
    SkillWindow(Ui& ui, Game& game);
    void dress(const SkinPictures& skin);
    // Shows the list for the character; returns the checked state of each offered skill.
    std::vector<bool> run(Character& c, const std::vector<int>& offered);

    PanelEx fraSkill{"fraSkill"};
    Label lblHead{"lblHead"};
    ListEx lstSkill{"lstSkill"};
    Label lblLabel{"lblLabel"};
    Label lblHelp{"lblHelp"};

    // The check box of each entry.
    const std::vector<bool>& checked() const { return checked_; }

  private:
    void showRow(int i);
    void toggle();
    void describe();
    void finish();

    Game& game_;
    Character* character_ = nullptr;
    std::vector<int> skills_;
    std::vector<bool> checked_;
};

}  // namespace dv
