#include "core/io/print_convention.h"

#include "core/io/number_text.h"
#include "core/io/text_codec.h"

namespace qel {

namespace {

std::string printed(std::string bare) {
    return (bare.front() == '-' ? bare : " " + bare) + " ";
}

}  // namespace

std::string printedInteger(int64_t value) {
    return printed(integerText(value));
}
std::string printedSingle(float value) {
    return printed(singleText(value));
}
std::string printedDouble(double value) {
    return printed(doubleText(value));
}

PrintWriter& PrintWriter::text(std::string_view text) {
    text_ += text;
    return *this;
}

PrintWriter& PrintWriter::integer(int64_t value) {
    text_ += printedInteger(value);
    return *this;
}

PrintWriter& PrintWriter::single(float value) {
    text_ += printedSingle(value);
    return *this;
}

PrintWriter& PrintWriter::number(double value) {
    text_ += printedDouble(value);
    return *this;
}

std::size_t PrintWriter::lineLength() const {
    const auto lastBreak = text_.rfind('\n');
    return utf8Length(lastBreak == std::string::npos
                          ? std::string_view(text_)
                          : std::string_view(text_).substr(lastBreak + 1));
}

PrintWriter& PrintWriter::tab(int column) {
    const std::size_t target = column < 1 ? 0 : static_cast<std::size_t>(column - 1);
    if (lineLength() > target) endLine();
    text_.append(target - lineLength(), ' ');
    return *this;
}

PrintWriter& PrintWriter::endLine() {
    text_ += "\r\n";
    return *this;
}

}  // namespace qel
