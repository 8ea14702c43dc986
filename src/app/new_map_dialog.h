// TNewMap: the battle settings dialog, for a battle about to be created and for the active
// battle's settings. The rules live in NewMapLogic; this class builds and refreshes controls.
#pragma once

#include "app/new_map_logic.h"
#include "core/platform.h"

#include <QDialog>
#include <QFont>
#include <QStringList>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTextEdit;

namespace k2 {

// The description memo's width and font: its display lines are what the battle stores.
constexpr int32_t HistoryWrapWidth = 481;
QFont HistoryFont();

// The display lines of `text` laid out at `width` pixels in `font`, word-wrapped as the memo
// shows them (a word too long for a line is broken), trailing blanks dropped. Each paragraph
// gives at least one line.
QStringList WrapMemoLines(const QString& text, const QFont& font, int width);

class TNewMap : public QDialog {
    Q_OBJECT
  public:
    TNewMap(Scenario& scenario, const std::filesystem::path& installDir, MessageBoxes& boxes,
            FileChooser& chooser, QWidget* parent = nullptr);

    // Shows the dialog modally in `mode`: Ok when OK stored the settings.
    DialogResult Run(NewMapMode mode);

    // The activation on its own, for a non-modal show (tests); the result arrives through
    // finished(int) with the same values as Run.
    void Prepare(NewMapMode mode);

    NewMapLogic& Logic() { return logic_; }

    void reject() override;

  private:
    void Build();
    QWidget* MakeUpDown(const char* name, void (NewMapLogic::*up)(), void (NewMapLogic::*down)());
    void RefreshAll();
    void RefreshCounts();
    void RefreshIcon();
    void OkClicked();

    NewMapLogic logic_;

    QLabel* mpRw_ = nullptr;
    QLabel* mpCl_ = nullptr;
    QLabel* totHex_ = nullptr;
    QLabel* gameTurns_ = nullptr;
    QLabel* wbpLbl_ = nullptr;
    QLabel* ebpLbl_ = nullptr;
    QLabel* uSetLbl_ = nullptr;
    QLabel* image1_ = nullptr;
    QLabel* iconLbl_ = nullptr;
    QLineEdit* sNam_ = nullptr;
    QLineEdit* sideA_ = nullptr;
    QLineEdit* sideB_ = nullptr;
    QTextEdit* history_ = nullptr;
    QGroupBox* wthrGrp_ = nullptr;
    QButtonGroup* weatherButtons_ = nullptr;
    QRadioButton* wstIni_ = nullptr;
    QRadioButton* estIni_ = nullptr;
    QCheckBox* wstRplBtn_ = nullptr;
    QCheckBox* estRplBtn_ = nullptr;
    QGroupBox* unitSetGroup_ = nullptr;
    QGroupBox* mapSizeGroup_ = nullptr;
};

} // namespace k2
