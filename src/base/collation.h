#pragma once

#include <QStringView>

namespace tallimer {

// The order of sorted lists and trees: character by character by Unicode value after
// lower-casing, so a blank sorts before digits and digits before letters. Negative, zero or
// positive like strcmp; callers keep equal texts in the order they were added.
int CompareCollated(QStringView a, QStringView b);

}  // namespace tallimer
