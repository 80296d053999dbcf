#include "core/setup/port_map.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_folder.h"

namespace qel {
namespace {

TEST(PortMap, DefaultsNameTheUsualDevices) {
    const PortMap map;
    EXPECT_EQ(map.devicePath(1), "/dev/ttyUSB0");
    EXPECT_EQ(map.devicePath(2), "/dev/ttyUSB1");
    EXPECT_EQ(map.devicePath(3), "/dev/ttyACM0");
    EXPECT_EQ(map.devicePath(4), "/dev/ttyS0");
    EXPECT_EQ(map.devicePath(5), "/dev/ttyUSB2");
    EXPECT_EQ(map.devicePath(16), "/dev/ttyUSB13");
    EXPECT_EQ(map.devicePath(0), "");
    EXPECT_EQ(map.devicePath(17), "");
    EXPECT_EQ(map.devicePath(-1), "");
}

TEST(PortMap, EachLineNamesItsPortAndUnusableLinesKeepTheDefault) {
    const PortMap map = PortMap::parse(
        "\"/dev/ttyAMA0\"\r\n"          // 1: quoted, as written by the program
        "  /dev/rfcomm0  \r\n"          // 2: typed by hand without quotes
        "\r\n"                          // 3: blank
        "\"\"\r\n"                      // 4: empty quotes
        "\"/tmp/box b\"  trailing\r\n"  // 5: text after the closing quote
        "\"/dev/ttyUSB9\n"              // 6: no closing quote, LF only
        "\"/dev/tty\x01X\"\r\n"         // 7: control character
        + std::string("\"") + std::string(2000, 'x') + "\"\r\n"  // 8: far too long
        + "\"/dev/ttyS9\"");  // 9: last line without its line end
    EXPECT_EQ(map.devicePath(1), "/dev/ttyAMA0");
    EXPECT_EQ(map.devicePath(2), "/dev/rfcomm0");
    EXPECT_EQ(map.devicePath(3), "/dev/ttyACM0");
    EXPECT_EQ(map.devicePath(4), "/dev/ttyS0");
    EXPECT_EQ(map.devicePath(5), "/tmp/box b");
    EXPECT_EQ(map.devicePath(6), "/dev/ttyUSB9");
    EXPECT_EQ(map.devicePath(7), PortMap::defaultDevicePath(7));
    EXPECT_EQ(map.devicePath(8), PortMap::defaultDevicePath(8));
    EXPECT_EQ(map.devicePath(9), "/dev/ttyS9");
    EXPECT_EQ(map.devicePath(10), PortMap::defaultDevicePath(10));
}

TEST(PortMap, LinesBeyondPortSixteenAreIgnored) {
    std::string text;
    for (int n = 1; n <= 20; ++n)
        text += "\"/dev/p" + std::to_string(n) + "\"\r\n";
    const PortMap map = PortMap::parse(text);
    EXPECT_EQ(map.devicePath(16), "/dev/p16");
    EXPECT_EQ(map.devicePath(17), "");
}

TEST(PortMap, LoadsTheFileWhateverTheCaseOfItsName) {
    test::TempFolder folder;
    folder.write("qeldat/QELPORTS.DAT", "\"/dev/ttyUSB7\"\r\n\"/dev/ttyACM3\"\r\n");
    const PortMap map = PortMap::load(AppFolder(folder.path()));
    EXPECT_EQ(map.devicePath(1), "/dev/ttyUSB7");
    EXPECT_EQ(map.devicePath(2), "/dev/ttyACM3");
    EXPECT_EQ(map.devicePath(3), "/dev/ttyACM0");
}

TEST(PortMap, MissingOversizedOrBinaryFilesFallBackToDefaults) {
    const std::string binary("\0\xff\x01\"\0\r\n\x7f", 9);
    for (const std::string& content :
         {std::string(), std::string(PortMap::kMaxFileBytes + 1, 'a'), binary}) {
        test::TempFolder folder;
        if (!content.empty()) folder.write("QelDat/QelPorts.dat", content);
        const PortMap map = PortMap::load(AppFolder(folder.path()));
        for (int n = 1; n <= 16; ++n) {
            EXPECT_EQ(map.devicePath(n), PortMap::defaultDevicePath(n)) << "port " << n;
        }
    }
}

TEST(PortMap, AFolderInPlaceOfTheFileFallsBackToDefaults) {
    test::TempFolder folder;
    std::filesystem::create_directories(folder.path() / "QelDat" / "QelPorts.dat");
    EXPECT_EQ(PortMap::load(AppFolder(folder.path())).devicePath(1), "/dev/ttyUSB0");
}

}  // namespace
}  // namespace qel
