#include "core/io/fields.h"

#include <gtest/gtest.h>

#include <string>

#include "core/io/errors.h"
#include "core/io/text_file.h"
#include "support/error_of.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

using test::errorOf;

TEST(FieldWriter, OneStatementPerLineInTheFilesOwnSpelling) {
    FieldWriter writer;
    writer.writeString("Blue Lane").writeInteger(-1).writeSingle(25.3f).writeSingle(0.5f).endLine();
    writer.writeBoolean(true).writeBoolean(false).writeDouble(-0.25).writeInteger(0).endLine();
    writer.writeString("").endLine();
    writer.writeString("Café Noël").writeSingle(30.0f);  // left open: text() closes it
    EXPECT_EQ(writer.text(),
              "\"Blue Lane\",-1,25.3,.5\r\n"
              "#TRUE#,#FALSE#,-.25,0\r\n"
              "\"\"\r\n"
              "\"Café Noël\",30\r\n");
}

TEST(FieldWriter, AQuoteOrLineBreakInAStringCannotBreakTheFile) {
    FieldWriter writer;
    writer.writeString("Dave \"Flash\" Smith").writeString("two\r\nlines").writeInteger(7);
    EXPECT_EQ(writer.text(), "\"Dave 'Flash' Smith\",\"two  lines\",7\r\n");
    FieldReader reader(writer.text());
    EXPECT_EQ(reader.readString(), "Dave 'Flash' Smith");
    EXPECT_EQ(reader.readString(), "two  lines");
    EXPECT_EQ(reader.readInteger(), 7);
    EXPECT_TRUE(reader.atEnd());
}

TEST(FieldReader, ReadsBackWhatTheWriterWrote) {
    FieldWriter writer;
    writer.writeString("Track, the long one").writeInteger(32767).writeInteger(-2147483647 - 1);
    writer.endLine();
    writer.writeSingle(654.54545f).writeDouble(1.0 / 3.0).writeBoolean(true).writeBoolean(false);
    FieldReader reader(writer.text());
    EXPECT_EQ(reader.readString(), "Track, the long one");
    EXPECT_EQ(reader.readInteger(), 32767);
    EXPECT_EQ(reader.readLong(), -2147483647 - 1);
    EXPECT_EQ(reader.readSingle(), 654.54545f);
    EXPECT_EQ(reader.readDouble(), 0.333333333333333);  // 15 digits, as written
    EXPECT_TRUE(reader.readBoolean());
    EXPECT_FALSE(reader.readBoolean());
    EXPECT_TRUE(reader.atEnd());
}

TEST(FieldReader, TakesFieldsAsTheyAreFoundInHandEditedFiles) {
    // Blanks around fields, LF or CR line ends, unquoted strings, text after a
    // closing quote, a missing closing quote, an empty field and a last line
    // without its line end.
    FieldReader reader(
        "  \"Lane 1\"  ,  12 , 0.5,.75\n"
        "Unquoted name  ,\"quoted\" junk,-1\r"
        "\"no closing quote\r\n"
        ",#TRUE#\r\n"
        "3");
    EXPECT_EQ(reader.readString(), "Lane 1");
    EXPECT_EQ(reader.readInteger(), 12);
    EXPECT_EQ(reader.readSingle(), 0.5f);
    EXPECT_EQ(reader.readSingle(), 0.75f);
    EXPECT_EQ(reader.readString(), "Unquoted name");
    EXPECT_EQ(reader.readString(), "quoted");
    EXPECT_TRUE(reader.readBoolean());  // -1 is the platform's true
    EXPECT_EQ(reader.readString(), "no closing quote");
    EXPECT_EQ(reader.readString(), "");
    EXPECT_TRUE(reader.readBoolean());
    EXPECT_FALSE(reader.atEnd());
    EXPECT_EQ(reader.readInteger(), 3);
    EXPECT_TRUE(reader.atEnd());
}

TEST(FieldReader, WholeNumbersRoundAsThePlatformDoes) {
    FieldReader reader("2.5,3.5,-0.5,1E+02");
    EXPECT_EQ(reader.readInteger(), 2);
    EXPECT_EQ(reader.readInteger(), 4);
    EXPECT_EQ(reader.readInteger(), 0);
    EXPECT_EQ(reader.readLong(), 100);
}

TEST(FieldReader, DamageIsReportedWithTheFileAndLine) {
    struct Case {
        const char* text;
        void (*read)(FieldReader&);
        const char* message;
    };
    const Case cases[] = {
        {"", [](FieldReader& r) { r.readString(); }, "Input past end of file in QelDat/Test.dat"},
        {"1\r\n",
         [](FieldReader& r) {
             r.readInteger();
             r.readInteger();
         },
         "Input past end of file"},
        {"1,\r\n",
         [](FieldReader& r) {
             r.readInteger();
             r.readInteger();
         },
         "Expected a whole number, found \"\""},
        {"1\r\n12x",
         [](FieldReader& r) {
             r.readInteger();
             r.readInteger();
         },
         "Expected a whole number, found \"12x\" in QelDat/Test.dat (line 2)"},
        {"\"5\"", [](FieldReader& r) { r.readInteger(); }, "Expected a whole number, found \"5\""},
        {"", [](FieldReader& r) { r.readLine(); }, "Input past end of file"},
        {"40000", [](FieldReader& r) { r.readInteger(); }, "Number out of range"},
        {"1e39", [](FieldReader& r) { r.readSingle(); }, "Number out of range"},
        {"#MAYBE#", [](FieldReader& r) { r.readBoolean(); }, "Expected #TRUE# or #FALSE#"},
        {"\"yes\"", [](FieldReader& r) { r.readBoolean(); }, "Expected #TRUE# or #FALSE#"},
    };
    for (const auto& c : cases) {
        FieldReader reader(c.text, "QelDat/Test.dat");
        const std::string message = errorOf([&] { c.read(reader); });
        EXPECT_NE(message.find(c.message), std::string::npos)
            << '"' << c.text << "\" gave: " << message;
    }
}

TEST(FieldReader, AFieldBeyondItsBoundIsDamage) {
    const std::string longField(FieldReader::kMaxFieldLength + 1, 'x');
    for (const std::string& text : {"\"" + longField + "\"", longField}) {
        FieldReader reader(text);
        EXPECT_THROW(reader.readString(), QelError);
    }
    FieldReader lines(longField);
    EXPECT_THROW(lines.readLine(), QelError);
    FieldReader justFits(std::string(FieldReader::kMaxFieldLength, 'y'));
    EXPECT_EQ(justFits.readString().size(), FieldReader::kMaxFieldLength);
}

TEST(FieldReader, ReadLineTakesTheRestOfTheLine) {
    FieldReader reader("7,\"a, b\" tail\r\nsecond\nthird");
    EXPECT_EQ(reader.readInteger(), 7);
    EXPECT_EQ(reader.readLine(), "\"a, b\" tail");
    EXPECT_EQ(reader.readLine(), "second");
    EXPECT_EQ(reader.readLine(), "third");
    EXPECT_TRUE(reader.atEnd());
}

TEST(FieldFile, RoundTripsThroughTheCodePageAndNamesTheFileWhenDamaged) {
    const test::TempFolder folder;
    const auto path = folder.path() / "QelDat" / "QeRacers.dat";
    FieldWriter writer;
    writer.writeString("José").endLine().writeString("€uro Racer").endLine();
    writeFieldFile(path, writer);
    EXPECT_EQ(readBinaryFile(path), "\"Jos\xE9\"\r\n\"\x80uro Racer\"\r\n");
    FieldReader reader = readFieldFile(path);
    EXPECT_EQ(reader.readString(), "José");
    EXPECT_EQ(reader.readString(), "€uro Racer");
    EXPECT_NE(errorOf([&] { reader.readString(); }).find("QelDat/QeRacers.dat"), std::string::npos);
    EXPECT_NE(errorOf([&] {
                  readFieldFile(folder.path() / "QelDat" / "Missing.dat");
              }).find("QelDat/Missing.dat"),
              std::string::npos);
}

}  // namespace
}  // namespace qel
