#pragma once

// The settings window frmConfig, opened from the outskirts: the music file of each scene,
// the three options of the dungeon screens, and a picture file for each monster the
// player has defeated. Everything is a working copy until OK writes it to QTR.ini.

#include <array>
#include <string>
#include <vector>

#include "core/game_settings.h"
#include "ui/button.h"
#include "ui/combo_box.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/list_ex.h"
#include "ui/panel_ex.h"
#include "ui/picture_box.h"
#include "ui/text_box.h"

namespace dv {

struct Game;
struct SkinPictures;

// Shows the settings window modally.
void OpenSettings(Game& game);

class ConfigWindow : public Form {
  public:
    ConfigWindow(Ui& ui, Game& game);
    void dress(const SkinPictures& skin);

    // Fills the working copies from the settings and shows the window until OK or Cancel.
    void run();

    PanelEx fraBack{"fraBack"};
    Label lblBGM{"lblBGM"};
    ComboBox cboBGM{"cboBGM"};
    TextBox txtFile{"txtFile"};
    Button cmdBGMFile{"cmdBGMFile", "参照(&B)"};
    Button cmdNothingBGM{"cmdNothingBGM", "ＢＧＭ無し"};
    CheckBox chkDraw{"chkDraw", "面画にする(&W)"};
    CheckBox chkFindMessage{"chkFindMessage",
                            "「何かを探す」コマンドで「なにもみつからなかった」を表示する(&S)"};
    CheckBox chkBattleHelp{"chkBattleHelp", "戦闘中のヘルプウィンドを表示する(&H)"};
    Label lblMonster{"lblMonster"};
    ListEx lst{"lst"};
    Label lblPicture{"lblPicture"};
    TextBox txtName{"txtName"};
    Button cmdFile{"cmdFile", "参照(&R)"};
    Button Command1{"Command1", "画像無し"};
    PictureBox picPreview{"picPreview"};
    Label lblPreview{"lblPreview"};
    Button cmdOK{"cmdOK", "OK"};
    Button cmdCancel{"cmdCancel", "キャンセル"};

    // The working copies: the music file of scenes 1..19 and the picture file of each row.
    const std::string& workingMusic(int scene) const;
    const std::vector<std::string>& workingPictures() const { return pictures_; }

  private:
    void layout();
    int selectedScene() const;
    void showSceneFile();
    void showRowPicture();
    void showPreview();
    void pressAccessKey(int key);
    void accept();

    Game& game_;
    std::array<std::string, kMusicScenes + 1> music_;
    std::vector<std::string> pictures_;
    // The drawing option as the window found it (2 stays 2 while the box stays ticked).
    int drawModeShown_ = 0;
    // Set while the window itself fills txtName, so the change is not a player's edit.
    bool filling_ = false;
};

}  // namespace dv
