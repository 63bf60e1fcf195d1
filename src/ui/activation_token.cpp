#include "ui/activation_token.h"

#include <QtGlobal>
#include <algorithm>

namespace tallimer {

namespace {
constexpr char kActivationVariable[] = "XDG_ACTIVATION_TOKEN";
constexpr char kStartupIdVariable[] = "DESKTOP_STARTUP_ID";
const QByteArray kRaiseLine = QByteArrayLiteral("raise\n");
const QByteArray kTokenPrefix = QByteArrayLiteral("token ");
}  // namespace

bool IsActivationToken(QByteArrayView token) {
    return !token.isEmpty() && token.size() <= kMaxActivationToken &&
           std::all_of(token.begin(), token.end(), [](char c) { return c >= ' ' && c <= '~'; });
}

QByteArray LaunchActivationToken() {
    for (const char* name : {kActivationVariable, kStartupIdVariable}) {
        QByteArray token = qgetenv(name);
        if (IsActivationToken(token)) {
            return token;
        }
    }
    return {};
}

QByteArray RaiseRequest(QByteArrayView token) {
    if (!IsActivationToken(token)) {
        return kRaiseLine;
    }
    return kRaiseLine + kTokenPrefix + token.toByteArray() + '\n';
}

std::optional<QByteArray> ParseRaiseRequest(QByteArrayView request) {
    if (!request.startsWith(kRaiseLine)) {
        return std::nullopt;
    }
    // The first line asks, as an older start's request does; a token is taken only from a
    // second line of its own with nothing after it.
    QByteArrayView rest = request.sliced(kRaiseLine.size());
    if (!rest.startsWith(kTokenPrefix) || !rest.endsWith('\n')) {
        return QByteArray();
    }
    rest = rest.sliced(kTokenPrefix.size()).chopped(1);
    return IsActivationToken(rest) ? rest.toByteArray() : QByteArray();
}

void ActivateWithToken(QByteArrayView token, const std::function<void()>& activate) {
    if (!IsActivationToken(token)) {
        activate();
        return;
    }
    qputenv(kActivationVariable, token.toByteArray());
    activate();
    // Qt clears it once it has used it, but not where the compositor takes no tokens.
    qunsetenv(kActivationVariable);
}

}  // namespace tallimer
