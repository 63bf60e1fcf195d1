#include "platform/code_page.h"

#include <QChar>
#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace tallimer::platform {

namespace {

struct CodePageTables {
    std::array<char16_t, 256> toChar{};
    // Characters below U+0100 that the code page holds, by character (-1: none).
    std::array<int, 256> lowToByte{};
    // The few characters above U+00FF (the euro sign, typographic quotes, ...), sorted.
    std::vector<std::pair<char16_t, unsigned char>> highToByte;
};

CodePageTables BuildTables() {
    CodePageTables tables;
    tables.lowToByte.fill(-1);
    for (int byte = 0; byte < 256; ++byte) {
        // Each byte alone, so a decoder that holds state across bytes cannot shift the table.
        QStringDecoder decoder("windows-1252");
        const char raw = static_cast<char>(byte);
        const QString decoded = decoder.decode(QByteArrayView(&raw, 1));
        const char16_t ch = (decoder.isValid() && !decoder.hasError() && decoded.size() == 1)
                                ? decoded.front().unicode()
                                : static_cast<char16_t>(byte);
        tables.toChar[byte] = ch;
        if (ch < 256) {
            if (tables.lowToByte[ch] < 0) {
                tables.lowToByte[ch] = byte;
            }
        } else {
            tables.highToByte.emplace_back(ch, static_cast<unsigned char>(byte));
        }
    }
    std::stable_sort(tables.highToByte.begin(), tables.highToByte.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    return tables;
}

const CodePageTables& Tables() {
    static const CodePageTables tables = BuildTables();
    return tables;
}

// The byte of a character, or '?' when the code page lacks it.
char ByteOf(const CodePageTables& tables, char16_t ch) {
    if (ch < 256) {
        const int byte = tables.lowToByte[ch];
        return byte >= 0 ? static_cast<char>(byte) : '?';
    }
    const auto it = std::lower_bound(tables.highToByte.begin(), tables.highToByte.end(), ch,
                                     [](const auto& entry, char16_t c) { return entry.first < c; });
    return (it != tables.highToByte.end() && it->first == ch) ? static_cast<char>(it->second) : '?';
}

}  // namespace

QByteArray ToCodePage(QStringView text) {
    const CodePageTables& tables = Tables();
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            // One character outside the code page, so one '?'.
            bytes.append('?');
            ++i;
        } else if (ch.isSurrogate()) {
            bytes.append('?');
        } else {
            bytes.append(ByteOf(tables, ch.unicode()));
        }
    }
    return bytes;
}

void AppendFromCodePage(std::string_view bytes, QChar* out) {
    const char16_t* table = Tables().toChar.data();
    for (const char byte : bytes) {
        *out++ = QChar(table[static_cast<unsigned char>(byte)]);
    }
}

QString FromCodePage(std::string_view bytes) {
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    AppendFromCodePage(bytes, text.data());
    return text;
}

char16_t CodePageChar(unsigned char byte) {
    return Tables().toChar[byte];
}

}  // namespace tallimer::platform
