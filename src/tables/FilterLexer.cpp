#include "tables/FilterLexer.h"

namespace vardex {

namespace {

bool endsWord(QChar c)
{
    switch (c.unicode()) {
    case '(':
    case ')':
    case '\'':
    case '"':
    case '<':
    case '>':
    case '=':
        return true;
    default:
        return c.isSpace();
    }
}

} // namespace

FilterToken FilterLexer::next()
{
    while (m_pos < m_text.size() && m_text[m_pos].isSpace())
        ++m_pos;
    FilterToken token;
    token.position = m_pos;
    if (m_pos >= m_text.size())
        return token;

    const QChar c = m_text[m_pos];
    const QChar following = m_pos + 1 < m_text.size() ? m_text[m_pos + 1] : QChar();
    switch (c.unicode()) {
    case '(':
        ++m_pos;
        token.kind = FilterTokenKind::LeftParen;
        return token;
    case ')':
        ++m_pos;
        token.kind = FilterTokenKind::RightParen;
        return token;
    case '<':
    case '>':
    case '=': {
        qsizetype length = 1;
        if (c != u'=' && (following == u'=' || (c == u'<' && following == u'>')))
            length = 2;
        token.kind = FilterTokenKind::Operator;
        token.text = m_text.mid(m_pos, length).toString();
        m_pos += length;
        return token;
    }
    case '\'':
        return quoted(c, FilterTokenKind::Constant, QStringLiteral("Neukončený řetězec"));
    case '"':
        return quoted(c, FilterTokenKind::QuotedName, QStringLiteral("Neukončený název položky"));
    default:
        break;
    }

    const qsizetype start = m_pos;
    while (m_pos < m_text.size() && !endsWord(m_text[m_pos]))
        ++m_pos;
    token.kind = FilterTokenKind::Word;
    token.text = m_text.mid(start, m_pos - start).toString();
    return token;
}

FilterToken FilterLexer::quoted(QChar quote, FilterTokenKind kind, const QString &unterminated)
{
    FilterToken token;
    token.position = m_pos;
    qsizetype pos = m_pos + 1;
    while (pos < m_text.size()) {
        if (m_text[pos] == quote) {
            if (pos + 1 < m_text.size() && m_text[pos + 1] == quote) {
                token.text += quote;
                pos += 2;
                continue;
            }
            m_pos = pos + 1;
            token.kind = kind;
            return token;
        }
        token.text += m_text[pos];
        ++pos;
    }
    // Nothing after an unterminated quote can be read sensibly: the rest is swallowed.
    m_pos = m_text.size();
    token.kind = FilterTokenKind::Error;
    token.text = unterminated;
    return token;
}

} // namespace vardex
