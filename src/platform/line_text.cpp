#include "platform/line_text.h"

#include <QByteArrayView>
#include <QStringDecoder>

#include "platform/code_page.h"

namespace tallimer::platform {

namespace {

qsizetype AppendBeyondAscii(std::string_view bytes, QChar* out) {
    // Stateless: a sequence cut off at the end is an error, not left for a next call. A byte
    // order mark is a character like any other, so no byte goes missing.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QChar* const end =
        utf8.appendToBuffer(out, QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    if (!utf8.hasError()) {
        return end - out;
    }
    AppendFromCodePage(bytes, out);
    return qsizetype(bytes.size());
}

}  // namespace

qsizetype AppendLineText(std::string_view bytes, QChar* out) {
    QChar* at = out;
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        if (value >= 0x80) {
            return AppendBeyondAscii(bytes, out);
        }
        *at++ = QChar(char16_t(value));
    }
    return at - out;
}

QString LineText(std::string_view bytes) {
    QString text(qsizetype(bytes.size()), Qt::Uninitialized);
    text.resize(AppendLineText(bytes, text.data()));
    return text;
}

}  // namespace tallimer::platform
