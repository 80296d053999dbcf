#pragma once
// The field-writing convention of the small settings, roster and sound files:
// one write statement is one line closed by CR LF; fields are separated by
// commas; strings stand in double quotes without escaping; numbers are bare
// (see number_text.h); Booleans are #TRUE# / #FALSE#. Text is UTF-8 in memory;
// text_file.h turns it into the files' code page.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace qel {

class FieldWriter {
  public:
    // A double quote cannot be stored in a quoted field, and a line break would
    // split the statement: either would leave a file that reads back wrong, so
    // a quote becomes an apostrophe and a line break a blank.
    FieldWriter& writeString(std::string_view text);
    FieldWriter& writeInteger(int64_t value);
    FieldWriter& writeSingle(float value);
    FieldWriter& writeDouble(double value);
    FieldWriter& writeBoolean(bool value);
    // Closes the statement with CR LF; the next field starts a new line.
    FieldWriter& endLine();

    // Everything written so far. An unclosed last statement is closed.
    std::string text() const;

  private:
    void separate();

    std::string text_;
    bool lineOpen_ = false;
};

// Reads fields back in the order they were written. Fields are separated by
// commas or line ends; blanks around a field are dropped; a quoted string runs
// to its closing quote (what follows up to the next comma or line end is
// ignored), an unquoted one to the next comma or line end. Reading past the
// end, a malformed number or a field longer than kMaxFieldLength throws
// QelError naming the source.
class FieldReader {
  public:
    // No field of the system's files comes near this; a longer one is damage.
    static constexpr std::size_t kMaxFieldLength = 64 * 1024;

    // source names the file in messages ("QelDat/QelOptions.dat").
    explicit FieldReader(std::string text, std::string source = {});

    std::string readString();
    // Whole numbers: a written "2.5" is taken as the platform does (half to
    // even); a value beyond the width throws.
    int16_t readInteger();
    int32_t readLong();
    float readSingle();
    double readDouble();
    // #TRUE# / #FALSE#, or a number (non-zero is true) as older files hold.
    bool readBoolean();
    // The rest of the current line as it stands, without its line end.
    std::string readLine();

    // True when only blanks and line ends remain.
    bool atEnd() const;

  private:
    std::string nextField(bool& quoted);
    double readNumber(std::string_view kind);
    [[noreturn]] void fail(const std::string& what) const;
    void skipBlanks();

    std::string text_;
    std::size_t pos_ = 0;
    std::string source_;
};

// A reader over a whole file of the convention (Windows-1252 on disk); it names
// the file in its messages. Throws QelError when the file cannot be read.
FieldReader readFieldFile(const std::filesystem::path& path);
// Replaces the file atomically with the writer's lines.
void writeFieldFile(const std::filesystem::path& path, const FieldWriter& writer);

}  // namespace qel
