// The save loader as the game runs it, on a real folder: QTR1.DAT holds the input; a
// missing, empty or complete file loads without a word, any other size is kept under a
// backup name of its own (QTR1.DAT.bak, .bak2, ...) that never replaces an earlier copy,
// and the next save writes a complete file that loads back without a word.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/data/atomic_file.h"
#include "core/data/save_file.h"

namespace {

namespace fs = std::filesystem;

const fs::path& folder() {
    static const fs::path dir = [] {
        fs::path d = fs::temp_directory_path() / ("dv-fuzz-save-" + std::to_string(::getpid()));
        fs::remove_all(d);
        fs::create_directories(d);
        return d;
    }();
    return dir;
}

void writeFile(const fs::path& p, std::span<const std::uint8_t> bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto save = std::make_unique<dv::SaveData>();
    const fs::path& dir = folder();
    for (const auto& entry : fs::directory_iterator(dir))
        fs::remove(entry.path());
    // The first byte's low bit: an earlier damaged copy is already there (a different one).
    const bool earlierCopy = size > 0 && (data[0] & 1);
    const std::vector<std::uint8_t> earlier = {0xEE, 0xEE, 0xEE};
    if (earlierCopy) writeFile(dir / dv::kSaveBackupName, earlier);
    writeFile(dir / dv::kSaveFileName, {data, size});

    const dv::LoadReport report = dv::LoadSave(*save, dir);
    if (!report.ok) std::abort();
    const bool damaged = size != 0 && size != dv::kSaveFileSize;
    if (damaged == report.message.empty()) std::abort();
    const fs::path copy = dir / dv::SaveBackupName(earlierCopy ? 2 : 1);
    if (damaged) {
        const auto kept = dv::ReadWholeFile(copy);
        if (!kept || !std::equal(kept->begin(), kept->end(), data, data + size) ||
            kept->size() != size)
            std::abort();
    } else if (fs::exists(copy)) {
        std::abort();
    }
    if (earlierCopy && dv::ReadWholeFile(dir / dv::kSaveBackupName) != earlier) std::abort();

    if (!dv::WriteSaveFile(*save, dir).ok) std::abort();
    if (fs::file_size(dir / dv::kSaveFileName) != dv::kSaveFileSize) std::abort();
    if (!dv::LoadSave(*save, dir).message.empty()) std::abort();
    return 0;
}
