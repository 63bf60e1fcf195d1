// Remove's copy over arbitrary journal bytes, checked against a model: the output is the
// input less exactly the selected day's complete lines.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "journal/kept_lines.h"
#include "operations/remove_day_entries.h"

using namespace tallimer;

namespace {

// The first 10 bytes of complete line `n` (its LF not counted), or nothing when it is shorter
// or missing.
std::string_view KeyFromLine(std::string_view journal, int n) {
    size_t start = 0;
    for (int i = 0; i < n; ++i) {
        const size_t lf = journal.find('\n', start);
        if (lf == std::string_view::npos) {
            return {};
        }
        start = lf + 1;
    }
    const size_t lf = journal.find('\n', start);
    if (lf == std::string_view::npos || lf - start < 10) {
        return {};
    }
    // A date key is the text of a date: it never holds a NUL byte.
    const std::string_view key = journal.substr(start, 10);
    return key.find('\0') == std::string_view::npos ? key : std::string_view{};
}

// A complete line ends in LF; its text is the bytes before the LF less the last one, ending at
// a NUL. It goes when that text begins with the key; everything else stays byte for byte.
std::string Kept(std::string_view journal, std::string_view key) {
    std::string kept;
    size_t start = 0;
    while (start < journal.size()) {
        const size_t lf = journal.find('\n', start);
        if (lf == std::string_view::npos) {
            kept.append(journal.substr(start));
            break;
        }
        const std::string_view line = journal.substr(start, lf + 1 - start);
        std::string_view text = line.substr(0, line.size() - 1);
        if (!text.empty()) {
            text.remove_suffix(1);
        }
        text = text.substr(0, text.find('\0'));
        const bool selected = text.size() >= key.size() && text.compare(0, key.size(), key) == 0;
        if (!selected) {
            kept.append(line);
        }
        start = lf + 1;
    }
    return kept;
}

void CheckKey(std::string_view journal, std::string_view key) {
    // Appends: what the output held before stays in front.
    const std::string before = "kept before\n";
    std::string out = before;
    AppendKeptLines(journal, key, out);
    const std::string expected = before + Kept(journal, key);
    // Fed in pieces of changing sizes, as Remove reads the journal: the same bytes.
    KeptLines pieces(key);
    std::string streamed = before;
    for (size_t at = 0, piece = 1; at < journal.size(); at += piece, piece = piece % 13 + 1) {
        pieces.Feed(journal.substr(at, piece), streamed);
    }
    pieces.Finish(streamed);
    if (pieces.DroppedTailStart() >= 0) {
        streamed.append(journal.substr(size_t(pieces.DroppedTailStart())));
    }
    if (out != expected || streamed != expected) {
        std::fprintf(stderr,
                     "kept lines differ for key of %zu bytes: got %zu and %zu bytes, want %zu\n",
                     key.size(), out.size(), streamed.size(), expected.size());
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view journal(reinterpret_cast<const char*>(data), size);
    CheckKey(journal, "2004/01/23");
    // Keys taken from the journal, so that its own lines are selected: the header's place
    // and the first entry's.
    for (const int n : {0, 1}) {
        if (const std::string_view key = KeyFromLine(journal, n); !key.empty()) {
            CheckKey(journal, key);
        }
    }
    return 0;
}
