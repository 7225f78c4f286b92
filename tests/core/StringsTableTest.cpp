#include "StringsTable.h"

#include <gtest/gtest.h>

namespace {

TEST(StringsTable, ReadsEntriesCommentsAndEscapes) {
    const QString text =
        QString::fromUtf8("\xEF\xBB\xBF/* header\n   comment */\n"
                          "\"plain\" = \"Plain\";\n"
                          "// line comment \"not\" = \"an entry\";\n"
                          "\"spaced\"   =\n   \"over lines\" ;\n"
                          "\"quote\" = \"say \\\"hi\\\" \\\\ done\";\n"
                          "\"controls\" = \"a\\nb\\tc\\rd\";\n"
                          "\"unicode\" = \"\\U00e9\\u4e2d\";\n"
                          "\"Main_Audio_System&Micphone\" = \"系统声音和麦克风\";\n"
                          "\"Set_label_%zd\" = \"50% off\";\n"
                          "\"plain\" = \"Last one wins\";\n");
    StringsParseError error;
    const auto table = parseStringsTable(text, &error);
    ASSERT_TRUE(table) << error.line << " " << error.message.toStdString();
    EXPECT_EQ(table->size(), 7);
    EXPECT_EQ(table->value("plain"), "Last one wins");
    EXPECT_EQ(table->value("spaced"), "over lines");
    EXPECT_EQ(table->value("quote"), "say \"hi\" \\ done");
    EXPECT_EQ(table->value("controls"), "a\nb\tc\rd");
    EXPECT_EQ(table->value("unicode"), QString::fromUtf8("é中"));
    EXPECT_EQ(table->value("Main_Audio_System&Micphone"), QString::fromUtf8("系统声音和麦克风"));
    EXPECT_EQ(table->value("Set_label_%zd"), "50% off");
    EXPECT_FALSE(table->contains("not"));
}

TEST(StringsTable, EmptyAndCommentOnlyTextsAreEmptyTables) {
    for (const char* text : {"", "  \n\t", "/* nothing */ // here"})
        EXPECT_EQ(parseStringsTable(QString::fromUtf8(text)), StringsTable{}) << text;
}

TEST(StringsTable, MalformedTextsAndMissingFilesAreErrors) {
    struct Case {
        const char* text;
        int line;
    };
    const Case cases[] = {
        {"\"a\" = \"b\";\n\"c\" \"d\";", 2},  // missing '='
        {"\"a\" = \"b\"\n\"c\" = \"d\";", 2}, // missing ';' (found the next key)
        {"\"a\" = \"b\";\n\n\"c\" = \"unterminated;\n", 3},
        {"\"a\" = \"b\";\n/* never closed\n\"c\" = \"d\";", 2},
        {"key = \"bare key\";", 1},
        {"\"a\" = \"\\u12\";", 1},
        {"\"a\" =", 1},
    };
    for (const Case& c : cases) {
        StringsParseError error;
        EXPECT_FALSE(parseStringsTable(QString::fromUtf8(c.text), &error)) << c.text;
        EXPECT_EQ(error.line, c.line) << c.text;
        EXPECT_FALSE(error.message.isEmpty()) << c.text;
    }
    StringsParseError error;
    EXPECT_FALSE(readStringsTable("/nonexistent/Localizable.strings", &error));
    EXPECT_FALSE(error.message.isEmpty());
}

} // namespace
