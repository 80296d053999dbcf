#pragma once
// One value of a race journal file, read as the sqlite3 tool reads it: the
// first column of the first row the query gives, as text; "" when the file or
// the row is not there.
#include <sqlite3.h>

#include <filesystem>
#include <string>

namespace qel::test {

inline std::string journalQuery(const std::filesystem::path& file, const std::string& sql) {
    sqlite3* db = nullptr;
    std::string value;
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW) {
            const unsigned char* text = sqlite3_column_text(statement, 0);
            value = text ? reinterpret_cast<const char*>(text) : "";
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return value;
}

}  // namespace qel::test
