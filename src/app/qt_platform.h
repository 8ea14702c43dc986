// The Qt side of the platform seams: plain message boxes and the program's own box, the file
// open and save dialogs, and the help window.
#pragma once

#include "app/help_viewer.h"
#include "core/platform.h"

#include <QPointer>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <memory>

class QFileDialog;
class QWidget;

namespace k2 {

class TQRMMsgBox;
class HelpWindow;

class QtMessageBoxes : public MessageBoxes {
  public:
    // `parent` centres the plain boxes; the question box is the application's one TQRMMsgBox.
    QtMessageBoxes(TQRMMsgBox& questionBox, QWidget* parent);
    void ShowPlain(const std::string& title, const std::string& text) override;
    int Ask(int layout, int kind) override;
    bool Confirm(const std::string& title, const std::string& text) override;

  private:
    TQRMMsgBox& questionBox_;
    QWidget* parent_;
};

// "Name|*.ext|Name2|*.ext2" in Qt's form: "Name (*.ext)", "Name2 (*.ext2)". A name that already
// shows its pattern keeps it once.
QStringList QtNameFilters(const std::string& pipeFilter);

// `file` with `defaultExtension` (".k2s") added when it has no extension of its own.
std::filesystem::path WithDefaultExtension(std::filesystem::path file, const std::string& defaultExtension);

class QtFileChooser : public FileChooser {
  public:
    explicit QtFileChooser(QWidget* parent);
    std::optional<std::filesystem::path> ChooseOpen(const FileDialogRequest& request) override;
    std::optional<std::filesystem::path> ChooseSave(const FileDialogRequest& request) override;
    bool ConfirmReplace(const std::filesystem::path& path) override;

    // The dialog as it would be shown, for the callers above and for tests.
    std::unique_ptr<QFileDialog> BuildDialog(const FileDialogRequest& request, bool save) const;

  private:
    std::optional<std::filesystem::path> Run(const FileDialogRequest& request, bool save);
    QWidget* parent_;
};

class QtHelpViewer : public HelpViewer {
  public:
    explicit QtHelpViewer(QWidget* parent);
    ~QtHelpViewer() override;
    void ShowContents(const std::filesystem::path& helpFile) override;
    void ShowKeywordSearch(const std::filesystem::path& helpFile) override;
    void Close() override;

    // The window, created on first use.
    HelpWindow& Window();

  private:
    QWidget* parent_;
    QPointer<HelpWindow> window_;
};

} // namespace k2
