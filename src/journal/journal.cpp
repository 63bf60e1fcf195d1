#include "journal/journal.h"

#include <QCryptographicHash>
#include <algorithm>
#include <cerrno>

#include "journal/journal_line.h"
#include "journal/journal_lines.h"
#include "journal/kept_lines.h"
#include "journal/line_reader.h"
#include "platform/diagnostics.h"

namespace tallimer {

namespace {
// Bytes read and written at a time: a copy needs this much memory whatever the journal's size.
constexpr long long kCopyChunk = 256 * 1024;
}  // namespace

bool Journal::exists() const {
    return platform::FileExists(path_);
}

platform::FileIdentity Journal::identity() const {
    return platform::IdentifyFile(path_);
}

bool Journal::remove() const {
    return platform::DeleteFile(path_);
}

bool Journal::linkTo(const QString& handheldPath) const {
    return platform::LinkFile(path_, handheldPath);
}

namespace {
// Hands every line of `file` from its position on to `line`, through a bounded buffer.
Journal::Read ReadLinesOf(platform::File& file, const char* operation, const QString& path,
                          const PlacedLineVisitor& line, RunningMark& read,
                          long long* linesEnd = nullptr) {
    // A failing read ends the journal as its end does: what was read stands.
    LineReader lines([&](char* buffer, long long maxBytes) {
        const long long got = file.read(buffer, maxBytes);
        if (got < 0) {
            platform::ReportFailure(operation, path);
        } else {
            read.Add(std::string_view(buffer, size_t(got)));
        }
        return got;
    });
    std::string_view bytesBeforeLf;
    while (lines.Next(bytesBeforeLf)) {
        line(CutLine(bytesBeforeLf, lines.lineHoldsNul()), lines.lineOffset());
    }
    if (linesEnd != nullptr) {
        *linesEnd = lines.nextOffset();
    }
    return {0, read.mark()};
}

PlacedLineVisitor Unplaced(const LineVisitor& line) {
    return [&line](std::string_view text, long long) { line(text); };
}
}  // namespace

Journal::Read Journal::readLines(const char* operation, const LineVisitor& line) const {
    return readLines(operation, Unplaced(line), nullptr);
}

Journal::Read Journal::readLines(const char* operation, const PlacedLineVisitor& line,
                                 JournalAsRead* keep) const {
    platform::File file = platform::File::OpenExisting(path_, platform::File::Access::Read);
    if (!file.isOpen()) {
        return {errno != 0 ? errno : EIO, {}};
    }
    RunningMark read;
    long long linesEnd = 0;
    const Read result = ReadLinesOf(file, operation, path_, line, read, &linesEnd);
    if (keep != nullptr) {
        keep->linesEnd_ = linesEnd;
        file.unlock();
        keep->file_ = std::move(file);
        keep->path_ = path_;
        keep->length_ = read.length();
        keep->tail_ = read.tail();
    }
    return result;
}

Journal::Read Journal::Writer::readLines(const char* operation, const LineVisitor& line) {
    if (!file_.seekTo(0)) {
        platform::ReportFailure(operation, path_);
        return {errno != 0 ? errno : EIO, {}};
    }
    RunningMark read;
    return ReadLinesOf(file_, operation, path_, Unplaced(line), read);
}

Journal::Writer Journal::openOrCreate(bool* created) const {
    return Writer(platform::File::OpenOrCreate(path_, created), path_);
}

Journal::Writer Journal::openExisting() const {
    return Writer(platform::File::OpenExisting(path_, platform::File::Access::ReadWrite), path_);
}

std::optional<std::string> Journal::Writer::tail(long long end, long long window) {
    const long long start = std::max(0LL, end - window);
    if (end < 0 || !file_.seekTo(start)) {
        return std::nullopt;
    }
    std::string bytes(size_t(end - start), '\0');
    long long filled = 0;
    while (filled < end - start) {
        const long long n = file_.read(bytes.data() + filled, end - start - filled);
        if (n <= 0) {
            return std::nullopt;
        }
        filled += n;
    }
    return bytes;
}

std::optional<JournalMark> Journal::Writer::markAt(long long end) {
    if (end < 0) {
        end = length();  // the whole journal
    }
    const std::optional<std::string> bytes = tail(end);
    return bytes ? std::optional(MarkOf(*bytes, end)) : std::nullopt;
}

bool Journal::Writer::append(std::string_view bytes) {
    const long long oldLength = file_.seekToEnd();
    if (oldLength < 0) {
        return false;
    }
    if (!file_.write(bytes) || !file_.flush()) {
        const int reason = errno;
        file_.truncate(oldLength);
        errno = reason;
        return false;
    }
    return true;
}

// Copies the journal from its current position to its end to `out`.
bool Journal::Writer::copyTo(platform::File& out, RunningMark& written) {
    std::string buffer(size_t(kCopyChunk), '\0');
    for (;;) {
        const long long got = file_.read(buffer.data(), kCopyChunk);
        if (got <= 0) {
            return got == 0;  // a copy of part of the journal would lose the rest
        }
        const std::string_view piece(buffer.data(), size_t(got));
        if (!out.write(piece)) {
            return false;
        }
        written.Add(piece);
    }
}

std::optional<Journal::Writer::KeptCopy> Journal::Writer::writeKeptLines(
    std::string_view dateKey, platform::File& out, const LineVisitor& keptLine,
    const DayInPlace& inPlace) {
    KeptLines kept(dateKey, inPlace.lines);
    RunningMark written;
    QCryptographicHash whole(QCryptographicHash::Sha256);
    bool failed = !file_.seekTo(0);
    std::string piece;
    // One pass: what is read goes through KeptLines to `out`, and the same bytes hand on the
    // lines of the new content as a reader of it would get them.
    LineReader lines([&](char* buffer, long long maxBytes) -> long long {
        const long long got = failed ? -1 : file_.read(buffer, maxBytes);
        if (got < 0) {
            failed = true;
            return -1;
        }
        const std::string_view bytes(buffer, size_t(got));
        whole.addData(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
        piece.clear();
        if (got == 0) {
            kept.Finish(piece);
        } else {
            kept.Feed(bytes, piece);
        }
        if (!piece.empty() && !out.write(piece)) {
            failed = true;
            return -1;
        }
        written.Add(piece);
        return got;
    });
    std::string_view bytesBeforeLf;
    bool placed = false;
    while (lines.Next(bytesBeforeLf)) {
        const std::string_view line = CutLine(bytesBeforeLf);
        if (!StartsWith(line, dateKey)) {
            if (keptLine) {
                keptLine(line);
            }
            continue;
        }
        if (!placed && keptLine) {
            ForEachJournalLine(inPlace.lines, keptLine);
        }
        placed = true;
        if (inPlace.oldLine) {
            inPlace.oldLine(line);
        }
    }
    // A last line without LF that began with the key is kept all the same; its bytes were not
    // held, so they are read again.
    if (failed || (kept.DroppedTailStart() >= 0 &&
                   !(file_.seekTo(kept.DroppedTailStart()) && copyTo(out, written)))) {
        return std::nullopt;
    }
    return KeptCopy{written.mark(), whole.result()};
}

}  // namespace tallimer
