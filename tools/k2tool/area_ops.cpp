#include "k2tool/area_ops.h"

#include "edit/terrain_picker_logic.h"

#include <string>

namespace k2 {

namespace {

SelectionMode ModeArg(OpArgs& args) {
    if (!args.Has("mode")) return SelectionMode::Replace;
    const QString mode = args.Text("mode");
    if (mode == "replace") return SelectionMode::Replace;
    if (mode == "add") return SelectionMode::Add;
    if (mode == "remove") return SelectionMode::Remove;
    throw OpArgumentError("mode must be \"replace\", \"add\" or \"remove\"");
}

OpOutcome Outcome(const AreaOutcome& outcome) {
    return {outcome.Refused, outcome.Reason};
}

// A drag in Select Map Area from one hex to another (Shift adds, Ctrl takes away).
OpOutcome SelectOp(OpArgs& args, ScriptSession& s) {
    const int32_t from = args.Hex("from"), to = args.Hex("to");
    s.Session().Selection().SelectRectangle(from, to, ModeArg(args));
    return {};
}

// A double-click in Select Map Area.
OpOutcome SelectRegionOp(OpArgs& args, ScriptSession& s) {
    const int32_t hex = args.Hex();
    s.Session().Selection().SelectRegion(hex, ModeArg(args));
    return {};
}

OpOutcome SelectAllOp(OpArgs&, ScriptSession& s) {
    s.Session().Selection().SelectAll();
    return {};
}

OpOutcome SelectNoneOp(OpArgs&, ScriptSession& s) {
    s.Session().Selection().SelectNone();
    return {};
}

OpOutcome InvertSelectionOp(OpArgs&, ScriptSession& s) {
    s.Session().Selection().Invert();
    return {};
}

OpOutcome CopyAreaOp(OpArgs&, ScriptSession& s) {
    return Outcome(s.Session().Areas().Copy());
}

OpOutcome CutAreaOp(OpArgs&, ScriptSession& s) {
    return Outcome(s.Session().Areas().Cut());
}

OpOutcome DeleteAreaOp(OpArgs&, ScriptSession& s) {
    return Outcome(s.Session().Areas().Delete());
}

// A click in Paste Map Area's mode with the area's top-left corner on the hex. The editor's
// preview keeps to the columns the area may take; a script names one, so any other is an error.
OpOutcome PasteAreaOp(OpArgs& args, ScriptSession& s) {
    const int32_t hex = args.Hex();
    const MapAreaClipboard& clipboard = s.Session().AreaClipboard();
    if (clipboard.Filled()) {
        const int32_t column = hex % s.Battle().Cols;
        if (!AllowedColumn(clipboard.Area(), column)) {
            std::string nearest;
            for (int32_t c : {column - 1, column + 1})
                if (c >= 0 && c < s.Battle().Cols)
                    nearest += (nearest.empty() ? "" : " or ") + std::to_string(c);
            throw OpArgumentError("the area moves only by even numbers of columns: column " +
                                  std::to_string(column) + " is not allowed, the nearest are " + nearest);
        }
    }
    s.Edit().Mode = EditMode::PasteArea;
    return ClickMap(s, MapButton::Left, hex);
}

// The terrain chosen in the picker of Place Primary Terrain, then Edit > Fill Selection.
OpOutcome FillSelectionOp(OpArgs& args, ScriptSession& s) {
    PickTerrain(args, s, s.Edit().Mode, PickerUsePrimary);
    return Outcome(s.Session().Areas().FillSelection());
}

} // namespace

int32_t BrushArg(OpArgs& args) {
    if (!args.Has("brush")) return 0;
    const int32_t radius = args.Int("brush");
    if (radius < 0 || radius > MaxBrushRadius)
        throw OpArgumentError("brush must be from 0 to " + std::to_string(MaxBrushRadius));
    return radius;
}

void RegisterAreaOps(EditScript& script) {
    script.RegisterOp("select", SelectOp);
    script.RegisterOp("select-region", SelectRegionOp);
    script.RegisterOp("select-all", SelectAllOp);
    script.RegisterOp("select-none", SelectNoneOp);
    script.RegisterOp("invert-selection", InvertSelectionOp);
    script.RegisterOp("copy-area", CopyAreaOp);
    script.RegisterOp("cut-area", CutAreaOp);
    script.RegisterOp("delete-area", DeleteAreaOp);
    script.RegisterOp("paste-area", PasteAreaOp);
    script.RegisterOp("fill-selection", FillSelectionOp);
}

} // namespace k2
