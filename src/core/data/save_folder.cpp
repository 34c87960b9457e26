#include "core/data/save_folder.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>

#include "core/data/atomic_file.h"
#include "core/data/save_file.h"

namespace dv {

std::filesystem::path DefaultDataFolder() {
    std::filesystem::path base;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) {
        base = xdg;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        base = std::filesystem::path(home) / ".local" / "share";
    } else {
        base = std::filesystem::temp_directory_path();
    }
    return base / "dalvenor";
}

bool FolderWritable(const std::filesystem::path& dir) {
    return ::access(dir.c_str(), W_OK | X_OK) == 0;
}

SaveFolder ChooseSaveFolder(const std::filesystem::path& programDir,
                            const std::filesystem::path& dataFolder,
                            const std::function<bool(const std::filesystem::path&)>& writable) {
    if (writable(programDir)) return {programDir, true, ""};

    SaveFolder folder{dataFolder, true, ""};
    std::error_code ec;
    const std::filesystem::path saved = FindFileNoCase(dataFolder, kSaveFileName);
    if (std::filesystem::exists(saved, ec)) return folder;

    std::filesystem::create_directories(dataFolder, ec);
    if (ec || !writable(dataFolder)) {
        folder.ok = false;
        folder.notice = "ゲームのフォルダにもセーブ用のフォルダ\n" + dataFolder.string() +
                        "\nにも書き込めません";
        return folder;
    }
    folder.notice =
        "ゲームのフォルダには書き込めないため、\nセーブは\n" + dataFolder.string() + "\nに置きます";
    const std::filesystem::path shipped = FindFileNoCase(programDir, kSaveFileName);
    if (!std::filesystem::exists(shipped, ec)) return folder;
    const auto bytes = ReadWholeFile(shipped);
    int code = 0;
    if (!bytes || !WriteFileAtomically(dataFolder / kSaveFileName, *bytes, {}, nullptr, &code)) {
        folder.ok = false;
        folder.notice = "セーブファイルを\n" + dataFolder.string() + "\nへ写せませんでした\n" +
                        (bytes ? WriteFailureReason(code) : std::string("読み込めません"));
        return folder;
    }
    folder.notice += "\n（これまでのセーブを写しました）";
    return folder;
}

}  // namespace dv
