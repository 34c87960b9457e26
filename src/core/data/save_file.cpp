#include "core/data/save_file.h"

#include "core/data/names.h"
#include "core/data/record_io.h"

namespace dv {

namespace {

// Brings a step clock read from a save into its range (the moon pictures index by it).
std::int16_t wrapClock(std::int16_t value, int period) {
    const int wrapped = ((value % period) + period) % period;
    return static_cast<std::int16_t>(wrapped);
}

}  // namespace

void ReadSaveImage(std::span<const std::uint8_t> bytes, SaveData& save) {
    const Character blank = save.roster[0];
    // A whole save sets every field as it is read; only a short one needs zeros first.
    const bool cleared = bytes.size() < kSaveFileSize;
    if (cleared) resetValue(save);
    ByteReader in(bytes);
    readValue(in, save);
    if (in.isShort() && !cleared) {
        // Texts longer than a save holds pushed the layout past the end.
        resetValue(save);
        ByteReader again(bytes);
        readValue(again, save);
    }
    for (int slot = 1; slot < kRosterSlots; ++slot) {
        Character& c = save.roster[slot];
        c.name += DecodeNameCodes(c.nameCodes);
    }
    save.roster[0] = blank;
    save.lunaPhase = wrapClock(save.lunaPhase, kLunaPeriod);
    save.artemisPhase = wrapClock(save.artemisPhase, kArtemisPeriod);
}

std::vector<std::uint8_t> BuildSaveImage(SaveData& save) {
    for (int slot = 1; slot < kRosterSlots; ++slot) {
        Character& c = save.roster[slot];
        if (c.name.empty()) continue;  // an empty name keeps its codes
        if (DecodeNameCodes(c.nameCodes) == c.name) continue;
        if (!EncodeNameCodes(c.name, c.nameCodes)) EncodeNameCodesFitting(c.name, c.nameCodes);
    }
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kSaveFileSize);
    ByteWriter out(bytes);
    SaveData::fields(save, [&out](std::string_view field, const auto& member) {
        if constexpr (std::is_same_v<std::decay_t<decltype(member)>,
                                     std::array<Character, kRosterSlots>>) {
            // Records go out with empty String members, so every save has one length.
            for (const Character& c : member) {
                Character::fields(c, [&out](std::string_view, const auto& value) {
                    if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::string>) {
                        writeValue(out, std::string());
                    } else {
                        writeValue(out, value);
                    }
                });
            }
        } else {
            (void)field;
            writeValue(out, member);
        }
    });
    return bytes;
}

std::string SaveBackupName(int n) {
    return n <= 1 ? kSaveBackupName : std::string(kSaveBackupName) + std::to_string(n);
}

LoadReport LoadSave(SaveData& save, const std::filesystem::path& dir) {
    const std::filesystem::path path = FindFileNoCase(dir, kSaveFileName);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        ReadSaveImage({}, save);  // a new game
        return {};
    }
    auto bytes = ReadWholeFile(path);
    if (!bytes) {
        // Going on would overwrite a save we could not read.
        return {false, "セーブファイル " + path.filename().string() + " を読み込めません"};
    }
    ReadSaveImage(*bytes, save);
    if (bytes->empty() || bytes->size() == kSaveFileSize) return {};

    // A damaged save: keep what was there before the next save replaces it, under a name of
    // its own, so no earlier copy is ever overwritten.
    LoadReport report;
    const std::string size = std::to_string(bytes->size());
    const std::string header = "セーブファイルが壊れていました（" + size + "バイト）。\n";
    for (int n = 1; n <= kMaxSaveBackups; ++n) {
        const std::filesystem::path backup = dir / SaveBackupName(n);
        if (std::filesystem::exists(backup, ec)) {
            // The same damaged file seen again (the game ended before its next save).
            if (ReadWholeFile(backup) == bytes) {
                report.message = header + backup.filename().string() + " にコピーがあります";
                return report;
            }
            continue;
        }
        if (WriteFileAtomically(backup, *bytes)) {
            report.message = header + backup.filename().string() + " にコピーを残しました";
            return report;
        }
        break;
    }
    report.ok = false;
    report.message = "セーブファイルが壊れていますが、そのコピーを作れませんでした";
    return report;
}

SaveReport WriteSaveFile(SaveData& save, const std::filesystem::path& dir,
                         const WriteFaults& faults) {
    const std::vector<std::uint8_t> image = BuildSaveImage(save);
    const std::filesystem::path path = FindFileNoCase(dir, kSaveFileName);
    int code = 0;
    if (!WriteFileAtomically(path, image, faults, nullptr, &code)) {
        return {false,
                "セーブできませんでした\n" + WriteFailureReason(code) + "\n" + path.string()};
    }
    return {};
}

}  // namespace dv
