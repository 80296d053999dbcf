#pragma once
// Just enough JSON for what the program tells the world outside: objects,
// arrays, strings, whole numbers, true/false and null, written in order with
// no blanks. Text is UTF-8; a byte that is not part of valid UTF-8 is written
// as U+FFFD, so whatever a file held, a browser can read the result.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qel {

class JsonWriter {
  public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    // The name of the next member of the object being written.
    JsonWriter& key(std::string_view name);
    JsonWriter& string(std::string_view text);
    JsonWriter& number(int64_t value);
    JsonWriter& boolean(bool value);
    JsonWriter& null();

    const std::string& text() const { return text_; }

  private:
    void beforeValue();
    void open(char bracket);
    void close(char bracket);

    std::string text_;
    // Per open object or array: whether a value was written in it yet.
    std::vector<bool> hasValue_;
    bool afterKey_ = false;
};

// A text as a quoted JSON string: quote, backslash and control characters
// escaped, invalid UTF-8 replaced.
std::string jsonQuoted(std::string_view utf8);

}  // namespace qel
