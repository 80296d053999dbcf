#include "ui/shell/frm_qel_about.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace qel::ui {
namespace {

TEST(FrmQelAbout, NamesTheVersionAndTheProgram) {
    FrmQelAbout about;
    EXPECT_EQ(about.objectName(), "frmQelAbout");
    EXPECT_TRUE(about.isModal());
    const std::pair<const char*, const char*> labels[] = {
        {"lblVersion", "Kestrova Qel Timer Version  5.1.0"},
        {"lblDescription", "Slot Car racing software."},
    };
    for (const auto& [name, text] : labels) {
        auto* label = about.findChild<QLabel*>(name);
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->text(), text) << name;
    }
    for (const char* name : {"Label1", "Label2", "lblDisclaimer"}) {
        auto* label = about.findChild<QLabel*>(name);
        ASSERT_NE(label, nullptr) << name;
        EXPECT_FALSE(label->text().isEmpty()) << name;
    }
    auto* logo = about.findChild<QLabel*>("imgKestrova");
    ASSERT_NE(logo, nullptr);
    EXPECT_FALSE(logo->pixmap().isNull());
}

TEST(FrmQelAbout, OkEnterAndEscAllCloseIt) {
    struct Case {
        const char* name;
        int key;  // 0: click OK
    };
    for (const Case c :
         {Case{"click", 0}, Case{"Enter", Qt::Key_Return}, Case{"Esc", Qt::Key_Escape}}) {
        FrmQelAbout about;
        about.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
        auto* ok = about.findChild<QPushButton*>("cmdOK");
        ASSERT_NE(ok, nullptr);
        EXPECT_EQ(ok->text(), "OK");
        EXPECT_TRUE(ok->isDefault());
        if (c.key == 0)
            QTest::mouseClick(ok, Qt::LeftButton);
        else
            QTest::keyClick(&about, static_cast<Qt::Key>(c.key));
        EXPECT_FALSE(about.isVisible()) << c.name;
    }
}

}  // namespace
}  // namespace qel::ui
