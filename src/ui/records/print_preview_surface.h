#pragma once
// A printer on the screen: the pages a printout would put on paper, kept page
// by page so the race director can look before using paper. Its pages are
// the real printer's, at the screen's resolution; what is drawn on them is
// painted the way the printer adapter paints it.
#include <QFont>
#include <QImage>
#include <QString>
#include <vector>

#include "core/seams/print_surface.h"

namespace qel::ui {

class PrintPreviewSurface : public PrintSurface {
  public:
    static constexpr double kDotsPerInch = 96.0;

    // paper: the printer whose pages are shown.
    explicit PrintPreviewSurface(const PrintSurface& paper);

    bool begin(const PrintJob& job) override;
    bool isActive() const override { return active_; }
    PrintPage pageFor(bool landscape) const override;
    int pageWidth() const override { return page_.width; }
    int pageHeight() const override { return page_.height; }
    double dotsPerInch() const override { return kDotsPerInch; }

    void setFont(const PrintFont& font) override;
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
    std::string destination() const override { return "the screen"; }
    std::string lastError() const override { return lastError_; }
    bool printsToFile() const override { return false; }

    // The pages of the last job (the one open, as far as it goes).
    int pageCount() const { return static_cast<int>(pages_.size()); }
    const std::string& jobName() const { return jobName_; }
    // Page index (0-based) painted white with its contents, zoom times the
    // screen's size.
    QImage pageImage(int index, double zoom = 1.0) const;

  private:
    // One drawing call, kept to be painted at any size.
    struct Mark {
        enum class Kind { Text, TextInRect, Fill, Outline } kind;
        PrintRect rect;
        QString text;
        QFont font;
        int32_t rgb = 0;
        PrintAlign align = PrintAlign::Left;
        PrintVAlign valign = PrintVAlign::Top;
        bool wordWrap = false;
        int lineWidth = 0;
    };
    using Page = std::vector<Mark>;

    void mark(Mark mark);

    const PrintSurface& paper_;
    // Metrics are those of a screen-resolution image, as the pages are shown.
    QImage reference_;
    QFont font_;
    PrintPage page_;
    bool active_ = false;
    std::string jobName_;
    std::string lastError_;
    std::vector<Page> pages_;
};

}  // namespace qel::ui
