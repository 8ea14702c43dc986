// TQRMMsgBox: the program's own borderless question box on the tiled backdrop; the caller
// names a message by number and a button layout, the box supplies text, title and buttons.
#pragma once

#include "core/platform.h"

#include <QDialog>

#include <cstdint>

class QLabel;
class QPushButton;

namespace k2 {

class TMy_Panel;

class TQRMMsgBox : public QDialog {
    Q_OBJECT
  public:
    explicit TQRMMsgBox(SoundPlayer& sounds, QWidget* parent = nullptr);

    // Shows the box modally: 1 for "Yes"/"Ok", 2 for "No" or any other way of closing it.
    int32_t Show(int32_t layout, int32_t kind);

    // The activation step on its own (captions, text, title, the click sound), for callers
    // that show the box non-modally and for tests.
    void Prepare(int32_t layout, int32_t kind);

    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void PlaceButtons();

    SoundPlayer& sounds_;
    TMy_Panel* panel_;
    QLabel* label1_;
    QPushButton* yesbtn_;
    QPushButton* nobtn_;
    QPushButton* canbtn_;
};

} // namespace k2
