#include "core/liveboard/live_board_routes.h"

namespace qel {

LiveBoardRoute routeLiveBoardRequest(std::string_view method, std::string_view path) {
    LiveBoardRoute route;
    const bool reading = method == "GET" || method == "HEAD";
    route.withBody = method != "HEAD";

    LiveBoardAnswer found = LiveBoardAnswer::NotFound;
    for (const LiveBoardFile& file : kLiveBoardFiles) {
        if (file.path == path) {
            found = LiveBoardAnswer::File;
            route.file = &file;
        }
    }
    if (path == kLiveBoardRacePath) found = LiveBoardAnswer::Race;
    if (path == kLiveBoardViewerPath) found = LiveBoardAnswer::UpgradeRequired;

    if (found == LiveBoardAnswer::NotFound) {
        route.file = nullptr;
        return route;
    }
    if (!reading) {
        route.answer = LiveBoardAnswer::MethodNotAllowed;
        route.status = 405;
        route.file = nullptr;
        return route;
    }
    route.answer = found;
    route.status = found == LiveBoardAnswer::UpgradeRequired ? 426 : 200;
    return route;
}

}  // namespace qel
