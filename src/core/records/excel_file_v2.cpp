#include "core/records/excel_file_v2.h"

#include <bit>

#include "core/io/errors.h"
#include "core/io/text_codec.h"
#include "core/io/text_file.h"

namespace qel {

namespace {

constexpr uint16_t kBeginOfFile = 0x0009;
constexpr uint16_t kEndOfFile = 0x000A;
constexpr uint16_t kTextCell = 0x0004;
constexpr uint16_t kIntegerCell = 0x0002;
constexpr uint16_t kNumberCell = 0x0003;
constexpr uint16_t kVersion = 2;
constexpr uint16_t kWorksheet = 0x000A;
// Row, column and the three attribute bytes (no format, font or protection).
constexpr uint16_t kCellFields = 7;

}  // namespace

void ExcelFileV2::putU16(uint16_t value) {
    bytes_.push_back(static_cast<char>(value & 0xFF));
    bytes_.push_back(static_cast<char>(value >> 8));
}

void ExcelFileV2::OpenFile(const std::filesystem::path& path) {
    path_ = path;
    bytes_.clear();
    putU16(kBeginOfFile);
    putU16(4);
    putU16(kVersion);
    putU16(kWorksheet);
}

void ExcelFileV2::cellHeader(uint16_t type, uint16_t dataLength, int excelRow, int excelCol) {
    // A cell the format cannot place would land on another cell's place.
    if (excelRow < 1 || excelRow > kMaxRow || excelCol < 1 || excelCol > kMaxCol) {
        throw QelError("The spreadsheet " + shownFileName(path_) + " has no cell at row " +
                       std::to_string(excelRow) + ", column " + std::to_string(excelCol) + ".");
    }
    putU16(type);
    putU16(dataLength);
    putU16(static_cast<uint16_t>(excelRow - 1));
    putU16(static_cast<uint16_t>(excelCol - 1));
    bytes_.append(3, '\0');
}

void ExcelFileV2::EWriteString(int excelRow, int excelCol, std::string_view utf8Text) {
    std::string text = utf8ToCp1252(utf8Text);
    // The length is one byte: a longer text is cut, so the length and the
    // characters written agree and the next record starts where it should.
    if (text.size() > kMaxTextBytes) text.resize(kMaxTextBytes);
    const auto length = static_cast<uint16_t>(text.size());
    cellHeader(kTextCell, static_cast<uint16_t>(kCellFields + 1 + length), excelRow, excelCol);
    bytes_.push_back(static_cast<char>(length));
    bytes_ += text;
}

void ExcelFileV2::EWriteInteger(int excelRow, int excelCol, int16_t value) {
    cellHeader(kIntegerCell, kCellFields + 2, excelRow, excelCol);
    putU16(static_cast<uint16_t>(value));
}

void ExcelFileV2::EWriteDouble(int excelRow, int excelCol, double value) {
    cellHeader(kNumberCell, kCellFields + 8, excelRow, excelCol);
    const auto bits = std::bit_cast<uint64_t>(value);
    for (int i = 0; i < 8; ++i)
        bytes_.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
}

void ExcelFileV2::CloseFile() {
    putU16(kEndOfFile);
    putU16(0);
    try {
        writeBinaryFileAtomic(path_, bytes_);
    } catch (const QelError& e) {
        throw QelError("The spreadsheet " + path_.string() + " was not saved. " + e.what());
    }
}

}  // namespace qel
