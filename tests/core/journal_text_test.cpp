#include "core/journal/journal_text.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

TEST(JournalText, NamesWhereTheJournalIsAndHowBig) {
    const struct {
        std::optional<std::uintmax_t> bytes;
        const char* size;
    } cases[] = {
        {std::nullopt, "no race kept yet"}, {4096, "4 kB"}, {1536 * 1024, "1.5 MB"}, {0, "0 kB"}};
    for (const auto& c : cases) {
        EXPECT_EQ(journalAboutText("/club/Stats/RaceJournal.sqlite", c.bytes),
                  std::string("Race journal: /club/Stats/RaceJournal.sqlite (") + c.size + ")");
    }
}

}  // namespace
}  // namespace qel
