#pragma once

#include <QString>
#include <QStringView>

namespace vardex {

enum class FilterTokenKind {
    End,        // no more text
    LeftParen,  // (
    RightParen, // )
    Operator,   // = <> < > <= >=
    Constant,   // 'text in single quotes'
    Word,       // a bare word: a field name, AND / OR / NOT, or an unquoted constant
    QuotedName, // "field name in double quotes"
    Error       // text that cannot be a token; `text` holds the message
};

struct FilterToken
{
    FilterTokenKind kind = FilterTokenKind::End;
    QString text;           // operator, constant (quotes removed), word or name
    qsizetype position = 0; // index of the token's first character
};

// Cuts a filter expression into tokens, one at a time. Inside single quotes a
// doubled quote ('') stands for one quote; the same holds for "" inside a
// quoted field name.
class FilterLexer
{
public:
    explicit FilterLexer(QStringView text) : m_text(text) {}

    FilterToken next();

private:
    FilterToken quoted(QChar quote, FilterTokenKind kind, const QString &unterminated);

    QStringView m_text;
    qsizetype m_pos = 0;
};

} // namespace vardex
