#pragma once
// A worksheet file a spreadsheet program opens (the old binary worksheet
// format, version 2): a begin-of-file record, one record per cell, an
// end-of-file record, each record packed little-endian with no filler.
// Rows and columns are given from 1 as the grids count them and stored from 0.
// Text goes out in Windows-1252, at most 255 characters a cell (the length is
// one byte). The file on disk holds exactly what was written: an export over
// a longer earlier file leaves nothing of it behind.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace qel {

class ExcelFileV2 {
  public:
    // The largest row and column numbers (1-based) the format's fields hold.
    static constexpr int kMaxRow = 65536;
    static constexpr int kMaxCol = 256;
    static constexpr std::size_t kMaxTextBytes = 255;

    // Starts the worksheet with its begin-of-file record; it reaches path at CloseFile.
    void OpenFile(const std::filesystem::path& path);
    void EWriteString(int excelRow, int excelCol, std::string_view utf8Text);
    void EWriteInteger(int excelRow, int excelCol, int16_t value);
    void EWriteDouble(int excelRow, int excelCol, double value);
    // Adds the end-of-file record and writes the file. Throws QelError naming
    // the file when it cannot be written (full disk, locked or missing folder).
    void CloseFile();

    // The records so far, as they go to the file.
    const std::string& bytes() const { return bytes_; }

  private:
    void putU16(uint16_t value);
    void cellHeader(uint16_t type, uint16_t dataLength, int excelRow, int excelCol);

    std::filesystem::path path_;
    std::string bytes_;
};

}  // namespace qel
