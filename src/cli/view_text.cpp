#include "cli/view_text.h"

#include "resources/string_table.h"

namespace tallimer {

void PrintPanel(QTextStream& out, const Snapshot& panel) {
    const int status =
        panel.status == DayStatus::Stop ? StringId::StatusStop : StringId::StatusStart;
    out << "Status\t" << LoadString(status) << '\n';
    out << "Project\t" << panel.projectEditText << '\n';
    out << "Projects";
    for (const QString& project : panel.projects) {
        out << '\t' << project;
    }
    out << '\n';
    out << "Remove\t" << (panel.removeEnabled ? "enabled" : "disabled") << '\n';
}

void PrintDay(QTextStream& out, const DaySummaryTexts& texts) {
    out << "Debit\t" << texts.debit << '\n';
    out << "Credit\t" << texts.credit << '\n';
    out << "Presence\t" << texts.presence << '\n';
    out << "Flexitime in total\t" << texts.flexitime << '\n';
}

bool PrintList(QTextStream& out, const EntryIndex& list, JournalAsRead& journal) {
    if (!list.hasColumns()) {
        return true;
    }
    const auto& titles = list.titles();
    out << titles[0] << '\t' << titles[1] << '\t' << titles[2] << '\n';
    // Rows go to the stream some at a time: a call of the stream costs more than a row.
    QString text;
    const bool read = list.ForEachRow(journal, [&](const EntryList::Row& row) {
        text.append(row.date).append(u'\t').append(row.time).append(u'\t');
        text.append(row.project).append(u'\n');
        if (text.size() >= kPrintChunk) {
            out << text;
            text.truncate(0);
        }
    });
    out << text;
    return read;
}

void PrintReport(QTextStream& out, const ReportTree& tree) {
    for (const ReportTree::Line& line : tree.DisplayOrder()) {
        const ReportTree::Node& node = tree.node(line.id);
        out << QString(2 * line.depth, u' ') << node.text;
        if (node.state == ReportTree::State::Bold) {
            out << "\t(bold)";
        }
        out << '\n';
    }
}

}  // namespace tallimer
