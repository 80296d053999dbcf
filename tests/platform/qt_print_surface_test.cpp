// The real printer adapter on a computer without a printer: printouts become
// PDF files in the Stats folder, read back with the poppler text tools.
#include "platform/qt_print_surface.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/io/errors.h"
#include "core/records/print_lines.h"
#include "qt/qt_text.h"
#include "support/temp_folder.h"

namespace qel::platform {
namespace {

namespace fs = std::filesystem;

// The output of a poppler tool, or "" when it is not installed.
std::string runTool(const char* tool, const QStringList& arguments) {
    const QString program = QStandardPaths::findExecutable(QString::fromLatin1(tool));
    if (program.isEmpty()) return {};
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000)) return {};
    return fromQt(QString::fromUtf8(process.readAllStandardOutput()));
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1) {
        parts.push_back(text.substr(start, at - start));
    }
    parts.push_back(text.substr(start));
    return parts;
}

class QtPrintSurfaceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!QPrinterInfo::defaultPrinter().isNull()) {
            GTEST_SKIP() << "this computer has a default printer; the PDF fallback is not used";
        }
    }

    // The lines of each page of a printout, as the text tool lays them out.
    std::vector<std::vector<std::string>> pagesOf(const std::string& pdf) {
        const std::string text = runTool("pdftotext", {"-layout", toQt(pdf), "-"});
        std::vector<std::vector<std::string>> pages;
        for (const std::string& page : split(text, '\f'))
            pages.push_back(split(page, '\n'));
        // The text tool closes the last page with a form feed too.
        if (!pages.empty() && pages.back().size() <= 1) pages.pop_back();
        return pages;
    }

    test::TempFolder folder;
    fs::path stats = folder.path() / "Stats";
};

TEST_F(QtPrintSurfaceTest, TextLinesBecomeAPdfInTheStatsFolderPageByPage) {
    QtPrintSurface surface(stats.string());
    PrintLines lines(surface);
    lines.setLandscape(true);
    for (int i = 0; i < 3; ++i)
        lines.endLine();
    lines.setFontSize(20);
    lines.tab(10);
    lines.text("Maple Hollow Raceway");
    lines.endLine();
    lines.setFontSize(12);
    lines.tab(6);
    lines.text("Pos");
    lines.tab(31);
    lines.text("Total");
    lines.endLine();
    lines.tab(6);
    lines.number(3);
    lines.text("Jo Smith");
    lines.tab(31);
    lines.number(117);
    lines.endLine();
    EXPECT_GT(surface.pageWidth(), surface.pageHeight()) << "landscape";
    lines.newPage();
    lines.tab(9);
    lines.text("Second sheet");
    lines.endLine();
    lines.endDoc();

    const fs::path pdf = surface.destination();
    EXPECT_EQ(pdf.parent_path(), stats);
    EXPECT_TRUE(pdf.filename().string().starts_with("Print ")) << pdf;
    EXPECT_EQ(pdf.extension(), ".pdf");
    ASSERT_TRUE(fs::is_regular_file(pdf)) << pdf;

    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) GTEST_SKIP() << "no pdftotext";
    const auto pages = pagesOf(pdf.string());
    ASSERT_EQ(pages.size(), 2u);
    std::vector<std::string> first;
    for (const std::string& line : pages[0]) {
        if (line.find_first_not_of(' ') != std::string::npos) first.push_back(line);
    }
    ASSERT_EQ(first.size(), 3u) << testing::PrintToString(pages[0]);
    EXPECT_NE(first[0].find("Maple Hollow Raceway"), std::string::npos);
    const std::size_t pos = first[1].find("Pos");
    const std::size_t total = first[1].find("Total");
    ASSERT_NE(pos, std::string::npos);
    ASSERT_NE(total, std::string::npos);
    EXPECT_GT(total, pos + 10);
    EXPECT_NE(first[2].find("3 Jo Smith"), std::string::npos) << first[2];
    EXPECT_NE(first[2].find("117"), std::string::npos) << first[2];

    std::string second;
    for (const std::string& line : pages[1])
        second += line;
    EXPECT_NE(second.find("Second sheet"), std::string::npos);
    EXPECT_EQ(second.find("Maple Hollow"), std::string::npos);

    const std::string info = runTool("pdfinfo", {toQt(pdf.string())});
    if (!info.empty()) {
        EXPECT_NE(info.find("792 x 612"), std::string::npos) << info;
    }
}

TEST_F(QtPrintSurfaceTest, CellsWithBackgroundsBordersAndWrappedTextPrint) {
    QtPrintSurface surface(stats.string());
    ASSERT_TRUE(surface.begin(PrintJob{false, ""})) << surface.lastError();
    EXPECT_LT(surface.pageWidth(), surface.pageHeight()) << "portrait";
    EXPECT_GT(surface.dotsPerInch(), 0.0);
    const int dpi = static_cast<int>(surface.dotsPerInch());
    const PrintRect cell{dpi, dpi, 3 * dpi, dpi / 2};
    surface.fillRect(cell, 0xC0C0C0);
    surface.outlineRect(cell, 0x0000FF, 3);
    surface.outlineRect({0, 0, -5, -5}, 0, 0);  // a degenerate cell draws nothing harmful
    surface.drawTextInRect(cell, "Heat 3 of 8", PrintAlign::Center, PrintVAlign::Middle, false,
                           0xFF);
    surface.drawTextInRect({dpi, 2 * dpi, dpi, dpi}, "Jo Smith, fastest lap of the night",
                           PrintAlign::Left, PrintVAlign::Top, true);
    ASSERT_TRUE(surface.end()) << surface.lastError();

    std::ifstream in(surface.destination(), std::ios::binary);
    std::string magic(4, '\0');
    in.read(magic.data(), 4);
    EXPECT_EQ(magic, "%PDF");
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) GTEST_SKIP() << "no pdftotext";
    const auto pages = pagesOf(surface.destination());
    ASSERT_EQ(pages.size(), 1u);
    const auto lineWith = [&](const std::string& text) {
        for (std::size_t i = 0; i < pages[0].size(); ++i) {
            if (pages[0][i].find(text) != std::string::npos) return static_cast<int>(i);
        }
        ADD_FAILURE() << text << " not printed: " << testing::PrintToString(pages[0]);
        return -1;
    };
    lineWith("Heat 3 of 8");
    // An inch is too narrow for the name and the words after it: they wrap.
    EXPECT_LT(lineWith("Jo Smith"), lineWith("night"));
}

TEST_F(QtPrintSurfaceTest, PrintoutsInTheSameSecondGetTheirOwnFiles) {
    QtPrintSurface surface(stats.string());
    std::vector<std::string> files;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(surface.begin(PrintJob{true, ""})) << surface.lastError();
        surface.drawText(0, 0, "job " + std::to_string(i));
        ASSERT_TRUE(surface.end()) << surface.lastError();
        files.push_back(surface.destination());
    }
    EXPECT_NE(files[0], files[1]);
    EXPECT_NE(files[1], files[2]);
    EXPECT_NE(files[0], files[2]);
    for (const auto& file : files)
        EXPECT_TRUE(fs::is_regular_file(file)) << file;
}

TEST_F(QtPrintSurfaceTest, EndingWithoutAJobOrTwiceIsAnErrorNotACrash) {
    QtPrintSurface surface(stats.string());
    EXPECT_FALSE(surface.end());
    EXPECT_FALSE(surface.lastError().empty());
    surface.drawText(0, 0, "nowhere");
    surface.newPage();

    ASSERT_TRUE(surface.begin(PrintJob{false, ""})) << surface.lastError();
    EXPECT_FALSE(surface.begin(PrintJob{false, ""})) << "one job at a time";
    EXPECT_TRUE(surface.isActive());
    EXPECT_TRUE(surface.end());
    EXPECT_FALSE(surface.end());
    EXPECT_FALSE(surface.isActive());
}

TEST_F(QtPrintSurfaceTest, AStatsFolderThatCannotBeMadeIsReportedByName) {
    const fs::path blocked = folder.write("not-a-folder", "a file where Stats should be");
    const std::string where = (blocked / "Stats").string();
    QtPrintSurface surface(where);
    EXPECT_FALSE(surface.begin(PrintJob{true, ""}));
    EXPECT_NE(surface.lastError().find(where), std::string::npos) << surface.lastError();
    EXPECT_FALSE(surface.end());
    EXPECT_NE(surface.lastError().find(where), std::string::npos) << "the reason stands";

    PrintLines lines(surface);
    EXPECT_THROW(lines.text("Summary"), QelError);
}

}  // namespace
}  // namespace qel::platform
