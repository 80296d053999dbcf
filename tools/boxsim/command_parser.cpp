#include "boxsim/command_parser.h"

#include <cstdio>

namespace qel::boxsim {
namespace {

// More digits than any set-up value needs; the rest are counted, not kept.
constexpr std::size_t kMaxDigits = 9;

std::string describeByte(char byte) {
    const auto code = static_cast<unsigned char>(byte);
    char text[32];
    if (code >= 0x21 && code < 0x7f) {
        std::snprintf(text, sizeof text, "unknown 0x%02X '%c'", code, byte);
    } else {
        std::snprintf(text, sizeof text, "unknown 0x%02X", code);
    }
    return text;
}

BoxCommand::Kind valuedKind(char letter) {
    switch (letter) {
        case 'A':
            return BoxCommand::Kind::LaneCount;
        case 'C':
            return BoxCommand::Kind::SensorType;
        default:
            return BoxCommand::Kind::DValue;
    }
}

}  // namespace

std::vector<BoxCommand> CommandParser::feed(std::string_view bytes) {
    std::vector<BoxCommand> out;
    for (char byte : bytes)
        feedByte(byte, out);
    return out;
}

void CommandParser::feedByte(char byte, std::vector<BoxCommand>& out) {
    using Kind = BoxCommand::Kind;
    if (pendingLetter_ != 0) {
        if (byte >= '0' && byte <= '9') {
            if (digits_.size() < kMaxDigits) {
                digits_ += byte;
            } else {
                tooLong_ = true;
            }
            return;
        }
        if (byte == '\n') {
            finishValued(out);
            return;
        }
        // The value was cut short; the byte that cut it is a command of its own.
        abandonValued(out);
    }
    switch (byte) {
        case 'S':
            out.push_back({Kind::Start, std::nullopt, "S"});
            break;
        case 'P':
            out.push_back({Kind::Pause, std::nullopt, "P"});
            break;
        case 'V':
            out.push_back({Kind::Version, std::nullopt, "V"});
            break;
        case '\r':
            out.push_back({Kind::CarriageReturn, std::nullopt, "CR"});
            break;
        case 'E':
            out.push_back({Kind::RelayE, std::nullopt, "E"});
            break;
        case 'R':
            out.push_back({Kind::RelayR, std::nullopt, "R"});
            break;
        case 'A':
        case 'C':
        case 'D':
            pendingLetter_ = byte;
            break;
        default:
            out.push_back({Kind::Unknown, std::nullopt, describeByte(byte)});
            break;
    }
}

void CommandParser::finishValued(std::vector<BoxCommand>& out) {
    std::string text(1, pendingLetter_);
    if (digits_.empty()) {
        out.push_back({BoxCommand::Kind::Malformed, std::nullopt, text + " (no value)"});
    } else if (tooLong_) {
        out.push_back(
            {BoxCommand::Kind::Malformed, std::nullopt, text + digits_ + "... (value too long)"});
    } else {
        out.push_back({valuedKind(pendingLetter_), std::stol(digits_), text + digits_});
    }
    pendingLetter_ = 0;
    digits_.clear();
    tooLong_ = false;
}

void CommandParser::abandonValued(std::vector<BoxCommand>& out) {
    out.push_back(
        {BoxCommand::Kind::Malformed, std::nullopt,
         std::string(1, pendingLetter_) + digits_ + (tooLong_ ? "..." : "") + " (no LF)"});
    pendingLetter_ = 0;
    digits_.clear();
    tooLong_ = false;
}

}  // namespace qel::boxsim
