#pragma once
// Opens saved files, the help and web pages with the desktop's own programs.
#include "core/seams/shell.h"

namespace qel::platform {

class DesktopShell : public Shell {
  public:
    bool openDocument(const std::string& path) override;
    bool showHelp(const std::string& helpFile) override;
    bool showPage(const std::string& address) override;
};

}  // namespace qel::platform
