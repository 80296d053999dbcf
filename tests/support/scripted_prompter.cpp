#include "support/scripted_prompter.h"

namespace qel::test {

namespace {

MessageAnswer firstButton(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok:
        case MessageButtons::OkCancel:
            return MessageAnswer::Ok;
        case MessageButtons::YesNo:
        case MessageButtons::YesNoCancel:
            return MessageAnswer::Yes;
        case MessageButtons::RetryCancel:
            return MessageAnswer::Retry;
        case MessageButtons::AbortRetryIgnore:
            return MessageAnswer::Abort;
    }
    return MessageAnswer::Ok;
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
                                        MessageIcon icon, MessageButtons buttons) {
    messages_.push_back({text, title, icon, buttons});
    if (answers_.empty()) return firstButton(buttons);
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
