#include "cli/record_writer.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace tallimer {

namespace {

// The fixed pieces of the output, in the string's own form so that appending them is a copy.
constexpr QStringView kCrLf = u"\r\n";
constexpr QStringView kTrue = u"true";
constexpr QStringView kFalse = u"false";
constexpr QStringView kNull = u"null";
constexpr QStringView kFirstRecord = u"\n        {";
constexpr QStringView kNextRecord = u",\n        {";
constexpr QStringView kRecordEnd = u"\n        }";
constexpr QStringView kSetEnd = u"\n    ]";
constexpr char kHex[] = "0123456789abcdef";

// The output is put together in a standard string: its appends are inline, where a QString's
// are a call into Qt each, and a record takes some twenty of them.
void Put(std::u16string& out, QStringView text) {
    out.append(text.utf16(), size_t(text.size()));
}

bool CsvNeedsQuotes(QStringView text) {
    for (const QChar c : text) {
        if (c == u',' || c == u'"' || c == u'\r' || c == u'\n' || c == u'\t') {
            return true;
        }
    }
    return text.startsWith(u' ') || text.endsWith(u' ');
}

void AppendCsvText(std::u16string& out, QStringView text) {
    if (!CsvNeedsQuotes(text)) {
        Put(out, text);
        return;
    }
    out.push_back(u'"');
    for (const QChar c : text) {
        out.push_back(c.unicode());
        if (c == u'"') {
            out.push_back(c.unicode());
        }
    }
    out.push_back(u'"');
}

void AppendNumber(std::u16string& out, int64_t value) {
    char16_t digits[24];
    char16_t* const end = digits + std::size(digits);
    char16_t* at = end;
    // Digit by digit from the remainder's absolute value: the most negative value has no
    // positive counterpart.
    const bool minus = value < 0;
    do {
        const int digit = int(value % 10);
        *--at = char16_t(u'0' + (minus ? -digit : digit));
        value /= 10;
    } while (value != 0);
    if (minus) {
        *--at = u'-';
    }
    out.append(at, end);
}

void AppendUnicodeEscape(std::u16string& out, char16_t c) {
    const char16_t escape[] = {u'\\',
                               u'u',
                               char16_t(kHex[(c >> 12) & 0xf]),
                               char16_t(kHex[(c >> 8) & 0xf]),
                               char16_t(kHex[(c >> 4) & 0xf]),
                               char16_t(kHex[c & 0xf])};
    out.append(escape, std::size(escape));
}

// Quotes, backslashes and control characters escaped as Qt's JSON writer escapes them; a half
// of a surrogate pair without its other half has no UTF-8 form and is written as \uXXXX too.
void AppendEscapedJson(std::u16string& out, QStringView text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const char16_t* named = c == u'"'    ? u"\\\""
                                : c == u'\\' ? u"\\\\"
                                : c == u'\b' ? u"\\b"
                                : c == u'\f' ? u"\\f"
                                : c == u'\n' ? u"\\n"
                                : c == u'\r' ? u"\\r"
                                : c == u'\t' ? u"\\t"
                                             : nullptr;
        if (named != nullptr) {
            out.append(named);
        } else if (QChar::isHighSurrogate(c) && i + 1 < text.size() &&
                   text[i + 1].isLowSurrogate()) {
            Put(out, text.mid(i, 2));
            ++i;
        } else if (c < 0x20 || QChar::isSurrogate(c)) {
            AppendUnicodeEscape(out, c);
        } else {
            out.push_back(c);
        }
    }
}

void AppendJsonString(std::u16string& out, QStringView text) {
    out.push_back(u'"');
    const bool plain = std::none_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() < 0x20 || c == u'"' || c == u'\\' || c.isSurrogate();
    });
    if (plain) {
        Put(out, text);
    } else {
        AppendEscapedJson(out, text);
    }
    out.push_back(u'"');
}

}  // namespace

RecordWriter::RecordWriter(QTextStream& out, RecordFormat format, std::vector<RecordSet> sets)
    : out_(out), format_(format), sets_(std::move(sets)) {
    text_.reserve(size_t(kFlushSize) * 2);
    if (format_ == RecordFormat::Json) {
        StartJson();
    } else {
        StartCsv();
    }
}

void RecordWriter::StartJson() {
    for (const RecordSet& set : sets_) {
        std::vector<int> order(size_t(set.columns.size()));
        std::iota(order.begin(), order.end(), 0);
        std::sort(order.begin(), order.end(),
                  [&set](int a, int b) { return set.columns[a] < set.columns[b]; });
        std::vector<JsonKey> keys;
        for (const int column : order) {
            std::u16string prefix = keys.empty() ? u"\n" : u",\n";
            prefix.append(12, u' ');
            AppendJsonString(prefix, set.columns[column]);
            prefix += u": ";
            keys.push_back({column, prefix});
        }
        jsonKeys_.push_back(std::move(keys));
    }
    Put(text_, QStringView(u"{\n"));
}

void RecordWriter::StartCsv() {
    const bool named = sets_.size() > 1;
    QStringList columns;
    if (named) {
        columns << QStringLiteral("record");
    }
    for (const RecordSet& set : sets_) {
        for (const QString& column : set.columns) {
            if (!columns.contains(column)) {
                columns << column;
            }
        }
    }
    for (const RecordSet& set : sets_) {
        std::vector<int> map;
        for (qsizetype i = 0; i < columns.size(); ++i) {
            map.push_back(named && i == 0 ? kSetName : int(set.columns.indexOf(columns[i])));
        }
        csvColumns_.push_back(std::move(map));
    }
    for (qsizetype i = 0; i < columns.size(); ++i) {
        if (i != 0) {
            text_.push_back(u',');
        }
        AppendCsvText(text_, columns[i]);
    }
    Put(text_, kCrLf);
}

std::vector<size_t> RecordWriter::SetOrder() const {
    std::vector<size_t> order(sets_.size());
    std::iota(order.begin(), order.end(), size_t{0});
    if (format_ == RecordFormat::Json) {
        std::sort(order.begin(), order.end(),
                  [this](size_t a, size_t b) { return sets_[a].name < sets_[b].name; });
    }
    return order;
}

void RecordWriter::BeginSet(size_t set) {
    if (format_ == RecordFormat::Json) {
        EndJsonSet();
        Put(text_, anySet_ ? QStringView(u",\n    ") : QStringView(u"    "));
        AppendJsonString(text_, sets_[set].name);
        Put(text_, QStringView(u": ["));
    }
    anySet_ = true;
    current_ = int(set);
    records_ = 0;
}

void RecordWriter::Write(std::span<const Field> fields) {
    if (format_ == RecordFormat::Json) {
        WriteJson(fields.data());
    } else {
        WriteCsv(fields.data());
    }
    ++records_;
    if (text_.size() >= kFlushSize) {
        Flush();
    }
}

void RecordWriter::Finish() {
    if (format_ == RecordFormat::Json) {
        EndJsonSet();
        Put(text_, anySet_ ? QStringView(u"\n}\n") : QStringView(u"}\n"));
    }
    current_ = -1;
    Flush();
}

void RecordWriter::Flush() {
    out_ << QStringView(text_.data(), qsizetype(text_.size()));
    text_.clear();
}

void RecordWriter::WriteCsv(const Field* fields) {
    const std::vector<int>& map = csvColumns_[size_t(current_)];
    for (size_t i = 0; i < map.size(); ++i) {
        if (i != 0) {
            text_.push_back(u',');
        }
        if (map[i] == kSetName) {
            AppendCsvText(text_, sets_[size_t(current_)].name);
        } else if (map[i] >= 0) {
            const Field& field = fields[map[i]];
            if (const auto* text = std::get_if<QStringView>(&field)) {
                AppendCsvText(text_, *text);
            } else if (const auto* number = std::get_if<int64_t>(&field)) {
                AppendNumber(text_, *number);
            } else if (const auto* flag = std::get_if<bool>(&field)) {
                Put(text_, *flag ? kTrue : kFalse);
            }
        }
    }
    Put(text_, kCrLf);
}

void RecordWriter::WriteJson(const Field* fields) {
    Put(text_, records_ == 0 ? kFirstRecord : kNextRecord);
    for (const JsonKey& key : jsonKeys_[size_t(current_)]) {
        text_ += key.prefix;
        const Field& field = fields[key.column];
        if (const auto* text = std::get_if<QStringView>(&field)) {
            AppendJsonString(text_, *text);
        } else if (const auto* number = std::get_if<int64_t>(&field)) {
            AppendNumber(text_, *number);
        } else if (const auto* flag = std::get_if<bool>(&field)) {
            Put(text_, *flag ? kTrue : kFalse);
        } else {
            Put(text_, kNull);
        }
    }
    Put(text_, kRecordEnd);
}

void RecordWriter::EndJsonSet() {
    if (current_ >= 0) {
        Put(text_, kSetEnd);
    }
    current_ = -1;
}

}  // namespace tallimer
