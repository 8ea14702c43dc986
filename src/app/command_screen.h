// What the command logic classes (the battle life cycle, the edit commands) ask of the main
// window's menus and info bar.
#pragma once

#include <string>
#include <string_view>

namespace k2 {

class CommandScreen {
  public:
    virtual ~CommandScreen() = default;
    // Commands are addressed by their objectName (command_names.h).
    virtual void SetCommandEnabled(std::string_view name, bool enabled) = 0;
    virtual void SetCommandCaption(std::string_view name, const std::string& caption) = 0;
    // The tip a command shows while the pointer rests on it ("" for none): why it is disabled.
    virtual void SetCommandTip(std::string_view name, const std::string& tip) {
        (void)name;
        (void)tip;
    }
    virtual void SetInfoText(const std::string& text) = 0;
    // Shows `text` in the info bar for a few seconds, then the text it replaced (the mode's
    // prompt) again: why a click was refused, what a command just did.
    virtual void ShowNotice(const std::string& text) = 0;
};

} // namespace k2
