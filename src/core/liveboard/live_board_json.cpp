#include "core/liveboard/live_board_json.h"

#include <cstdio>

#include "core/io/json_writer.h"

namespace qel {

namespace {

void writeRows(JsonWriter& out, const std::vector<LiveBoardRow>& rows) {
    out.beginArray();
    for (const LiveBoardRow& row : rows) {
        out.beginObject()
            .key("position")
            .number(row.position)
            .key("lane")
            .number(row.lane)
            .key("color")
            .string(liveBoardColor(row.color))
            .key("racer")
            .string(row.racer)
            .key("laps")
            .string(row.laps)
            .key("lastLap")
            .string(row.lastLap)
            .key("gap")
            .string(row.gap)
            .key("best")
            .string(row.best)
            .endObject();
    }
    out.endArray();
}

void writeHeat(JsonWriter& out, const LiveBoardHeat& heat) {
    out.beginObject().key("number").number(heat.number).key("count").number(heat.count);
    out.key("next");
    if (heat.nextNumber) {
        out.beginObject().key("number").number(*heat.nextNumber).key("racers").beginArray();
        for (const LiveBoardLaneRacer& racer : heat.nextRacers)
            out.beginObject()
                .key("lane")
                .number(racer.lane)
                .key("racer")
                .string(racer.racer)
                .endObject();
        out.endArray().endObject();
    } else {
        out.null();
    }
    out.key("results").beginArray();
    for (const LiveBoardStanding& standing : heat.results) {
        out.beginObject()
            .key("place")
            .number(standing.place)
            .key("racer")
            .string(standing.racer)
            .key("laps")
            .number(standing.laps)
            .key("points")
            .number(standing.points)
            .endObject();
    }
    out.endArray().endObject();
}

}  // namespace

std::string liveBoardColor(int32_t color) {
    const auto channel = [&](int shift) { return (static_cast<uint32_t>(color) >> shift) & 0xFF; };
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", channel(0), channel(8), channel(16));
    return text;
}

std::string liveBoardJson(const LiveBoardSnapshot& s) {
    JsonWriter out;
    out.beginObject()
        .key("version")
        .number(kLiveBoardJsonVersion)
        .key("track")
        .string(s.track)
        .key("title")
        .string(s.title)
        .key("clock")
        .string(s.clock)
        .key("flag")
        .string(s.flag)
        .key("banner")
        .string(s.banner)
        .key("state")
        .string(s.state);
    out.key("columns")
        .beginObject()
        .key("laps")
        .string(s.lapsColumn)
        .key("lastLap")
        .string(s.lastLapColumn)
        .key("gap")
        .string(s.gapColumn)
        .key("best")
        .string(s.bestColumn)
        .endObject();
    out.key("rows");
    writeRows(out, s.rows);
    out.key("heat");
    if (s.heat) {
        writeHeat(out, *s.heat);
    } else {
        out.null();
    }
    out.endObject();
    return out.text();
}

}  // namespace qel
