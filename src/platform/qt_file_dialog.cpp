#include "platform/qt_file_dialog.h"

#include <QFileDialog>

#include "qt/qt_text.h"

namespace qel::platform {

namespace {

QString nameFilter(const FileFilterEntry& entry) {
    QStringList masks;
    for (const auto& mask : entry.masks)
        masks << toQt(mask).trimmed();
    const QString joined = masks.join(u' ');
    const QString description = toQt(entry.description).trimmed();
    // Descriptions usually show their masks already ("Text Files(*.txt)");
    // only when they don't, or show them differently, are the masks added.
    if (description.endsWith(QLatin1Char('(') + joined + QLatin1Char(')'))) return description;
    if (description.isEmpty()) return joined;
    return description + QStringLiteral(" (") + joined + QLatin1Char(')');
}

}  // namespace

QStringList QtFileDialog::nameFilters(const std::string& filter) {
    QStringList filters;
    for (const auto& entry : parseFileFilter(filter)) {
        if (!entry.masks.empty()) filters << nameFilter(entry);
    }
    return filters;
}

std::optional<std::string> QtFileDialog::showSave(const FileDialogRequest& request) {
    return show(request, true);
}

std::optional<std::string> QtFileDialog::showOpen(const FileDialogRequest& request) {
    return show(request, false);
}

std::optional<std::string> QtFileDialog::show(const FileDialogRequest& request, bool save) {
    QFileDialog dialog(parent_, toQt(request.title));
    dialog.setObjectName(save ? "saveFileDialog" : "openFileDialog");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(!save && (request.flags & kFileMustExist) ? QFileDialog::ExistingFile
                                                                 : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, (request.flags & kOverwritePrompt) == 0);

    const QStringList filters = nameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int index = request.filterIndex >= 1 && request.filterIndex <= filters.size()
                              ? request.filterIndex - 1
                              : 0;
        dialog.selectNameFilter(filters.at(index));
    }
    if (!request.initialDir.empty()) dialog.setDirectory(toQt(request.initialDir));
    if (!request.fileName.empty()) dialog.selectFile(toQt(request.fileName));

    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty()) return std::nullopt;
    return fromQt(chosen.first());
}

}  // namespace qel::platform
