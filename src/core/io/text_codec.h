#pragma once
// Windows-1252 <-> UTF-8, the code page every file of the system is written in.
#include <string>
#include <string_view>

namespace qel {

std::string cp1252ToUtf8(std::string_view bytes);
// Characters outside Windows-1252 (and malformed UTF-8) become "?".
std::string utf8ToCp1252(std::string_view utf8);

}  // namespace qel
