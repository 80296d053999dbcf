#include "qt/qt_text.h"

#include <gtest/gtest.h>

#include <string>

namespace qel {
namespace {

TEST(QtText, TextCrossesBothWaysAsUtf8) {
    const struct {
        std::string utf8;
        QString qt;
    } cases[] = {
        {"", QString()},
        {" Select Name", QStringLiteral(" Select Name")},
        {"Zo\xC3\xAB M\xC3\xBCller", QString::fromUcs4(U"Zo\u00EB M\u00FCller")},
        {"\xE2\x82\xAC 5", QString::fromUcs4(U"\u20AC 5")},  // the euro sign of cp1252 files
        {"\xF0\x9F\x8F\x81 Finish", QString::fromUcs4(U"\U0001F3C1 Finish")},
        {std::string("a\0b", 3), QString(QStringLiteral("a")) + QChar(0) + QStringLiteral("b")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(toQt(c.utf8), c.qt) << c.utf8;
        EXPECT_EQ(fromQt(c.qt), c.utf8) << c.utf8;
    }
    // Only the text the view covers, not what follows it in memory.
    const std::string board = "Heat 3 of 8";
    EXPECT_EQ(toQt(std::string_view(board).substr(0, 6)), QStringLiteral("Heat 3"));
}

TEST(QtText, AColourNumberIsRedPlus256GreenPlus65536Blue) {
    const struct {
        int32_t value;
        QColor colour;
    } cases[] = {
        {0, QColor(0, 0, 0)},
        {255, QColor(255, 0, 0)},
        {65280, QColor(0, 255, 0)},
        {16711680, QColor(0, 0, 255)},
        {65535, QColor(255, 255, 0)},
        {16777215, QColor(255, 255, 255)},
        {1 + 256 * 2 + 65536 * 3, QColor(1, 2, 3)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(colourOf(c.value), c.colour) << c.value;
}

}  // namespace
}  // namespace qel
