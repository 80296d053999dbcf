#include "core/io/fields.h"

#include <cmath>
#include <limits>
#include <utility>

#include "core/io/errors.h"
#include "core/io/number_text.h"
#include "core/io/rounding.h"
#include "core/io/text_file.h"

namespace qel {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

}  // namespace

void FieldWriter::separate() {
    if (lineOpen_) text_ += ',';
    lineOpen_ = true;
}

FieldWriter& FieldWriter::writeString(std::string_view text) {
    separate();
    text_ += '"';
    for (const char c : text) {
        if (c == '"') {
            text_ += '\'';
        } else if (isLineEnd(c)) {
            text_ += ' ';
        } else {
            text_ += c;
        }
    }
    text_ += '"';
    return *this;
}

FieldWriter& FieldWriter::writeInteger(int64_t value) {
    separate();
    text_ += integerText(value);
    return *this;
}

FieldWriter& FieldWriter::writeSingle(float value) {
    separate();
    text_ += singleText(value);
    return *this;
}

FieldWriter& FieldWriter::writeDouble(double value) {
    separate();
    text_ += doubleText(value);
    return *this;
}

FieldWriter& FieldWriter::writeBoolean(bool value) {
    separate();
    text_ += value ? "#TRUE#" : "#FALSE#";
    return *this;
}

FieldWriter& FieldWriter::endLine() {
    text_ += "\r\n";
    lineOpen_ = false;
    return *this;
}

std::string FieldWriter::text() const {
    return lineOpen_ ? text_ + "\r\n" : text_;
}

FieldReader::FieldReader(std::string text, std::string source)
    : text_(std::move(text)), source_(std::move(source)) {}

void FieldReader::fail(const std::string& what) const {
    int line = 1;
    for (std::size_t i = 0; i < pos_ && i < text_.size(); ++i) {
        if (text_[i] == '\n' ||
            (text_[i] == '\r' && (i + 1 >= text_.size() || text_[i + 1] != '\n'))) {
            ++line;
        }
    }
    std::string message = what;
    if (!source_.empty()) message += " in " + source_;
    message += " (line " + std::to_string(line) + ")";
    throw QelError(message);
}

void FieldReader::skipBlanks() {
    while (pos_ < text_.size() && isBlank(text_[pos_]))
        ++pos_;
}

bool FieldReader::atEnd() const {
    for (std::size_t i = pos_; i < text_.size(); ++i) {
        if (!isBlank(text_[i]) && !isLineEnd(text_[i])) return false;
    }
    return true;
}

std::string FieldReader::nextField(bool& quoted) {
    skipBlanks();
    if (pos_ >= text_.size()) fail("Input past end of file");
    quoted = text_[pos_] == '"';
    std::size_t start = pos_;
    std::size_t end = pos_;
    if (quoted) {
        start = ++pos_;
        // A missing closing quote ends the string at the line end rather than
        // swallowing the rest of the file.
        while (pos_ < text_.size() && text_[pos_] != '"' && !isLineEnd(text_[pos_]))
            ++pos_;
        end = pos_;
        if (pos_ < text_.size() && text_[pos_] == '"') ++pos_;
        while (pos_ < text_.size() && text_[pos_] != ',' && !isLineEnd(text_[pos_]))
            ++pos_;
    } else {
        while (pos_ < text_.size() && text_[pos_] != ',' && !isLineEnd(text_[pos_]))
            ++pos_;
        end = pos_;
        while (end > start && isBlank(text_[end - 1]))
            --end;
    }
    if (end - start > kMaxFieldLength) fail("A field is too long, the file is damaged");

    // Step over the separator: a comma or one line end (CR LF, CR or LF).
    if (pos_ < text_.size()) {
        if (text_[pos_] == ',') {
            ++pos_;
        } else if (text_[pos_] == '\r') {
            ++pos_;
            if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
        } else if (text_[pos_] == '\n') {
            ++pos_;
        }
    }
    return text_.substr(start, end - start);
}

std::string FieldReader::readString() {
    bool quoted = false;
    return nextField(quoted);
}

double FieldReader::readNumber(std::string_view kind) {
    const std::size_t fieldStart = pos_;
    bool quoted = false;
    const std::string field = nextField(quoted);
    const auto value = quoted ? std::nullopt : parseNumberText(field);
    if (!value) {
        pos_ = fieldStart;
        fail("Expected " + std::string(kind) + ", found \"" + field.substr(0, 40) + "\"");
    }
    return *value;
}

int16_t FieldReader::readInteger() {
    const std::size_t fieldStart = pos_;
    const double value = readNumber("a whole number");
    try {
        return toInteger(value);
    } catch (const QelError&) {
        pos_ = fieldStart;
        fail("Number out of range");
    }
}

int32_t FieldReader::readLong() {
    const std::size_t fieldStart = pos_;
    const double value = readNumber("a whole number");
    try {
        return toLong(value);
    } catch (const QelError&) {
        pos_ = fieldStart;
        fail("Number out of range");
    }
}

float FieldReader::readSingle() {
    const std::size_t fieldStart = pos_;
    const double value = readNumber("a number");
    if (std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max())) {
        pos_ = fieldStart;
        fail("Number out of range");
    }
    return static_cast<float>(value);
}

double FieldReader::readDouble() {
    return readNumber("a number");
}

bool FieldReader::readBoolean() {
    const std::size_t fieldStart = pos_;
    bool quoted = false;
    const std::string field = nextField(quoted);
    if (!quoted) {
        if (field == "#TRUE#") return true;
        if (field == "#FALSE#") return false;
        if (const auto number = parseNumberText(field)) return *number != 0.0;
    }
    pos_ = fieldStart;
    fail("Expected #TRUE# or #FALSE#, found \"" + field.substr(0, 40) + "\"");
}

std::string FieldReader::readLine() {
    if (pos_ >= text_.size()) fail("Input past end of file");
    const std::size_t start = pos_;
    while (pos_ < text_.size() && !isLineEnd(text_[pos_]))
        ++pos_;
    const std::size_t end = pos_;
    if (end - start > kMaxFieldLength) fail("A line is too long, the file is damaged");
    if (pos_ < text_.size() && text_[pos_] == '\r') ++pos_;
    if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    return text_.substr(start, end - start);
}

FieldReader readFieldFile(const std::filesystem::path& path) {
    return FieldReader(readTextFile(path), shownFileName(path));
}

void writeFieldFile(const std::filesystem::path& path, const FieldWriter& writer) {
    writeTextFileAtomic(path, writer.text());
}

}  // namespace qel
