#include "ui/day_off_command.h"

#include <cstdio>

#include "operations/tracker.h"
#include "ui/single_instance.h"

namespace tallimer {

int RunDayOffCommand(const DayOffRequest& request, QTextStream& out, QTextStream& err) {
    SingleInstance instance;
    DayOffReply reply;
    if (instance.lock()) {
        Tracker tracker;
        tracker.load();
        reply = ReplyOf(tracker.changeDays(EditOf(request), {}, LedgerReasonOf(request)).outcome,
                        tracker.store());
    } else {
        const std::optional<QByteArray> answer =
            instance.askRunningInstanceToChangeDays(RequestText(request));
        const std::optional<DayOffReply> handed =
            answer ? ReplyOfText(*answer) : std::optional<DayOffReply>();
        if (!handed) {
            err << "tallimer: the Tallimer running for the data folder did not answer; nothing "
                   "was changed\n";
            return 1;
        }
        reply = *handed;
    }
    (reply.exitCode == 0 ? out : err) << reply.text << '\n';
    return reply.exitCode;
}

int RunDayOffCommand(const DayOffRequest& request) {
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);
    return RunDayOffCommand(request, out, err);
}

}  // namespace tallimer
