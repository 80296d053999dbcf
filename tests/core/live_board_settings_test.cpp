// LiveBoard.dat: whether the live board is on the club's network, and on
// which port. A damaged file must never switch it on.
#include "core/liveboard/live_board_settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/error_of.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

TEST(LiveBoardSettingsFile, WritesOneLineAndReadsItBack) {
    const std::pair<LiveBoardSettings, std::string> cases[] = {
        {{false, 8080}, "#FALSE#,8080\r\n"},
        {{true, 8080}, "#TRUE#,8080\r\n"},
        {{true, 1}, "#TRUE#,1\r\n"},
        {{true, 65535}, "#TRUE#,65535\r\n"},
    };
    test::TempFolder folder;
    const AppFolder app(folder.path());
    for (const auto& [settings, text] : cases) {
        EXPECT_EQ(liveBoardFileText(settings), text);
        writeLiveBoardFile(app, settings);
        LiveBoardSettings read;
        ASSERT_TRUE(readLiveBoardFile(app, read));
        EXPECT_EQ(read, settings) << text;
    }
}

TEST(LiveBoardSettingsFile, TheShippedFileKeepsTheBoardOffTheNetwork) {
    LiveBoardSettings settings{true, 1};
    ASSERT_TRUE(
        readLiveBoardFile(AppFolder(std::filesystem::path(QEL_SOURCE_DIR) / "data"), settings));
    EXPECT_EQ(settings, (LiveBoardSettings{false, 8080}));
    // The build lays it out beside the program, as every default.
    EXPECT_TRUE(std::filesystem::exists(AppFolder(QEL_APP_DIR).dataFile(kLiveBoardFileName)));
}

TEST(LiveBoardSettingsFile, AMissingFileLeavesTheBoardOff) {
    test::TempFolder folder;
    LiveBoardSettings settings;
    EXPECT_FALSE(readLiveBoardFile(AppFolder(folder.path()), settings));
    EXPECT_EQ(settings, LiveBoardSettings{});
    EXPECT_FALSE(settings.enabled);
    EXPECT_EQ(settings.port, 8080);
}

TEST(LiveBoardSettingsFile, ADamagedFileIsRefusedAndChangesNothing) {
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"", "QelDat/LiveBoard.dat"},
        {"#TRUE#\r\n", "QelDat/LiveBoard.dat"},
        {"#TRUE#,eighty\r\n", "QelDat/LiveBoard.dat"},
        {"#TRUE#,0\r\n",
         "The live board port 0 in QelDat/LiveBoard.dat is not a port number (1 to 65535)."},
        {"#TRUE#,65536\r\n",
         "The live board port 65536 in QelDat/LiveBoard.dat is not a port number (1 to 65535)."},
        {"#TRUE#,-80\r\n", "not a port number"},
    };
    for (const Case& c : cases) {
        test::TempFolder folder;
        folder.write("QelDat/LiveBoard.dat", c.text);
        LiveBoardSettings settings{false, 9000};
        const std::string error =
            test::errorOf([&] { readLiveBoardFile(AppFolder(folder.path()), settings); });
        EXPECT_NE(error.find(c.error), std::string::npos) << c.text << ": " << error;
        EXPECT_EQ(settings, (LiveBoardSettings{false, 9000})) << c.text;
    }
    // Far more than one line is not this file.
    test::TempFolder folder;
    folder.write("QelDat/LiveBoard.dat", std::string(8 * 1024, ' ') + "#TRUE#,80\r\n");
    LiveBoardSettings settings;
    EXPECT_NE(test::errorOf([&] { readLiveBoardFile(AppFolder(folder.path()), settings); }),
              "no error");
    EXPECT_FALSE(settings.enabled);
}

}  // namespace
}  // namespace qel
