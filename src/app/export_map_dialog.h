// TExportMap: the choice File > Export Map Image... asks first, the whole map or the part the map
// view shows, with the picture size of each.
#pragma once

#include "graphics/map_export.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QRadioButton;

namespace k2 {

class TExportMap : public QDialog {
    Q_OBJECT
  public:
    explicit TExportMap(QWidget* parent = nullptr);
    // Shows the choice with the two picture sizes; the area chosen, or nothing when cancelled.
    std::optional<ExportArea> Choose(QSize wholeMap, QSize visiblePart);
    // The check box that puts the reference picture into the image: offered while there is one.
    void OfferReference(bool available, bool checked);
    bool IncludeReference() const;

  private:
    QRadioButton* whole_ = nullptr;
    QRadioButton* visible_ = nullptr;
    QCheckBox* reference_ = nullptr;
};

} // namespace k2
