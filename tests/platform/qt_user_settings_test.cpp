#include "platform/qt_user_settings.h"

#include <gtest/gtest.h>

#include <QFileInfo>

#include "core/shell/tip_startup_setting.h"
#include "support/temp_settings_store.h"

namespace qel::platform {
namespace {

TEST(QtUserSettings, StoresInTheOptionsSectionOfTheProgramsOwnStore) {
    test::TempSettingsStore store;
    QtUserSettings settings;
    EXPECT_EQ(settings.value("Options", "Show Tips at Startup"), std::nullopt);
    EXPECT_TRUE(readShowTipsAtStartup(settings));

    storeShowTipsAtStartup(settings, false);
    EXPECT_EQ(settings.value("Options", "Show Tips at Startup"), "0");
    EXPECT_EQ(test::TempSettingsStore::stored("Options/Show Tips at Startup").toString(), "0");
    EXPECT_TRUE(QFileInfo(store.folder() + "/qeltimer/qeltimer.ini").isFile());
    EXPECT_FALSE(readShowTipsAtStartup(QtUserSettings{}));
}

TEST(QtUserSettings, ReadsWhatWasStoredOutsideTheProgram) {
    test::TempSettingsStore store;
    test::TempSettingsStore::store("Options/Show Tips at Startup", "0");
    EXPECT_FALSE(readShowTipsAtStartup(QtUserSettings{}));
    test::TempSettingsStore::store("Options/Show Tips at Startup", "1");
    EXPECT_TRUE(readShowTipsAtStartup(QtUserSettings{}));
}

}  // namespace
}  // namespace qel::platform
