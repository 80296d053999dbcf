#include "replay_printers.h"

#include <QApplication>

#include "platform/qt_print_surface.h"

namespace qel::replay {

QtPdfPrinters::QtPdfPrinters(int& argc, char** argv) {
    // A headless tool: with no platform chosen, the printouts are drawn offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    application_ = std::make_unique<QApplication>(argc, argv);
}

QtPdfPrinters::~QtPdfPrinters() = default;

PdfPrinters QtPdfPrinters::printers() const {
    return [](const std::string& pdfPath) -> std::unique_ptr<PrintSurface> {
        return std::make_unique<platform::QtPrintSurface>(platform::PdfFile{pdfPath});
    };
}

}  // namespace qel::replay
