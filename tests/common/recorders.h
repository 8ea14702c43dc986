// Recorders for the platform seams, written once for every test program: each stands in for
// the platform, records what the code under test asked of it and answers from a script.
// Standard C++ only, so that the core tests can use them without Qt.
#pragma once

#include "core/platform.h"
#include "core/random_source.h"

#include <cstdint>
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace k2::test {

// Records the number and the mode of every sound asked for; answers `started` (false: no
// sound card).
class SoundRecorder : public SoundPlayer {
  public:
    bool Play(int number, int mode) override {
        played.push_back(number);
        modes.push_back(mode);
        return started;
    }
    const std::vector<int>& Numbers() const { return played; }

    std::vector<int> played;
    std::vector<int> modes;
    bool started = false;
};

// Records plain boxes as "title: text" and questions as (layout, kind); questions are answered
// from `answers` in turn, then as the user closing the box would: 1 for a lone Ok, else
// `unscripted` (2, No, unless a test changes it).
class MessageBoxRecorder : public MessageBoxes {
  public:
    void ShowPlain(const std::string& title, const std::string& text) override {
        plain.push_back(title + ": " + text);
    }
    int Ask(int layout, int kind) override {
        asked.emplace_back(layout, kind);
        if (answers.empty()) return layout == 1 ? 1 : unscripted;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    bool Confirm(const std::string& title, const std::string& text) override {
        confirmed.push_back(title + ": " + text);
        if (confirmAnswers.empty()) return false;
        const bool answer = confirmAnswers.front();
        confirmAnswers.pop_front();
        return answer;
    }
    // The kinds of the questions alone, in order.
    std::vector<int> AskedKinds() const {
        std::vector<int> kinds;
        for (const auto& [layout, kind] : asked)
            kinds.push_back(kind);
        return kinds;
    }
    // Nothing shown at all.
    bool Silent() const { return plain.empty() && asked.empty() && confirmed.empty(); }

    std::vector<std::string> plain;
    std::vector<std::pair<int, int>> asked;
    std::deque<int> answers;
    int unscripted = 2;
    std::vector<std::string> confirmed; // "title: text" of each Confirm
    std::deque<bool> confirmAnswers;    // No once they run out
};

// Answers open and save dialogs from two scripts (nothing, i.e. Cancel, when a script runs out)
// and records every request.
class ScriptedFileChooser : public FileChooser {
  public:
    std::optional<std::filesystem::path> ChooseOpen(const FileDialogRequest& request) override {
        openRequests.push_back(request);
        return Next(openAnswers);
    }
    std::optional<std::filesystem::path> ChooseSave(const FileDialogRequest& request) override {
        saveRequests.push_back(request);
        return Next(saveAnswers);
    }

    // Asked whether a file may be replaced: answered from `replaceAnswers`, then No.
    bool ConfirmReplace(const std::filesystem::path& path) override {
        replaceAsked.push_back(path);
        if (replaceAnswers.empty()) return false;
        const bool answer = replaceAnswers.front();
        replaceAnswers.pop_front();
        return answer;
    }

    std::deque<std::optional<std::filesystem::path>> openAnswers, saveAnswers;
    std::vector<FileDialogRequest> openRequests, saveRequests;
    std::deque<bool> replaceAnswers;
    std::vector<std::filesystem::path> replaceAsked;

  private:
    static std::optional<std::filesystem::path>
    Next(std::deque<std::optional<std::filesystem::path>>& script) {
        if (script.empty()) return std::nullopt;
        auto answer = script.front();
        script.pop_front();
        return answer;
    }
};

// Records help requests as "contents <file name>" and "search <file name>", and the full paths.
class HelpRecorder : public HelpViewer {
  public:
    void ShowContents(const std::filesystem::path& helpFile) override {
        requests.push_back("contents " + helpFile.filename().string());
        files.push_back(helpFile);
    }
    void ShowKeywordSearch(const std::filesystem::path& helpFile) override {
        requests.push_back("search " + helpFile.filename().string());
        files.push_back(helpFile);
    }

    std::vector<std::string> requests;
    std::vector<std::filesystem::path> files;
};

// Returns the given values in turn, then repeats them; counts the draws.
class SequenceRandom : public RandomSource {
  public:
    explicit SequenceRandom(std::vector<uint32_t> values) : values_(std::move(values)) {
        if (values_.empty()) values_.push_back(0);
    }
    uint32_t Next() override { return values_[calls++ % values_.size()]; }

    std::size_t calls = 0;

  private:
    std::vector<uint32_t> values_;
};

} // namespace k2::test
