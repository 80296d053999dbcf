#pragma once
// What the live board answers to a request: its page (and the overlay for a
// video stream), the page's style and script, the race as JSON, and the
// viewers' socket. Nothing else exists, and no request changes anything, so
// only reading is allowed.
#include <array>
#include <string_view>

namespace qel {

inline constexpr std::string_view kLiveBoardViewerPath = "/live";
inline constexpr std::string_view kLiveBoardRacePath = "/api/race";

// A file of the page, shipped with the program.
struct LiveBoardFile {
    std::string_view path;
    std::string_view name;
    std::string_view contentType;
};

inline constexpr std::array<LiveBoardFile, 4> kLiveBoardFiles{{
    {"/", "index.html", "text/html; charset=utf-8"},
    {"/overlay", "overlay.html", "text/html; charset=utf-8"},
    {"/live-board.css", "live-board.css", "text/css; charset=utf-8"},
    {"/live-board.js", "live-board.js", "text/javascript; charset=utf-8"},
}};

enum class LiveBoardAnswer {
    File,              // 200 with the file
    Race,              // 200 with the race's JSON
    UpgradeRequired,   // 426: the viewers' path takes only a WebSocket
    MethodNotAllowed,  // 405: a path that exists, asked for anything but reading
    NotFound,          // 404
};

struct LiveBoardRoute {
    LiveBoardAnswer answer = LiveBoardAnswer::NotFound;
    int status = 404;
    const LiveBoardFile* file = nullptr;  // for File
    bool withBody = true;                 // false for HEAD
};

// method as the request line has it ("GET"), path without the query.
LiveBoardRoute routeLiveBoardRequest(std::string_view method, std::string_view path);

}  // namespace qel
