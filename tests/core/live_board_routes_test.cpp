// What the live board answers to each request: the page, its files, the race
// and the viewers' socket exist, only to be read; nothing else does.
#include "core/liveboard/live_board_routes.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

TEST(LiveBoardRoutes, OnlyThePageItsFilesTheRaceAndTheViewersExist) {
    struct Case {
        const char* method;
        const char* path;
        LiveBoardAnswer answer;
        int status;
        const char* file;
        bool withBody;
    };
    using A = LiveBoardAnswer;
    const Case cases[] = {
        {"GET", "/", A::File, 200, "index.html", true},
        {"HEAD", "/", A::File, 200, "index.html", false},
        {"GET", "/overlay", A::File, 200, "overlay.html", true},
        {"GET", "/live-board.css", A::File, 200, "live-board.css", true},
        {"GET", "/live-board.js", A::File, 200, "live-board.js", true},
        {"GET", "/api/race", A::Race, 200, nullptr, true},
        {"HEAD", "/api/race", A::Race, 200, nullptr, false},
        {"GET", "/live", A::UpgradeRequired, 426, nullptr, true},
        {"POST", "/api/race", A::MethodNotAllowed, 405, nullptr, true},
        {"PUT", "/", A::MethodNotAllowed, 405, nullptr, true},
        {"DELETE", "/live", A::MethodNotAllowed, 405, nullptr, true},
        {"get", "/", A::MethodNotAllowed, 405, nullptr, true},
        {"", "/", A::MethodNotAllowed, 405, nullptr, true},
        {"GET", "", A::NotFound, 404, nullptr, true},
        {"GET", "/index.html", A::NotFound, 404, nullptr, true},
        {"GET", "/overlay/", A::NotFound, 404, nullptr, true},
        {"GET", "/api/race/", A::NotFound, 404, nullptr, true},
        {"GET", "/API/RACE", A::NotFound, 404, nullptr, true},
        {"GET", "/../QelDat/QelPsd.dat", A::NotFound, 404, nullptr, true},
        {"POST", "/anything", A::NotFound, 404, nullptr, true},
        {"HEAD", "/nothing", A::NotFound, 404, nullptr, false},
    };
    for (const Case& c : cases) {
        const LiveBoardRoute route = routeLiveBoardRequest(c.method, c.path);
        EXPECT_EQ(route.answer, c.answer) << c.method << " " << c.path;
        EXPECT_EQ(route.status, c.status) << c.method << " " << c.path;
        EXPECT_EQ(route.withBody, c.withBody) << c.method << " " << c.path;
        if (c.file) {
            ASSERT_NE(route.file, nullptr) << c.path;
            EXPECT_EQ(route.file->name, c.file);
        } else {
            EXPECT_EQ(route.file, nullptr) << c.method << " " << c.path;
        }
    }
}

}  // namespace
}  // namespace qel
