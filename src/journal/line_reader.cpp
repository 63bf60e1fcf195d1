#include "journal/line_reader.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace tallimer {

LineReader::LineReader(Read read) : read_(std::move(read)) {
    buffer_.resize(kLongestLine + kChunk);
}

bool LineReader::Next(std::string_view& bytesBeforeLf) {
    char* const data = buffer_.data();
    for (;;) {
        const void* lf = std::memchr(data + searched_, '\n', end_ - searched_);
        if (lf != nullptr) {
            const size_t at = static_cast<const char*>(lf) - data;
            const size_t lineEnd = std::min(at, begin_ + kLongestLine);
            bytesBeforeLf = std::string_view(data + begin_, lineEnd - begin_);
            lineHoldsNul_ = nul_ < lineEnd;
            begin_ = searched_ = at + 1;
            if (nul_ < begin_) {
                findNul();
            }
            // A long line's dropped bytes lie before the LF, so the next line's offset
            // counts back from the end of what was read.
            lineOffset_ = nextOffset_;
            nextOffset_ = total_ - static_cast<long long>(end_ - begin_);
            return true;
        }
        if (atEnd_) {
            return false;  // a last line without LF waits for its LF
        }
        // Room for the next chunk: the unfinished line moves to the front, at most
        // kLongestLine of it, as that is all of it that is handed on.
        const size_t kept = std::min(end_ - begin_, kLongestLine);
        std::memmove(data, data + begin_, kept);
        begin_ = 0;
        end_ = searched_ = kept;
        const long long got = read_(data + end_, static_cast<long long>(kChunk));
        if (got <= 0) {
            atEnd_ = true;  // a failing read ends the journal as its end does
        } else {
            end_ += static_cast<size_t>(got);
            total_ += got;
        }
        findNul();
    }
}

void LineReader::findNul() {
    const void* nul = std::memchr(buffer_.data() + begin_, '\0', end_ - begin_);
    nul_ = nul != nullptr ? static_cast<const char*>(nul) - buffer_.data() : end_;
}

void LineReader::Restart(long long offset) {
    begin_ = searched_ = end_ = nul_ = 0;
    atEnd_ = false;
    total_ = lineOffset_ = nextOffset_ = offset;
}

LineReader::Read ReadFrom(std::string_view bytes) {
    return [bytes](char* buffer, long long maxBytes) mutable -> long long {
        const size_t n = std::min(bytes.size(), static_cast<size_t>(maxBytes));
        if (n == 0) {
            return 0;  // an empty view may have no data pointer to copy from
        }
        std::memcpy(buffer, bytes.data(), n);
        bytes.remove_prefix(n);
        return static_cast<long long>(n);
    };
}

}  // namespace tallimer
