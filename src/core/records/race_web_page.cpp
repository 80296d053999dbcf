#include "core/records/race_web_page.h"

#include <algorithm>
#include <cstdio>

namespace qel {

namespace {

std::string cssColour(GridColor color) {
    const GridColor rgb = resolveGridColor(color);
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", redOf(rgb), greenOf(rgb), blueOf(rgb));
    return text;
}

void appendTable(std::string& page, const char* id, const GridModel& grid, int rows) {
    rows = std::clamp(rows, 0, grid.rows());
    page += "<table id=\"";
    page += id;
    page += "\">\n";
    for (int r = 0; r < rows; ++r) {
        page += "<tr>";
        for (int c = 0; c < grid.cols(); ++c) {
            const bool header = r < grid.fixedRows() || c < grid.fixedCols();
            const char* tag = header ? "th" : "td";
            page += '<';
            page += tag;
            const GridColor back = grid.cellBackColor(r, c);
            const GridColor fore = grid.cellForeColor(r, c);
            if (back != 0 || fore != 0) {
                page += " style=\"";
                if (back != 0) page += "background:" + cssColour(back) + ";";
                if (fore != 0) page += "color:" + cssColour(fore) + ";";
                page += '"';
            }
            page += '>';
            page += htmlEscaped(grid.textMatrix(r, c));
            page += "</";
            page += tag;
            page += '>';
        }
        page += "</tr>\n";
    }
    page += "</table>\n";
}

}  // namespace

std::string htmlEscaped(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string raceWebPage(const std::string& title, const GridModel& summary, int summaryRows,
                        const GridModel& laps, int lapRows) {
    const std::string shownTitle = htmlEscaped(title);
    std::string page = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" +
                       shownTitle +
                       "</title>\n<style>\n"
                       "body{font-family:sans-serif;margin:1em}\n"
                       "table{border-collapse:collapse;margin-bottom:1.5em}\n"
                       "th,td{border:1px solid #999;padding:2px 8px;text-align:center}\n"
                       "th{background:#f0f0f0}\n"
                       "</style>\n</head>\n<body>\n<h1>" +
                       shownTitle + "</h1>\n<h2>Summary</h2>\n";
    appendTable(page, "summary", summary, summaryRows);
    page += "<h2>Lap Times</h2>\n";
    appendTable(page, "laps", laps, lapRows);
    page += "</body>\n</html>\n";
    return page;
}

}  // namespace qel
