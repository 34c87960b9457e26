#include "town/file_open_window.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>

#include "core/game.h"
#include "core/game_settings.h"
#include "core/prompt_dialog.h"
#include "core/screens.h"
#include "core/skin_pictures.h"
#include "core/window_of.h"
#include "ui/keys.h"
#include "ui/utf8.h"
#include "ui/window_system.h"

namespace dv {

namespace {

constexpr int kWidth = 560;
constexpr int kHeight = 400;
constexpr int kFont = 12;
// A folder with more entries than this shows the first ones only.
constexpr std::size_t kMaxEntries = 5000;

char32_t lower(char32_t c) {
    return c >= U'A' && c <= U'Z' ? c - U'A' + U'a' : c;
}

bool globMatch(const std::u32string& name, const std::u32string& glob) {
    size_t n = 0, g = 0, starG = std::u32string::npos, starN = 0;
    while (n < name.size()) {
        if (g < glob.size() && (glob[g] == U'?' || lower(glob[g]) == lower(name[n]))) {
            ++n;
            ++g;
        } else if (g < glob.size() && glob[g] == U'*') {
            starG = g++;
            starN = n;
        } else if (starG != std::u32string::npos) {
            g = starG + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (g < glob.size() && glob[g] == U'*')
        ++g;
    return g == glob.size();
}

std::string lowered(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::filesystem::path homeFolder() {
    const char* home = std::getenv("HOME");
    return home && *home ? std::filesystem::path(home) : std::filesystem::path("/");
}

}  // namespace

bool MatchesPattern(std::string_view name, std::string_view patterns) {
    const std::u32string n = decodeUtf8(name);
    while (true) {
        const size_t end = patterns.find(';');
        std::string_view one = patterns.substr(0, end);
        while (!one.empty() && one.front() == ' ')
            one.remove_prefix(1);
        while (!one.empty() && one.back() == ' ')
            one.remove_suffix(1);
        if (!one.empty() && globMatch(n, decodeUtf8(one))) return true;
        if (end == std::string_view::npos) return false;
        patterns.remove_prefix(end + 1);
    }
}

FolderListing ListFolder(const std::filesystem::path& dir, std::string_view patterns) {
    FolderListing out;
    std::error_code ec;
    std::filesystem::directory_iterator it(
        dir, std::filesystem::directory_options::skip_permission_denied, ec);
    if (ec) {
        out.readable = false;
        return out;
    }
    std::size_t seen = 0;
    for (std::filesystem::directory_iterator end; it != end && seen < kMaxEntries;
         it.increment(ec)) {
        if (ec) break;
        const std::filesystem::path& p = it->path();
        const std::string name = p.filename().string();
        // Hidden entries stay hidden; a name that cannot be written into QTR.ini is no
        // choice.
        if (name.empty() || name.front() == '.' || !StorableSetting(p.string())) continue;
        ++seen;
        std::error_code kindError;
        if (it->is_directory(kindError)) {
            out.folders.push_back(p);
        } else if (MatchesPattern(name, patterns)) {
            out.files.push_back(p);
        }
    }
    auto byName = [](const std::filesystem::path& a, const std::filesystem::path& b) {
        const std::string la = lowered(a.filename().string()), lb = lowered(b.filename().string());
        return la != lb ? la < lb : a.filename() < b.filename();
    };
    std::sort(out.folders.begin(), out.folders.end(), byName);
    std::sort(out.files.begin(), out.files.end(), byName);
    return out;
}

FileOpenWindow::FileOpenWindow(Ui& ui, Game& game) : Form(ui, "frmFileOpen"), game_(game) {
    setTitle("ファイル読み込み");
    bordered = true;
    backColor = rgb(10, 12, 36);
    keyPreview = true;
    add(fraBack);
    fraBack.caption = "ファイル読み込み";
    const FontRef font = Font::standard(kFont);
    for (Label* l : {&lblPlace, &lblPath, &lblFolders, &lblFiles, &lblName}) {
        l->setFont(font);
        l->wordWrap = false;
        fraBack.add(*l);
    }
    lblPlace.setCaption("場所");
    lblFolders.setCaption("フォルダ");
    lblName.setCaption("ファイル名");
    dvl.font = font;
    fraBack.add(dvl);
    for (ListEx* l : {&drl, &fll}) {
        l->setFont(font);
        l->setSelectionFont(font);
        l->accessKeyOn = false;
        fraBack.add(*l);
    }
    txtFile.font = font;
    fraBack.add(txtFile);
    fraBack.add(cmdOK);
    fraBack.add(cmdCancel);

    dvl.onClick = [this] {
        int i = dvl.listIndex();
        if (i >= 0 && i < static_cast<int>(places_.size()))
            openFolder(places_[static_cast<size_t>(i)]);
    };
    drl.onEnter = [this] { enterSelectedFolder(); };
    drl.onKeyDown = [this](int& code, int) {
        if (code == keys::Back) {
            code = 0;
            openFolder(folder_.parent_path());
        }
    };
    fll.onClick = [this] {
        int i = fll.itemData(fll.listIndex());
        if (fll.listIndex() >= 0 && i >= 0 && i < static_cast<int>(listing_.files.size()))
            txtFile.setText(listing_.files[static_cast<size_t>(i)].filename().string());
    };
    fll.onEnter = [this] {
        if (fll.listIndex() >= 0) accept();
    };
    txtFile.onKeyDown = [this](int& code, int) {
        if (code == keys::Enter) {
            code = 0;
            accept();
        }
    };
    cmdOK.onClick = [this] { accept(); };
    cmdCancel.onClick = [this] { cancel(); };
    // Every time the picker opens, the file list has the keys.
    onActivate = [this] { fll.setFocus(); };
    onKeyDown = [this](int& code, int shift) {
        // The open place list keeps its own keys.
        if (dvl.droppedDown()) return;
        if (code == keys::Tab) {
            code = 0;
            focusNext((shift & shiftbits::Shift) != 0);
        } else if (code == keys::Esc) {
            code = 0;
            cancel();
        }
    };
    layout();
}

void FileOpenWindow::dress(const SkinPictures& skin) {
    DressPanel(fraBack, skin);
    DressList(drl, skin);
    DressList(fll, skin);
    DressList(dvl.dropList(), skin);
    dvl.dropList().borderStyle = 1;
    bordered = !skin.complete;
    layout();
}

void FileOpenWindow::layout() {
    move((640 - kWidth) / 2, (480 - kHeight) / 2, kWidth, kHeight);
    fraBack.move(0, 0, kWidth, kHeight);
    const Rect in = fraBack.innerRect();
    const int x = in.x + 10, w = in.w - 20;
    const int half = (w - 10) / 2;
    lblPlace.move(x, in.y + 26, 60, 16);
    dvl.move(x + 64, in.y + 22, w - 64, 20);
    lblPath.move(x, in.y + 48, w, 16);
    lblFolders.move(x, in.y + 70, half, 16);
    lblFiles.move(x + half + 10, in.y + 70, half, 16);
    drl.move(x, in.y + 88, half, 226);
    fll.move(x + half + 10, in.y + 88, half, 226);
    lblName.move(x, in.y + 326, 76, 16);
    txtFile.move(x + 80, in.y + 322, w - 80, 20);
    cmdOK.move(x + w - 200, in.y + 352, 94, 24);
    cmdCancel.move(x + w - 94, in.y + 352, 94, 24);
}

void FileOpenWindow::openFolder(const std::filesystem::path& dir) {
    std::error_code ec;
    std::filesystem::path target = dir.empty() ? std::filesystem::path("/") : dir;
    std::filesystem::path normal = std::filesystem::weakly_canonical(target, ec);
    if (!ec) target = normal;
    folder_ = target;
    listing_ = ListFolder(folder_, patterns_);

    drl.setRedraw(false);
    drl.clear();
    if (folder_.has_parent_path() && folder_.parent_path() != folder_) {
        drl.addItem("..（上のフォルダ）");
        drl.setItemData(drl.newIndex(), -1);
    }
    for (size_t i = 0; i < listing_.folders.size(); ++i) {
        drl.addItem(listing_.folders[i].filename().string() + "/");
        drl.setItemData(drl.newIndex(), static_cast<std::int32_t>(i));
    }
    drl.setRedraw(true);
    drl.setListIndex(drl.listCount() > 0 ? 0 : -1);

    fll.setRedraw(false);
    fll.clear();
    for (size_t i = 0; i < listing_.files.size(); ++i) {
        fll.addItem(listing_.files[i].filename().string());
        fll.setItemData(fll.newIndex(), static_cast<std::int32_t>(i));
    }
    fll.setRedraw(true);
    fll.setListIndex(-1);
    lblPath.setCaption(folder_.string() + (listing_.readable ? "" : "（開けません）"));
}

void FileOpenWindow::enterSelectedFolder() {
    const int row = drl.listIndex();
    if (row < 0) return;
    const int i = drl.itemData(row);
    if (i == -1) {
        openFolder(folder_.parent_path());
    } else if (i >= 0 && i < static_cast<int>(listing_.folders.size())) {
        openFolder(listing_.folders[static_cast<size_t>(i)]);
    }
}

void FileOpenWindow::accept() {
    std::string name = txtFile.text();
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    // Without a name there is nothing to return, as with Cancel.
    if (name.empty()) {
        cancel();
        return;
    }
    const std::filesystem::path chosen = (folder_ / name).lexically_normal();
    std::error_code ec;
    if (std::filesystem::is_directory(chosen, ec)) {
        txtFile.setText("");
        openFolder(chosen);
        return;
    }
    if (!StorableSetting(chosen.string())) {
        ShowMessage(game_, "このファイル名は設定に使えません");
        return;
    }
    result_ = chosen.string();
    hide();
}

void FileOpenWindow::cancel() {
    result_.clear();
    hide();
}

std::string FileOpenWindow::run(std::string_view patterns) {
    patterns_ = std::string(patterns);
    result_.clear();
    lblFiles.setCaption("ファイル（" + patterns_ + "）");
    places_ = {game_.programDir, homeFolder(), "/"};
    if (dvl.listCount() == 0) {
        dvl.addItem("ゲームのフォルダ");
        dvl.addItem("ホームフォルダ");
        dvl.addItem("/（ルート）");
    }
    // The picker starts in the game folder and then stays where the player left it.
    std::error_code ec;
    if (folder_.empty() || !std::filesystem::is_directory(folder_, ec)) {
        dvl.setListIndex(0);
    } else {
        openFolder(folder_);
    }
    txtFile.setText("");
    Form* owner = windowSystem().inputForm();
    setOwner(owner);
    showModal(owner);
    return result_;
}

std::string PickFile(Game& game, std::string_view patterns) {
    return WindowOf<FileOpenWindow>(game).run(patterns);
}

}  // namespace dv
