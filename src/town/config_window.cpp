#include "town/config_window.h"

#include <algorithm>
#include <set>
#include <system_error>

#include "core/data/database.h"
#include "core/game.h"
#include "core/main_window.h"
#include "core/prompt_dialog.h"
#include "core/screens.h"
#include "core/skin_pictures.h"
#include "core/window_of.h"
#include "town/file_open_window.h"
#include "ui/keys.h"
#include "ui/png.h"
#include "ui/window_system.h"

namespace dv {

namespace {

constexpr int kWidth = 600;
constexpr int kHeight = 440;
constexpr int kFont = 12;
// A picture file larger than this is not opened for the preview.
constexpr std::uintmax_t kMaxPictureBytes = 32u << 20;

// The rows of the scene chooser, scenes 1..19 in order.
constexpr std::array<const char*, kMusicScenes> kSceneRows = {
    "タイトル", "城下町",     "町外れ", "商店",     "酒場",        "寺院",  "宿屋",
    "星占所",   "訓練場",     "迷宮1",  "迷宮2",    "戦闘1",       "戦闘2", "ボス1",
    "ボス2",    "勝利＆宝箱", "全滅",   "キャンプ", "エンカウント"};

std::string trimmedBoth(const std::string& s) {
    size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return {};
    size_t e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

// A picture drawn into the box at the largest size that fits, never enlarged.
void fitPicture(Canvas& box, const Canvas& picture, Color back) {
    box.clear(back);
    if (picture.width() <= 0 || picture.height() <= 0) return;
    const double scale = std::min({1.0, static_cast<double>(box.width()) / picture.width(),
                                   static_cast<double>(box.height()) / picture.height()});
    const int w = std::max(1, static_cast<int>(picture.width() * scale));
    const int h = std::max(1, static_cast<int>(picture.height() * scale));
    box.stretchBlit(picture, {0, 0, picture.width(), picture.height()},
                    {(box.width() - w) / 2, (box.height() - h) / 2, w, h});
}

}  // namespace

ConfigWindow::ConfigWindow(Ui& ui, Game& game) : Form(ui, "frmConfig"), game_(game) {
    setTitle("設定");
    bordered = true;
    backColor = rgb(10, 12, 36);
    keyPreview = true;
    add(fraBack);
    fraBack.caption = "設定";

    const FontRef font = Font::standard(kFont);
    for (Label* l : {&lblBGM, &lblMonster, &lblPicture, &lblPreview}) {
        l->setFont(font);
        fraBack.add(*l);
    }
    lblBGM.setCaption("ＢＧＭの選択(&B)");
    lblBGM.useMnemonic = true;
    lblBGM.wordWrap = false;
    lblMonster.setCaption("モンスターの画像（倒したことのあるモンスター）");
    lblMonster.wordWrap = false;
    lblPicture.setCaption("画像ファイル");
    cboBGM.font = font;
    for (int scene = 1; scene <= kMusicScenes; ++scene)
        cboBGM.addItem(kSceneRows[static_cast<size_t>(scene - 1)], scene);
    txtFile.font = font;
    txtFile.locked = true;  // a music file is chosen with the picker
    txtName.font = font;
    lst.setFont(font);
    lst.setSelectionFont(font);

    // In the order the Tab key visits them.
    fraBack.add(cboBGM);
    fraBack.add(txtFile);
    fraBack.add(cmdBGMFile);
    fraBack.add(cmdNothingBGM);
    fraBack.add(chkDraw);
    fraBack.add(chkFindMessage);
    fraBack.add(chkBattleHelp);
    fraBack.add(lst);
    fraBack.add(txtName);
    fraBack.add(cmdFile);
    fraBack.add(Command1);
    fraBack.add(picPreview);
    picPreview.setFocusable(false);
    picPreview.backColor = rgb(4, 4, 12);
    fraBack.add(cmdOK);
    fraBack.add(cmdCancel);

    cboBGM.onClick = [this] { showSceneFile(); };
    cmdBGMFile.onClick = [this] {
        const std::string chosen = PickFile(game_, kMusicPattern);
        const int scene = selectedScene();
        // A cancelled picker leaves the file as it was.
        if (chosen.empty() || scene < 1) return;
        music_[static_cast<size_t>(scene)] = chosen;
        txtFile.setText(chosen);
    };
    cmdNothingBGM.onClick = [this] {
        const int scene = selectedScene();
        txtFile.setText("");
        if (scene >= 1) music_[static_cast<size_t>(scene)].clear();
    };
    lst.onClick = [this] { showRowPicture(); };
    txtName.onChange = [this] {
        if (filling_) return;
        // Without a monster chosen the text belongs to nobody.
        const int row = lst.listIndex();
        if (row < 0 || row >= static_cast<int>(pictures_.size())) return;
        pictures_[static_cast<size_t>(row)] = txtName.text();
        showPreview();
    };
    cmdFile.onClick = [this] {
        const std::string chosen = PickFile(game_, kPicturePattern);
        const int row = lst.listIndex();
        if (chosen.empty() || row < 0 || row >= static_cast<int>(pictures_.size())) return;
        txtName.setText(chosen);
    };
    Command1.onClick = [this] {
        const int row = lst.listIndex();
        if (row < 0 || row >= static_cast<int>(pictures_.size())) return;
        txtName.setText("");
    };
    cmdOK.onClick = [this] { accept(); };
    cmdCancel.onClick = [this] { hide(); };
    // Every time the window opens, the scene chooser has the keys.
    onActivate = [this] { cboBGM.setFocus(); };

    onKeyDown = [this](int& code, int shift) {
        // The open scene list keeps its own keys.
        if (cboBGM.droppedDown()) return;
        if (code == keys::Tab) {
            code = 0;
            focusNext((shift & shiftbits::Shift) != 0);
        } else if (code == keys::Esc) {
            code = 0;
            hide();
        } else if (code == keys::Enter) {
            // OK is the default button: Enter takes it anywhere but on another button.
            const Control* at = focused();
            if (at != &cmdBGMFile && at != &cmdNothingBGM && at != &cmdFile && at != &Command1 &&
                at != &cmdCancel) {
                code = 0;
                cmdOK.press();
            }
        } else if (code >= 'A' && code <= 'Z') {
            // Access keys: with Alt anywhere, alone where letters type nothing.
            const Control* at = focused();
            const bool typing = at == &txtName || at == &lst;
            if ((shift & shiftbits::Alt) || !typing) {
                const int key = code;
                if (key == 'B' || key == 'W' || key == 'S' || key == 'H' || key == 'R') {
                    code = 0;
                    pressAccessKey(key);
                }
            }
        }
    };
    layout();
}

void ConfigWindow::dress(const SkinPictures& skin) {
    DressPanel(fraBack, skin);
    DressList(lst, skin);
    DressList(cboBGM.dropList(), skin);
    cboBGM.dropList().borderStyle = 1;
    bordered = !skin.complete;
    layout();
}

void ConfigWindow::layout() {
    move((640 - kWidth) / 2, (480 - kHeight) / 2, kWidth, kHeight);
    fraBack.move(0, 0, kWidth, kHeight);
    const Rect in = fraBack.innerRect();
    const int x = in.x + 12, w = in.w - 24, y = in.y;
    lblBGM.move(x, y + 24, 170, 16);
    cboBGM.move(x, y + 42, 170, 20);
    txtFile.move(x + 180, y + 42, w - 180, 20);
    cmdBGMFile.move(x + 180, y + 68, 100, 24);
    cmdNothingBGM.move(x + 288, y + 68, 110, 24);
    chkDraw.move(x, y + 104, w, 18);
    chkFindMessage.move(x, y + 126, w, 18);
    chkBattleHelp.move(x, y + 148, w, 18);
    lblMonster.move(x, y + 178, w, 16);
    lst.move(x, y + 196, 250, 196);
    lblPicture.move(x + 262, y + 196, w - 262, 16);
    txtName.move(x + 262, y + 214, w - 262, 20);
    cmdFile.move(x + 262, y + 240, 100, 24);
    Command1.move(x + 370, y + 240, 100, 24);
    picPreview.move(x + 262, y + 272, 120, 96);
    lblPreview.move(x + 390, y + 272, w - 390, 96);
    cmdOK.move(x + w - 200, in.bottom() - 32, 94, 24);
    cmdCancel.move(x + w - 94, in.bottom() - 32, 94, 24);
}

const std::string& ConfigWindow::workingMusic(int scene) const {
    static const std::string none;
    if (scene < 1 || scene > kMusicScenes) return none;
    return music_[static_cast<size_t>(scene)];
}

int ConfigWindow::selectedScene() const {
    const int scene = cboBGM.itemData(cboBGM.listIndex());
    return scene >= 1 && scene <= kMusicScenes ? scene : 0;
}

void ConfigWindow::showSceneFile() {
    txtFile.setText(workingMusic(selectedScene()));
}

void ConfigWindow::showRowPicture() {
    const int row = lst.listIndex();
    // Without a monster chosen there is no picture to edit.
    const bool chosen = row >= 0 && row < static_cast<int>(pictures_.size());
    txtName.setEnabled(chosen);
    cmdFile.setEnabled(chosen);
    Command1.setEnabled(chosen);
    filling_ = true;
    txtName.setText(row >= 0 && row < static_cast<int>(pictures_.size())
                        ? pictures_[static_cast<size_t>(row)]
                        : std::string());
    filling_ = false;
    showPreview();
}

void ConfigWindow::showPreview() {
    picPreview.resizeSurface();
    picPreview.cls();
    const int row = lst.listIndex();
    if (row < 0 || row >= static_cast<int>(pictures_.size())) {
        lblPreview.setCaption("");
        return;
    }
    const std::string text = trimmedBoth(pictures_[static_cast<size_t>(row)]);
    if (text.empty()) {
        lblPreview.setCaption("画像なし");
        return;
    }
    const std::filesystem::path path = ResolveGamePath(game_.programDir, text);
    std::error_code ec;
    if (path.empty() || !std::filesystem::is_regular_file(path, ec)) {
        lblPreview.setCaption("ファイルがありません。戦闘では画像を出しません");
        return;
    }
    Canvas picture;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec || size > kMaxPictureBytes || !loadPicture(path.string(), picture)) {
        lblPreview.setCaption("画像として読めません。戦闘では用意された画像を出します");
        return;
    }
    fitPicture(picPreview.surface(), picture, picPreview.backColor);
    lblPreview.setCaption(std::to_string(picture.width()) + "×" + std::to_string(picture.height()));
}

void ConfigWindow::pressAccessKey(int key) {
    switch (key) {
        case 'B':
            // The scene chooser's label and the music picker share the key: the first
            // press goes to the chooser, the next one opens the picker.
            if (focused() == &cboBGM)
                cmdBGMFile.press();
            else
                cboBGM.setFocus();
            break;
        case 'W':
            chkDraw.setFocus();
            chkDraw.toggle();
            break;
        case 'S':
            chkFindMessage.setFocus();
            chkFindMessage.toggle();
            break;
        case 'H':
            chkBattleHelp.setFocus();
            chkBattleHelp.toggle();
            break;
        case 'R':
            cmdFile.setFocus();
            cmdFile.press();
            break;
        default:
            break;
    }
}

void ConfigWindow::run() {
    const GameSettings& s = game_.options;
    for (int scene = 1; scene <= kMusicScenes; ++scene)
        music_[static_cast<size_t>(scene)] = s.musicFiles[static_cast<size_t>(scene)];
    drawModeShown_ = s.drawMode;
    chkDraw.setChecked(s.drawMode != 0);
    chkFindMessage.setChecked(s.showEmptySearch == 1);
    chkBattleHelp.setChecked(s.battleHelpWindow == 1);

    // Only monsters the player has defeated, each name once.
    lst.setRedraw(false);
    lst.clear();
    pictures_.clear();
    std::set<std::string> named;
    const auto& table = game_.db.monsterTable;
    for (size_t i = 0; i < table.size() && i < game_.save.defeatedCounts.size(); ++i) {
        const std::string& name = table[i].name;
        if (game_.save.defeatedCounts[i] < 1 || name.empty()) continue;
        if (!named.insert(name).second) continue;
        lst.addItem(name);
        pictures_.push_back(MonsterPictureSetting(game_, name));
    }
    lst.setRedraw(true);
    lst.setListIndex(-1);
    showRowPicture();

    cboBGM.setListIndex(0);
    Form* owner = windowSystem().inputForm();
    setOwner(owner);
    showModal(owner);
}

void ConfigWindow::accept() {
    GameSettings& s = game_.options;
    for (int scene = 1; scene <= kMusicScenes; ++scene)
        s.musicFiles[static_cast<size_t>(scene)] = music_[static_cast<size_t>(scene)];
    // Ticked keeps the fallback setting a hand-edited file may hold.
    s.drawMode = chkDraw.checked() ? (drawModeShown_ == 2 ? 2 : 1) : 0;
    s.showEmptySearch = chkFindMessage.checked() ? 1 : 0;
    s.battleHelpWindow = chkBattleHelp.checked() ? 1 : 0;
    std::vector<std::pair<std::string, std::string>> rows;
    for (int i = 0; i < lst.listCount() && i < static_cast<int>(pictures_.size()); ++i)
        rows.emplace_back(lst.list(i), pictures_[static_cast<size_t>(i)]);
    std::string error;
    const bool saved = WriteSettings(game_, rows, &error);
    hide();
    // The settings hold for this run even when the file could not be written.
    if (!saved) ShowMessage(game_, "設定を保存できませんでした\r" + error);
}

void OpenSettings(Game& game) {
    WindowOf<ConfigWindow>(game).run();
}

}  // namespace dv
