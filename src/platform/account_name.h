#pragma once

#include <QString>

namespace tallimer::platform {

// The user's full name as the account gives it (the GECOS field up to its first comma), else
// the login name; empty when the account has neither.
QString AccountName();

}  // namespace tallimer::platform
