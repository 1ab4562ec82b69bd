#include "platform/scripted/script_parser.h"

#include "platform/scripted/answer_queue.h"
#include "platform/scripted/key_names.h"

#include "platform/api/bounded_file.h"
#include "platform/api/file_limits.h"

namespace vm {

namespace {
struct Token {
    bool quoted = false;
    QString text;
};

struct ParseFailure {
    QString message;
};

// Error messages quote what they complain about, cut short: a line may be megabytes.
QString shown(const QString& text)
{
    constexpr int longest = 40;
    if (text.size() <= longest)
        return text;
    return text.left(longest) + QStringLiteral("...");
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\f')
           || c == QLatin1Char('\v');
}

QList<Token> tokenize(const QString& line)
{
    QList<Token> tokens;
    const qsizetype size = line.size();
    qsizetype at = 0;
    while (at < size) {
        const QChar c = line.at(at);
        if (isBlank(c)) {
            ++at;
            continue;
        }
        if (c == QLatin1Char('#'))
            break;
        Token token;
        if (c == QLatin1Char('"')) {
            token.quoted = true;
            ++at;
            bool closed = false;
            while (at < size) {
                const QChar d = line.at(at++);
                if (d == QLatin1Char('"')) {
                    closed = true;
                    break;
                }
                if (d != QLatin1Char('\\')) {
                    token.text += d;
                    continue;
                }
                if (at >= size)
                    break;
                const QChar escaped = line.at(at++);
                switch (escaped.unicode()) {
                case '\\': token.text += QLatin1Char('\\'); break;
                case '"': token.text += QLatin1Char('"'); break;
                case 'n': token.text += QLatin1Char('\n'); break;
                case 'r': token.text += QLatin1Char('\r'); break;
                case 't': token.text += QLatin1Char('\t'); break;
                default: throw ParseFailure{QStringLiteral("unknown escape \\") + escaped};
                }
            }
            if (!closed)
                throw ParseFailure{QStringLiteral("unterminated string")};
            if (at < size && !isBlank(line.at(at)) && line.at(at) != QLatin1Char('#'))
                throw ParseFailure{QStringLiteral("missing space after string")};
        } else {
            const qsizetype start = at;
            while (at < size && !isBlank(line.at(at)) && line.at(at) != QLatin1Char('"')
                   && line.at(at) != QLatin1Char('#'))
                ++at;
            token.text = line.mid(start, at - start);
        }
        tokens.append(std::move(token));
    }
    return tokens;
}

// Checks the shape of the words after the statement name: 's' a string, 'w' a bare word.
void expect(const QList<Token>& tokens, const char* shape, const QString& usage)
{
    const qsizetype count = qsizetype(qstrlen(shape));
    if (tokens.size() - 1 != count)
        throw ParseFailure{QStringLiteral("expected: ") + usage};
    for (qsizetype index = 0; index < count; ++index)
        if (tokens[index + 1].quoted != (shape[index] == 's'))
            throw ParseFailure{QStringLiteral("expected: ") + usage};
}

Statement statementOf(const QList<Token>& tokens)
{
    using Kind = Statement::Kind;
    Statement statement;
    const Token& head = tokens.first();
    const QString name = head.quoted ? QString() : head.text;
    const auto text = [&](qsizetype index) { return tokens[index].text; };

    if (name == QLatin1String("canvas") || name == QLatin1String("bitmap")) {
        expect(tokens, "ss", name + QStringLiteral(" \"COMMAND\" \"ARGUMENT\""));
        statement.kind = name == QLatin1String("canvas") ? Kind::Canvas : Kind::Bitmap;
        statement.args = {text(1), text(2)};
    } else if (name == QLatin1String("menu")) {
        expect(tokens, "s", QStringLiteral("menu \"KEY\""));
        statement.kind = Kind::Menu;
        statement.args = {text(1)};
    } else if (name == QLatin1String("key")) {
        expect(tokens, "s", QStringLiteral("key \"KEYNAME\""));
        if (!parseKeyName(text(1)))
            throw ParseFailure{QStringLiteral("unknown key name ") + shown(text(1))};
        statement.kind = Kind::Key;
        statement.args = {text(1)};
    } else if (name == QLatin1String("answer")) {
        expect(tokens, "ws", QStringLiteral("answer KIND \"VALUE\""));
        const std::optional<AnswerQueue::Kind> kind = AnswerQueue::kindFromName(text(1));
        if (!kind)
            throw ParseFailure{QStringLiteral("unknown answer kind ") + shown(text(1))};
        if (!AnswerQueue::isValidAnswer(*kind, text(2)))
            throw ParseFailure{QStringLiteral("not an answer to ") + text(1) + QStringLiteral(": ") + shown(text(2))};
        statement.kind = Kind::Answer;
        statement.args = {text(1), text(2)};
    } else if (name == QLatin1String("click")) {
        expect(tokens, "ss", QStringLiteral("click \"FORM\" \"CONTROL\""));
        statement.kind = Kind::Click;
        statement.args = {text(1), text(2)};
    } else if (name == QLatin1String("gallery")) {
        // The user picks a design in the canvas's template gallery, or leaves it.
        const QString usage = QStringLiteral("gallery \"CATEGORY\" \"NAME\" or gallery cancel");
        statement.kind = Kind::Gallery;
        if (tokens.size() == 2 && !tokens[1].quoted && text(1) == QLatin1String("cancel"))
            return statement;
        expect(tokens, "ss", usage);
        statement.args = {text(1), text(2)};
    } else if (name == QLatin1String("close")) {
        expect(tokens, "", QStringLiteral("close"));
        statement.kind = Kind::Close;
    } else if (name == QLatin1String("wait")) {
        expect(tokens, "w", QStringLiteral("wait MILLISECONDS|ready|idle"));
        if (text(1) == QLatin1String("ready") || text(1) == QLatin1String("idle")) {
            statement.kind = Kind::Wait;
            statement.args = {text(1)};
            return statement;
        }
        bool ok = false;
        const int milliseconds = text(1).toInt(&ok);
        if (!ok || milliseconds < 0 || milliseconds > ScriptParser::longestWait)
            throw ParseFailure{QStringLiteral("wait needs 0 to ") + QString::number(ScriptParser::longestWait)
                               + QStringLiteral(" milliseconds, not ") + shown(text(1))};
        statement.kind = Kind::Wait;
        statement.args = {QString::number(milliseconds)};
    } else if (name == QLatin1String("dump")) {
        expect(tokens, "w", QStringLiteral("dump menu|state"));
        if (text(1) == QLatin1String("menu"))
            statement.kind = Kind::DumpMenu;
        else if (text(1) == QLatin1String("state"))
            statement.kind = Kind::DumpState;
        else
            throw ParseFailure{QStringLiteral("expected: dump menu|state")};
    } else {
        throw ParseFailure{QStringLiteral("unknown statement ") + shown(head.text)};
    }
    return statement;
}
} // namespace

std::optional<Statement> ScriptParser::parseLine(const QString& line, int lineNumber)
{
    Statement statement;
    try {
        const QList<Token> tokens = tokenize(line);
        if (tokens.isEmpty())
            return std::nullopt;
        statement = statementOf(tokens);
    } catch (const ParseFailure& failure) {
        statement.kind = Statement::Kind::Error;
        statement.args = {failure.message};
    }
    statement.line = lineNumber;
    return statement;
}

QList<Statement> ScriptParser::parse(const QByteArray& script)
{
    QList<Statement> statements;
    int lineNumber = 0;
    qsizetype start = script.startsWith("\xEF\xBB\xBF") ? 3 : 0; // a byte-order mark is no statement
    while (start < script.size()) {
        qsizetype end = script.indexOf('\n', start);
        if (end < 0)
            end = script.size();
        ++lineNumber;
        // Invalid UTF-8 becomes replacement characters: still a line to report, never a crash.
        const QString line = QString::fromUtf8(script.constData() + start, end - start);
        start = end + 1;
        if (std::optional<Statement> statement = parseLine(line, lineNumber))
            statements.append(std::move(*statement));
    }
    return statements;
}

std::optional<QList<Statement>> ScriptParser::parseFile(const QString& path, QString* why)
{
    const BoundedRead file = readBoundedFile(path, file_limits::script);
    if (!file.ok()) {
        if (why)
            *why = file.reason;
        return std::nullopt;
    }
    return parse(file.bytes);
}

} // namespace vm
