#pragma once
// Windows-1252 <-> UTF-8, the code page every file of the system is written in.
#include <cstddef>
#include <string>
#include <string_view>

namespace qel {

std::string cp1252ToUtf8(std::string_view bytes);
// Characters outside Windows-1252 (and malformed UTF-8) become "?".
std::string utf8ToCp1252(std::string_view utf8);

// Characters, not bytes: what a column or a fixed-width field counts, since
// each becomes one byte in the file.
std::size_t utf8Length(std::string_view utf8);
// The first count characters of a UTF-8 text.
std::string_view utf8Prefix(std::string_view utf8, std::size_t count);

}  // namespace qel
