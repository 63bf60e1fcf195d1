#include "journal/kept_lines.h"

#include <algorithm>
#include <cstring>

#include "journal/journal_line.h"

namespace tallimer {

void KeptLines::Feed(std::string_view piece, std::string& out) {
    while (!piece.empty()) {
        const void* lf = std::memchr(piece.data(), '\n', piece.size());
        const size_t end =
            lf == nullptr ? piece.size() : static_cast<const char*>(lf) - piece.data();
        std::string_view bytes = piece.substr(0, end);
        if (line_ == Line::Undecided) {
            // The line is the day's when its text without the last byte before LF begins
            // with the key: key.size() + 1 bytes settle that, and so does an earlier LF.
            const size_t wanted = key_.size() + 1 - head_.size();
            head_.append(bytes.substr(0, wanted));
            bytes.remove_prefix(std::min(wanted, bytes.size()));
            if (head_.size() > key_.size() || lf != nullptr) {
                const std::string_view text =
                    head_.size() > key_.size() ? std::string_view(head_) : CutLine(head_);
                line_ = StartsWith(text, key_) ? Line::Dropped : Line::Kept;
                if (line_ == Line::Kept) {
                    out.append(head_);
                } else {
                    putInPlace(out);
                }
                head_.clear();
            }
        }
        if (line_ == Line::Kept) {
            out.append(bytes);
        }
        if (lf == nullptr) {
            fed_ += static_cast<long long>(piece.size());
            return;
        }
        if (line_ == Line::Kept) {
            out.push_back('\n');
        }
        line_ = Line::Undecided;
        piece.remove_prefix(end + 1);
        fed_ += static_cast<long long>(end + 1);
        lineStart_ = fed_;
    }
}

void KeptLines::putInPlace(std::string& out) {
    if (!placed_) {
        out.append(inPlace_);
        placed_ = true;
    }
}

void KeptLines::Finish(std::string& out) {
    // A last line without LF was never an entry of any day; keep it as it is.
    out.append(head_);
    head_.clear();
}

void AppendKeptLines(std::string_view journal, std::string_view dateKey, std::string& out) {
    KeptLines kept(dateKey);
    kept.Feed(journal, out);
    kept.Finish(out);
    if (kept.DroppedTailStart() >= 0) {
        out.append(journal.substr(size_t(kept.DroppedTailStart())));
    }
}

}  // namespace tallimer
