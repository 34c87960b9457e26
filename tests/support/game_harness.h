#pragma once

// The whole game, headless: a scripted backend, a fresh game folder with data files and a
// fresh settings folder, a seeded generator. Tests queue input and checks, then run.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/game_app.h"
#include "core/prompt_dialog.h"
#include "ui/script_backend.h"

namespace dv::test {

// A game with no window that holds the shipped world's data files, its saves off; empty
// when the files do not load.
std::unique_ptr<Game> LoadShippedWorld();

// A folder removed with everything in it when the test ends.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// Writes QTR3..QTR6.DAT of an empty database into dir.
void writeEmptyDataFiles(const std::filesystem::path& dir);

class GameHarness {
  public:
    explicit GameHarness(std::uint64_t seed = 1, bool withDataFiles = true);
    // Copies the built game's pictures (title, frames, maze pieces) into the game folder,
    // for screenshots; call before start().
    void copyPictures();
    ~GameHarness();

    ScriptBackend& script() { return script_; }
    GameApp& app() { return *app_; }
    Game& game() { return app_->game(); }
    Ui& ui() { return app_->ui(); }
    const std::filesystem::path& gameDir() const { return gameDir_; }
    const std::filesystem::path& configDir() const { return configDir_; }

    // Start-up; false when the game refused to start.
    bool start() { return app_->startUp(); }
    // Start-up, then a key on the title: the town menu is on display, and the dice start
    // afresh from the harness's seed, so what start-up rolls does not move a test's rolls.
    void startToTown();
    // Runs the event loop until the game ends or the script is used up (whichever comes
    // first); a script that runs out while the game still waits fails the test through
    // the ScriptExhausted exception unless allowExhaustion is set.
    void run(bool allowExhaustion = false);
    // Makes a new game over the same folders (a restart).
    void restart(std::uint64_t seed = 1);

    // What the screen shows.
    std::vector<std::string> texts() const;
    bool showsText(const std::string& text) const;
    bool showsTextContaining(const std::string& part) const;
    std::string commandCaption();
    std::vector<std::string> commandEntries();
    void savePng(const std::string& path);

    // The message dialog waiting for an answer, or nullptr.
    MessageDialog* waitingDialog();
    // Queues answers to the game's dialogs (Space for a message, questionKey for a
    // question) until done() holds, then runs then(). A wait for anything but a dialog
    // before that fails the test.
    void answerUntil(std::function<bool()> done, std::function<void()> then = {},
                     int questionKey = 'Y');

  private:
    TempDir root_;
    std::filesystem::path gameDir_;
    std::filesystem::path configDir_;
    ScriptBackend script_;
    std::unique_ptr<GameApp> app_;
    std::uint64_t seed_ = 1;
};

}  // namespace dv::test
