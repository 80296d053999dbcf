#include "core/sound/wave_files.h"

#include <algorithm>
#include <system_error>

namespace qel {

namespace {

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), lowerAscii);
    return text;
}

bool startsWord(char c) {
    return c == ' ' || c == '\0' || (c >= '\t' && c <= '\r');
}

// UTF-8 lead byte of the Latin-1 letters U+00C0..U+00FE.
constexpr unsigned char kLatinLead = 0xC3;

}  // namespace

std::vector<std::string> listWaveFiles(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        const std::string name = it->path().filename().string();
        if (lowered(it->path().extension().string()) == ".wav") names.push_back(name);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string la = lowered(a);
        const std::string lb = lowered(b);
        return la != lb ? la < lb : a < b;
    });
    return names;
}

std::string properCase(const std::string& text) {
    std::string result = text;
    bool wordStart = true;
    for (std::size_t i = 0; i < result.size(); ++i) {
        char& c = result[i];
        const auto byte = static_cast<unsigned char>(c);
        if (byte == kLatinLead && i + 1 < result.size()) {
            // Accented letters of the file names' code page: À..Þ and à..þ
            // differ by 0x20 in their second byte (× and ÷ are no letters).
            auto& second = reinterpret_cast<unsigned char&>(result[i + 1]);
            if (wordStart && second >= 0xA0 && second <= 0xBE && second != 0xB7) second -= 0x20;
            if (!wordStart && second >= 0x80 && second <= 0x9E && second != 0x97) second += 0x20;
            wordStart = false;
            ++i;
            continue;
        }
        if (wordStart && c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        } else if (!wordStart) {
            c = lowerAscii(c);
        }
        wordStart = startsWord(c);
    }
    return result;
}

}  // namespace qel
