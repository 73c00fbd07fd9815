#include "tables/CzechCollation.h"

#include <QChar>
#include <QString>

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace vardex {

namespace {

// A text is compared element by element (a character, or the letter "ch") at
// three levels: the letter, then its accent, then its case. A difference at a
// level counts only when all higher levels are equal over the whole text;
// the case-sensitive order finally falls back to the raw text, so that two
// different texts never compare equal.
struct Weight
{
    quint32 primary = 0;
    quint16 accent = 0;
    quint8 letterCase = 0; // 0 lower case (sorts first), 1 upper case
};

constexpr quint32 kSpace = 1;
constexpr quint32 kOtherBase = 2;               // + code point: punctuation, symbols
constexpr char32_t kInvalidByteBase = 0x110000; // + byte that is not valid UTF-8
constexpr quint32 kDigitBase = 0x120000;        // + digit value
constexpr quint32 kLetterBase = 0x120010;       // + place in the Czech alphabet
constexpr quint32 kForeignBase = 0x120040;      // + lower-case code point of another script

// Places in A B C Č D E F G H CH I J K L M N O P Q R Ř S Š T U V W X Y Z Ž.
constexpr int kPlaceC = 2;
constexpr int kPlaceCaronC = 3;
constexpr int kPlaceCh = 9;
constexpr int kPlaceCaronR = 20;
constexpr int kPlaceCaronS = 22;
constexpr int kPlaceCaronZ = 30;
constexpr std::array<quint8, 26> kPlainPlace = {0,  1,  kPlaceC, 4,  5,  6,  7,  8,  10,
                                                11, 12, 13,      14, 15, 16, 17, 18, 19,
                                                21, 23, 24,      25, 26, 27, 28, 29};

// The Latin letters up to the end of Latin Extended-B are looked up in one
// table; beyond it letters of other scripts follow the Latin alphabet.
constexpr char32_t kTableSize = 0x250;

struct Accented
{
    char16_t upper;
    char16_t lower;
    char base;      // the letter it sorts with
    quint16 accent; // 0 for the separate letters Č Ř Š Ž
};

constexpr Accented kCzechLetters[] = {
    {u'Č', u'č', 0, 0},   {u'Ř', u'ř', 0, 0},   {u'Š', u'š', 0, 0},   {u'Ž', u'ž', 0, 0},
    {u'Á', u'á', 'a', 1}, {u'É', u'é', 'e', 1}, {u'Ě', u'ě', 'e', 2}, {u'Í', u'í', 'i', 1},
    {u'Ó', u'ó', 'o', 1}, {u'Ú', u'ú', 'u', 1}, {u'Ů', u'ů', 'u', 2}, {u'Ý', u'ý', 'y', 1},
    {u'Ď', u'ď', 'd', 1}, {u'Ť', u'ť', 't', 1}, {u'Ň', u'ň', 'n', 1},
};

// Letters of other Latin alphabets that Unicode does not decompose.
constexpr Accented kUndecomposed[] = {
    {u'Ł', u'ł', 'l', 0}, {u'Đ', u'đ', 'd', 0}, {u'Ø', u'ø', 'o', 0},
    {u'Ħ', u'ħ', 'h', 0}, {u'Æ', u'æ', 'a', 0}, {u'Œ', u'œ', 'o', 0},
    {u'Þ', u'þ', 't', 0}, {0, u'ß', 's', 0},    {0, u'ı', 'i', 0},
};

Weight otherWeight(char32_t cp)
{
    return {cp == U' ' ? kSpace : kOtherBase + quint32(cp), 0, 0};
}

Weight letterWeight(int place, quint16 accent, bool upper)
{
    return {kLetterBase + quint32(place), accent, quint8(upper ? 1 : 0)};
}

// Weights of the characters beyond the table: no allocation, no table.
Weight wideWeight(char32_t cp)
{
    if (cp >= kInvalidByteBase)
        return otherWeight(cp);
    if (QChar::isDigit(cp))
        return {kDigitBase + quint32(QChar::digitValue(cp)), 1, 0};
    if (QChar::isLetter(cp))
        return {kForeignBase + quint32(QChar::toLower(cp)), 0, quint8(QChar::isUpper(cp) ? 1 : 0)};
    return otherWeight(cp);
}

class LatinTable
{
public:
    LatinTable()
    {
        for (char32_t cp = 0; cp < kTableSize; ++cp)
            m_weights[cp] = build(cp);
    }
    const Weight *data() const { return m_weights.data(); }

private:
    static Weight build(char32_t cp)
    {
        const bool upper = QChar::isUpper(cp);
        if (cp >= U'0' && cp <= U'9')
            return {kDigitBase + quint32(cp - U'0'), 0, 0};
        if (cp >= U'a' && cp <= U'z')
            return letterWeight(kPlainPlace[cp - U'a'], 0, false);
        if (cp >= U'A' && cp <= U'Z')
            return letterWeight(kPlainPlace[cp - U'A'], 0, true);
        for (const Accented &a : kCzechLetters) {
            if (cp != a.upper && cp != a.lower)
                continue;
            if (a.base != 0)
                return letterWeight(kPlainPlace[a.base - 'a'], a.accent, upper);
            const char16_t lower = a.lower;
            const int place = lower == u'č'   ? kPlaceCaronC
                              : lower == u'ř' ? kPlaceCaronR
                              : lower == u'š' ? kPlaceCaronS
                                              : kPlaceCaronZ;
            return letterWeight(place, 0, upper);
        }
        // Other accented Latin letters sort with their base letter, after
        // the Czech accents.
        const quint16 foreignAccent = quint16(16 + cp);
        for (const Accented &a : kUndecomposed)
            if ((a.upper != 0 && cp == a.upper) || cp == a.lower)
                return letterWeight(kPlainPlace[a.base - 'a'], foreignAccent, upper);
        if (QChar::isLetter(cp)) {
            const QString parts = QChar::decomposition(cp);
            const char16_t base = parts.isEmpty() ? 0 : (parts.at(0).unicode() | 0x20);
            if (base >= u'a' && base <= u'z')
                return letterWeight(kPlainPlace[base - u'a'], foreignAccent, upper);
        }
        return wideWeight(cp);
    }

    std::array<Weight, kTableSize> m_weights;
};

const Weight *latinWeights()
{
    static const LatinTable table;
    return table.data();
}

// A text as UTF-16 code units.
struct Utf16Text
{
    const char16_t *data;
    qsizetype size;

    quint32 unit(qsizetype i) const { return data[i]; }

    char32_t decode(qsizetype &i) const
    {
        const char16_t u = data[i++];
        if (QChar::isHighSurrogate(u) && i < size && QChar::isLowSurrogate(data[i]))
            return QChar::surrogateToUcs4(u, data[i++]);
        return u; // includes a lone surrogate
    }

    // Whether an element could have begun before `i` and continue at it.
    bool continuesAt(qsizetype i) const
    {
        return i < size && QChar::isLowSurrogate(data[i]) && i > 0 &&
               QChar::isHighSurrogate(data[i - 1]);
    }
};

// A text as UTF-8 bytes. A byte that does not begin a valid sequence counts
// as a character of its own.
struct Utf8Text
{
    const unsigned char *data;
    qsizetype size;

    quint32 unit(qsizetype i) const { return data[i]; }

    char32_t decode(qsizetype &i) const
    {
        const unsigned char lead = data[i];
        if (lead < 0x80)
            return data[i++];
        int length = 0;
        char32_t cp = 0;
        char32_t least = 0;
        if ((lead & 0xE0) == 0xC0) {
            length = 2, cp = lead & 0x1F, least = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, cp = lead & 0x0F, least = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, cp = lead & 0x07, least = 0x10000;
        } else {
            ++i;
            return kInvalidByteBase + lead;
        }
        if (length > size - i) {
            ++i;
            return kInvalidByteBase + lead;
        }
        for (int k = 1; k < length; ++k) {
            const unsigned char next = data[i + k];
            if ((next & 0xC0) != 0x80) {
                ++i;
                return kInvalidByteBase + lead;
            }
            cp = (cp << 6) | (next & 0x3F);
        }
        if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            ++i;
            return kInvalidByteBase + lead;
        }
        i += length;
        return cp;
    }

    // Every byte that is not a continuation byte begins an element; a
    // continuation byte may be the middle of one.
    bool continuesAt(qsizetype i) const { return i < size && (data[i] & 0xC0) == 0x80; }
};

template <typename Text> inline Weight nextElement(const Text &t, qsizetype &i, const Weight *latin)
{
    const char32_t cp = t.decode(i);
    if (cp >= kTableSize)
        return wideWeight(cp);
    if ((cp | 0x20) == U'c' && i < t.size && (t.unit(i) | 0x20) == u'h') {
        const quint8 letterCase = quint8((cp == U'C' ? 2 : 0) + (t.unit(i) == u'H' ? 1 : 0));
        ++i;
        return {kLetterBase + kPlaceCh, 0, letterCase};
    }
    return latin[cp];
}

template <typename Text> int compareTexts(const Text &a, const Text &b, bool caseInsensitive)
{
    const qsizetype shorter = std::min(a.size, b.size);
    qsizetype same = 0;
    while (same < shorter && a.data[same] == b.data[same])
        ++same;
    if (same == a.size && same == b.size)
        return 0;

    // Identical units need no weighing: start at the element that holds the
    // first difference. A "c" just before it may form "ch" with what follows.
    qsizetype start = same;
    if (a.continuesAt(start) || b.continuesAt(start)) {
        --start;
        while (start > 0 && a.continuesAt(start))
            --start;
    }
    if (start > 0 && (a.unit(start - 1) | 0x20) == u'c')
        --start;

    const Weight *latin = latinWeights();
    qsizetype i = start;
    qsizetype j = start;
    int accent = 0;
    int letterCase = 0;
    while (i < a.size && j < b.size) {
        const Weight wa = nextElement(a, i, latin);
        const Weight wb = nextElement(b, j, latin);
        if (wa.primary != wb.primary)
            return wa.primary < wb.primary ? -1 : 1;
        if (accent == 0 && wa.accent != wb.accent)
            accent = wa.accent < wb.accent ? -1 : 1;
        if (letterCase == 0 && wa.letterCase != wb.letterCase)
            letterCase = wa.letterCase < wb.letterCase ? -1 : 1;
    }
    if (i < a.size)
        return 1;
    if (j < b.size)
        return -1;
    if (accent != 0 || caseInsensitive)
        return accent;
    if (letterCase != 0)
        return letterCase;
    if (same == shorter)
        return a.size < b.size ? -1 : 1;
    return a.unit(same) < b.unit(same) ? -1 : 1;
}

int collateCzech(void *, int aLength, const void *a, int bLength, const void *b)
{
    return compareCzechUtf8(static_cast<const char *>(a), aLength, static_cast<const char *>(b),
                            bLength, false);
}

int collateCzechNoCase(void *, int aLength, const void *a, int bLength, const void *b)
{
    return compareCzechUtf8(static_cast<const char *>(a), aLength, static_cast<const char *>(b),
                            bLength, true);
}

} // namespace

int compareCzech(QStringView a, QStringView b, bool caseInsensitive)
{
    return compareTexts(Utf16Text{a.utf16(), a.size()}, Utf16Text{b.utf16(), b.size()},
                        caseInsensitive);
}

int compareCzechUtf8(const char *a, qsizetype aLength, const char *b, qsizetype bLength,
                     bool caseInsensitive)
{
    return compareTexts(
        Utf8Text{reinterpret_cast<const unsigned char *>(a), std::max<qsizetype>(aLength, 0)},
        Utf8Text{reinterpret_cast<const unsigned char *>(b), std::max<qsizetype>(bLength, 0)},
        caseInsensitive);
}

bool registerCzechCollations(sqlite3 *db)
{
    if (!db)
        return false;
    return sqlite3_create_collation_v2(db, kCzechCollation, SQLITE_UTF8, nullptr, collateCzech,
                                       nullptr) == SQLITE_OK &&
           sqlite3_create_collation_v2(db, kCzechNoCaseCollation, SQLITE_UTF8, nullptr,
                                       collateCzechNoCase, nullptr) == SQLITE_OK;
}

} // namespace vardex
