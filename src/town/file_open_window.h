#pragma once

// The file picker frmFileOpen of the settings window: the folders and files of the real
// file system, starting at the game folder, with the home folder and the root a choice
// away. The file list shows only names that fit the pattern.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "ui/button.h"
#include "ui/combo_box.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/list_ex.h"
#include "ui/panel_ex.h"
#include "ui/text_box.h"

namespace dv {

struct Game;
struct SkinPictures;

// The patterns the settings window asks for.
inline constexpr std::string_view kMusicPattern = "*.mid;*.midi;*.ogg;*.mp3;*.wav;*.flac";
// Only the formats the game decodes are offered.
inline constexpr std::string_view kPicturePattern = "*.png;*.jpg;*.jpeg";

// Whether a file name fits one of the ";"-separated patterns ("*" any run of characters,
// "?" one), letters matched without regard to case ("*.mid" also finds "A.MID").
bool MatchesPattern(std::string_view name, std::string_view patterns);

// What a folder holds, as the picker lists it: sub-folders and matching files, each sorted
// by name. Hidden entries (a leading ".") and names that cannot stand in a settings file
// are left out.
struct FolderListing {
    std::vector<std::filesystem::path> folders;
    std::vector<std::filesystem::path> files;
    bool readable = true;
};
FolderListing ListFolder(const std::filesystem::path& dir, std::string_view patterns);

// Shows the picker modally; the chosen file's full path, or "" when the player cancelled
// or gave no name.
std::string PickFile(Game& game, std::string_view patterns);

class FileOpenWindow : public Form {
  public:
    FileOpenWindow(Ui& ui, Game& game);
    void dress(const SkinPictures& skin);

    std::string run(std::string_view patterns);
    // The folder the lists show.
    const std::filesystem::path& folder() const { return folder_; }
    void openFolder(const std::filesystem::path& dir);

    PanelEx fraBack{"fraBack"};
    Label lblPlace{"lblPlace"};
    ComboBox dvl{"dvl"};
    Label lblPath{"lblPath"};
    Label lblFolders{"lblFolders"};
    ListEx drl{"drl"};
    Label lblFiles{"lblFiles"};
    ListEx fll{"fll"};
    Label lblName{"lblName"};
    TextBox txtFile{"txtFile"};
    Button cmdOK{"cmdOK", "OK"};
    Button cmdCancel{"cmdCancel", "キャンセル"};

  private:
    void layout();
    void enterSelectedFolder();
    void accept();
    void cancel();

    Game& game_;
    std::string patterns_;
    std::filesystem::path folder_;
    std::vector<std::filesystem::path> places_;
    FolderListing listing_;
    std::string result_;
};

}  // namespace dv
