#pragma once

// Character creation and the class-change list, inside the main window. The main window
// holds one CreationScreen; the training grounds start it.

#include <array>
#include <cstdint>
#include <string>

#include "characters/creation_rules.h"
#include "ui/label.h"
#include "ui/list_ex.h"
#include "ui/panel_ex.h"

namespace dv {

struct Game;
struct SkinPictures;
class MainWindow;

class CreationScreen {
  public:
    void attach(MainWindow& main, Game& game);
    void dress(const SkinPictures& skin);

    // "C)キ ャ ラ ク タ ー を 作 る": room check, name, then the steps on lstMaking.
    void start();
    // "G)職 業 を 変 え る": the roster picker, then lstClassChange.
    void startClassChange();

    // The steps: race, alignment, sex, then the confirmation.
    ListEx lstMaking{"lstMaking"};
    // The bonus panel: attributes with their values, points left, allowed classes.
    PanelEx fraBounas{"fraBounas"};
    ListEx lstStatus{"lstStatus"};
    std::array<Label, 8> lblPoint;
    std::array<Label, 8> lblAttrLimit;  // the racial limit beside each value
    Label lblBounasPoint{"lblBounasPoint"};
    Label lblBounasCaption{"lblBounasCaption"};
    Label lblHelp{"lblHelp"};
    ListEx lstClass{"lstClass"};
    // The class change list.
    ListEx lstClassChange{"lstClassChange"};

    // Working values (read by tests).
    int creationStep = 0;
    CreationChoice choice;
    TableAttributes startValues{};
    TableAttributes values{};
    int bonusPoints = 0;

  private:
    void showStep(int step);
    void makingEnter();
    void statusKeyDown(int& code);
    void classGotFocus();
    void chooseClass();
    void setValue(int row, int value);
    void rebuildClassList();
    void showValues();
    void finish();
    void classChangeEnter();
    void closeClassChange();

    Game* game_ = nullptr;
    MainWindow* main_ = nullptr;
    int classChangeSlot_ = 0;
};

}  // namespace dv
