#include "support/game_harness.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <fstream>

#include "core/data/data_files.h"
#include "core/main_window.h"
#include "ui/keys.h"
#include "ui/list_ex.h"
#include "ui/png.h"

namespace dv::test {

std::unique_ptr<Game> LoadShippedWorld() {
    auto game = std::make_unique<Game>();
    SaveData save;
    if (!LoadAllData(game->db, save, DV_TEST_GAME_DIR).ok) return nullptr;
    game->savesOff = true;
    return game;
}

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("dalvenor-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

namespace {
void writeBytes(const std::filesystem::path& p, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(p, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}
}  // namespace

void writeEmptyDataFiles(const std::filesystem::path& dir) {
    auto db = std::make_unique<Database>();
    writeBytes(dir / "QTR3.DAT", writeQtr3(*db));
    writeBytes(dir / "QTR4.DAT", writeQtr4(*db));
    writeBytes(dir / "QTR5.DAT", writeQtr5(*db));
    writeBytes(dir / "QTR6.DAT", writeQtr6(*db));
}

GameHarness::GameHarness(std::uint64_t seed, bool withDataFiles)
    : gameDir_(root_.path() / "game"), configDir_(root_.path() / "config"), seed_(seed) {
    std::filesystem::create_directories(gameDir_);
    if (withDataFiles) writeEmptyDataFiles(gameDir_);
    app_ = std::make_unique<GameApp>(script_, gameDir_, configDir_, seed);
}

GameHarness::~GameHarness() {
    app_.reset();
}

void GameHarness::copyPictures() {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(DV_TEST_GAME_DIR, ec)) {
        auto ext = entry.path().extension();
        if (ext == ".jpg" || ext == ".png")
            std::filesystem::copy_file(entry.path(), gameDir_ / entry.path().filename(),
                                       std::filesystem::copy_options::overwrite_existing, ec);
    }
    restart();
}

void GameHarness::restart(std::uint64_t seed) {
    seed_ = seed;
    app_.reset();
    app_ = std::make_unique<GameApp>(script_, gameDir_, configDir_, seed);
}

void GameHarness::startToTown() {
    ASSERT_TRUE(start());
    script_.key(keys::Space);
    ui().runUntil([&] { return game().menuState == 8 && app_->mainWindow().visible(); });
    game().rng.seed(seed_);
}

void GameHarness::run(bool allowExhaustion) {
    try {
        ui().runUntil([&] { return script_.exhausted(); });
    } catch (const ScriptExhausted&) {
        if (!allowExhaustion) throw;
    }
}

std::vector<std::string> GameHarness::texts() const {
    return app_->ui().visibleTexts();
}

bool GameHarness::showsText(const std::string& text) const {
    auto all = texts();
    return std::find(all.begin(), all.end(), text) != all.end();
}

bool GameHarness::showsTextContaining(const std::string& part) const {
    for (const std::string& t : texts())
        if (t.find(part) != std::string::npos) return true;
    return false;
}

std::string GameHarness::commandCaption() {
    return app_->mainWindow().lstCommandList.caption();
}

std::vector<std::string> GameHarness::commandEntries() {
    ListEx& l = app_->mainWindow().lstCommandList;
    std::vector<std::string> out;
    for (int i = 0; i < l.listCount(); ++i)
        out.push_back(l.list(i));
    return out;
}

MessageDialog* GameHarness::waitingDialog() {
    return dynamic_cast<MessageDialog*>(ui().inputForm());
}

void GameHarness::answerUntil(std::function<bool()> done, std::function<void()> then,
                              int questionKey) {
    script_.check([this, done, then, questionKey] {
        if (done()) {
            if (then) then();
            return;
        }
        MessageDialog* d = waitingDialog();
        if (!d) {
            ADD_FAILURE() << "the game waits for something else than a dialog";
            return;
        }
        script_.key(d->mode() == kPromptQuestion ? questionKey : keys::Space);
        answerUntil(done, then, questionKey);
    });
}

void GameHarness::savePng(const std::string& path) {
    ui().render();
    dv::savePng(ui().canvas(), path);
}

}  // namespace dv::test
