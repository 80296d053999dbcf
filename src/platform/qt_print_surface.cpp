#include "platform/qt_print_surface.h"

#include <QColor>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>
#include <cmath>

#include "qt/print_painting.h"
#include "qt/qt_text.h"

namespace qel::platform {

namespace {

// A job without a name is known by the moment it was printed.
QString pdfStem(const PrintJob& job) {
    if (job.name.empty()) {
        return QStringLiteral("Print ") +
               QDateTime::currentDateTime().toString("yyyy-MM-dd hh-mm-ss");
    }
    QString stem = toQt(job.name);
    // A racer's or track's name must not lead the file out of the Stats folder.
    for (QChar& c : stem) {
        if (c == '/' || c == '\\' || c == ':' || c.unicode() < 32) c = '-';
    }
    return stem;
}

// Two printouts of the same name (the summary printed twice after one race)
// must not overwrite each other.
QString unusedPdfPath(const QDir& folder, const QString& stem) {
    QString path = folder.filePath(stem + ".pdf");
    for (int n = 2; QFileInfo::exists(path); ++n) {
        path = folder.filePath(stem + QStringLiteral(" (%1).pdf").arg(n));
    }
    return path;
}

}  // namespace

QtPrintSurface::QtPrintSurface(std::string statsFolder) : statsFolder_(std::move(statsFolder)) {
    setFont(PrintFont{});
}

QtPrintSurface::QtPrintSurface(PdfFile file) : pdfFile_(std::move(file.path)) {
    setFont(PrintFont{});
}

bool QtPrintSurface::printsToFile() const {
    return !pdfFile_.empty() || QPrinterInfo::defaultPrinter().isNull();
}

bool QtPrintSurface::choosePdfPath(const PrintJob& job, QString& path) {
    if (!pdfFile_.empty()) {
        path = toQt(pdfFile_);
        const QFileInfo file(path);
        if (!QDir().mkpath(file.absolutePath())) {
            lastError_ = "The folder of " + pdfFile_ + " for the printout cannot be created.";
            return false;
        }
        return true;
    }
    const QDir folder(toQt(statsFolder_));
    if (!folder.mkpath(QStringLiteral("."))) {
        lastError_ = "There is no printer, and the folder " + statsFolder_ +
                     " for the printout as a PDF file cannot be created.";
        return false;
    }
    path = unusedPdfPath(folder, pdfStem(job));
    return true;
}

PrintPage QtPrintSurface::pageFor(bool landscape) const {
    // The page a job gets, asked of a printer set up as begin() sets it up.
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    std::unique_ptr<QPrinter> probe;
    if (pdfFile_.empty() && !defaultPrinter.isNull()) {
        probe = std::make_unique<QPrinter>(defaultPrinter, QPrinter::HighResolution);
    } else {
        probe = std::make_unique<QPrinter>(QPrinter::HighResolution);
        probe->setOutputFormat(QPrinter::PdfFormat);
    }
    probe->setPageSize(QPageSize(QPageSize::Letter));
    probe->setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    return {probe->width(), probe->height(), static_cast<double>(probe->logicalDpiX())};
}

QtPrintSurface::~QtPrintSurface() {
    // A job left open still goes out, as the printer would send it at exit.
    if (painter_ && painter_->isActive()) painter_->end();
}

bool QtPrintSurface::begin(const PrintJob& job) {
    if (isActive()) {
        lastError_ = "A print job is already open on " + destination_ + ".";
        return false;
    }
    painter_.reset();
    printer_.reset();
    lastError_.clear();
    startFailed_ = true;

    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    toFile_ = !pdfFile_.empty() || defaultPrinter.isNull();
    if (toFile_) {
        QString path;
        if (!choosePdfPath(job, path)) {
            destination_.clear();
            return false;
        }
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(path);
        destination_ = fromQt(QDir::toNativeSeparators(path));
    } else {
        printer_ = std::make_unique<QPrinter>(defaultPrinter, QPrinter::HighResolution);
        destination_ = fromQt(defaultPrinter.printerName());
    }
    printer_->setDocName(job.name.empty() ? QStringLiteral("qeltimer") : toQt(job.name));
    printer_->setCreator(QStringLiteral("qeltimer"));
    printer_->setPageSize(QPageSize(QPageSize::Letter));
    printer_->setPageOrientation(job.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);

    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(printer_.get())) {
        painter_.reset();
        lastError_ = toFile_ ? "The printout cannot be written to " + destination_ + "."
                             : "The printer " + destination_ + " cannot be started.";
        return false;
    }
    painter_->setFont(font_);
    startFailed_ = false;
    return true;
}

bool QtPrintSurface::isActive() const {
    return painter_ && painter_->isActive();
}

int QtPrintSurface::pageWidth() const {
    return printer_ ? printer_->width() : 0;
}

int QtPrintSurface::pageHeight() const {
    return printer_ ? printer_->height() : 0;
}

double QtPrintSurface::dotsPerInch() const {
    return printer_ ? printer_->logicalDpiX() : 72.0;
}

void QtPrintSurface::setFont(const PrintFont& font) {
    font_ = printFontOf(font);
    if (isActive()) painter_->setFont(font_);
}

QFontMetrics QtPrintSurface::metrics() const {
    return printer_ ? QFontMetrics(font_, printer_.get()) : QFontMetrics(font_);
}

int QtPrintSurface::averageCharWidth() const {
    return std::max(metrics().averageCharWidth(), 1);
}

int QtPrintSurface::lineHeight() const {
    return std::max(metrics().lineSpacing(), 1);
}

int QtPrintSurface::textWidth(const std::string& text) const {
    return metrics().horizontalAdvance(toQt(text));
}

void QtPrintSurface::drawText(int x, int y, const std::string& text, int32_t rgb) {
    if (!isActive()) return;
    painter_->setPen(colourOf(rgb));
    painter_->drawText(QPoint(x, y + metrics().ascent()), toQt(text));
}

void QtPrintSurface::drawTextInRect(const PrintRect& rect, const std::string& text,
                                    PrintAlign align, PrintVAlign valign, bool wordWrap,
                                    int32_t rgb) {
    if (!isActive()) return;
    paintTextInRect(*painter_, rect, text, align, valign, wordWrap, rgb);
}

void QtPrintSurface::fillRect(const PrintRect& rect, int32_t rgb) {
    if (!isActive()) return;
    painter_->fillRect(printRectOf(rect), colourOf(rgb));
}

void QtPrintSurface::outlineRect(const PrintRect& rect, int32_t rgb, int lineWidth) {
    if (!isActive()) return;
    paintOutline(*painter_, rect, rgb, lineWidth);
}

void QtPrintSurface::newPage() {
    if (!isActive()) return;
    if (!printer_->newPage()) lastError_ = "The printer " + destination_ + " refused a new page.";
}

bool QtPrintSurface::end() {
    if (!isActive()) {
        // After a failed start its reason stands; otherwise there was no job.
        if (!startFailed_) lastError_ = "No print job is open.";
        return false;
    }
    const bool finished = painter_->end();
    painter_.reset();
    if (!finished || printer_->printerState() == QPrinter::Error) {
        lastError_ = toFile_ ? "The printout could not be written to " + destination_ + "."
                             : "The printer " + destination_ + " could not print the job.";
        return false;
    }
    return true;
}

}  // namespace qel::platform
