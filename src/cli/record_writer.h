#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QTextStream>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace tallimer {

// One value of a record: null, a bool, an integer or a text (which must outlive the Write).
using Field = std::variant<std::nullptr_t, bool, int64_t, QStringView>;

// A named set of records and its columns.
struct RecordSet {
    QString name;
    QStringList columns;
};

enum class RecordFormat { Csv, Json };

// A view's output for other programs, written record by record as the view hands them on:
// nothing but the sets' names and columns is kept.
//
// CSV (RFC 4180): a header row, then one row per record; CRLF after every row; a field that
// holds a comma, quote, CR, LF, tab or a leading or trailing blank is quoted, its quotes
// doubled. Null is an empty field. Several sets go into one table: a first column `record`
// names each row's set, and the columns are those of all sets in order of first appearance.
//
// JSON: one object, each set an array of objects named by the set, laid out byte for byte as
// Qt's indented JSON documents are (four blanks a level, the keys of an object sorted).
class RecordWriter {
  public:
    RecordWriter(QTextStream& out, RecordFormat format, std::vector<RecordSet> sets);

    // The sets in the order they are to be written: as given for CSV, by name for JSON.
    std::vector<size_t> SetOrder() const;
    void BeginSet(size_t set);
    // A record of the current set: one field per column, in the set's column order.
    void Write(std::initializer_list<Field> fields) {
        Write(std::span(fields.begin(), fields.size()));
    }
    void Write(std::span<const Field> fields);
    // Closes the last set and the document.
    void Finish();

  private:
    // Records are put together here and handed to the stream some at a time: one call of
    // the stream costs more than a whole record's appends.
    static constexpr size_t kFlushSize = 8192;
    // A CSV column that holds the set's name.
    static constexpr int kSetName = -2;
    // A JSON key: its column, and what stands before the value (separator, indent, name).
    struct JsonKey {
        int column;
        std::u16string prefix;
    };

    void StartJson();
    void StartCsv();
    void Flush();
    void WriteCsv(const Field* fields);
    void WriteJson(const Field* fields);
    void EndJsonSet();

    QTextStream& out_;
    std::u16string text_;
    RecordFormat format_;
    std::vector<RecordSet> sets_;
    // CSV: for each set, the set's column for each column of the table (-1: none).
    std::vector<std::vector<int>> csvColumns_;
    // JSON: for each set, its keys in sorted order.
    std::vector<std::vector<JsonKey>> jsonKeys_;
    int current_ = -1;
    bool anySet_ = false;
    size_t records_ = 0;  // of the current set
};

}  // namespace tallimer
