#pragma once
// The desktop around the program: open a saved file with its associated
// program, show the help, show the web page.
#include <string>

namespace qel {

class Shell {
  public:
    virtual ~Shell() = default;
    // Returns false when the desktop could not open it.
    virtual bool openDocument(const std::string& path) = 0;
    virtual bool showHelp(const std::string& helpFile) = 0;
    virtual bool showPage(const std::string& address) = 0;
};

}  // namespace qel
