#include "support/scripted_prompter.h"

namespace qel::test {

namespace {

std::vector<MessageAnswer> buttonsOf(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok:
            return {MessageAnswer::Ok};
        case MessageButtons::OkCancel:
            return {MessageAnswer::Ok, MessageAnswer::Cancel};
        case MessageButtons::YesNo:
            return {MessageAnswer::Yes, MessageAnswer::No};
        case MessageButtons::YesNoCancel:
            return {MessageAnswer::Yes, MessageAnswer::No, MessageAnswer::Cancel};
        case MessageButtons::RetryCancel:
            return {MessageAnswer::Retry, MessageAnswer::Cancel};
        case MessageButtons::AbortRetryIgnore:
            return {MessageAnswer::Abort, MessageAnswer::Retry, MessageAnswer::Ignore};
    }
    return {MessageAnswer::Ok};
}

MessageAnswer enterPresses(MessageButtons buttons, DefaultButton defaultButton) {
    const std::vector<MessageAnswer> shown = buttonsOf(buttons);
    const auto index = static_cast<std::size_t>(defaultButton);
    return index < shown.size() ? shown[index] : shown.front();
}

}  // namespace

std::vector<std::string> ScriptedPrompter::messageTexts() const {
    std::vector<std::string> texts;
    for (const auto& m : messages_)
        texts.push_back(m.text);
    return texts;
}

void ScriptedPrompter::clear() {
    answers_.clear();
    typed_.clear();
    messages_.clear();
    inputs_.clear();
}

MessageAnswer ScriptedPrompter::message(const std::string& text, const std::string& title,
                                        MessageIcon icon, MessageButtons buttons,
                                        DefaultButton defaultButton) {
    messages_.push_back({text, title, icon, buttons, defaultButton});
    if (answers_.empty()) return enterPresses(buttons, defaultButton);
    const MessageAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

std::optional<std::string> ScriptedPrompter::input(const std::string& prompt,
                                                   const std::string& title,
                                                   const std::string& defaultText) {
    inputs_.push_back({prompt, title, defaultText});
    if (typed_.empty()) return defaultText;
    auto text = std::move(typed_.front());
    typed_.pop_front();
    return text;
}

}  // namespace qel::test
