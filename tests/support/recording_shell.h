#pragma once
// Records what the program asked the desktop to open, and opens nothing.
#include <string>
#include <vector>

#include "core/seams/shell.h"

namespace qel::test {

class RecordingShell : public Shell {
  public:
    enum class Kind { Document, Help, Page };
    struct Call {
        Kind kind;
        std::string target;
        bool operator==(const Call&) const = default;
    };

    // What every call reports back; a test sets false to play a desktop
    // that cannot open the file.
    bool succeed = true;
    const std::vector<Call>& calls() const { return calls_; }

    bool openDocument(const std::string& path) override { return record(Kind::Document, path); }
    bool showHelp(const std::string& helpFile) override { return record(Kind::Help, helpFile); }
    bool showPage(const std::string& address) override { return record(Kind::Page, address); }

  private:
    bool record(Kind kind, const std::string& target) {
        calls_.push_back({kind, target});
        return succeed;
    }

    std::vector<Call> calls_;
};

}  // namespace qel::test
