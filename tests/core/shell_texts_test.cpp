#include "core/shell/shell_texts.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

TEST(ShellTexts, VersionIsJoinedWithoutBlanks) {
    EXPECT_EQ(versionText(), "5.1.0");
    EXPECT_EQ(versionText({12, 0, 7}), "12.0.7");
}

TEST(ShellTexts, CaptionsOfTheSplashAndTheAboutWindow) {
    EXPECT_EQ(splashVersionCaption(), "Version 5.1.0");
    EXPECT_EQ(aboutVersionCaption(), "Kestrova Qel Timer Version  5.1.0");
    EXPECT_EQ(kProductName, "Slot Car Racing Software");
    EXPECT_EQ(kAboutDescription, "Slot Car racing software.");
}

}  // namespace
}  // namespace qel
