#include "core/liveboard/live_board_settings.h"

#include <system_error>

#include "core/io/errors.h"
#include "core/io/fields.h"
#include "core/io/text_file.h"

namespace qel {

namespace {

// The file is one short line; anything much larger is not one.
constexpr std::size_t kMaxLiveBoardFileBytes = 4 * 1024;

}  // namespace

std::string liveBoardFileText(const LiveBoardSettings& settings) {
    FieldWriter writer;
    writer.writeBoolean(settings.enabled).writeInteger(settings.port);
    return writer.endLine().text();
}

void parseLiveBoardFile(const std::string& text, const std::string& source,
                        LiveBoardSettings& settings) {
    FieldReader in(text, source);
    LiveBoardSettings read;
    read.enabled = in.readBoolean();
    read.port = in.readLong();
    if (read.port < kFirstLiveBoardPort || read.port > kLastLiveBoardPort) {
        throw QelError("The live board port " + std::to_string(read.port) + " in " + source +
                       " is not a port number (1 to 65535).");
    }
    settings = read;
}

bool readLiveBoardFile(const AppFolder& folder, LiveBoardSettings& settings) {
    const auto path = folder.dataFile(kLiveBoardFileName);
    std::error_code ignored;
    if (!std::filesystem::exists(path, ignored)) return false;
    parseLiveBoardFile(readTextFile(path, kMaxLiveBoardFileBytes), shownFileName(path), settings);
    return true;
}

void writeLiveBoardFile(const AppFolder& folder, const LiveBoardSettings& settings) {
    writeTextFileAtomic(folder.dataFile(kLiveBoardFileName), liveBoardFileText(settings));
}

}  // namespace qel
