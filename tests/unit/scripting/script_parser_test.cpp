#include "platform/scripted/key_names.h"
#include "platform/scripted/script_parser.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace vm {
namespace {

using Kind = Statement::Kind;

QList<Statement> parse(const char* script)
{
    return ScriptParser::parse(QByteArray(script));
}

QStringList errors(const QList<Statement>& statements)
{
    QStringList found;
    for (const Statement& statement : statements)
        if (statement.kind == Kind::Error)
            found.append(QString::number(statement.line) + QLatin1Char(':') + statement.args.value(0));
    return found;
}

TEST(ScriptParser, ReadsEveryStatementWithItsLineNumber)
{
    const QList<Statement> statements = parse("# a comment\n"
                                              "\n"
                                              "canvas \"datatosave\" \"true\"   # trailing comment\r\n"
                                              "bitmap \"base64\" \"\"\n"
                                              "  menu \"mnuSave\"\n"
                                              "key \"Ctrl+S\"\n"
                                              "answer yesnocancel \"cancel\"\n"
                                              "answer savefile \"/tmp/a b.vmp\"\n"
                                              "close\n"
                                              "wait 250\n"
                                              "dump menu\n"
                                              "dump state\n"
                                              "wait ready\n"
                                              "wait idle\n"
                                              "click \"frmSaveLogo\" \"imgSave\"\n"
                                              "gallery \"Food and Drink\" \"Coffee House\"\n"
                                              "gallery cancel");
    ASSERT_EQ(statements.size(), 15) << errors(statements).join(QLatin1Char('\n')).toStdString();
    const QList<Kind> kinds = {Kind::Canvas, Kind::Bitmap, Kind::Menu,  Kind::Key,     Kind::Answer,
                               Kind::Answer, Kind::Close,  Kind::Wait,  Kind::DumpMenu, Kind::DumpState,
                               Kind::Wait,   Kind::Wait,   Kind::Click, Kind::Gallery, Kind::Gallery};
    for (qsizetype index = 0; index < kinds.size(); ++index) {
        EXPECT_EQ(statements[index].kind, kinds[index]) << index;
        EXPECT_EQ(statements[index].line, index + 3) << index;
    }
    EXPECT_EQ(statements[0].args, QStringList({"datatosave", "true"}));
    EXPECT_EQ(statements[1].args, QStringList({"base64", ""}));
    EXPECT_EQ(statements[5].args, QStringList({"savefile", "/tmp/a b.vmp"}));
    EXPECT_EQ(statements[7].args, QStringList({"250"}));
    EXPECT_EQ(statements[10].args, QStringList({"ready"}));
    EXPECT_EQ(statements[11].args, QStringList({"idle"}));
    EXPECT_EQ(statements[12].args, QStringList({"frmSaveLogo", "imgSave"}));
    EXPECT_EQ(statements[13].args, QStringList({"Food and Drink", "Coffee House"}));
    EXPECT_TRUE(statements[14].args.isEmpty());
}

TEST(ScriptParser, StringsCarryEscapesHashesAndUtf8)
{
    const QList<Statement> statements =
        parse("canvas \"say\" \"a\\\\b \\\"q\\\" \\n\\r\\t # not a comment\"\n"
              "canvas \"name\" \"Logo \xC3\xA6\xC3\xB8\xC3\xA5 \xE2\x82\xAC\"\n");
    ASSERT_EQ(statements.size(), 2);
    EXPECT_EQ(statements[0].args.value(1), QStringLiteral("a\\b \"q\" \n\r\t # not a comment"));
    EXPECT_EQ(statements[1].args.value(1), QStringLiteral("Logo æøå €"));
}

TEST(ScriptParser, ReportsEachMalformedLineAndKeepsTheRest)
{
    const QList<Statement> statements = parse("canvas \"open\n"                 // 1 unterminated
                                              "canvas \"a\" \"b\\q\"\n"         // 2 unknown escape
                                              "jump \"x\"\n"                    // 3 unknown statement
                                              "menu\n"                          // 4 missing key
                                              "menu mnuSave\n"                  // 5 key not quoted
                                              "canvas \"a\"\"b\"\n"             // 6 strings run together
                                              "wait -1\n"                       // 7
                                              "wait 1e3\n"                      // 8
                                              "wait 99999999999\n"              // 9
                                              "answer yesno \"maybe\"\n"        // 10
                                              "answer later \"yes\"\n"          // 11
                                              "key \"Hyper+Q\"\n"               // 12
                                              "dump windows\n"                  // 13
                                              "close now\n"                     // 14
                                              "\"menu\" \"mnuSave\"\n"          // 15 statement name quoted
                                              "wait soon\n"                     // 16
                                              "click frmSaveLogo\n"             // 17 form not quoted
                                              "gallery \"cancel\"\n"            // 18 a category without a name
                                              "gallery leave\n"                 // 19
                                              "gallery \"Sport\"\n"             // 20
                                              "menu \"mnuExit\"\n");            // 21 fine
    const QStringList found = errors(statements);
    ASSERT_EQ(found.size(), 20) << found.join(QLatin1Char('\n')).toStdString();
    for (int index = 0; index < 20; ++index)
        EXPECT_TRUE(found[index].startsWith(QString::number(index + 1) + QLatin1Char(':'))) << found[index].toStdString();
    EXPECT_TRUE(found[0].contains(QLatin1String("unterminated")));
    EXPECT_TRUE(found[1].contains(QLatin1String("\\q")));
    EXPECT_EQ(statements.last().kind, Kind::Menu);
    EXPECT_EQ(statements.last().line, 21);
}

TEST(ScriptParser, SurvivesGarbage)
{
    // NUL bytes, invalid UTF-8, a lone quote, a byte-order mark on the first line.
    static const char junkBytes[] = "\xEF\xBB\xBFmenu \"a\"\n\0\0\0\nmenu \"\0x\"\n\xFF\xFE\xC3\n\"\n\\\n#\n";
    const QByteArray junk(junkBytes, sizeof junkBytes - 1);
    const QList<Statement> statements = ScriptParser::parse(junk);
    ASSERT_FALSE(statements.isEmpty());
    EXPECT_EQ(statements.first().kind, Kind::Menu);
    EXPECT_EQ(statements[2].kind, Kind::Menu);
    EXPECT_EQ(statements[2].args.value(0), QString(QChar(0)) + QLatin1Char('x'));

    // Random binary: every line is accounted for, none crashes.
    QRandomGenerator random(42);
    QByteArray binary(200000, '\0');
    for (char& byte : binary)
        byte = char(random.bounded(256));
    for (const Statement& statement : ScriptParser::parse(binary))
        EXPECT_GT(statement.line, 0);

    // A 10 MB line, quoted and bare: reported briefly, quickly.
    for (const QByteArray& prefix : {QByteArray("canvas \"x\" \""), QByteArray("menu ")}) {
        const QByteArray huge = prefix + QByteArray(10 * 1024 * 1024, 'z') + "\nclose\n";
        const QList<Statement> result = ScriptParser::parse(huge);
        ASSERT_EQ(result.size(), 2);
        EXPECT_EQ(result[0].kind, Kind::Error);
        EXPECT_LT(result[0].args.value(0).size(), 200);
        EXPECT_EQ(result[1].kind, Kind::Close);
        EXPECT_EQ(result[1].line, 2);
    }
    EXPECT_FALSE(ScriptParser::parseFile(QStringLiteral("/nonexistent/script.vms")).has_value());
}

TEST(ScriptParser, TheShippedDemoReadsCleanly)
{
    const auto demo = ScriptParser::parseFile(QStringLiteral(VM_SOURCE_DIR "/data/demo.vmscript"));
    ASSERT_TRUE(demo.has_value());
    EXPECT_FALSE(demo->isEmpty());
    EXPECT_TRUE(errors(*demo).isEmpty()) << errors(*demo).join(QLatin1Char('\n')).toStdString();
}

TEST(KeyNames, ReadsModifiersAndKeys)
{
    const QList<QPair<const char*, KeyChord>> good = {
        {"Ctrl+S", {2, 83}}, {"ctrl+s", {2, 83}}, {"Shift+1", {1, 49}}, {"Delete", {0, 46}},      {"F1", {0, 112}},
        {"F12", {0, 123}},   {"F", {0, 70}},      {"7", {0, 55}},       {"Ctrl+Shift+X", {3, 88}},
    };
    for (const auto& [name, chord] : good)
        EXPECT_EQ(parseKeyName(QString::fromUtf8(name)), chord) << name;
    for (const char* bad : {"", "Ctrl+", "+S", "Ctrl+Ctrl+S", "Alt+S", "F0", "F25", "F01", "SS", "Ctrl+æ", "Ctrl S"})
        EXPECT_FALSE(parseKeyName(QString::fromUtf8(bad)).has_value()) << bad;
}

} // namespace
} // namespace vm
