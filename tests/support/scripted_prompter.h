#pragma once
// Message and input boxes answered from a script; every box is recorded so a
// test can check the exact words the race director would have seen.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/seams/prompter.h"

namespace qel::test {

struct ShownMessage {
    std::string text;
    std::string title;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    DefaultButton defaultButton = DefaultButton::First;
};

struct ShownInput {
    std::string prompt;
    std::string title;
    std::string defaultText;
};

class ScriptedPrompter : public Prompter {
  public:
    // Answers for the coming message boxes, in order. Unscripted boxes get
    // their default button (what Enter would press).
    void answer(MessageAnswer answer) { answers_.push_back(answer); }
    // Answers for the coming input boxes; nullopt = Cancel. Unscripted input
    // boxes return their default text.
    void type(std::optional<std::string> text) { typed_.push_back(std::move(text)); }

    const std::vector<ShownMessage>& messages() const { return messages_; }
    const std::vector<ShownInput>& inputs() const { return inputs_; }
    // Texts of all message boxes, for a compact comparison.
    std::vector<std::string> messageTexts() const;
    void clear();

    MessageAnswer message(const std::string& text, const std::string& title, MessageIcon icon,
                          MessageButtons buttons,
                          DefaultButton defaultButton = DefaultButton::First) override;
    std::optional<std::string> input(const std::string& prompt, const std::string& title,
                                     const std::string& defaultText) override;

  private:
    std::deque<MessageAnswer> answers_;
    std::deque<std::optional<std::string>> typed_;
    std::vector<ShownMessage> messages_;
    std::vector<ShownInput> inputs_;
};

}  // namespace qel::test
