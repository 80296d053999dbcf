#pragma once
// Printouts on the default printer, or, where the computer has none, as a PDF
// file in the Stats folder named after the job ("Summary Mar-05, 20-15.pdf"),
// whose path destination() gives so the operator can be told where the
// printout went. Made for one PDF file instead, every job writes that file
// (the headless replay prints that way). Pages are Letter; units are the
// printer's device pixels, (0, 0) the top left of the printable area.
#include <QFont>
#include <QFontMetrics>
#include <memory>
#include <string>

#include "core/seams/print_surface.h"

class QPainter;
class QPrinter;

namespace qel::platform {

// Every job into this one PDF file, replacing it.
struct PdfFile {
    std::string path;
};

class QtPrintSurface : public PrintSurface {
  public:
    explicit QtPrintSurface(std::string statsFolder);
    explicit QtPrintSurface(PdfFile file);
    ~QtPrintSurface() override;
    QtPrintSurface(const QtPrintSurface&) = delete;
    QtPrintSurface& operator=(const QtPrintSurface&) = delete;

    bool begin(const PrintJob& job) override;
    bool isActive() const override;
    PrintPage pageFor(bool landscape) const override;
    // Sizes and resolution are those of the current (or last) job; before the
    // first job there is no page (0) and a point is a pixel (72 per inch).
    int pageWidth() const override;
    int pageHeight() const override;
    double dotsPerInch() const override;

    void setFont(const PrintFont& font) override;
    int averageCharWidth() const override;
    // A line's top is where drawText places it.
    int lineHeight() const override;
    int textWidth(const std::string& text) const override;

    void drawText(int x, int y, const std::string& text, int32_t rgb = 0) override;
    void drawTextInRect(const PrintRect& rect, const std::string& text, PrintAlign align,
                        PrintVAlign valign, bool wordWrap, int32_t rgb = 0) override;
    void fillRect(const PrintRect& rect, int32_t rgb) override;
    void outlineRect(const PrintRect& rect, int32_t rgb, int lineWidth) override;

    void newPage() override;
    bool end() override;
    std::string destination() const override { return destination_; }
    std::string lastError() const override { return lastError_; }
    bool printsToFile() const override;

  private:
    QFontMetrics metrics() const;
    // Where the next job goes: the PDF path, or "" for the default printer.
    bool choosePdfPath(const PrintJob& job, QString& path);

    std::string statsFolder_;
    std::string pdfFile_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    QFont font_;
    bool toFile_ = false;
    bool startFailed_ = false;
    std::string destination_;
    std::string lastError_;
};

}  // namespace qel::platform
