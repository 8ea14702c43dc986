#include "edit/dialogs/map_trimmer_dialog.h"

#include "edit/dialogs/edit_dialog_parts.h"
#include "graphics/ansi_text.h"
#include "widgets/dialog_look.h"
#include "widgets/picture_panel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

namespace k2 {

namespace {

struct EdgeButton {
    const char* trimName;
    const char* growName;
    const char* caption;
    MapEdge edge;
};

constexpr std::array<EdgeButton, 4> EdgeButtons = {{
    {"XBR", "GBR", "Bot Row", MapEdge::Bottom},
    {"XTR", "GTR", "Top Row", MapEdge::Top},
    {"XRC", "GRC", "Right Col", MapEdge::Right},
    {"XLC", "GLC", "Left Col", MapEdge::Left},
}};

} // namespace

TMapInfo::TMapInfo(Scenario& scenario, EditHistory& history, SoundPlayer& sounds, MessageBoxes& boxes,
                   QWidget* parent)
    : QDialog(parent), logic_(scenario), history_(history), sounds_(sounds), boxes_(boxes) {
    setObjectName("TMapInfo");
    setWindowTitle("Map Trimmer");
    setModal(true);

    TMy_Panel* panel = LayOnBackdrop(this);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(16, 10, 16, 14);
    layout->setSpacing(8);
    layout->addWidget(MakeHeading("Map Trimmer", panel));

    auto* countsBox = MakeGroup("CountsBox", "Battle", panel);
    auto* countsLayout = new QGridLayout(countsBox);
    countsLayout->setHorizontalSpacing(18);
    const auto labels = logic_.CountLabels();
    // The map's size on the left, the tables' counts on the right.
    for (std::size_t i = 0; i < labels.size(); ++i) {
        QLabel* label = MakeValueLabel(labels[i].first.c_str(), countsBox);
        counts_[labels[i].first] = label;
        const int column = i < 3 ? 0 : 1;
        const int row = i < 3 ? int(i) : int(i) - 3;
        countsLayout->addWidget(label, row, column);
    }
    layout->addWidget(countsBox);

    const auto edgeRow = [&](const char* groupName, const char* labelName, const QString& caption,
                             bool grow) {
        auto* box = MakeGroup(groupName, QString(), panel);
        auto* row = new QHBoxLayout(box);
        auto* title = new QLabel(caption, box);
        title->setObjectName(labelName);
        title->setFont(PixelFont("Kelt", 19));
        title->setMinimumWidth(52);
        row->addWidget(title);
        for (const EdgeButton& entry : EdgeButtons) {
            QPushButton* button =
                MakeDialogButton(grow ? entry.growName : entry.trimName, entry.caption, box);
            button->setFont(PixelFont("Arial", 13, true));
            const MapEdge edge = entry.edge;
            connect(button, &QPushButton::clicked, this, [this, grow, edge] { Press(grow, edge); });
            row->addWidget(button);
        }
        layout->addWidget(box);
    };
    edgeRow("TrimBox", "TrimLbl", "Trim", false);
    edgeRow("GrowBox", "GrowLbl", "Grow", true);

    auto* buttons = new QHBoxLayout;
    auto* exit = MakeDialogButton("Button1", "Exit", panel);
    buttons->addStretch(1);
    buttons->addWidget(exit);
    layout->addLayout(buttons);
    connect(exit, &QPushButton::clicked, this, [this] { done(MapInfoResultExit); });
}

void TMapInfo::RefreshCounts() {
    for (const auto& [name, text] : logic_.CountLabels())
        counts_.at(name)->setText(FromAnsi(text));
}

void TMapInfo::Press(bool grow, MapEdge edge) {
    const ResizeResult result =
        grow ? RecordGrow(history_, logic_, edge) : RecordTrim(history_, logic_, edge);
    if (result.Changed()) {
        // The map follows the step through the history's listeners.
        RefreshCounts();
        sounds_.Play(SoundAccept, 1);
        return;
    }
    if (result.Refused()) sounds_.Play(SoundRefuse, 1);
    boxes_.ShowPlain(result.Title, result.Message);
}

void TMapInfo::Prepare() {
    RefreshCounts();
    FitAndCentre(this);
}

DialogResult TMapInfo::Run() {
    Prepare();
    return exec() == MapInfoResultExit ? DialogResult::Ok : DialogResult::Cancel;
}

} // namespace k2
