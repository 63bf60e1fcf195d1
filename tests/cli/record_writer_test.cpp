#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>
#include <limits>

#include "accounting/time_text.h"
#include "cli/record_writer.h"
#include "cli/time_cells.h"
#include "journal/journal_line.h"

namespace tallimer::test {
namespace {

// Streamed records are what QJsonDocument made of the whole document: sets and keys sorted,
// every control character, quote, backslash and lone surrogate escaped as Qt escapes them.
TEST(RecordWriter, JsonAsQtWritesTheDocument) {
    QString hostile;
    for (char16_t c = 1; c < 0x80; ++c) {
        hostile += QChar(c);
    }
    hostile += QString::fromUtf16(u"é€\U0001F600") + QChar(0xD800) + u'x' + QChar(0xDC00);
    const int64_t big = std::numeric_limits<int64_t>::max();

    QString text;
    QTextStream stream(&text);
    RecordWriter writer(stream, RecordFormat::Json,
                        {{"rows", {"text", "stop", "n", "stop_project"}}, {"empty", {"a"}}});
    for (const size_t set : writer.SetOrder()) {
        writer.BeginSet(set);
        if (set == 0) {
            writer.Write({hostile, true, int64_t{-240}, nullptr});
            writer.Write({QString(), false, -big - 1, QString(" x ")});
        }
    }
    writer.Finish();
    stream.flush();

    QJsonArray rows;
    rows.append(QJsonObject{{"text", hostile}, {"stop", true}, {"n", -240}, {"stop_project", {}}});
    rows.append(QJsonObject{
        {"text", QString()}, {"stop", false}, {"n", qint64(-big - 1)}, {"stop_project", " x "}});
    const QJsonDocument document(QJsonObject{{"rows", rows}, {"empty", QJsonArray()}});
    EXPECT_EQ(text, QString::fromUtf8(document.toJson(QJsonDocument::Indented)));
}

// Several sets share one table, a field with a separator, a line end or an outer blank is
// quoted, null is empty.
TEST(RecordWriter, CsvQuotesWhatASpreadsheetWouldSplit) {
    QString text;
    QTextStream stream(&text);
    RecordWriter writer(stream, RecordFormat::Csv, {{"a", {"x", "y"}}, {"b", {"y", "z"}}});
    writer.BeginSet(0);
    writer.Write({QString(" lead"), QString("a\"b")});
    writer.BeginSet(1);
    writer.Write({QString("cr\rlf\n"), nullptr});
    writer.Write({QString("trail "), int64_t{-5}});
    // Each separator on its own.
    writer.Write({QString("tab\tonly"), QString("lf\nonly")});
    writer.Write({QString("cr\ronly"), QString("c,d")});
    writer.Finish();
    stream.flush();
    EXPECT_EQ(text,
              "record,x,y,z\r\na,\" lead\",\"a\"\"b\",\r\nb,,\"cr\rlf\n\",\r\n"
              "b,,\"trail \",-5\r\nb,,\"tab\tonly\",\"lf\nonly\"\r\n"
              "b,,\"cr\ronly\",\"c,d\"\r\n");
}

// The cells of the periods are the texts the views always printed, in the usual range and
// beyond it.
TEST(TimeCells, AsTheFormsOfTheViews) {
    QString cell;
    QString expected;
    std::vector<int32_t> minutes = {std::numeric_limits<int32_t>::min(),
                                    std::numeric_limits<int32_t>::max()};
    for (int32_t v = -6100; v <= 6100; ++v) {
        minutes.push_back(v);
    }
    for (const int32_t v : minutes) {
        SetTimeOfDayText(cell, v);
        EXPECT_EQ(cell, TimeOfDayText(v)) << v;
        SetClockText(cell, v);
        EXPECT_EQ(cell, FormatSignedTime(expected, v)) << v;
    }
    for (const QDate date : {QDate(1000, 1, 1), QDate(2004, 1, 23), QDate(9999, 12, 31),
                             QDate(999, 12, 31), QDate(10000, 1, 1), QDate(-44, 3, 15)}) {
        SetDateText(cell, date);
        EXPECT_EQ(cell, SelectedDateText(date));
        SetIsoDateText(cell, date);
        EXPECT_EQ(cell, date.toString(Qt::ISODate));
    }
}

}  // namespace
}  // namespace tallimer::test
