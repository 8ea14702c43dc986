// The Edit menu and the edit-mode commands of the main window, one method per item, apart from
// the widgets: undo and redo with their captions, and the redraw of what they changed.
#pragma once

#include "app/command_screen.h"
#include "edit/edit_history.h"
#include "edit/map_click_dispatch.h"

#include <string>

namespace k2 {

class EditCommands {
  public:
    EditCommands(EditHistory& history, MapClickDispatch& dispatch, CommandScreen& screen)
        : history_(history), dispatch_(dispatch), screen_(screen) {}

    void Undo();
    void Redo();
    // Brings the Undo and Redo items up to date: enabled when there is a step to act on,
    // captions naming it ("Undo Place Primary Terrain").
    void RefreshUndoCommands();

    static std::string UndoCaption(const std::string& step);
    static std::string RedoCaption(const std::string& step);

  private:
    EditHistory& history_;
    MapClickDispatch& dispatch_;
    CommandScreen& screen_;
};

} // namespace k2
