#include "core/io/print_convention.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

TEST(PrintConvention, NumbersStandBetweenBlanksWithTheMinusInTheLeadingOne) {
    struct Case {
        std::string printed;
        const char* expected;
    };
    const Case cases[] = {{printedInteger(12), " 12 "},     {printedInteger(-3), "-3 "},
                          {printedInteger(0), " 0 "},       {printedSingle(0.5f), " .5 "},
                          {printedSingle(-0.25f), "-.25 "}, {printedSingle(25.3f), " 25.3 "},
                          {printedDouble(1.5), " 1.5 "},    {printedDouble(-75.042), "-75.042 "}};
    for (const auto& c : cases)
        EXPECT_EQ(c.printed, c.expected);
}

TEST(PrintConvention, TextGoesOutAsItStands) {
    PrintWriter out;
    out.text("Laps").integer(12).text("Best").single(0.5f).endLine();
    out.text("\"quoted\", kept").number(-2).endLine();
    EXPECT_EQ(out.result(), "Laps 12 Best .5 \r\n\"quoted\", kept-2 \r\n");
}

TEST(PrintConvention, TabPadsToTheColumnOrStartsANewLine) {
    PrintWriter out;
    out.tab(6).text("José").tab(12).text("x").tab(3).text("y").tab(0).text("z");
    EXPECT_EQ(out.result(), "     José  x\r\n  y\r\nz");
}

}  // namespace
}  // namespace qel
