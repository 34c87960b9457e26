#include "core/game_settings.h"

#include <cmath>
#include <cstdlib>
#include <system_error>

#include "core/game.h"

namespace dv {

namespace {

constexpr std::array<std::string_view, kMusicScenes> kSceneKeys = {
    "タイトル", "城下",       "町外れ", "商店",     "酒場",        "寺院",   "宿屋",
    "星占所",   "訓練場",     "迷宮１", "迷宮２",   "戦闘１",      "戦闘２", "ボス１",
    "ボス２",   "勝利＆宝箱", "全滅",   "キャンプ", "エンカウント"};

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return std::string(s);
}

// Decimal text as the settings hold numbers: the leading number of the text, rounded to a
// whole number; anything else reads as 0.
long readNumber(std::string_view text) {
    std::string s = trimmed(text).substr(0, 64);
    if (s.empty()) return 0;
    char* end = nullptr;
    double v = std::strtod(s.c_str(), &end);
    if (end == s.c_str() || !std::isfinite(v) || std::fabs(v) > 1e9) return 0;
    return std::lround(v);
}

// A path longer than any file name reads as none.
std::string pathText(std::string value) {
    if (value.size() > kMaxPathLength) return {};
    return value;
}

}  // namespace

std::string_view SceneKey(int scene) {
    if (scene < 1 || scene > kMusicScenes) return {};
    return kSceneKeys[static_cast<size_t>(scene - 1)];
}

std::filesystem::path SettingsFile(const Game& game) {
    return FindFileNoCase(game.programDir, "QTR.ini");
}

void ReadSettings(Game& game) {
    GameSettings& s = game.options;
    s = GameSettings{};
    const std::filesystem::path file = SettingsFile(game);
    std::error_code ec;
    if (std::filesystem::exists(file, ec)) {
        const auto size = std::filesystem::file_size(file, ec);
        auto bytes = ec || size > kMaxSettingsFileSize ? std::nullopt : ReadWholeFile(file);
        if (bytes && bytes->size() <= kMaxSettingsFileSize) {
            s.ini = IniFile::Parse(
                std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
        } else {
            // A file the game cannot take in whole is left for the player to mend.
            s.keepFile = true;
        }
    }
    for (int scene = 1; scene <= kMusicScenes; ++scene) {
        std::string value = pathText(s.ini.get(kMusicSection, SceneKey(scene)));
        // Only the title's file is trimmed at its end as well.
        if (scene == 1) value = trimmed(value);
        s.musicFiles[static_cast<size_t>(scene)] = std::move(value);
    }
    const long draw = readNumber(s.ini.get(kDungeonSection, "描画"));
    s.drawMode = draw >= 0 && draw <= 2 ? static_cast<int>(draw) : 0;
    s.showEmptySearch = readNumber(s.ini.get(kDungeonSection, "何かを探す")) == 1 ? 1 : 0;
    s.battleHelpWindow =
        readNumber(s.ini.get(kDungeonSection, "戦闘中ヘルプウィンド", "1")) == 1 ? 1 : 0;
}

bool StorableSetting(std::string_view text) {
    if (text.size() > kMaxPathLength) return false;
    for (char c : text)
        if (static_cast<unsigned char>(c) < 32 || c == 127) return false;
    return true;
}

bool WriteSettings(Game& game, const std::vector<std::pair<std::string, std::string>>& pictures,
                   std::string* error, const WriteFaults& faults) {
    GameSettings& s = game.options;
    IniFile& ini = s.ini;
    // A value that cannot stand on one line of the file is written as none.
    auto value = [](const std::string& v) { return StorableSetting(v) ? v : std::string(); };
    ini.set(kDungeonSection, "何かを探す", std::to_string(s.showEmptySearch));
    ini.set(kDungeonSection, "描画", std::to_string(s.drawMode));
    ini.set(kDungeonSection, "戦闘中ヘルプウィンド", std::to_string(s.battleHelpWindow));
    for (int scene = 1; scene <= kMusicScenes; ++scene)
        ini.set(kMusicSection, SceneKey(scene), value(s.musicFiles[static_cast<size_t>(scene)]));
    for (const auto& [name, file] : pictures) {
        // A name that would not read back as the same key is not written at all.
        if (name.empty() || name != trimmed(name) || !StorableSetting(name) ||
            name.find('=') != std::string::npos || name.front() == '[' || name.front() == ';')
            continue;
        ini.set(kPictureSection, name, value(file));
    }
    if (s.keepFile) {
        if (error) *error = "QTR.ini が大きすぎるか読めないため、書き換えません";
        return false;
    }
    std::string reason;
    std::filesystem::path file = SettingsFile(game);
    if (!ini.Save(file, faults, &reason)) {
        if (error) *error = reason;
        return false;
    }
    return true;
}

std::filesystem::path ResolveGamePath(const std::filesystem::path& gameDir, std::string_view text) {
    if (text.empty() || text.size() > kMaxPathLength) return {};
    std::error_code ec;
    std::filesystem::path given(text);
    if (given.is_relative()) given = gameDir / given;
    if (std::filesystem::exists(given, ec)) return given;
    // Older files separate folders with "\".
    std::string slashed(text);
    for (char& c : slashed)
        if (c == '\\') c = '/';
    std::filesystem::path path(slashed);
    if (path.is_relative()) path = gameDir / path;
    if (std::filesystem::exists(path, ec)) return path;
    if (path.has_filename() && path.has_parent_path())
        return FindFileNoCase(path.parent_path(), path.filename().string());
    return path;
}

std::filesystem::path MusicFilePath(const Game& game, int scene) {
    if (scene < 0 || scene >= kMusicSlots) return {};
    return ResolveGamePath(game.programDir, game.options.musicFiles[static_cast<size_t>(scene)]);
}

std::string MonsterPictureSetting(const Game& game, const std::string& monsterName) {
    if (monsterName.empty()) return {};
    return pathText(trimmed(game.options.ini.get(kPictureSection, monsterName)));
}

std::filesystem::path MonsterPicturePath(const Game& game, const std::string& monsterName) {
    return ResolveGamePath(game.programDir, MonsterPictureSetting(game, monsterName));
}

}  // namespace dv
