#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <functional>
#include <optional>

namespace tallimer {

// A window may take the focus on Wayland only with an activation token that the compositor
// gave the launcher. A second start has the token of its own launch; it hands it to the running
// instance with the request to come to the front, and that one activates its window with it.

// A token as the running instance accepts one: at most kMaxActivationToken characters of
// printable ASCII. The request comes from anyone who can reach the socket.
constexpr qsizetype kMaxActivationToken = 256;
bool IsActivationToken(QByteArrayView token);

// The token the launcher gave this start: XDG_ACTIVATION_TOKEN, else the startup id of X11
// (DESKTOP_STARTUP_ID, which launchers also set to the token); empty when neither is one.
QByteArray LaunchActivationToken();

// The request to come to the front: the line "raise", then a line "token TOKEN" when there is
// one. The running instance reads it to the asker's hang-up; an older one, which knows only the
// first line, still raises its window.
QByteArray RaiseRequest(QByteArrayView token);
// The longest request to come to the front.
constexpr qsizetype kMaxRaiseRequest = 16 + kMaxActivationToken;
// The token a request asks with (empty for none, or for one that is not a token: the window
// still comes to the front as far as the desktop lets it); nullopt when the request is none to
// come to the front.
std::optional<QByteArray> ParseRaiseRequest(QByteArrayView request);

// Runs `activate` with `token` in XDG_ACTIVATION_TOKEN, where Qt's Wayland platform takes it
// from as it activates a window; gone afterwards, so no later activation offers a spent one.
// Without a token the environment is left as it is.
void ActivateWithToken(QByteArrayView token, const std::function<void()>& activate);

}  // namespace tallimer
