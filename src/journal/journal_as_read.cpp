#include "journal/journal_as_read.h"

#include <algorithm>
#include <cstring>

#include "journal/journal_line.h"
#include "journal/line_reader.h"
#include "platform/diagnostics.h"

namespace tallimer {

JournalAsRead::JournalAsRead() = default;
JournalAsRead::~JournalAsRead() = default;

long long JournalAsRead::readAt(char* buffer, long long maxBytes) {
    long long want = std::min(maxBytes, end_ - position_);
    if (want <= 0) {
        return 0;
    }
    const long long tailStart = length_ - static_cast<long long>(tail_.size());
    long long got = 0;
    if (position_ >= tailStart) {
        std::memcpy(buffer, tail_.data() + (position_ - tailStart), size_t(want));
        got = want;
    } else {
        want = std::min(want, tailStart - position_);
        got = file_.seekTo(position_) ? file_.read(buffer, want) : -1;
        if (got < 0) {
            platform::ReportFailure(operation_, path_);
        }
    }
    if (got <= 0) {
        failed_ = true;  // a journal cut short in place since the read
        return -1;
    }
    position_ += got;
    return got;
}

bool JournalAsRead::readLines(long long offset, long long length, const char* operation,
                              const PlacedLineVisitor& line) {
    if (offset < 0 || length < 0 || offset + length > length_ || !file_.isOpen()) {
        return false;
    }
    if (!lines_) {
        lines_ = std::make_unique<LineReader>(
            [this](char* buffer, long long maxBytes) { return readAt(buffer, maxBytes); });
    }
    operation_ = operation;
    position_ = offset;
    end_ = offset + length;
    failed_ = false;
    lines_->Restart(offset);
    std::string_view bytesBeforeLf;
    while (lines_->Next(bytesBeforeLf)) {
        line(CutLine(bytesBeforeLf), lines_->lineOffset());
    }
    return !failed_ && lines_->nextOffset() == end_;
}

}  // namespace tallimer
