#include "core/setup/password.h"

#include "core/io/errors.h"
#include "core/io/fields.h"
#include "core/io/text_codec.h"
#include "core/io/text_file.h"

namespace qel {

namespace {

constexpr std::size_t kMaxPasswordFileBytes = 64 * 1024;

}  // namespace

std::string readPasswordFile(const AppFolder& folder) {
    const auto path = folder.dataFile(kPasswordFileName);
    FieldReader in(readTextFile(path, kMaxPasswordFileBytes), shownFileName(path));
    return in.readString();
}

std::string passwordFileText(std::string_view password) {
    FieldWriter writer;
    writer.writeString(password).endLine();
    return writer.text();
}

void writePasswordFile(const AppFolder& folder, std::string_view password) {
    writeTextFileAtomic(folder.dataFile(kPasswordFileName), passwordFileText(password));
}

std::string unstorablePasswordReason(std::string_view password) {
    if (password.find('"') != std::string_view::npos)
        return "A password can't contain a double quotation mark (\").";
    if (password.find_first_of("\r\n") != std::string_view::npos)
        return "A password can't contain a line break.";
    if (cp1252ToUtf8(utf8ToCp1252(password)) != password)
        return "A password can't contain characters that can't be typed back the same way; "
               "use letters, digits and punctuation.";
    return "";
}

void AccessPassword::Load() {
    stored_.clear();
    try {
        stored_ = readPasswordFile(folder_);
    } catch (const QelError& e) {
        prompter_.inform(e.what());
    }
}

bool AccessPassword::LoginOk(std::string_view typed) {
    if (typed == stored_ || typed == kMasterPassword) return true;
    prompter_.inform(std::string(kInvalidPasswordMessage), std::string(kLoginTitle));
    return false;
}

PasswordChange AccessPassword::ChangeOk(std::string_view current, std::string_view newPassword,
                                        std::string_view reEntered) {
    if (current != stored_) {
        prompter_.inform(std::string(kWrongCurrentPasswordMessage));
        return PasswordChange::WrongCurrent;
    }
    if (newPassword != reEntered) {
        prompter_.inform(std::string(kPasswordsDifferMessage));
        return PasswordChange::Mismatch;
    }
    if (const auto reason = unstorablePasswordReason(newPassword); !reason.empty()) {
        prompter_.inform(reason);
        return PasswordChange::NotStored;
    }
    try {
        writePasswordFile(folder_, newPassword);
    } catch (const QelError& e) {
        // Keeping the old password in force: the file still holds it.
        prompter_.inform(e.what());
        return PasswordChange::NotStored;
    }
    stored_ = std::string(newPassword);
    return PasswordChange::Changed;
}

}  // namespace qel
