#pragma once
// A printer on a test's bench: a fixed-pitch font (one character is as wide as
// the font's point size, a line twice as high), pages of a chosen size, and a
// record of every text and rectangle with its page and position.
#include <cstdint>
#include <string>
#include <vector>

#include "core/seams/print_surface.h"

namespace qel::test {

class RecordingPrintSurface : public PrintSurface {
  public:
    struct Text {
        int page = 0;
        int x = 0;
        int y = 0;
        std::string text;
        PrintFont font;
        int32_t rgb = 0;
        // Only for drawTextInRect.
        PrintRect rect;
        PrintAlign align = PrintAlign::Left;
        PrintVAlign valign = PrintVAlign::Top;
        bool wordWrap = false;
    };
    struct Rect {
        int page = 0;
        PrintRect rect;
        int32_t rgb = 0;
        bool filled = false;
        int lineWidth = 0;
    };

    RecordingPrintSurface(int pageWidth = 1000, int pageHeight = 600)
        : width_(pageWidth), height_(pageHeight) {}

    // The next begin (or end) fails with this message ("" = it succeeds).
    void failBegin(std::string message) { beginFailure_ = std::move(message); }
    void failEnd(std::string message) { endFailure_ = std::move(message); }

    // Texts and rectangles of every job since the test began; pages count from
    // 1 in each job.
    const std::vector<Text>& texts() const { return texts_; }
    const std::vector<Rect>& rects() const { return rects_; }
    int jobsBegun() const { return jobsBegun_; }
    int jobsEnded() const { return jobsEnded_; }
    bool lastJobLandscape() const { return landscape_; }
    const std::string& lastJobName() const { return jobName_; }
    // The jobs go to files, as on a computer without a printer.
    void setPrintsToFile(bool toFile) { toFile_ = toFile; }
    int page() const { return page_; }
    // The 1-based character column a pixel position falls in.
    int columnAt(int x) const { return x / averageCharWidth() + 1; }

    bool begin(const PrintJob& job) override;
    bool isActive() const override { return active_; }
    // The same page whatever the orientation: the bench's paper is fixed.
    PrintPage pageFor(bool) const override { return {width_, height_, dotsPerInch()}; }
    int pageWidth() const override { return width_; }
    int pageHeight() const override { return height_; }
    double dotsPerInch() const override { return 100.0; }

    void setFont(const PrintFont& font) override { font_ = font; }
    int averageCharWidth() const override;
    int lineHeight() const override;
    int textWidth(const std::string& text) const override;

    void drawText(int x, int y, const std::string& text, int32_t rgb = 0) override;
    void drawTextInRect(const PrintRect& rect, const std::string& text, PrintAlign align,
                        PrintVAlign valign, bool wordWrap, int32_t rgb = 0) override;
    void fillRect(const PrintRect& rect, int32_t rgb) override;
    void outlineRect(const PrintRect& rect, int32_t rgb, int lineWidth) override;

    void newPage() override;
    bool end() override;
    std::string destination() const override {
        return toFile_ ? "/stats/" + jobName_ + ".pdf" : "test printer";
    }
    bool printsToFile() const override { return toFile_; }
    std::string lastError() const override { return lastError_; }

  private:
    int width_;
    int height_;
    PrintFont font_;
    bool active_ = false;
    bool landscape_ = false;
    bool toFile_ = false;
    std::string jobName_;
    int page_ = 0;
    int jobsBegun_ = 0;
    int jobsEnded_ = 0;
    std::string beginFailure_;
    std::string endFailure_;
    std::string lastError_;
    std::vector<Text> texts_;
    std::vector<Rect> rects_;
};

}  // namespace qel::test
