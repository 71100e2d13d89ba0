#include "data/excel/SqlText.h"

#include <vector>

#include "data/excel/ExcelError.h"

namespace {

struct Token {
    enum Kind { End, Word, Name, Text, Null, Symbol } kind = End;
    QString text;
};

bool IsWordChar(QChar c) {
    return c.isLetterOrNumber() || c == '_' || c == '$' || c == '#';
}

std::vector<Token> Lex(const QString& s) {
    std::vector<Token> out;
    qsizetype i = 0;
    while (i < s.size()) {
        const QChar c = s[i];
        if (c.isSpace()) {
            ++i;
        } else if (c == '[') {
            const qsizetype end = s.indexOf(']', i + 1);
            if (end < 0) {
                throw ExcelError("Syntax error: a '[' without its ']'");
            }
            out.push_back({Token::Name, s.mid(i + 1, end - i - 1)});
            i = end + 1;
        } else if (c == '\'') {
            QString text;
            ++i;
            for (;;) {
                if (i >= s.size()) {
                    throw ExcelError("Syntax error: a quoted value without its closing quote");
                }
                if (s[i] == '\'') {
                    if (i + 1 < s.size() && s[i + 1] == '\'') {
                        text += '\'';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                text += s[i++];
            }
            out.push_back({Token::Text, text});
        } else if (IsWordChar(c)) {
            const qsizetype start = i;
            while (i < s.size() && IsWordChar(s[i])) {
                ++i;
            }
            const QString word = s.mid(start, i - start);
            out.push_back(
                {word.compare("NULL", Qt::CaseInsensitive) == 0 ? Token::Null : Token::Word, word});
        } else if (QStringLiteral("(),*;").contains(c)) {
            out.push_back({Token::Symbol, QString(c)});
            ++i;
        } else {
            throw ExcelError(QString("Syntax error near '%1'").arg(s.mid(i, 20)));
        }
    }
    out.push_back({Token::End, {}});
    return out;
}

class Parser {
public:
    explicit Parser(const QString& sql) : m_tokens(Lex(sql)) {}

    SqlStatement Parse() {
        SqlStatement st;
        if (TakeKeyword("CREATE")) {
            st = ParseCreate();
        } else if (TakeKeyword("INSERT")) {
            st = ParseInsert();
        } else if (TakeKeyword("SELECT")) {
            st = ParseSelect();
        } else {
            throw ExcelError("Unsupported statement: only CREATE TABLE, INSERT INTO and SELECT");
        }
        TakeSymbol(';');
        if (Peek().kind != Token::End) {
            throw ExcelError(QString("Syntax error: unexpected '%1'").arg(Peek().text));
        }
        return st;
    }

private:
    const Token& Peek() const { return m_tokens[m_pos]; }
    bool TakeKeyword(const char* word) {
        if (Peek().kind == Token::Word && Peek().text.compare(word, Qt::CaseInsensitive) == 0) {
            ++m_pos;
            return true;
        }
        return false;
    }
    bool TakeSymbol(QChar c) {
        if (Peek().kind == Token::Symbol && Peek().text == c) {
            ++m_pos;
            return true;
        }
        return false;
    }
    void ExpectKeyword(const char* word) {
        if (!TakeKeyword(word)) {
            throw ExcelError(QString("Syntax error: %1 expected").arg(word));
        }
    }
    void ExpectSymbol(QChar c) {
        if (!TakeSymbol(c)) {
            throw ExcelError(QString("Syntax error: '%1' expected").arg(c));
        }
    }
    QString ReadName() {
        const Token& t = Peek();
        if ((t.kind != Token::Word && t.kind != Token::Name) || t.text.trimmed().isEmpty()) {
            throw ExcelError("Syntax error: a name expected");
        }
        ++m_pos;
        return t.text;
    }
    // "( item , item ... )" with each item read by `read`.
    template <typename F>
    QStringList ReadList(F read) {
        ExpectSymbol('(');
        QStringList items;
        do {
            items << read();
        } while (TakeSymbol(','));
        ExpectSymbol(')');
        return items;
    }

    SqlCreateTable ParseCreate() {
        ExpectKeyword("TABLE");
        SqlCreateTable st;
        st.table = ReadName();
        st.columns = ReadList([this] {
            QString name = ReadName();
            if (!TakeKeyword("TEXT")) {
                throw ExcelError(QString("Unsupported type for column %1: only TEXT").arg(name));
            }
            return name;
        });
        for (qsizetype i = 0; i < st.columns.size(); ++i) {
            if (IndexOfName(st.columns, st.columns[i]) != i) {
                throw ExcelError(QString("Column %1 is named twice").arg(st.columns[i]));
            }
        }
        return st;
    }

    SqlInsert ParseInsert() {
        ExpectKeyword("INTO");
        SqlInsert st;
        st.table = ReadName();
        st.columns = ReadList([this] { return ReadName(); });
        ExpectKeyword("VALUES");
        st.values = ReadList([this] {
            const Token& t = Peek();
            if (t.kind != Token::Text && t.kind != Token::Null) {
                throw ExcelError("Syntax error: a quoted value or NULL expected");
            }
            ++m_pos;
            return t.kind == Token::Text ? t.text : QString();
        });
        if (st.values.size() != st.columns.size()) {
            throw ExcelError("Number of query values and destination fields are not the same");
        }
        return st;
    }

    SqlSelectAll ParseSelect() {
        ExpectSymbol('*');
        ExpectKeyword("FROM");
        QString name = ReadName();
        if (!name.endsWith('$') || name.size() < 2) {
            throw ExcelError(QString("'%1' is not a sheet: write it as [name$]").arg(name));
        }
        name.chop(1);
        return {name};
    }

    std::vector<Token> m_tokens;
    size_t m_pos = 0;
};

}  // namespace

SqlStatement ParseSql(const QString& sql) {
    return Parser(sql).Parse();
}

qsizetype IndexOfName(const QStringList& names, const QString& name) {
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (names[i].compare(name, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}
