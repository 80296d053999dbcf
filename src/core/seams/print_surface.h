#pragma once
// A print job: pages of text at positions, fonts, rectangles. Units are
// device pixels of the page; (0, 0) is the top left of the printable area.
#include <cstdint>
#include <string>

namespace qel {

struct PrintFont {
    std::string name = "Arial";
    double pointSize = 12.0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
};

struct PrintRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// What a job is: its paper's orientation, and a name the printout is known
// by (a printout kept as a file is named after it: "Summary Mar-05, 20-15").
struct PrintJob {
    bool landscape = false;
    std::string name;
};

// The printable area a job gets, in device pixels, and the resolution.
struct PrintPage {
    int width = 0;
    int height = 0;
    double dotsPerInch = 72.0;
};

enum class PrintAlign { Left, Center, Right };
enum class PrintVAlign { Top, Middle, Bottom };

class PrintSurface {
  public:
    virtual ~PrintSurface() = default;

    // Starts a job. Landscape or portrait is fixed for the job.
    virtual bool begin(const PrintJob& job) = 0;
    virtual bool isActive() const = 0;
    // The page a job of that orientation gets, open or not, so a printout
    // can count its pages before it starts.
    virtual PrintPage pageFor(bool landscape) const = 0;
    virtual int pageWidth() const = 0;
    virtual int pageHeight() const = 0;
    // Device pixels per inch, to convert twips (1/1440 inch).
    virtual double dotsPerInch() const = 0;

    virtual void setFont(const PrintFont& font) = 0;
    virtual int averageCharWidth() const = 0;
    virtual int lineHeight() const = 0;
    virtual int textWidth(const std::string& text) const = 0;

    // rgb colours are red + 256 * green + 65536 * blue.
    virtual void drawText(int x, int y, const std::string& text, int32_t rgb = 0) = 0;
    virtual void drawTextInRect(const PrintRect& rect, const std::string& text, PrintAlign align,
                                PrintVAlign valign, bool wordWrap, int32_t rgb = 0) = 0;
    virtual void fillRect(const PrintRect& rect, int32_t rgb) = 0;
    virtual void outlineRect(const PrintRect& rect, int32_t rgb, int lineWidth) = 0;

    virtual void newPage() = 0;
    // Ends the job and sends it. Returns false on failure; lastError() says why.
    virtual bool end() = 0;
    // Where the job went, for the operator: a printer name or a PDF path.
    virtual std::string destination() const = 0;
    // The jobs become files (no printer): the race director is told where.
    virtual bool printsToFile() const = 0;
    virtual std::string lastError() const = 0;
};

}  // namespace qel
