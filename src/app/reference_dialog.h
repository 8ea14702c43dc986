// View > Reference Image...: the picture traced under the map, its opacity, and the scale and
// angle its alignment gave it, with a Reset. What it changes shows on the map at once; Cancel
// puts back what was there before.
#pragma once

#include "core/platform.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QSlider;

namespace k2 {

class ReferenceWindow;

class TReferenceImage : public QDialog {
    Q_OBJECT
  public:
    TReferenceImage(ReferenceWindow& owner, FileChooser& chooser, QWidget* parent = nullptr);
    DialogResult Run();

  private:
    void Choose();
    void ShowSettings();

    ReferenceWindow& owner_;
    FileChooser& chooser_;
    QLabel* name_ = nullptr;
    QLabel* problem_ = nullptr;
    QSlider* opacity_ = nullptr;
    QLabel* opacityValue_ = nullptr;
    QLabel* scale_ = nullptr;
    QLabel* angle_ = nullptr;
    QPushButton* remove_ = nullptr;
    QPushButton* reset_ = nullptr;
};

} // namespace k2
