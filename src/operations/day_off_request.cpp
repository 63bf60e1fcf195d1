#include "operations/day_off_request.h"

#include <QList>

#include "accounting/day_off_dates.h"
#include "accounting/time_text.h"
#include "journal/days_text.h"
#include "platform/device_folder.h"
#include "resources/string_table.h"

namespace tallimer {

namespace {

constexpr char kDateForm[] = "yyyy/MM/dd";

QByteArray DateBytes(QDate date) {
    return date.toString(QLatin1StringView(kDateForm)).toLatin1();
}

std::optional<QDate> DateOfBytes(const QByteArray& bytes) {
    return DateOfText(QString::fromLatin1(bytes));
}

// "mark FROM TO KIND whole|half", "clear FROM TO": the range's fields.
std::optional<DayOffRequest> RangeOfFields(DayOffRequest::Action action,
                                           const QList<QByteArray>& fields) {
    const qsizetype wanted = action == DayOffRequest::Action::Mark ? 5 : 3;
    if (fields.size() != wanted) {
        return std::nullopt;
    }
    DayOffRequest request;
    request.action = action;
    const std::optional<QDate> from = DateOfBytes(fields[1]);
    const std::optional<QDate> to = DateOfBytes(fields[2]);
    if (!from || !to || *to < *from) {
        return std::nullopt;
    }
    request.from = *from;
    request.to = *to;
    if (action == DayOffRequest::Action::Mark) {
        const std::optional<DayOffKind> kind =
            DayOffKindNamed(std::string_view(fields[3].constData(), size_t(fields[3].size())));
        if (!kind || (fields[4] != "whole" && fields[4] != "half")) {
            return std::nullopt;
        }
        request.kind = *kind;
        request.half = fields[4] == "half";
    }
    return request;
}

}  // namespace

DaysEdit EditOf(const DayOffRequest& request) {
    return [request](DaysBook& book) {
        switch (request.action) {
            case DayOffRequest::Action::Mark:
                for (const QDate date : DayOffDates(book, request.from, request.to)) {
                    book.mark({date, request.kind, request.half});
                }
                break;
            case DayOffRequest::Action::Clear:
                for (QDate date = request.from; date <= request.to; date = date.addDays(1)) {
                    book.clear(date);
                }
                break;
            case DayOffRequest::Action::Import:
                for (const QDate date : request.holidays) {
                    if (IsWorkday(book, date)) {
                        book.mark({date, DayOffKind::Holiday, false});
                    }
                }
                break;
        }
    };
}

QByteArray RequestText(const DayOffRequest& request) {
    switch (request.action) {
        case DayOffRequest::Action::Mark: {
            const std::string_view kind = DayOffKindName(request.kind);
            return "mark " + DateBytes(request.from) + ' ' + DateBytes(request.to) + ' ' +
                   QByteArray(kind.data(), qsizetype(kind.size())) +
                   (request.half ? " half" : " whole");
        }
        case DayOffRequest::Action::Clear:
            return "clear " + DateBytes(request.from) + ' ' + DateBytes(request.to);
        case DayOffRequest::Action::Import: {
            QByteArray text = "import";
            for (const QDate date : request.holidays) {
                text += ' ' + DateBytes(date);
            }
            return text;
        }
    }
    return {};
}

std::optional<DayOffRequest> RequestOfText(QByteArrayView text) {
    const QList<QByteArray> fields = text.toByteArray().split(' ');
    if (fields[0] == "mark") {
        return RangeOfFields(DayOffRequest::Action::Mark, fields);
    }
    if (fields[0] == "clear") {
        return RangeOfFields(DayOffRequest::Action::Clear, fields);
    }
    if (fields[0] != "import") {
        return std::nullopt;
    }
    DayOffRequest request;
    request.action = DayOffRequest::Action::Import;
    for (qsizetype i = 1; i < fields.size(); ++i) {
        const std::optional<QDate> date = DateOfBytes(fields[i]);
        if (!date) {
            return std::nullopt;
        }
        request.holidays.push_back(*date);
    }
    return request;
}

DayOffReply ReplyOf(DaysOutcome outcome, const SettingsStore& store) {
    const QString error =
        QStringLiteral("tallimer: ") + LoadString(StringId::DatabaseError) + QStringLiteral(": ");
    switch (outcome) {
        case DaysOutcome::Changed:
        case DaysOutcome::Unchanged: {
            QString balance;
            FormatSignedTime(balance, store.settings.flexBalance);
            return {0, QStringLiteral("Flexitime in total: ") + balance};
        }
        case DaysOutcome::ChangedBalanceNotSaved:
            return {1, error + platform::HostPath(store.settingsFilePath)};
        case DaysOutcome::DatabaseError:
            break;
    }
    return {1, error + platform::HostPath(store.daysFilePath)};
}

QByteArray ReplyText(const DayOffReply& reply) {
    QByteArray text = QByteArray::number(reply.exitCode) + ' ' + reply.text.toUtf8();
    text.replace('\n', ' ');
    return text;
}

std::optional<DayOffReply> ReplyOfText(QByteArrayView text) {
    const qsizetype space = text.indexOf(' ');
    if (space < 1) {
        return std::nullopt;
    }
    bool ok = false;
    const int code = text.first(space).toInt(&ok);
    if (!ok) {
        return std::nullopt;
    }
    return DayOffReply{code, QString::fromUtf8(text.sliced(space + 1))};
}

LedgerReason LedgerReasonOf(const DayOffRequest& request) {
    return request.action == DayOffRequest::Action::Import ? LedgerReason::Holidays
                                                           : LedgerReason::DayOff;
}

}  // namespace tallimer
