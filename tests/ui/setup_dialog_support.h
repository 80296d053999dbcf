#pragma once
// What the set-up window tests share: an application folder holding the
// committed defaults, and controls found by objectName.
#include <gtest/gtest.h>

#include <QString>
#include <QWidget>
#include <filesystem>
#include <string>

#include "core/io/text_file.h"
#include "support/temp_folder.h"

namespace qel::ui::test_support {

inline void copyDefaultDataFolder(const qel::test::TempFolder& folder) {
    const auto defaults = std::filesystem::path(QEL_SOURCE_DIR) / "data/QelDat";
    for (const auto& entry : std::filesystem::directory_iterator(defaults)) {
        if (!entry.is_regular_file()) continue;
        folder.write("QelDat/" + entry.path().filename().string(), readBinaryFile(entry.path()));
    }
}

template <typename Widget>
Widget* child(QWidget& window, const QString& name) {
    auto* widget = window.findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
}

inline QString nameOf(const char* name, int index) {
    return QString::fromLatin1(name) + '_' + QString::number(index);
}

}  // namespace qel::ui::test_support
