#include "journal/kept_lines.h"

#include <cstring>

#include "journal/journal_line.h"

namespace tallimer {

void AppendKeptLines(std::string_view journal, std::string_view dateKey, std::string& out) {
    size_t start = 0;
    while (start < journal.size()) {
        const void* lf = std::memchr(journal.data() + start, '\n', journal.size() - start);
        if (lf == nullptr) {
            // A last line without LF was never an entry of any day; keep it as it is.
            out.append(journal.substr(start));
            return;
        }
        const size_t end = static_cast<const char*>(lf) - journal.data();
        const std::string_view line = journal.substr(start, end - start);
        if (!StartsWith(CutLine(line), dateKey)) {
            out.append(line);
            out.push_back('\n');
        }
        start = end + 1;
    }
}

}  // namespace tallimer
