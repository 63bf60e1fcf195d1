#include "journal/journal_mark.h"

#include <QCryptographicHash>
#include <algorithm>

namespace tallimer {

JournalMark MarkOf(std::string_view end, long long length) {
    end = end.substr(end.size() - std::min<size_t>(end.size(), size_t(kMarkWindow)));
    return {length, QCryptographicHash::hash(QByteArrayView(end.data(), qsizetype(end.size())),
                                             QCryptographicHash::Sha256)};
}

void RunningMark::Add(std::string_view piece) {
    length_ += static_cast<long long>(piece.size());
    tail_.append(piece.substr(piece.size() - std::min<size_t>(piece.size(), kMarkWindow)));
    // Trimmed now and then rather than on every piece, so small pieces cost no move each.
    if (tail_.size() > 2 * size_t(kMarkWindow)) {
        tail_.erase(0, tail_.size() - size_t(kMarkWindow));
    }
}

}  // namespace tallimer
