#include "StringsTable.h"

#include <QFile>

namespace {

class Parser {
public:
    explicit Parser(QStringView text) : text_(text) {}

    std::optional<StringsTable> parse(StringsParseError* error) {
        StringsTable table;
        while (skipSpaceAndComments()) {
            auto key = quoted();
            if (!key)
                return fail(error);
            if (!skipSpaceAndComments() || text_[pos_] != u'=')
                return fail(error, "expected '=' after the key");
            ++pos_;
            if (!skipSpaceAndComments())
                return fail(error, "expected a value");
            auto value = quoted();
            if (!value)
                return fail(error);
            if (!skipSpaceAndComments() || text_[pos_] != u';')
                return fail(error, "expected ';' after the value");
            ++pos_;
            table.insert(*key, *value);
        }
        if (!message_.isEmpty())
            return fail(error);
        return table;
    }

private:
    std::nullopt_t fail(StringsParseError* error, const char* message = nullptr) {
        if (message)
            message_ = QString::fromUtf8(message);
        if (error)
            *error = {line_, message_};
        return std::nullopt;
    }

    void advance() {
        if (text_[pos_] == u'\n')
            ++line_;
        ++pos_;
    }

    // Skips blanks and comments; false at the end of the text (or in an unclosed comment).
    bool skipSpaceAndComments() {
        while (pos_ < text_.size()) {
            const QChar c = text_[pos_];
            if (c.isSpace() || c == QChar(0xFEFF)) {
                advance();
            } else if (c == u'/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == u'/') {
                while (pos_ < text_.size() && text_[pos_] != u'\n')
                    ++pos_;
            } else if (c == u'/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == u'*') {
                const int startLine = line_;
                pos_ += 2;
                while (pos_ + 1 < text_.size() && !(text_[pos_] == u'*' && text_[pos_ + 1] == u'/'))
                    advance();
                if (pos_ + 1 >= text_.size()) {
                    line_ = startLine;
                    message_ = "unclosed comment";
                    pos_ = text_.size();
                    return false;
                }
                pos_ += 2;
            } else {
                return true;
            }
        }
        return false;
    }

    std::optional<QString> quoted() {
        if (text_[pos_] != u'"') {
            message_ = "expected a quoted string";
            return std::nullopt;
        }
        const int startLine = line_;
        ++pos_;
        QString out;
        while (pos_ < text_.size()) {
            const QChar c = text_[pos_];
            if (c == u'"') {
                ++pos_;
                return out;
            }
            if (c != u'\\') {
                out.append(c);
                advance();
                continue;
            }
            ++pos_;
            if (pos_ >= text_.size())
                break;
            const QChar e = text_[pos_];
            if (e == u'u' || e == u'U') {
                bool ok = false;
                const uint code = text_.mid(pos_ + 1, 4).toUInt(&ok, 16);
                if (!ok || pos_ + 5 > text_.size()) {
                    message_ = "bad \\u escape";
                    return std::nullopt;
                }
                out.append(QChar(char16_t(code)));
                pos_ += 5;
                continue;
            }
            switch (e.unicode()) {
            case u'n':
                out.append(u'\n');
                break;
            case u't':
                out.append(u'\t');
                break;
            case u'r':
                out.append(u'\r');
                break;
            default:
                out.append(e); // \" \' \\ and any other escaped character stand for themselves
                break;
            }
            advance();
        }
        line_ = startLine;
        message_ = "unterminated string";
        return std::nullopt;
    }

    QStringView text_;
    qsizetype pos_ = 0;
    int line_ = 1;
    QString message_;
};

} // namespace

std::optional<StringsTable> parseStringsTable(QStringView text, StringsParseError* error) {
    return Parser(text).parse(error);
}

std::optional<StringsTable> readStringsTable(const QString& path, StringsParseError* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = {0, file.errorString()};
        return std::nullopt;
    }
    return parseStringsTable(QString::fromUtf8(file.readAll()), error);
}
