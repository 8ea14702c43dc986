// File > Export Map Image...: the choice of area, the file, and the picture drawn in bands with
// progress and Cancel.
#pragma once

#include <QSize>

#include <filesystem>

class QWidget;

namespace k2 {

class EditorContext;
class LifecycleScreen;
class ReferenceWindow;
class TExportMap;

class ExportFlow {
  public:
    ExportFlow(EditorContext& context, LifecycleScreen& screen, const ReferenceWindow& reference,
               QWidget* parent)
        : context_(context), screen_(screen), reference_(reference), parent_(parent) {}
    // `visible` is the size of the view's part of the map; the file is proposed beside
    // `battleFile`, or in `scenariosDir` for a battle without a file.
    void Run(QSize visible, const std::filesystem::path& battleFile,
             const std::filesystem::path& scenariosDir);

  private:
    EditorContext& context_;
    LifecycleScreen& screen_;
    const ReferenceWindow& reference_;
    QWidget* parent_;
    TExportMap* choice_ = nullptr;
};

} // namespace k2
