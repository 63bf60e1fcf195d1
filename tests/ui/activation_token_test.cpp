#include "ui/activation_token.h"

#include <gtest/gtest.h>

#include <QByteArray>

namespace tallimer {
namespace {

// The environment variables a launcher sets, cleared around each test.
class ActivationTokenTest : public ::testing::Test {
  protected:
    void SetUp() override { TearDown(); }
    void TearDown() override {
        qunsetenv("XDG_ACTIVATION_TOKEN");
        qunsetenv("DESKTOP_STARTUP_ID");
    }
};

// The request reaches the running instance from anyone who can reach its socket: a token is
// printable ASCII of bounded length, and a request that still asks to come to the front keeps
// doing so without one that is not.
TEST_F(ActivationTokenTest, RequestsCarryOnlyTokensThatAreTokens) {
    const QByteArray longest(kMaxActivationToken, 'a');
    for (const QByteArray& token :
         {QByteArray("0b5c7e0f-3a41"), QByteArray("kwin-4 _TIME12"), QByteArray("~!"), longest}) {
        const QByteArray request = RaiseRequest(token);
        EXPECT_LE(request.size(), kMaxRaiseRequest);
        EXPECT_EQ(ParseRaiseRequest(request), token);
    }
    for (const QByteArray& junk :
         {QByteArray(), longest + 'a', QByteArray("a\tb"), QByteArray("a\nb"),
          QByteArray("\xc3\xa4"), QByteArray("\x7f"), QByteArray("a\0b", 3)}) {
        EXPECT_FALSE(IsActivationToken(junk)) << junk.toHex().data();
        EXPECT_EQ(RaiseRequest(junk), "raise\n");
        EXPECT_EQ(ParseRaiseRequest("raise\ntoken " + junk + '\n'), QByteArray());
    }
}

// An older instance compares the first line with "raise" alone; an older start sends that line
// alone. A malformed token line still brings the window to the front, without a token.
TEST_F(ActivationTokenTest, TheFirstLineAsksAsBefore) {
    EXPECT_EQ(RaiseRequest({}), "raise\n");
    EXPECT_TRUE(RaiseRequest("t1").startsWith("raise\n"));
    EXPECT_EQ(ParseRaiseRequest("raise\n"), QByteArray());
    EXPECT_EQ(ParseRaiseRequest("raise\ntoken t1"), QByteArray());
    EXPECT_EQ(ParseRaiseRequest("raise\ntoken t1\ntoken t2\n"), QByteArray());
    EXPECT_EQ(ParseRaiseRequest("raise\nTOKEN t1\n"), QByteArray());
    for (const QByteArray& other :
         {QByteArray(), QByteArray("raise"), QByteArray("raise t1\n"), QByteArray("Raise\n"),
          QByteArray("token t1\nraise\n"), QByteArray("days 2026/12/24\n")}) {
        EXPECT_EQ(ParseRaiseRequest(other), std::nullopt) << other.data();
    }
}

// The launcher's token: Wayland's variable first, X11's startup id (launchers set both to the
// token) after it; one that is no token counts as none.
TEST_F(ActivationTokenTest, TheLaunchTokenComesFromTheEnvironment) {
    EXPECT_EQ(LaunchActivationToken(), QByteArray());
    qputenv("DESKTOP_STARTUP_ID", "startup_TIME1");
    EXPECT_EQ(LaunchActivationToken(), "startup_TIME1");
    qputenv("XDG_ACTIVATION_TOKEN", "wayland-token");
    EXPECT_EQ(LaunchActivationToken(), "wayland-token");
    qputenv("XDG_ACTIVATION_TOKEN", "bad\x01");
    EXPECT_EQ(LaunchActivationToken(), "startup_TIME1");
    qputenv("DESKTOP_STARTUP_ID", QByteArray(kMaxActivationToken + 1, 'x'));
    EXPECT_EQ(LaunchActivationToken(), QByteArray());
}

// Qt's Wayland platform reads the token from the environment as the window is activated; it
// must be there then and gone after, so no later activation offers a spent one. Without a token
// (a tray click) the environment stays as it is.
TEST_F(ActivationTokenTest, TheTokenIsThereWhileTheWindowIsActivated) {
    QByteArray seen;
    ActivateWithToken("t1", [&seen] { seen = qgetenv("XDG_ACTIVATION_TOKEN"); });
    EXPECT_EQ(seen, "t1");
    EXPECT_FALSE(qEnvironmentVariableIsSet("XDG_ACTIVATION_TOKEN"));

    qputenv("XDG_ACTIVATION_TOKEN", "from-the-tray");
    int activated = 0;
    ActivateWithToken({}, [&activated] { ++activated; });
    ActivateWithToken("bad\n", [&activated] { ++activated; });
    EXPECT_EQ(activated, 2);
    EXPECT_EQ(qgetenv("XDG_ACTIVATION_TOKEN"), "from-the-tray");
}

}  // namespace
}  // namespace tallimer
