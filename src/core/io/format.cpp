#include "core/io/format.h"

#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/io/dates.h"
#include "core/io/number_text.h"
#include "core/io/text_codec.h"

namespace qel {

namespace {

// ---- shared pattern scanning -------------------------------------------------

// Splits a pattern at the ";" that are not quoted or escaped.
std::vector<std::string_view> sections(std::string_view pattern) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    bool quoted = false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && c == '\\') {
            ++i;
        } else if (!quoted && c == ';') {
            parts.push_back(pattern.substr(start, i - start));
            start = i + 1;
        }
    }
    parts.push_back(pattern.substr(start));
    return parts;
}

// Reads a quoted or escaped literal starting at pattern[i], if there is one;
// i is left on its last character.
bool takeLiteral(std::string_view pattern, std::size_t& i, std::string& literal) {
    if (pattern[i] == '\\') {
        if (i + 1 < pattern.size()) literal += pattern[++i];
        return true;
    }
    if (pattern[i] == '"') {
        while (++i < pattern.size() && pattern[i] != '"')
            literal += pattern[i];
        return true;
    }
    return false;
}

// ---- numbers -----------------------------------------------------------------

struct NumberToken {
    enum Kind { Zero, Hash, Point, Literal } kind;
    std::string text;
};

struct NumberPattern {
    std::vector<NumberToken> integer;   // before the point
    std::vector<NumberToken> fraction;  // the point and what follows
    bool hasPoint = false;
    bool grouping = false;
    bool percent = false;
    int decimals = 0;
};

NumberPattern parseNumberPattern(std::string_view pattern) {
    NumberPattern parsed;
    auto literal = [&](std::string text) {
        auto& tokens = parsed.hasPoint ? parsed.fraction : parsed.integer;
        if (!tokens.empty() && tokens.back().kind == NumberToken::Literal) {
            tokens.back().text += text;
        } else {
            tokens.push_back({NumberToken::Literal, std::move(text)});
        }
    };
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        std::string quoted;
        if (takeLiteral(pattern, i, quoted)) {
            literal(quoted);
        } else if (c == '0' || c == '#') {
            const auto kind = c == '0' ? NumberToken::Zero : NumberToken::Hash;
            (parsed.hasPoint ? parsed.fraction : parsed.integer).push_back({kind, {}});
            if (parsed.hasPoint) ++parsed.decimals;
        } else if (c == '.' && !parsed.hasPoint) {
            parsed.hasPoint = true;
            parsed.fraction.push_back({NumberToken::Point, "."});
        } else if (c == ',' && !parsed.hasPoint) {
            parsed.grouping = true;
        } else {
            if (c == '%') parsed.percent = true;
            literal(std::string(1, c));
        }
    }
    return parsed;
}

struct Digits {
    std::string integer;   // no leading zeros; empty for a value below one
    std::string fraction;  // exactly the decimals asked for
    bool isZero() const {
        return integer.find_first_not_of('0') == std::string::npos &&
               fraction.find_first_not_of('0') == std::string::npos;
    }
};

// |value| in decimal with the given decimals, rounded half away from zero on
// its first significantDigits digits, as the platform shows it.
Digits decimalDigits(double value, int decimals, int significantDigits) {
    Digits out;
    out.fraction.assign(static_cast<std::size_t>(decimals), '0');
    value = std::fabs(value);
    if (value == 0.0 || !std::isfinite(value)) return out;

    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", significantDigits - 1, value);
    const std::string_view text(buffer);
    const auto ePos = text.find('e');
    std::string mantissa;
    for (const char c : text.substr(0, ePos)) {
        if (c >= '0' && c <= '9') mantissa += c;
    }
    const int exponent = std::atoi(buffer + ePos + 1);

    std::string whole;
    std::string fraction;
    if (exponent >= 0) {
        const auto wholeLength = static_cast<std::size_t>(exponent) + 1;
        if (mantissa.size() < wholeLength) mantissa.append(wholeLength - mantissa.size(), '0');
        whole = mantissa.substr(0, wholeLength);
        fraction = mantissa.substr(wholeLength);
    } else {
        fraction = std::string(static_cast<std::size_t>(-exponent - 1), '0') + mantissa;
    }
    const auto kept = static_cast<std::size_t>(decimals);
    if (fraction.size() < kept + 1) fraction.append(kept + 1 - fraction.size(), '0');
    const bool roundUp = fraction[kept] >= '5';
    std::string all = whole + fraction.substr(0, kept);
    if (roundUp) {
        std::size_t i = all.size();
        while (i > 0 && all[i - 1] == '9')
            all[--i] = '0';
        if (i == 0) {
            all.insert(all.begin(), '1');
        } else {
            ++all[i - 1];
        }
    }
    out.fraction = all.substr(all.size() - kept);
    out.integer = all.substr(0, all.size() - kept);
    const auto firstDigit = out.integer.find_first_not_of('0');
    out.integer = firstDigit == std::string::npos ? "" : out.integer.substr(firstDigit);
    return out;
}

std::string renderNumber(const NumberPattern& pattern, const Digits& digits) {
    // Integer part, filled from the right; the leftmost placeholder takes all
    // the digits left over, so a pattern never hides part of a number.
    std::string integer = digits.integer;
    std::size_t zeros = 0;
    std::size_t placeholders = 0;
    for (const auto& token : pattern.integer) {
        if (token.kind == NumberToken::Zero) ++zeros;
        if (token.kind != NumberToken::Literal) ++placeholders;
    }
    if (integer.size() < zeros) integer.insert(0, zeros - integer.size(), '0');

    std::string reversed;
    std::size_t emitted = 0;
    auto emitDigit = [&](char digit) {
        if (pattern.grouping && emitted > 0 && emitted % 3 == 0) reversed += ',';
        reversed += digit;
        ++emitted;
    };
    std::size_t seen = 0;
    for (auto it = pattern.integer.rbegin(); it != pattern.integer.rend(); ++it) {
        if (it->kind == NumberToken::Literal) {
            reversed.append(it->text.rbegin(), it->text.rend());
            continue;
        }
        ++seen;
        if (seen == placeholders) {
            while (!integer.empty()) {
                emitDigit(integer.back());
                integer.pop_back();
            }
        } else if (!integer.empty()) {
            emitDigit(integer.back());
            integer.pop_back();
        }
    }
    std::string out(reversed.rbegin(), reversed.rend());
    if (placeholders == 0) out += integer;

    const auto lastSignificant = digits.fraction.find_last_not_of('0');
    std::size_t index = 0;
    for (const auto& token : pattern.fraction) {
        if (token.kind == NumberToken::Point || token.kind == NumberToken::Literal) {
            out += token.text;
            continue;
        }
        const char digit = digits.fraction[index];
        const bool significant = lastSignificant != std::string::npos && index <= lastSignificant;
        if (token.kind == NumberToken::Zero || significant) out += digit;
        ++index;
    }
    return out;
}

std::string formatNumberWith(double value, std::string_view pattern, int significantDigits) {
    if (pattern.empty()) {
        std::string plain = doubleText(value);
        if (plain.rfind(".", 0) == 0) return "0" + plain;
        if (plain.rfind("-.", 0) == 0) return "-0" + plain.substr(1);
        return plain;
    }
    if (!std::isfinite(value)) value = 0.0;
    const auto parts = sections(pattern);
    NumberPattern chosen = parseNumberPattern(parts[0]);
    const double scaled = chosen.percent ? value * 100.0 : value;
    Digits digits = decimalDigits(scaled, chosen.decimals, significantDigits);
    bool showMinus = value < 0 && !digits.isZero();

    if (value < 0 && parts.size() >= 2 && !parts[1].empty()) {
        chosen = parseNumberPattern(parts[1]);
        digits = decimalDigits(chosen.percent ? value * 100.0 : value, chosen.decimals,
                               significantDigits);
        showMinus = false;
    }
    if (digits.isZero() && parts.size() >= 3 && !parts[2].empty()) {
        chosen = parseNumberPattern(parts[2]);
        digits = decimalDigits(0.0, chosen.decimals, significantDigits);
        showMinus = false;
    }
    return (showMinus ? "-" : "") + renderNumber(chosen, digits);
}

// ---- dates -------------------------------------------------------------------

struct DateToken {
    char letter = 0;  // lower-case pattern letter; 0 for a literal, 'p' for AM/PM
    int count = 0;
    std::string text;  // literal text, or the AM/PM pattern as written
};

std::vector<DateToken> parseDatePattern(std::string_view pattern) {
    std::vector<DateToken> tokens;
    auto literal = [&](std::string_view text) {
        if (!tokens.empty() && tokens.back().letter == 0) {
            tokens.back().text += text;
        } else {
            tokens.push_back({0, 0, std::string(text)});
        }
    };
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        std::string quoted;
        if (takeLiteral(pattern, i, quoted)) {
            literal(quoted);
            continue;
        }
        const std::string_view rest = pattern.substr(i);
        auto startsWith = [&](std::string_view word) {
            if (rest.size() < word.size()) return false;
            for (std::size_t k = 0; k < word.size(); ++k) {
                if (std::tolower(static_cast<unsigned char>(rest[k])) != word[k]) return false;
            }
            return true;
        };
        if (startsWith("am/pm") || startsWith("a/p")) {
            const std::size_t length = startsWith("am/pm") ? 5 : 3;
            tokens.push_back({'p', 0, std::string(rest.substr(0, length))});
            i += length - 1;
            continue;
        }
        const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(pattern[i])));
        if (std::string_view("dmnhsy").find(lower) == std::string_view::npos) {
            literal(pattern.substr(i, 1));
            continue;
        }
        int count = 1;
        while (i + 1 < pattern.size() &&
               std::tolower(static_cast<unsigned char>(pattern[i + 1])) == lower) {
            ++count;
            ++i;
        }
        tokens.push_back({lower, count, {}});
    }
    // "m" and "mm" are minutes right after an hour or right before seconds.
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].letter != 'm' || tokens[i].count > 2) continue;
        char before = 0;
        char after = 0;
        for (std::size_t k = i; k-- > 0;) {
            if (tokens[k].letter != 0) {
                before = tokens[k].letter;
                break;
            }
        }
        for (std::size_t k = i + 1; k < tokens.size(); ++k) {
            if (tokens[k].letter != 0) {
                after = tokens[k].letter;
                break;
            }
        }
        if (before == 'h' || after == 's') tokens[i].letter = 'n';
    }
    return tokens;
}

std::string padded(int value, int width) {
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), '0');
    return text;
}

// The half of the day, written in the case the pattern uses for it.
std::string halfOfDay(const std::string& written, bool afternoon) {
    const bool full = written.size() == 5;
    const std::size_t at = afternoon ? (full ? 3 : 2) : 0;
    return written.substr(at, full ? 2 : 1);
}

}  // namespace

std::string formatNumber(double value, std::string_view pattern) {
    return formatNumberWith(value, pattern, 15);
}

std::string formatSingle(float value, std::string_view pattern) {
    return formatNumberWith(static_cast<double>(value), pattern, 7);
}

std::string formatDate(double dayCount, std::string_view pattern) {
    const DateTimeParts parts = fromDayCount(dayCount);
    const auto tokens = parseDatePattern(pattern);
    bool twelveHour = false;
    for (const auto& token : tokens)
        twelveHour = twelveHour || token.letter == 'p';

    std::string out;
    for (const auto& token : tokens) {
        const int n = token.count;
        switch (token.letter) {
            case 0:
                out += token.text;
                break;
            case 'p':
                out += halfOfDay(token.text, parts.hour >= 12);
                break;
            case 'd':
                if (n <= 2) {
                    out += padded(parts.day, n);
                } else {
                    out +=
                        n == 3 ? weekdayShortName(parts.weekday) : weekdayLongName(parts.weekday);
                }
                break;
            case 'm':
                if (n <= 2) {
                    out += padded(parts.month, n);
                } else {
                    out += n == 3 ? monthShortName(parts.month) : monthLongName(parts.month);
                }
                break;
            case 'n':
                out += padded(parts.minute, n >= 2 ? 2 : 1);
                break;
            case 'h': {
                int hour = parts.hour;
                if (twelveHour) hour = hour % 12 == 0 ? 12 : hour % 12;
                out += padded(hour, n >= 2 ? 2 : 1);
                break;
            }
            case 's':
                out += padded(parts.second, n >= 2 ? 2 : 1);
                break;
            case 'y':
                if (n == 1) {
                    out += std::to_string(parts.dayOfYear);
                } else if (n <= 3) {
                    out += padded(parts.year % 100, 2);
                } else {
                    out += padded(parts.year, 4);
                }
                break;
            default:
                break;
        }
    }
    return out;
}

std::string formatText(std::string_view text, std::string_view pattern) {
    struct Slot {
        bool placeholder;
        char kind;  // '@' or '&'
        std::string literal;
    };
    std::vector<Slot> slots;
    bool leftToRight = false;
    int caseChange = 0;  // -1 lower, +1 upper
    std::size_t placeholders = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        std::string quoted;
        if (takeLiteral(pattern, i, quoted)) {
            slots.push_back({false, 0, quoted});
        } else if (c == '@' || c == '&') {
            slots.push_back({true, c, {}});
            ++placeholders;
        } else if (c == '!') {
            leftToRight = true;
        } else if (c == '<' || c == '>') {
            caseChange = c == '<' ? -1 : 1;
        } else {
            slots.push_back({false, 0, std::string(1, c)});
        }
    }

    std::string source(text);
    if (caseChange != 0) {
        for (char& c : source) {
            c = static_cast<char>(caseChange < 0 ? std::tolower(static_cast<unsigned char>(c))
                                                 : std::toupper(static_cast<unsigned char>(c)));
        }
    }
    if (placeholders == 0) {
        // Nothing to fill (">" alone, or no pattern): the whole text follows
        // the copied characters, as a number does without digit places.
        std::string out;
        for (const auto& slot : slots)
            out += slot.literal;
        return out + source;
    }

    // Split into characters so a name with "é" keeps its width.
    std::vector<std::string> characters;
    const std::string_view kept = utf8Prefix(source, placeholders);
    for (std::size_t i = 0; i < kept.size();) {
        const std::size_t next = utf8Prefix(kept.substr(i), 1).size();
        characters.emplace_back(kept.substr(i, next));
        i += next;
    }

    std::vector<std::string> filled(placeholders);
    const std::size_t offset = leftToRight ? 0 : placeholders - characters.size();
    for (std::size_t k = 0; k < characters.size(); ++k)
        filled[offset + k] = characters[k];

    std::string out;
    std::size_t index = 0;
    for (const auto& slot : slots) {
        if (!slot.placeholder) {
            out += slot.literal;
            continue;
        }
        const std::string& character = filled[index++];
        out += !character.empty() ? character : (slot.kind == '@' ? " " : "");
    }
    return out;
}

}  // namespace qel
