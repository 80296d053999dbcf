// The access password in front of Installation and time selling.
#include "core/setup/password.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

namespace fs = std::filesystem;

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class PasswordTest : public ::testing::Test {
  protected:
    PasswordTest() {
        app.write("QelDat/QelPsd.dat",
                  readBytes(fs::path(QEL_SOURCE_DIR) / "data/QelDat/QelPsd.dat"));
        password.Load();
    }
    std::string fileText() const { return readBytes(app.path() / "QelDat/QelPsd.dat"); }

    test::TempFolder app;
    test::ScriptedPrompter prompter;
    AccessPassword password{AppFolder(app.path()), prompter};
};

TEST_F(PasswordTest, LoginTakesTheStoredOrTheMasterPasswordExactly) {
    ASSERT_EQ(password.storedPassword(), "pitlane");
    const std::pair<const char*, bool> cases[] = {
        {"pitlane", true},   {"kelpo", true},   {"PitLane", false}, {"KELPO", false},
        {"pitlane ", false}, {" kelpo", false}, {"", false},        {"pit", false}};
    for (const auto& [typed, accepted] : cases) {
        prompter.clear();
        EXPECT_EQ(password.LoginOk(typed), accepted) << typed;
        if (accepted) {
            EXPECT_TRUE(prompter.messages().empty()) << typed;
        } else {
            ASSERT_EQ(prompter.messages().size(), 1u) << typed;
            EXPECT_EQ(prompter.messages()[0].text,
                      "Invalid Password, Password is case sensitive try again!");
            EXPECT_EQ(prompter.messages()[0].title, "Login");
        }
    }
}

TEST_F(PasswordTest, ChangeNeedsTheStoredPasswordAndTwoEqualEntries) {
    EXPECT_EQ(password.ChangeOk("kelpo", "new", "new"), PasswordChange::WrongCurrent);
    EXPECT_EQ(password.ChangeOk("Pitlane", "new", "new"), PasswordChange::WrongCurrent);
    EXPECT_EQ(password.ChangeOk("pitlane", "new", "New"), PasswordChange::Mismatch);
    ASSERT_EQ(prompter.messages().size(), 3u);
    EXPECT_EQ(prompter.messages()[0].text, "Current Password is not correct");
    EXPECT_EQ(prompter.messages()[0].title, "");
    EXPECT_EQ(prompter.messages()[2].text, "Password must be the same in both boxes");
    EXPECT_EQ(fileText(), "\"pitlane\"\r\n");

    EXPECT_EQ(password.ChangeOk("pitlane", "Grid Walk 7", "Grid Walk 7"), PasswordChange::Changed);
    EXPECT_EQ(fileText(), "\"Grid Walk 7\"\r\n");
    EXPECT_EQ(password.storedPassword(), "Grid Walk 7");

    // An empty password is allowed, and then an empty entry logs in.
    EXPECT_EQ(password.ChangeOk("Grid Walk 7", "", ""), PasswordChange::Changed);
    EXPECT_EQ(fileText(), "\"\"\r\n");
    AccessPassword reloaded(AppFolder(app.path()), prompter);
    reloaded.Load();
    prompter.clear();
    EXPECT_TRUE(reloaded.LoginOk(""));
    EXPECT_TRUE(prompter.messages().empty());
}

TEST_F(PasswordTest, APasswordThatCantBeStoredFaithfullyIsRefused) {
    for (const char* unstorable : {"say \"go\"", "two\nlines", "名前"}) {
        prompter.clear();
        EXPECT_EQ(password.ChangeOk("pitlane", unstorable, unstorable), PasswordChange::NotStored);
        EXPECT_EQ(prompter.messages().size(), 1u);
        EXPECT_EQ(password.storedPassword(), "pitlane");
        EXPECT_EQ(fileText(), "\"pitlane\"\r\n");
    }
    // Letters of the code page and blanks inside the quotes come back the same.
    ASSERT_EQ(password.ChangeOk("pitlane", " Größe ", " Größe "), PasswordChange::Changed);
    AccessPassword reloaded(AppFolder(app.path()), prompter);
    reloaded.Load();
    EXPECT_EQ(reloaded.storedPassword(), " Größe ");
}

TEST_F(PasswordTest, AFailedWriteKeepsTheOldPassword) {
    fs::remove(app.path() / "QelDat/QelPsd.dat");
    fs::create_directories(app.path() / "QelDat/QelPsd.dat/blocked");
    prompter.clear();
    EXPECT_EQ(password.ChangeOk("pitlane", "new", "new"), PasswordChange::NotStored);
    EXPECT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(password.storedPassword(), "pitlane");
}

TEST_F(PasswordTest, AnUnreadableFileIsReportedAndLeavesAnEmptyPassword) {
    fs::remove(app.path() / "QelDat/QelPsd.dat");
    prompter.clear();
    password.Load();
    EXPECT_EQ(prompter.messageTexts(),
              (std::vector<std::string>{"File not found: QelDat/QelPsd.dat"}));
    EXPECT_EQ(password.storedPassword(), "");
    EXPECT_TRUE(password.LoginOk(""));
    EXPECT_EQ(password.ChangeOk("", "fresh", "fresh"), PasswordChange::Changed);
    EXPECT_EQ(fileText(), "\"fresh\"\r\n");
}

}  // namespace
}  // namespace qel
