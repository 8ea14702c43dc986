#include "app/qt_platform.h"

#include "app/help_viewer.h"
#include "app/message_box.h"

#include <QFileDialog>
#include <QMessageBox>

namespace k2 {

namespace {

QString ToQString(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

} // namespace

QtMessageBoxes::QtMessageBoxes(TQRMMsgBox& questionBox, QWidget* parent)
    : questionBox_(questionBox), parent_(parent) {}

void QtMessageBoxes::ShowPlain(const std::string& title, const std::string& text) {
    const QString qtitle = QString::fromStdString(title);
    const QMessageBox::Icon icon = qtitle == "Error"     ? QMessageBox::Critical
                                   : qtitle == "Warning" ? QMessageBox::Warning
                                                         : QMessageBox::Information;
    QMessageBox box(icon, qtitle, QString::fromStdString(text), QMessageBox::Ok, parent_);
    box.setObjectName("PlainMessageBox");
    box.exec();
}

int QtMessageBoxes::Ask(int layout, int kind) {
    return questionBox_.Show(layout, kind);
}

bool QtMessageBoxes::Confirm(const std::string& title, const std::string& text) {
    QMessageBox box(QMessageBox::Question, QString::fromStdString(title), QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    box.setObjectName("ConfirmMessageBox");
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

QStringList QtNameFilters(const std::string& pipeFilter) {
    const QStringList parts = QString::fromStdString(pipeFilter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString name = parts[i].trimmed();
        QString patterns = parts[i + 1].trimmed();
        // Windows separates several patterns with ';', Qt with spaces.
        patterns.replace(';', ' ');
        if (name.contains("(" + patterns + ")"))
            filters << name;
        else
            filters << QString("%1 (%2)").arg(name, patterns);
    }
    if (filters.isEmpty()) filters << "All files (*)";
    return filters;
}

std::filesystem::path WithDefaultExtension(std::filesystem::path file, const std::string& defaultExtension) {
    if (file.empty() || file.has_extension() || defaultExtension.empty()) return file;
    std::string extension = defaultExtension;
    if (extension.front() != '.') extension.insert(extension.begin(), '.');
    file += extension;
    return file;
}

QtFileChooser::QtFileChooser(QWidget* parent) : parent_(parent) {}

std::unique_ptr<QFileDialog> QtFileChooser::BuildDialog(const FileDialogRequest& request, bool save) const {
    auto dialog = std::make_unique<QFileDialog>(parent_, QString::fromStdString(request.title));
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog->setNameFilters(QtNameFilters(request.filter));
    std::string suffix = request.defaultExtension;
    if (!suffix.empty() && suffix.front() == '.') suffix.erase(suffix.begin());
    dialog->setDefaultSuffix(QString::fromStdString(suffix));
    if (!request.initialDir.empty()) dialog->setDirectory(ToQString(request.initialDir));
    if (!request.proposedName.empty()) {
        // A proposed path with its own folder opens there; a bare name is offered in the
        // initial folder.
        if (request.proposedName.has_parent_path() &&
            std::filesystem::is_directory(request.proposedName.parent_path()))
            dialog->setDirectory(ToQString(request.proposedName.parent_path()));
        dialog->selectFile(ToQString(request.proposedName.filename()));
    }
    return dialog;
}

std::optional<std::filesystem::path> QtFileChooser::Run(const FileDialogRequest& request, bool save) {
    const std::unique_ptr<QFileDialog> dialog = BuildDialog(request, save);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
    return WithDefaultExtension(std::filesystem::path(dialog->selectedFiles().front().toStdString()),
                                request.defaultExtension);
}

std::optional<std::filesystem::path> QtFileChooser::ChooseOpen(const FileDialogRequest& request) {
    return Run(request, false);
}

std::optional<std::filesystem::path> QtFileChooser::ChooseSave(const FileDialogRequest& request) {
    return Run(request, true);
}

bool QtFileChooser::ConfirmReplace(const std::filesystem::path& path) {
    const QString name = QString::fromStdString(path.filename().string());
    return QMessageBox::question(parent_, "Confirm Save As",
                                 QString("%1 already exists.\nDo you want to replace it?").arg(name),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

QtHelpViewer::QtHelpViewer(QWidget* parent) : parent_(parent) {}

QtHelpViewer::~QtHelpViewer() {
    // Without a parent the window is ours to free; with one, Qt frees it with the parent.
    if (!parent_) delete window_.data();
}

HelpWindow& QtHelpViewer::Window() {
    if (!window_) window_ = new HelpWindow(parent_);
    return *window_;
}

void QtHelpViewer::ShowContents(const std::filesystem::path& helpFile) {
    Window().ShowContents(helpFile);
}

void QtHelpViewer::ShowKeywordSearch(const std::filesystem::path& helpFile) {
    Window().ShowKeywordSearch(helpFile);
}

void QtHelpViewer::Close() {
    if (window_) window_->close();
}

} // namespace k2
