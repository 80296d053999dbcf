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

#include "qt/qt_text.h"

namespace qel::platform {

namespace {

QRect rectOf(const PrintRect& rect) {
    return QRect(rect.x, rect.y, std::max(rect.width, 0), std::max(rect.height, 0));
}

// Two printouts in the same second must not overwrite each other.
QString unusedPdfPath(const QDir& folder) {
    const QString stem =
        QStringLiteral("Print ") + QDateTime::currentDateTime().toString("yyyy-MM-dd hh-mm-ss");
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

QtPrintSurface::~QtPrintSurface() {
    // A job left open still goes out, as the printer would send it at exit.
    if (painter_ && painter_->isActive()) painter_->end();
}

bool QtPrintSurface::begin(bool landscape) {
    if (isActive()) {
        lastError_ = "A print job is already open on " + destination_ + ".";
        return false;
    }
    painter_.reset();
    printer_.reset();
    lastError_.clear();
    startFailed_ = true;

    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    toFile_ = defaultPrinter.isNull();
    if (toFile_) {
        const QDir folder(toQt(statsFolder_));
        if (!folder.mkpath(QStringLiteral("."))) {
            destination_.clear();
            lastError_ = "There is no printer, and the folder " + statsFolder_ +
                         " for the printout as a PDF file cannot be created.";
            return false;
        }
        const QString path = unusedPdfPath(folder);
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(path);
        destination_ = fromQt(QDir::toNativeSeparators(path));
    } else {
        printer_ = std::make_unique<QPrinter>(defaultPrinter, QPrinter::HighResolution);
        destination_ = fromQt(defaultPrinter.printerName());
    }
    printer_->setDocName(QStringLiteral("qeltimer"));
    printer_->setCreator(QStringLiteral("qeltimer"));
    printer_->setPageSize(QPageSize(QPageSize::Letter));
    printer_->setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);

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
    QFont qfont(toQt(font.name));
    // A size read from a damaged settings file must not make a font Qt refuses.
    const double size = std::isfinite(font.pointSize) ? font.pointSize : 12.0;
    qfont.setPointSizeF(std::clamp(size, 1.0, 500.0));
    qfont.setBold(font.bold);
    qfont.setItalic(font.italic);
    qfont.setUnderline(font.underline);
    qfont.setStrikeOut(font.strikeOut);
    font_ = qfont;
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
    int flags = wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine;
    switch (align) {
        case PrintAlign::Left:
            flags |= Qt::AlignLeft;
            break;
        case PrintAlign::Center:
            flags |= Qt::AlignHCenter;
            break;
        case PrintAlign::Right:
            flags |= Qt::AlignRight;
            break;
    }
    switch (valign) {
        case PrintVAlign::Top:
            flags |= Qt::AlignTop;
            break;
        case PrintVAlign::Middle:
            flags |= Qt::AlignVCenter;
            break;
        case PrintVAlign::Bottom:
            flags |= Qt::AlignBottom;
            break;
    }
    // A cell's text stays inside its cell, as on the race director's screen.
    painter_->save();
    painter_->setClipRect(rectOf(rect));
    painter_->setPen(colourOf(rgb));
    painter_->drawText(rectOf(rect), flags, toQt(text));
    painter_->restore();
}

void QtPrintSurface::fillRect(const PrintRect& rect, int32_t rgb) {
    if (!isActive()) return;
    painter_->fillRect(rectOf(rect), colourOf(rgb));
}

void QtPrintSurface::outlineRect(const PrintRect& rect, int32_t rgb, int lineWidth) {
    if (!isActive()) return;
    QPen pen(colourOf(rgb));
    pen.setWidth(std::max(lineWidth, 1));
    pen.setJoinStyle(Qt::MiterJoin);
    painter_->save();
    painter_->setPen(pen);
    painter_->setBrush(Qt::NoBrush);
    painter_->drawRect(rectOf(rect));
    painter_->restore();
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
