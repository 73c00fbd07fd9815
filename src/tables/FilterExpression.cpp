#include "tables/FilterExpression.h"

#include "tables/CzechCollation.h"
#include "tables/FilterConstant.h"
#include "tables/FilterLexer.h"

namespace vardex {

namespace {

// Parentheses nested deeper than this are refused, so that no text can
// exhaust the stack.
constexpr int kMaxNesting = 100;
// How much of the text an error message quotes.
constexpr qsizetype kExcerptLength = 20;

// A piece of the WHERE clause and how loosely it binds, so that parentheses
// are added exactly where a looser piece meets a tighter operator.
enum class Binding { Or, And, Tight };

struct SqlPart
{
    QString text;
    Binding binding = Binding::Tight;
};

QString quotedName(const QString &name)
{
    QString inner = name;
    inner.replace(u'"', QStringLiteral("\"\""));
    return u'"' + inner + u'"';
}

// An empty text that the SQL driver binds as '' rather than as NULL.
QString emptyText()
{
    return QStringLiteral("");
}

// The collation of the first index that begins with a text field, or "".
QString leadingIndexCollation(const TableSchema &schema, const FieldDef &field)
{
    for (const IndexDef &index : schema.indexes) {
        const QStringList fields = index.fieldList();
        if (!fields.isEmpty() && fields.first().compare(field.name, Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(index.caseInsensitive ? kCzechNoCaseCollation
                                                             : kCzechCollation);
    }
    return {};
}

QString bracedUnless(const SqlPart &part, Binding atLeast)
{
    return part.binding < atLeast ? u'(' + part.text + u')' : part.text;
}

// Recursive descent over
//   or        = and { OR and }
//   and       = unary { AND unary }
//   unary     = { NOT } primary
//   primary   = "(" or ")" | condition
//   condition = field operator constant
// writing the SQL while it reads; constants go to the parameter list.
class FilterParser
{
public:
    FilterParser(const QString &text, const TableSchema &schema)
        : m_text(text), m_lexer(text), m_schema(schema)
    {
    }

    CompiledFilter compile()
    {
        CompiledFilter result;
        advance();
        if (m_token.kind == FilterTokenKind::End) {
            result.ok = true;
            return result;
        }
        SqlPart whole;
        if (parseOr(whole) && m_token.kind != FilterTokenKind::End)
            failUnexpected();
        if (!m_error.isEmpty()) {
            result.error = m_error;
            return result;
        }
        result.ok = true;
        result.where = u'(' + whole.text + u')';
        result.params = m_params;
        return result;
    }

private:
    void advance() { m_token = m_lexer.next(); }

    bool isKeyword(const char *keyword) const
    {
        return m_token.kind == FilterTokenKind::Word &&
               m_token.text.compare(QLatin1StringView(keyword), Qt::CaseInsensitive) == 0;
    }

    bool isAnyKeyword() const { return isKeyword("AND") || isKeyword("OR") || isKeyword("NOT"); }

    // Records the first error with the place it was found (counted from 1).
    // A token the lexer could not read reports its own fault instead.
    bool fail(const QString &message)
    {
        const QString what = m_token.kind == FilterTokenKind::Error ? m_token.text : message;
        m_error = what + QStringLiteral(" (pozice %1)").arg(m_token.position + 1);
        return false;
    }

    bool failUnexpected()
    {
        QString excerpt = m_text.mid(m_token.position, kExcerptLength);
        if (m_token.position + kExcerptLength < m_text.size())
            excerpt += QStringLiteral("...");
        return fail(QStringLiteral("Nečekaný text: ") + excerpt);
    }

    bool parseOr(SqlPart &out)
    {
        if (!parseAnd(out))
            return false;
        while (isKeyword("OR")) {
            advance();
            SqlPart right;
            if (!parseAnd(right))
                return false;
            out.text = out.text + QStringLiteral(" OR ") + right.text;
            out.binding = Binding::Or;
        }
        return true;
    }

    bool parseAnd(SqlPart &out)
    {
        if (!parseUnary(out))
            return false;
        while (isKeyword("AND")) {
            advance();
            SqlPart right;
            if (!parseUnary(right))
                return false;
            out.text = bracedUnless(out, Binding::And) + QStringLiteral(" AND ") +
                       bracedUnless(right, Binding::And);
            out.binding = Binding::And;
        }
        return true;
    }

    bool parseUnary(SqlPart &out)
    {
        // NOT NOT x is x, also for NULL fields, so a run of NOTs folds into one.
        bool negate = false;
        while (isKeyword("NOT")) {
            negate = !negate;
            advance();
        }
        if (!parsePrimary(out))
            return false;
        if (negate) {
            out.text = QStringLiteral("NOT (") + out.text + u')';
            out.binding = Binding::Tight;
        }
        return true;
    }

    bool parsePrimary(SqlPart &out)
    {
        if (m_token.kind != FilterTokenKind::LeftParen)
            return parseCondition(out);
        if (++m_nesting > kMaxNesting)
            return fail(QStringLiteral("Příliš mnoho vnořených závorek"));
        advance();
        if (!parseOr(out))
            return false;
        if (m_token.kind != FilterTokenKind::RightParen)
            return m_token.kind == FilterTokenKind::End
                       ? fail(QStringLiteral("Chybí pravá závorka"))
                       : failUnexpected();
        advance();
        --m_nesting;
        return true;
    }

    bool parseCondition(SqlPart &out)
    {
        switch (m_token.kind) {
        case FilterTokenKind::Word:
            if (isAnyKeyword())
                return fail(QStringLiteral("Chybí podmínka"));
            break;
        case FilterTokenKind::QuotedName:
            break;
        case FilterTokenKind::End:
        case FilterTokenKind::RightParen:
            return fail(QStringLiteral("Chybí podmínka"));
        default:
            return fail(QStringLiteral("Chybí název položky"));
        }
        const FieldDef *field = m_schema.field(m_token.text);
        if (!field)
            return fail(QStringLiteral("Neznámá položka: ") + m_token.text);
        if (field->type == FieldType::Bytes)
            return fail(QStringLiteral("Položku %1 nelze porovnávat").arg(field->name));
        advance();

        if (m_token.kind != FilterTokenKind::Operator)
            return fail(QStringLiteral("Chybí operátor za položkou ") + field->name);
        const QString op = m_token.text;
        advance();

        if (m_token.kind != FilterTokenKind::Constant &&
            (m_token.kind != FilterTokenKind::Word || isAnyKeyword()))
            return fail(QStringLiteral("Chybí hodnota pro položku ") + field->name);
        if (!writeCondition(*field, op, m_token.text, out))
            return false;
        advance();
        return true;
    }

    bool writeCondition(const FieldDef &field, const QString &op, const QString &constant,
                        SqlPart &out)
    {
        const QString column = quotedName(field.name);
        const bool isText = field.type == FieldType::String;
        const bool blank = isText ? constant.isEmpty() : constant.trimmed().isEmpty();
        const bool equality = op == u"=" || op == u"<>";
        out.binding = Binding::Tight;

        if (blank && equality) {
            // An empty constant asks for an empty field, however the table keeps it.
            const bool equal = op == u"=";
            if (!isText) {
                out.text =
                    column + (equal ? QStringLiteral(" IS NULL") : QStringLiteral(" IS NOT NULL"));
                return true;
            }
            out.text = equal ? QStringLiteral("(%1 IS NULL OR %1 = ?)").arg(column)
                             : QStringLiteral("(%1 IS NOT NULL AND %1 <> ?)").arg(column);
            m_params.append(emptyText());
            return true;
        }
        if (blank)
            return fail(QStringLiteral("Chybí hodnota pro položku ") + field.name);

        if (isText && equality && constant.endsWith(u'*')) {
            // 'ABC*' compares only the beginning of the field.
            const QString prefix = constant.size() > 1 ? constant.chopped(1) : emptyText();
            out.text = QStringLiteral("substr(%1, 1, ?) %2 ?").arg(column, op);
            m_params.append(qlonglong(prefix.size()));
            m_params.append(prefix);
            return true;
        }

        const FilterConstant value = convertFilterConstant(constant, field.type);
        if (!value.ok)
            return fail(value.error);
        const QString collation =
            isText && op == u"=" ? leadingIndexCollation(m_schema, field) : QString();
        if (!collation.isEmpty()) {
            // Equal texts are equal in the index's order too, so a match in
            // the index narrows the search without changing what is found.
            out.text = QStringLiteral("(%1 COLLATE %2 = ? AND %1 = ?)").arg(column, collation);
            m_params.append(value.value);
            m_params.append(value.value);
            return true;
        }
        out.text = column + u' ' + op + QStringLiteral(" ?");
        m_params.append(value.value);
        return true;
    }

    const QString &m_text;
    FilterLexer m_lexer;
    const TableSchema &m_schema;
    FilterToken m_token;
    QVariantList m_params;
    QString m_error;
    int m_nesting = 0;
};

} // namespace

CompiledFilter compileFilter(const QString &text, const TableSchema &schema)
{
    return FilterParser(text, schema).compile();
}

} // namespace vardex
