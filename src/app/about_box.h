// TAboutMBld: the about box, product name and version on the tiled backdrop.
#pragma once

#include "core/platform.h"

#include <QDialog>

namespace k2 {

class TAboutMBld : public QDialog {
    Q_OBJECT
  public:
    explicit TAboutMBld(SoundPlayer& sounds, QWidget* parent = nullptr);

  protected:
    // Every activation clicks, as the other dialogs do when they come up.
    void showEvent(QShowEvent* event) override;

  private:
    SoundPlayer& sounds_;
};

} // namespace k2
