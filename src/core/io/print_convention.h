#pragma once
// The plain print convention of the text exports: text goes out as it stands,
// a number with one blank before it (where its minus sign stands when it is
// negative) and one blank after it, so "Laps" 12 "Best" .5 reads
// "Laps 12 Best .5 ". Lines are closed by CR LF.
#include <cstdint>
#include <string>
#include <string_view>

namespace qel {

// " 12 ", "-3 ", " .5 ": the printed form of a number on its own.
std::string printedInteger(int64_t value);
std::string printedSingle(float value);
std::string printedDouble(double value);

class PrintWriter {
  public:
    PrintWriter& text(std::string_view text);
    PrintWriter& integer(int64_t value);
    PrintWriter& single(float value);
    PrintWriter& number(double value);
    // Blanks up to the 1-based column of the current line, as a tab stop of
    // the print statement does; a line already past it starts a new line.
    PrintWriter& tab(int column);
    PrintWriter& endLine();

    const std::string& result() const { return text_; }

  private:
    std::size_t lineLength() const;

    std::string text_;
};

}  // namespace qel
