// What the editor asks of the platform, as small interfaces: the application implements them
// with Qt, tests with recorders. Core code only declares them.
#pragma once

#include "core/message_kinds.h"

#include <filesystem>
#include <optional>
#include <string>

namespace k2 {

// How a modal dialog ended, as its caller sees it: Ok when the dialog kept what the user did
// there (OK, Exit, Remove, a unit edited from a list), Cancel when it was closed without.
enum class DialogResult { Ok, Cancel };

// Plays sounds/k2NN.wav. Modes: 1 asynchronous, 2 to the end, 3 asynchronous unless another
// sound is playing. Returns whether playback started; never blocks on a machine without audio.
class SoundPlayer {
  public:
    virtual ~SoundPlayer() = default;
    virtual bool Play(int number, int mode) = 0;
};

// Numbers of the sounds the editor plays.
constexpr int SoundAccept = 6;
constexpr int SoundAddUnit = 11;
constexpr int SoundRefuse = 13;

// The plain platform box (file and memory errors) and the program's own question box.
class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    // A plain box with one OK button, e.g. title "Warning".
    virtual void ShowPlain(const std::string& title, const std::string& text) = 0;
    // The program's own box: layout LayoutOk or LayoutYesNo; `kind` (message_kinds.h) picks
    // text and title. Returns MsgResultYes for Yes/Ok, MsgResultNo for No or any other way of
    // closing it.
    virtual int Ask(int layout, int kind) = 0;
    // A question of the editor's own with Yes and No; true for Yes.
    virtual bool Confirm(const std::string& title, const std::string& text) = 0;
};

struct FileDialogRequest {
    std::string title;
    std::string filter;           // "Keldmar 2 Scenarios|*.k2s|Keldmar 1 Scenarios|*.scn"
    std::string defaultExtension; // ".k2s"
    std::filesystem::path initialDir;
    std::filesystem::path proposedName;
};

class FileChooser {
  public:
    virtual ~FileChooser() = default;
    virtual std::optional<std::filesystem::path> ChooseOpen(const FileDialogRequest& request) = 0;
    virtual std::optional<std::filesystem::path> ChooseSave(const FileDialogRequest& request) = 0;
    // Asks whether the existing file `path` may be replaced; the chooser asks this itself for
    // the names it returns, so callers ask only for a name they changed afterwards.
    virtual bool ConfirmReplace(const std::filesystem::path& path) {
        (void)path;
        return false;
    }
};

class HelpViewer {
  public:
    virtual ~HelpViewer() = default;
    virtual void ShowContents(const std::filesystem::path& helpFile) = 0;
    virtual void ShowKeywordSearch(const std::filesystem::path& helpFile) = 0;
    // The program ends: the help window goes with it.
    virtual void Close() {}
};

} // namespace k2
