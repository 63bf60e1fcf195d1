#include "journal/journal.h"

#include <QCryptographicHash>
#include <algorithm>
#include <cerrno>

#include "journal/journal_line.h"
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

Journal::Read Journal::readLines(const char* operation, const LineVisitor& line) const {
    platform::File file = platform::File::OpenExisting(path_, platform::File::Access::Read);
    Read result;
    if (!file.isOpen()) {
        result.error = errno != 0 ? errno : EIO;
        return result;
    }
    RunningMark read;
    // A failing read ends the journal as its end does: what was read stands.
    LineReader lines([&](char* buffer, long long maxBytes) {
        const long long got = file.read(buffer, maxBytes);
        if (got < 0) {
            platform::ReportFailure(operation, path_);
        } else {
            read.Add(std::string_view(buffer, size_t(got)));
        }
        return got;
    });
    std::string_view bytesBeforeLf;
    while (lines.Next(bytesBeforeLf)) {
        line(CutLine(bytesBeforeLf));
    }
    file.close();
    result.mark = read.mark();
    return result;
}

std::optional<JournalMark> Journal::currentMark() const {
    platform::File file = platform::File::OpenExisting(path_, platform::File::Access::Read);
    if (!file.isOpen()) {
        return std::nullopt;
    }
    return Writer(std::move(file), path_).markAt(-1);
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

// Copies the journal from its current position to its end to `out`: with `kept`, only the
// lines it keeps. `read`, when given, takes in every byte read.
bool Journal::Writer::copyTo(platform::File& out, KeptLines* kept, RunningMark& written,
                             QCryptographicHash* read) {
    std::string buffer(size_t(kCopyChunk), '\0');
    std::string piece;
    for (;;) {
        const long long got = file_.read(buffer.data(), kCopyChunk);
        if (got < 0) {
            return false;  // a copy of part of the journal would lose the rest
        }
        const std::string_view bytes(buffer.data(), size_t(got));
        if (read != nullptr) {
            read->addData(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
        }
        piece.clear();
        if (kept == nullptr) {
            piece = bytes;
        } else if (got == 0) {
            kept->Finish(piece);
        } else {
            kept->Feed(bytes, piece);
        }
        if (!piece.empty()) {
            if (!out.write(piece)) {
                return false;
            }
            written.Add(piece);
        }
        if (got == 0) {
            return true;
        }
    }
}

std::optional<Journal::Writer::KeptCopy> Journal::Writer::writeKeptLines(std::string_view dateKey,
                                                                         platform::File& out) {
    KeptLines kept(dateKey);
    RunningMark written;
    QCryptographicHash whole(QCryptographicHash::Sha256);
    // A last line without LF that began with the key is kept all the same; its bytes were not
    // held, so they are read again.
    const bool copied = file_.seekTo(0) && copyTo(out, &kept, written, &whole) &&
                        (kept.DroppedTailStart() < 0 || (file_.seekTo(kept.DroppedTailStart()) &&
                                                         copyTo(out, nullptr, written, nullptr)));
    if (!copied) {
        return std::nullopt;
    }
    return KeptCopy{written.mark(), whole.result()};
}

}  // namespace tallimer
