#pragma once
// The open and save dialogs on the desktop. Qt's own dialog rather than the
// desktop's native one, so it looks the same everywhere and tests can drive it.
#include <QString>
#include <QStringList>

#include "core/seams/file_dialog.h"

class QWidget;

namespace qel::platform {

class QtFileDialog : public FileDialog {
  public:
    explicit QtFileDialog(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    std::optional<std::string> showSave(const FileDialogRequest& request) override;
    std::optional<std::string> showOpen(const FileDialogRequest& request) override;

    // "Lap Files (*.lap)|*.lap" -> {"Lap Files (*.lap)"}: Qt takes the masks
    // from the last parentheses of each name filter.
    static QStringList nameFilters(const std::string& filter);

  private:
    std::optional<std::string> show(const FileDialogRequest& request, bool save);

    QWidget* parent_;
};

}  // namespace qel::platform
