// Start-up loading of the game folder's data files (the save, QTR3..QTR6.DAT, names
// decoded) beside the floor it is measured against: the same bytes read with plain read
// calls into a buffer.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

#include "core/data/atomic_file.h"
#include "core/data/data_files.h"

namespace dv {
namespace {

const std::filesystem::path kGameDir = DV_BENCH_GAME_DIR;
const char* const kFiles[] = {"QTR1.DAT", "QTR3.DAT", "QTR4.DAT", "QTR5.DAT", "QTR6.DAT"};

void readFilesPlainly(benchmark::State& state) {
    std::vector<char> buffer(16u << 20);
    std::size_t total = 0;
    for (auto _ : state) {
        total = 0;
        for (const char* name : kFiles) {
            const int fd = ::open((kGameDir / name).c_str(), O_RDONLY | O_CLOEXEC);
            if (fd < 0) {
                state.SkipWithError("a data file is missing; build the game folder first");
                return;
            }
            struct stat st {};
            ::fstat(fd, &st);
            std::size_t got = 0;
            while (got < static_cast<std::size_t>(st.st_size)) {
                const ssize_t n = ::read(fd, buffer.data() + got, buffer.size() - got);
                if (n <= 0) break;
                got += static_cast<std::size_t>(n);
            }
            ::close(fd);
            total += got;
        }
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * total));
}
BENCHMARK(readFilesPlainly)->Unit(benchmark::kMicrosecond);

// Into the tables of a game that has just been made, as start-up does.
void loadAllData(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto db = std::make_unique<Database>();
        auto save = std::make_unique<SaveData>();
        state.ResumeTiming();
        const LoadReport report = LoadAllData(*db, *save, kGameDir);
        if (!report.ok) {
            state.SkipWithError(report.message.c_str());
            return;
        }
        benchmark::DoNotOptimize(db->monsterTable.data());
        state.PauseTiming();
        db.reset();
        save.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(loadAllData)->Unit(benchmark::kMicrosecond);

// The parts of it: the tables read from bytes already in memory, then the names decoded.
void readTablesFromMemory(benchmark::State& state) {
    std::vector<std::vector<std::uint8_t>> files;
    for (const char* name : {"QTR3.DAT", "QTR4.DAT", "QTR5.DAT", "QTR6.DAT"})
        files.push_back(ReadWholeFile(kGameDir / name).value_or(std::vector<std::uint8_t>{}));
    auto db = std::make_unique<Database>();
    for (auto _ : state) {
        bool ok = readQtr3(files[0], *db) && readQtr4(files[1], *db) && readQtr5(files[2], *db) &&
                  readQtr6(files[3], *db);
        if (!ok) {
            state.SkipWithError("a data file is missing or short");
            return;
        }
        benchmark::DoNotOptimize(db->monsterTable.data());
    }
}
BENCHMARK(readTablesFromMemory)->Unit(benchmark::kMicrosecond);

void decodeNames(benchmark::State& state) {
    auto loaded = std::make_unique<Database>();
    auto save = std::make_unique<SaveData>();
    if (!LoadAllData(*loaded, *save, kGameDir).ok) {
        state.SkipWithError("the data files do not load");
        return;
    }
    auto db = std::make_unique<Database>();
    for (auto _ : state) {
        state.PauseTiming();
        for (std::size_t i = 0; i < db->monsterTable.size(); ++i) {
            db->monsterTable[i].name.clear();
            db->monsterTable[i].altName.clear();
            db->monsterTable[i].nameCodes = loaded->monsterTable[i].nameCodes;
            db->monsterTable[i].altNameCodes = loaded->monsterTable[i].altNameCodes;
        }
        for (std::size_t i = 0; i < db->itemTable.size(); ++i) {
            db->itemTable[i].name.clear();
            db->itemTable[i].altName.clear();
            db->itemTable[i].nameCodes = loaded->itemTable[i].nameCodes;
            db->itemTable[i].altNameCodes = loaded->itemTable[i].altNameCodes;
        }
        for (std::size_t i = 0; i < db->skillTable.size(); ++i) {
            db->skillTable[i].description.clear();
            db->skillTable[i].descriptionCodes = loaded->skillTable[i].descriptionCodes;
        }
        state.ResumeTiming();
        DecodeDatabaseNames(*db);
        benchmark::DoNotOptimize(db->monsterTable.data());
    }
}
BENCHMARK(decodeNames)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace dv

BENCHMARK_MAIN();
