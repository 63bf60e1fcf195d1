#include "base/collation.h"

#include <QChar>

namespace tallimer {

namespace {
// The code point at `i`, moving `i` past it; a lone surrogate stands for itself.
char32_t NextCodePoint(QStringView text, qsizetype& i) {
    const QChar c = text[i++];
    if (c.isHighSurrogate() && i < text.size() && text[i].isLowSurrogate()) {
        return QChar::surrogateToUcs4(c, text[i++]);
    }
    return c.unicode();
}
}  // namespace

int CompareCollated(QStringView a, QStringView b) {
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        const char32_t x = QChar::toLower(NextCodePoint(a, i));
        const char32_t y = QChar::toLower(NextCodePoint(b, j));
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    if (i < a.size()) {
        return 1;
    }
    return j < b.size() ? -1 : 0;
}

}  // namespace tallimer
