#pragma once

#include <QJsonArray>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <vector>

namespace tallimer {

// A view's output for other programs: named sets of records, each record one value (string,
// number, bool or null) per column.
struct RecordSet {
    QString name;
    QStringList columns;
    std::vector<QJsonArray> rows;
};

// RFC 4180: a header row, then one row per record; CRLF after every row; a field that holds a
// comma, quote, CR, LF, tab or a leading or trailing blank is quoted, its quotes doubled. Null
// is an empty field. Several sets go into one table: a first column `record` names each row's
// set, and the columns are those of all sets in order of first appearance.
void WriteCsv(QTextStream& out, const std::vector<RecordSet>& sets);

// One JSON object: each set an array of objects named by the set.
void WriteJson(QTextStream& out, const std::vector<RecordSet>& sets);

}  // namespace tallimer
