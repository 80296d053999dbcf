#pragma once
// File dialogs answered from a script; every request is recorded.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/seams/file_dialog.h"

namespace qel::test {

struct FileDialogShown {
    bool save = false;
    FileDialogRequest request;
};

class ScriptedFileDialog : public FileDialog {
  public:
    // The full path the operator picks in the next dialog; nullopt = Cancel.
    // An unscripted dialog is cancelled.
    void choose(std::optional<std::string> path) { answers_.push_back(std::move(path)); }
    const std::vector<FileDialogShown>& shown() const { return shown_; }

    std::optional<std::string> showSave(const FileDialogRequest& request) override {
        return answer(true, request);
    }
    std::optional<std::string> showOpen(const FileDialogRequest& request) override {
        return answer(false, request);
    }

  private:
    std::optional<std::string> answer(bool save, const FileDialogRequest& request) {
        shown_.push_back({save, request});
        if (answers_.empty()) return std::nullopt;
        auto path = std::move(answers_.front());
        answers_.pop_front();
        return path;
    }

    std::deque<std::optional<std::string>> answers_;
    std::vector<FileDialogShown> shown_;
};

}  // namespace qel::test
