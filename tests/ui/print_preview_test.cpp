// The print preview offscreen: a lap list and a grid drawn onto screen pages
// the size of the printer's paper, turned page by page in the preview window,
// and its Print sending the printout on.
#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QPushButton>

#include "core/io/dates.h"
#include "core/records/print_grid.h"
#include "core/records/race_printouts.h"
#include "core/seams/virtual_time.h"
#include "support/recording_print_surface.h"
#include "support/scripted_prompter.h"
#include "support/summary_race.h"
#include "ui/records/frm_print_preview.h"
#include "ui/records/print_preview_surface.h"

namespace qel::ui {
namespace {

// Pixels of the page that are not paper white.
int inkOf(const QImage& image, QRect area = {}) {
    if (area.isNull()) area = image.rect();
    int ink = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            ink += image.pixel(x, y) != qRgb(255, 255, 255) ? 1 : 0;
    }
    return ink;
}

class PrintPreviewTest : public ::testing::Test {
  protected:
    // Letter paper at the bench printer's 100 dots per inch.
    test::RecordingPrintSurface paper{850, 1100};
    PrintPreviewSurface preview{paper};
    test::ScriptedPrompter prompter;
};

TEST_F(PrintPreviewTest, ALongLapListIsShownPageByPageOnThePrintersPaper) {
    test::SummaryRace race;
    race.state->laneCount = 2;
    race.state->raceTitle = "200 Lap Race";
    race.state->raceStamp = "Mar-05, 20-15";
    race.state->runningOrder = {0, 1, 2};
    race.lane(1, "Jo Smith", test::kRedIndex, 255);
    race.lane(2, "Al Brown", test::kBlueIndex, 16711680);
    race.laps(1, 1, std::vector<float>(200, 5.25f));
    race.laps(2, 1, std::vector<float>(199, 5.5f));
    HeatTables heats;
    VirtualScheduler time{dateSerial(2026, 3, 5)};
    RacePrintouts printouts{race.sources(), heats, {paper, prompter, time}};
    ASSERT_TRUE(printouts.previewLaps(preview));

    EXPECT_EQ(preview.jobName(), "Laps Mar-05, 20-15");
    EXPECT_GT(preview.pageCount(), 2);
    EXPECT_EQ(paper.jobsBegun(), 0) << "nothing went to the printer";
    const QImage first = preview.pageImage(0);
    EXPECT_EQ(first.size(), QSize(816, 1056)) << "Letter at the screen's 96 dots per inch";
    EXPECT_GT(inkOf(first), 1000);
    EXPECT_GT(inkOf(preview.pageImage(preview.pageCount() - 1)), 100);

    int printed = 0;
    FrmPrintPreview window(preview, {[&] { ++printed; }});
    window.show();
    auto* page = window.findChild<QLabel*>("lblPage");
    auto* previous = window.findChild<QPushButton*>("cmdPrevious");
    auto* next = window.findChild<QPushButton*>("cmdNext");
    const QString pages = QString::number(preview.pageCount());
    EXPECT_EQ(page->text(), "Page 1 of " + pages);
    EXPECT_FALSE(previous->isEnabled());
    next->click();
    EXPECT_EQ(page->text(), "Page 2 of " + pages);
    EXPECT_EQ(window.shownPage(), 1);
    const QImage shown = window.findChild<QLabel*>("picPreview")->pixmap().toImage();
    EXPECT_EQ(shown.convertToFormat(QImage::Format_RGB32),
              preview.pageImage(1).convertToFormat(QImage::Format_RGB32));
    window.showPage(preview.pageCount() + 5);
    EXPECT_FALSE(next->isEnabled());
    window.findChild<QPushButton*>("cmdPrint")->click();
    EXPECT_EQ(printed, 1);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(PrintPreviewTest, TheGridPrinterDrawsCellsWithTheirColoursOnThePreview) {
    GridModel grid(3, 2, 1, 0);
    for (int c = 0; c < 2; ++c)
        grid.setColWidth(c, 1440);  // an inch: 96 preview pixels
    grid.setTextMatrix(0, 0, "Heat 3");
    grid.setCellBackColor(1, 1, rgbColor(255, 0, 0));
    PrintGrid printer{prompter};
    printer.setSource(grid);
    printer.setDestinationPreview(preview);
    printer.setPrintBackColor(true);
    printer.setPrintGridLines(true);
    ASSERT_EQ(printer.Print(), 1);
    ASSERT_EQ(preview.pageCount(), 1);
    const QImage page = preview.pageImage(0);
    // Row 1 starts one 240-twip row (16 pixels) below the top of 200 pixels;
    // column 1 an inch from the left.
    EXPECT_EQ(page.pixelColor(96 + 48, 200 + 16 + 8), QColor(255, 0, 0));
    EXPECT_GT(inkOf(page, QRect(0, 200, 96, 16)), 20) << "the header cell and its text";
    EXPECT_TRUE(prompter.messages().empty());
}

}  // namespace
}  // namespace qel::ui
