#include "app/edit_commands.h"

#include "app/command_names.h"

namespace k2 {

std::string EditCommands::UndoCaption(const std::string& step) {
    return step.empty() ? "Undo" : "Undo " + step;
}

std::string EditCommands::RedoCaption(const std::string& step) {
    return step.empty() ? "Redo" : "Redo " + step;
}

void EditCommands::Undo() {
    // Not in the middle of a stroke or a dialog: the step is not finished yet.
    if (dispatch_.StrokeActive() || history_.InSession()) return;
    dispatch_.RedrawChange(history_.Undo());
    RefreshUndoCommands();
}

void EditCommands::Redo() {
    if (dispatch_.StrokeActive() || history_.InSession()) return;
    dispatch_.RedrawChange(history_.Redo());
    RefreshUndoCommands();
}

void EditCommands::RefreshUndoCommands() {
    screen_.SetCommandEnabled(cmd::Undo, history_.CanUndo());
    screen_.SetCommandEnabled(cmd::Redo, history_.CanRedo());
    screen_.SetCommandCaption(cmd::Undo, UndoCaption(history_.UndoName()));
    screen_.SetCommandCaption(cmd::Redo, RedoCaption(history_.RedoName()));
}

} // namespace k2
