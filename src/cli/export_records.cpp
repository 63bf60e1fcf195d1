#include "cli/export_records.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

namespace tallimer {

namespace {

QString CsvField(const QJsonValue& value) {
    switch (value.type()) {
        case QJsonValue::Bool:
            return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
        case QJsonValue::Double:
            return QString::number(value.toInteger());
        case QJsonValue::String:
            break;
        default:
            return {};
    }
    QString text = value.toString();
    const bool quote = text.contains(u',') || text.contains(u'"') || text.contains(u'\r') ||
                       text.contains(u'\n') || text.contains(u'\t') || text.startsWith(u' ') ||
                       text.endsWith(u' ');
    if (!quote) {
        return text;
    }
    text.replace(u'"', QStringLiteral("\"\""));
    return u'"' + text + u'"';
}

void WriteCsvRow(QTextStream& out, const QJsonArray& fields) {
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i != 0) {
            out << ',';
        }
        out << CsvField(fields[i]);
    }
    out << "\r\n";
}

}  // namespace

void WriteCsv(QTextStream& out, const std::vector<RecordSet>& sets) {
    const bool named = sets.size() > 1;
    QStringList columns;
    if (named) {
        columns << QStringLiteral("record");
    }
    for (const RecordSet& set : sets) {
        for (const QString& column : set.columns) {
            if (!columns.contains(column)) {
                columns << column;
            }
        }
    }
    WriteCsvRow(out, QJsonArray::fromStringList(columns));
    for (const RecordSet& set : sets) {
        for (const QJsonArray& row : set.rows) {
            QJsonArray fields;
            for (const QString& column : columns) {
                const qsizetype at = set.columns.indexOf(column);
                fields.append(named && column == u"record" ? QJsonValue(set.name)
                              : at >= 0                    ? row[at]
                                                           : QJsonValue());
            }
            WriteCsvRow(out, fields);
        }
    }
}

void WriteJson(QTextStream& out, const std::vector<RecordSet>& sets) {
    QJsonObject document;
    for (const RecordSet& set : sets) {
        QJsonArray records;
        for (const QJsonArray& row : set.rows) {
            QJsonObject record;
            for (qsizetype i = 0; i < set.columns.size(); ++i) {
                record.insert(set.columns[i], row[i]);
            }
            records.append(record);
        }
        document.insert(set.name, records);
    }
    out << QString::fromUtf8(QJsonDocument(document).toJson(QJsonDocument::Indented));
}

}  // namespace tallimer
