// TGenerateTerrain: Terrain > Generate Terrain. A seed with its "New Seed" button, a slider for
// each kind of ground, and a preview of the whole map that follows them; OK lays the previewed
// map over the battle as one step of the edit history.
#pragma once

#include "core/platform.h"
#include "edit/dialogs/generate_terrain_logic.h"

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;
class QSlider;
class QTimer;

namespace k2 {

class TGenerateTerrain : public QDialog {
    Q_OBJECT
  public:
    TGenerateTerrain(Scenario& battle, const RoleTable& roles, EditHistory& history, RandomSource& random,
                     MessageBoxes& boxes, QWidget* parent = nullptr);

    // Shows the dialog modally on a new seed; Ok when the terrain was generated.
    DialogResult Run();
    // The activation on its own, for a non-modal show (tests).
    void Prepare();

    GenerateTerrainLogic& Logic() { return logic_; }

  private:
    void ShowSettings();
    // A preview is made once the events queued now are handled, so that a slider dragged
    // quickly makes one preview for where it stops rather than one for every step.
    void SchedulePreview();
    void ShowPreview();
    void Accept();

    GenerateTerrainLogic logic_;
    MessageBoxes& boxes_;
    QLineEdit* seed_ = nullptr;
    std::array<QSlider*, Sliders.size()> sliders_{};
    std::array<QLabel*, Sliders.size()> values_{};
    QLabel* preview_ = nullptr;
    QLabel* problem_ = nullptr;
    QTimer* previewTimer_ = nullptr;
};

} // namespace k2
