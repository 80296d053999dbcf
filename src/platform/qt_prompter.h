#pragma once
// Message boxes and input boxes on the desktop.
#include "core/seams/prompter.h"

class QWidget;

namespace qel::platform {

class QtPrompter : public Prompter {
  public:
    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    MessageAnswer message(const std::string& text, const std::string& title, MessageIcon icon,
                          MessageButtons buttons,
                          DefaultButton defaultButton = DefaultButton::First) override;
    std::optional<std::string> input(const std::string& prompt, const std::string& title,
                                     const std::string& defaultText) override;

  private:
    QWidget* parent_;
};

}  // namespace qel::platform
