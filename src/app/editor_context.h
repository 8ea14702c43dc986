// The application object: the one battle, symbol set, equipment tables, edit state, display
// switches and map renderer of the run, with the platform seams everything else is handed.
#pragma once

#include "app/battle_lifecycle.h"
#include "core/edit_state.h"
#include "core/platform.h"
#include "core/random_source.h"
#include "core/scenario.h"
#include "edit/edit_history.h"
#include "forces/equipment_defs.h"
#include "graphics/map_renderer.h"
#include "graphics/symbol_set.h"

#include <filesystem>
#include <memory>

namespace k2 {

class TQRMMsgBox;

// The platform seams of one run. The application fills them with the Qt implementations
// (MakeQtSeams); tests put recorders in their place.
struct PlatformSeams {
    std::unique_ptr<SoundPlayer> sounds;
    std::unique_ptr<TQRMMsgBox> questionBox; // behind `boxes` in the Qt set
    std::unique_ptr<MessageBoxes> boxes;
    std::unique_ptr<FileChooser> chooser;
    std::unique_ptr<HelpViewer> help;
    // Where the recovery copy of a modified battle is kept; empty for none.
    std::filesystem::path recoveryFolder;
    std::chrono::seconds recoveryInterval = RecoveryStore::DefaultInterval;
    // The clock the copy's interval is measured by (tests set their own).
    RecoveryStore::Clock recoveryClock = &std::chrono::system_clock::now;

    PlatformSeams();
    PlatformSeams(PlatformSeams&&) noexcept;
    PlatformSeams& operator=(PlatformSeams&&) noexcept;
    ~PlatformSeams();
};
PlatformSeams MakeQtSeams(const std::filesystem::path& installDir);

class EditorContext {
  public:
    EditorContext(std::filesystem::path installDir, PlatformSeams seams);
    EditorContext(const EditorContext&) = delete;
    EditorContext& operator=(const EditorContext&) = delete;

    const std::filesystem::path& InstallDir() const { return installDir_; }

    Scenario& Battle() { return *scenario_; }
    EditHistory& History() { return history_; }
    SymbolSet& Symbols() { return symbols_; }
    EquipmentTables& Equipment() { return equipment_; }
    EditState& Edit() { return edit_; }
    DisplaySwitches& Switches() { return switches_; }
    MapRenderer& Renderer() { return renderer_; }
    RandomSource& Random() { return random_; }

    SoundPlayer& Sounds() { return *seams_.sounds; }
    MessageBoxes& Boxes() { return *seams_.boxes; }
    FileChooser& Chooser() { return *seams_.chooser; }
    HelpViewer& Help() { return *seams_.help; }

    // The recovery copy's keeper, or null when the seams name no folder.
    RecoveryStore* Recovery() { return recovery_.get(); }

    // Loads a battle's symbol sets into Symbols() for the life cycle.
    SymbolSetSource& SymbolLoader() { return loader_; }

  private:
    class Loader : public SymbolSetSource {
      public:
        explicit Loader(EditorContext& context) : context_(context) {}
        Status Load(const std::string& terrainSet, const std::string& unitSet,
                    const std::function<void(int32_t)>& progress) override;
        int32_t TerrainSymbolCount() const override { return context_.symbols_.TerrainCount(); }

      private:
        EditorContext& context_;
    };

    std::filesystem::path installDir_;
    // The scenario is large; it lives on the heap for the whole run.
    std::unique_ptr<Scenario> scenario_;
    EditHistory history_;
    SymbolSet symbols_;
    EquipmentTables equipment_;
    EditState edit_;
    DisplaySwitches switches_;
    MapRenderer renderer_;
    StdRandomSource random_;
    PlatformSeams seams_;
    std::unique_ptr<RecoveryStore> recovery_;
    Loader loader_;
};

} // namespace k2
