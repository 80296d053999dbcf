#include "core/heats/race_format_settings.h"

#include <algorithm>
#include <bit>
#include <system_error>

#include "core/io/errors.h"
#include "core/io/text_codec.h"
#include "core/io/text_file.h"

namespace qel {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMaxStoredString = 0xFFFF;

class RecordWriter {
  public:
    void field(int16_t value) { unsigned16(static_cast<uint16_t>(value)); }
    void field(float value) {
        const auto bits = std::bit_cast<uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8) {
            bytes_ += static_cast<char>((bits >> shift) & 0xFF);
        }
    }
    void field(std::string_view utf8) {
        std::string stored = utf8ToCp1252(utf8);
        if (stored.size() > kMaxStoredString) stored.resize(kMaxStoredString);
        unsigned16(static_cast<uint16_t>(stored.size()));
        bytes_ += stored;
    }
    std::string take() { return std::move(bytes_); }

  private:
    void unsigned16(uint16_t value) {
        bytes_ += static_cast<char>(value & 0xFF);
        bytes_ += static_cast<char>(value >> 8);
    }
    std::string bytes_;
};

class RecordReader {
  public:
    RecordReader(std::string_view bytes, const std::string& source)
        : bytes_(bytes), source_(source) {}

    void field(int16_t& value) { value = static_cast<int16_t>(unsigned16()); }
    void field(float& value) {
        need(4, "a number");
        uint32_t bits = 0;
        for (int i = 0; i < 4; ++i) {
            bits |= static_cast<uint32_t>(static_cast<unsigned char>(bytes_[pos_ + i])) << (8 * i);
        }
        pos_ += 4;
        value = std::bit_cast<float>(bits);
    }
    void field(std::string& value) {
        const std::size_t length = unsigned16();
        need(length, "a text");
        value = cp1252ToUtf8(bytes_.substr(pos_, length));
        pos_ += length;
    }

  private:
    uint16_t unsigned16() {
        need(2, "a number");
        const auto low = static_cast<unsigned char>(bytes_[pos_]);
        const auto high = static_cast<unsigned char>(bytes_[pos_ + 1]);
        pos_ += 2;
        return static_cast<uint16_t>(low | (high << 8));
    }
    void need(std::size_t count, std::string_view what) const {
        if (bytes_.size() - pos_ < count) {
            throw QelError("The race format settings in " + source_ +
                           " are damaged: the file ends inside " + std::string(what) + " at byte " +
                           std::to_string(pos_) + ".");
        }
    }

    std::string_view bytes_;
    std::size_t pos_ = 0;
    std::string source_;
};

// The record's fields in the order the file holds them, one list for
// writing and reading alike so the two can never drift apart.
template <typename Io, typename Record>
void recordFields(Io& io, Record& r) {
    io.field(r.raceFormat);
    io.field(r.raceLimitKind);
    io.field(r.timeListIndex);
    io.field(r.raceMinutes);
    io.field(r.lapsListIndex);
    io.field(r.raceLaps);
    io.field(r.sequenceOption);
    for (auto& text : r.sequenceText)
        io.field(text);
    io.field(r.autoDelay);
    io.field(r.viewDelayListIndex);
    io.field(r.demoMode);
    io.field(r.raceFormatName);
    io.field(r.viewDelaySeconds);
    io.field(r.rotateDelaySeconds);
    io.field(r.heatRotation);
    io.field(r.autoPrint);
    io.field(r.autoDisplayResults);
    io.field(r.rotateDelayListIndex);
}

}  // namespace

std::string raceFormatRecordBytes(const RaceFormatSettings& r) {
    RecordWriter w;
    recordFields(w, r);
    return w.take();
}

RaceFormatSettings parseRaceFormatRecord(std::string_view bytes, const std::string& source) {
    RecordReader in(bytes, source);
    RaceFormatSettings r;
    recordFields(in, r);
    return r;
}

void ReadRaceFormatFile(const fs::path& path, RaceFormatSettings& record) {
    record = parseRaceFormatRecord(readBinaryFile(path), shownFileName(path));
}

void WriteRaceFormatFile(const fs::path& path, const RaceFormatSettings& record) {
    const std::string fresh = raceFormatRecordBytes(record);
    std::string whole;
    std::error_code ec;
    if (fs::exists(path, ec)) {
        try {
            whole = readBinaryFile(path);
        } catch (const QelError&) {
            // Bytes past the record are never read, so an old file that cannot
            // be read costs nothing: the new record alone is the whole file.
            whole.clear();
        }
    }
    if (whole.size() < fresh.size()) whole.resize(fresh.size());
    std::copy(fresh.begin(), fresh.end(), whole.begin());
    writeBinaryFileAtomic(path, whole);
}

fs::path raceFormatFilePath(const AppFolder& folder) {
    return folder.dataFile(kRaceFormatFileName);
}

void applyRaceFormatDefaults(RaceFormatSettings& r, int laneCount) {
    r.raceFormat = 0;
    r.raceLimitKind = "Number of Minutes";
    r.timeListIndex = 4;
    r.lapsListIndex = 4;
    r.sequenceOption = 0;
    for (int lane = std::clamp(laneCount, 0, 8); lane >= 1; --lane) {
        r.sequenceText[2] += static_cast<char>('0' + lane);
    }
    r.autoDelay = 0;
    r.viewDelayListIndex = 2;
    r.demoMode = 1;
    r.autoPrint = 0;
    r.autoDisplayResults = 0;
    r.rotateDelayListIndex = 2;
}

void DefaultRaceFormatFile(const AppFolder& folder, RaceFormatSettings& record, int laneCount) {
    applyRaceFormatDefaults(record, laneCount);
    WriteRaceFormatFile(raceFormatFilePath(folder), record);
}

void loadRaceFormatSettings(const AppFolder& folder, RaceFormatSettings& record, int laneCount) {
    const fs::path path = raceFormatFilePath(folder);
    std::error_code ec;
    const bool present = fs::is_regular_file(path, ec);
    const auto size = present ? fs::file_size(path, ec) : 0;
    if (!present || ec || size == 0) {
        RaceFormatSettings defaults = record;
        DefaultRaceFormatFile(folder, defaults, laneCount);
    }
    ReadRaceFormatFile(path, record);
}

}  // namespace qel
