#pragma once
// The access password that keeps race-day users out of Installation and out
// of selling time: QelPsd.dat, the login and the change of password.
#include <string>
#include <string_view>

#include "core/io/data_folder.h"
#include "core/seams/prompter.h"

namespace qel {

inline constexpr std::string_view kPasswordFileName = "QelPsd.dat";
// Lets the track's owner in whatever the stored password is; the login only.
inline constexpr std::string_view kMasterPassword = "kelpo";

inline constexpr std::string_view kInvalidPasswordMessage =
    "Invalid Password, Password is case sensitive try again!";
inline constexpr std::string_view kLoginTitle = "Login";
inline constexpr std::string_view kWrongCurrentPasswordMessage = "Current Password is not correct";
inline constexpr std::string_view kPasswordsDifferMessage =
    "Password must be the same in both boxes";

// One quoted line. Throws QelError naming the file when it can't be read.
std::string readPasswordFile(const AppFolder& folder);
std::string passwordFileText(std::string_view password);
void writePasswordFile(const AppFolder& folder, std::string_view password);

// Why a new password can't be kept, or "" when it can. A double quote, a line
// break or a character the code page lacks would be stored as something else,
// and nobody could type the password back.
std::string unstorablePasswordReason(std::string_view password);

enum class PasswordChange {
    Changed,       // stored and written; Installation opens next
    WrongCurrent,  // focus and select the current-password box
    Mismatch,      // focus and select the new-password box
    NotStored,     // not written; the old password stays; focus the new-password box
};

// What the login and change dialogs check. Comparisons are exact: letter case
// counts and blanks are part of the password.
class AccessPassword {
  public:
    AccessPassword(AppFolder folder, Prompter& prompter)
        : folder_(std::move(folder)), prompter_(prompter) {}

    // Each dialog reads the file as it opens. When it can't be read the race
    // director is told why and the stored password is empty, so an empty entry
    // opens the dialog until a new password is set.
    void Load();

    // Login OK: true for the stored or the master password; otherwise the
    // "Invalid Password" box is shown and the login stays open.
    bool LoginOk(std::string_view typed);

    // Change dialog OK. The master password is not a current password.
    PasswordChange ChangeOk(std::string_view current, std::string_view newPassword,
                            std::string_view reEntered);

    const std::string& storedPassword() const { return stored_; }

  private:
    AppFolder folder_;
    Prompter& prompter_;
    std::string stored_;
};

}  // namespace qel
