#pragma once
// Message boxes and input boxes. Texts are shown exactly as given (UTF-8).
#include <optional>
#include <string>

namespace qel {

enum class MessageIcon { None, Information, Exclamation, Question, Critical };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class MessageAnswer { Ok, Cancel, Yes, No, Retry, Abort, Ignore };
// The button Enter presses, counted in the order the buttons are named
// ("Yes/No": First is Yes, Second is No).
enum class DefaultButton { First, Second, Third };

class Prompter {
  public:
    virtual ~Prompter() = default;
    virtual MessageAnswer message(const std::string& text, const std::string& title,
                                  MessageIcon icon, MessageButtons buttons,
                                  DefaultButton defaultButton = DefaultButton::First) = 0;
    // The typed text, or nullopt when the operator cancelled.
    virtual std::optional<std::string> input(const std::string& prompt, const std::string& title,
                                             const std::string& defaultText) = 0;

    // The common "OK only" box.
    void inform(const std::string& text, const std::string& title = "",
                MessageIcon icon = MessageIcon::None) {
        message(text, title, icon, MessageButtons::Ok);
    }
};

}  // namespace qel
