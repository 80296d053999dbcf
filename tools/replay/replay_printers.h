#pragma once
// The real print adapter for qeltimer-replay: every printout into the PDF
// file the command line names. Printing needs a Qt application, which a
// replay without printouts never makes; without a display it draws offscreen.
#include <memory>

#include "replay.h"

class QGuiApplication;

namespace qel::replay {

class QtPdfPrinters {
  public:
    QtPdfPrinters(int& argc, char** argv);
    ~QtPdfPrinters();
    QtPdfPrinters(const QtPdfPrinters&) = delete;
    QtPdfPrinters& operator=(const QtPdfPrinters&) = delete;

    PdfPrinters printers() const;

  private:
    std::unique_ptr<QGuiApplication> application_;
};

}  // namespace qel::replay
