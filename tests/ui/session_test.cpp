// The session's lock and suspend over D-Bus, end to end: private dbus-daemons standing in for
// the system and session bus, a fake logind and screen saver on them, and the journal lines an
// absence leaves in automatic mode.

#include <fcntl.h>
#include <unistd.h>

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <QDialog>
#include <QDir>
#include <QMenu>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>

#include "platform/session_signals.h"
#include "platform/tray_host_watcher.h"
#include "window_fixture.h"

namespace tallimer::test {
namespace {

using platform::SessionSignals;
using platform::TrayHostWatcher;

// A dbus-daemon of the test's own, with any name owned and any message sent.
class PrivateBus {
  public:
    PrivateBus() {
        const QString config = dir_.path() + "/bus.conf";
        WriteHostFile(config,
                      "<busconfig><type>session</type><listen>unix:dir=" + dir_.path().toUtf8() +
                          "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                          "<allow send_destination=\"*\" eavesdrop=\"true\"/>"
                          "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy>"
                          "</busconfig>");
        daemon_.start("dbus-daemon", {"--config-file=" + config, "--nofork", "--print-address=1"});
        if (daemon_.waitForReadyRead(10000)) {
            address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
        }
    }
    ~PrivateBus() {
        daemon_.kill();
        daemon_.waitForFinished();
    }
    QString address() const { return address_; }
    QString missingAddress() const { return "unix:path=" + dir_.path() + "/none"; }

  private:
    QTemporaryDir dir_;
    QProcess daemon_;
    QString address_;
};

// Sends signals from a connection of its own, which may own a name first.
class Emitter {
  public:
    Emitter(const QString& address, const QString& name, const QString& service = {})
        : name_(name) {
        bus().connectToBus(address, name);
        if (!service.isEmpty()) {
            EXPECT_TRUE(bus().registerService(service));
        }
    }
    ~Emitter() { QDBusConnection::disconnectFromBus(name_); }
    QDBusConnection bus() const { return QDBusConnection(name_); }
    void emitSignal(const QString& path, const QString& interface, const QString& signal,
                    const QVariantList& arguments = {}) const {
        QDBusMessage message = QDBusMessage::createSignal(path, interface, signal);
        message.setArguments(arguments);
        EXPECT_TRUE(bus().send(message));
    }

  private:
    QString name_;
};

const QString kSessionPath = "/org/freedesktop/login1/session/c7";

// logind's manager: this process's session, and the delay lock on sleep as a pipe whose
// other end tells when the program let go of it.
class FakeLogind : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
  public:
    explicit FakeLogind(const QString& address)
        : emitter_(address, "fake-logind", "org.freedesktop.login1") {
        emitter_.bus().registerObject("/org/freedesktop/login1", this,
                                      QDBusConnection::ExportAllSlots);
    }
    ~FakeLogind() override {
        if (lockEnd_ >= 0) {
            close(lockEnd_);
        }
    }
    void prepareForSleep(bool start) const {
        emitter_.emitSignal("/org/freedesktop/login1", "org.freedesktop.login1.Manager",
                            "PrepareForSleep", {start});
    }
    void sessionSignal(const char* name) const {
        emitter_.emitSignal(kSessionPath, "org.freedesktop.login1.Session", name);
    }
    void lockedHint(bool locked) const {
        emitter_.emitSignal(
            kSessionPath, "org.freedesktop.DBus.Properties", "PropertiesChanged",
            {"org.freedesktop.login1.Session", QVariantMap{{"LockedHint", locked}}, QStringList()});
    }
    // Whether the last delay lock handed out is let go of by every holder.
    bool sleepLockReleased() const {
        char byte;
        return lockEnd_ >= 0 && read(lockEnd_, &byte, 1) == 0;
    }

  public slots:
    QDBusObjectPath GetSessionByPID(uint pid) {
        if (pid != uint(getpid())) {
            sendErrorReply("org.freedesktop.login1.NoSessionForPID", "no session");
        }
        return QDBusObjectPath(kSessionPath);
    }
    QDBusUnixFileDescriptor Inhibit(const QString& what, const QString&, const QString&,
                                    const QString& mode) {
        EXPECT_EQ(what + " " + mode, "sleep delay");
        int ends[2];
        EXPECT_EQ(pipe2(ends, O_CLOEXEC | O_NONBLOCK), 0);
        if (lockEnd_ >= 0) {
            close(lockEnd_);
        }
        lockEnd_ = ends[0];
        const QDBusUnixFileDescriptor held(ends[1]);  // a copy goes with the reply
        close(ends[1]);
        return held;
    }

  private:
    Emitter emitter_;
    int lockEnd_ = -1;
};

// A panel's StatusNotifierWatcher, with its host or without until one registers.
class FakeTrayWatcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered MEMBER host_)
  public:
    FakeTrayWatcher(const QString& address, bool host)
        : host_(host), emitter_(address, "fake-tray-watcher") {
        // The object first, so whoever sees the name can ask it.
        emitter_.bus().registerObject("/StatusNotifierWatcher", this,
                                      QDBusConnection::ExportAllProperties);
        EXPECT_TRUE(emitter_.bus().registerService("org.kde.StatusNotifierWatcher"));
    }
    void registerHost() {
        host_ = true;
        emitter_.emitSignal("/StatusNotifierWatcher", "org.kde.StatusNotifierWatcher",
                            "StatusNotifierHostRegistered");
    }

  private:
    bool host_;
    Emitter emitter_;
};

class SessionBuses : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        if (QStandardPaths::findExecutable("dbus-daemon").isEmpty()) {
            GTEST_SKIP() << "dbus-daemon is not installed";
        }
        system_ = std::make_unique<PrivateBus>();
        session_ = std::make_unique<PrivateBus>();
        ASSERT_FALSE(system_->address().isEmpty() || session_->address().isEmpty());
    }

    // Sets the clock to `at` on the fixture's day (or the next, "+1 hh:mm"), runs `emitIt` and
    // waits until the source tells `signal`.
    template <typename Signal>
    void tellAt(const QString& at, const std::function<void()>& emitIt, Signal signal) {
        const bool nextDay = at.startsWith("+1 ");
        platform::SetClock(
            QDateTime(QDate(2004, 1, nextDay ? 24 : 23), QTime::fromString(at.right(5), "hh:mm")));
        QSignalSpy told(source_, signal);
        emitIt();
        ASSERT_TRUE(told.wait(5000)) << at.toStdString();
    }

    // Attaches a source on the private buses and waits until it knows where locks come from.
    void attach() {
        auto source = std::make_unique<SessionSignals>(system_->address(), session_->address());
        source_ = source.get();
        QSignalSpy settled(source_, &SessionSignals::settled);
        window->attachSession(std::move(source));
        ASSERT_TRUE(settled.wait(5000));
    }

    std::unique_ptr<PrivateBus> system_;
    std::unique_ptr<PrivateBus> session_;
    SessionSignals* source_ = nullptr;
};

// The tray's host of a panel that starts after the program: told when its watcher comes with a
// host, or when a host registers with a watcher that came without one; once. Nothing without a
// bus. (The answer at once, a blocking call to a watcher in another process, is
// tray_dbus_test.sh's.)
TEST_F(SessionBuses, TheTrayHostWhenThePanelComesLater) {
    EXPECT_FALSE(TrayHostWatcher(session_->missingAddress()).hostRegistered());
    TrayHostWatcher early(session_->address());
    TrayHostWatcher later(session_->address());
    EXPECT_FALSE(early.hostRegistered());
    QSignalSpy earlyArrived(&early, &TrayHostWatcher::hostArrived);
    QSignalSpy laterArrived(&later, &TrayHostWatcher::hostArrived);
    {
        FakeTrayWatcher panel(session_->address(), false);
        panel.registerHost();
        ASSERT_TRUE(earlyArrived.wait(5000));
        EXPECT_TRUE(early.hostRegistered());
        ASSERT_TRUE(laterArrived.count() == 1 || laterArrived.wait(5000));
    }
    TrayHostWatcher last(session_->address());
    QSignalSpy lastArrived(&last, &TrayHostWatcher::hostArrived);
    const FakeTrayWatcher again(session_->address(), true);  // the panel restarted
    ASSERT_TRUE(lastArrived.wait(5000));
    EXPECT_EQ(earlyArrived.count(), 1);
}

// In automatic mode: a short lock records nothing; a lock, a suspend, a resume while still
// locked and an unlock past midnight are one absence, stopped on the old date at the lock and
// started at the unlock; ending the program during a long lock stops at the lock.
TEST_F(SessionBuses, LogindLockAndSuspendStopAndStartTheDayInAutomaticMode) {
    FakeLogind logind(system_->address());
    store.settings.automaticMode = 1;
    start();
    ASSERT_NO_FATAL_FAILURE(attach());
    EXPECT_EQ(source_->lockSource(), SessionSignals::LockSource::Logind);
    ASSERT_TRUE(QTest::qWaitFor([this] { return source_->holdsSleepLock(); }));
    const std::string started = kHeader + "2004/01/23 13:00\t\r\n";
    ASSERT_EQ(journal(), started);

    tellAt(
        "13:10", [&] { logind.sessionSignal("Lock"); }, &SessionSignals::locked);
    tellAt(
        "13:14", [&] { logind.sessionSignal("Unlock"); }, &SessionSignals::unlocked);
    EXPECT_EQ(journal(), started);

    tellAt(
        "23:50", [&] { logind.lockedHint(true); }, &SessionSignals::locked);
    tellAt(
        "23:51", [&] { logind.prepareForSleep(true); }, &SessionSignals::sleeping);
    // Told before the computer sleeps, the program lets it sleep.
    EXPECT_FALSE(source_->holdsSleepLock());
    EXPECT_TRUE(QTest::qWaitFor([&] { return logind.sleepLockReleased(); }));
    tellAt(
        "+1 00:15", [&] { logind.prepareForSleep(false); }, &SessionSignals::resumed);
    EXPECT_EQ(journal(), started);  // still locked
    tellAt(
        "+1 00:20", [&] { logind.lockedHint(false); }, &SessionSignals::unlocked);
    const std::string back = started + "2004/01/23\t23:50\t\r\n2004/01/24 00:20\t\r\n";
    EXPECT_EQ(journal(), back);
    EXPECT_EQ(window->entryPanel()->selectedDate(), QDate(2004, 1, 24));
    EXPECT_EQ(window->entryPanel()->status()->text(), "Stop:");
    EXPECT_TRUE(QTest::qWaitFor([this] { return source_->holdsSleepLock(); }));  // taken again

    tellAt(
        "+1 01:00", [&] { logind.sessionSignal("Lock"); }, &SessionSignals::locked);
    platform::SetClock(QDateTime(QDate(2004, 1, 24), QTime(1, 30)));
    quit();
    EXPECT_EQ(journal(), back + "2004/01/24\t01:00\t\r\n");
    EXPECT_TRUE(messages.empty());
}

// A long lock that ends while a dialog is open: nothing is written under the dialog, which
// could overwrite it; the Stop and the Start follow as soon as it has closed.
TEST_F(SessionBuses, AnAbsenceEndingUnderADialogIsRecordedWhenItCloses) {
    FakeLogind logind(system_->address());
    store.settings.automaticMode = 1;
    start();
    ASSERT_NO_FATAL_FAILURE(attach());
    const std::string started = kHeader + "2004/01/23 13:00\t\r\n";
    ASSERT_EQ(journal(), started);
    {
        QDialog dialog(window.get());
        dialog.setWindowModality(Qt::WindowModal);
        dialog.show();
        ASSERT_EQ(QApplication::activeModalWidget(), &dialog);
        tellAt(
            "13:10", [&] { logind.sessionSignal("Lock"); }, &SessionSignals::locked);
        tellAt(
            "14:00", [&] { logind.sessionSignal("Unlock"); }, &SessionSignals::unlocked);
        QCoreApplication::processEvents();
        EXPECT_EQ(journal(), started);
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return journal() != started; }));
    EXPECT_EQ(journal(), started + "2004/01/23\t13:10\t\r\n2004/01/23 14:00\t\r\n");
    EXPECT_TRUE(messages.empty());
}

// Without logind the screen saver tells the lock, at either of its paths and once; without
// any bus nothing is told and nothing waits.
TEST_F(SessionBuses, TheScreenSaverWithoutLogindAndNoBusesAtAll) {
    SessionSignals source(system_->address(), session_->address());
    QSignalSpy settled(&source, &SessionSignals::settled);
    ASSERT_TRUE(settled.wait(5000));
    EXPECT_EQ(source.lockSource(), SessionSignals::LockSource::ScreenSaver);
    EXPECT_FALSE(source.holdsSleepLock());

    const Emitter saver(session_->address(), "fake-screensaver", "org.freedesktop.ScreenSaver");
    const auto active = [&saver](const char* path, bool on) {
        saver.emitSignal(path, "org.freedesktop.ScreenSaver", "ActiveChanged", {on});
    };
    QSignalSpy locked(&source, &SessionSignals::locked);
    QSignalSpy unlocked(&source, &SessionSignals::unlocked);
    platform::SetClock(QDateTime(QDate(2004, 1, 23), QTime(14, 0)));
    active("/org/freedesktop/ScreenSaver", true);
    ASSERT_TRUE(locked.wait(5000));
    active("/ScreenSaver", true);
    platform::SetClock(QDateTime(QDate(2004, 1, 23), QTime(14, 30)));
    active("/ScreenSaver", false);
    ASSERT_TRUE(unlocked.wait(5000));
    EXPECT_EQ(locked.size(), 1);
    EXPECT_EQ(locked[0][0].toDateTime().time(), QTime(14, 0));
    EXPECT_EQ(unlocked[0][0].toDateTime().time(), QTime(14, 30));

    SessionSignals none(system_->missingAddress(), session_->missingAddress());
    QSignalSpy noneSettled(&none, &SessionSignals::settled);
    ASSERT_TRUE(noneSettled.wait(5000));
    EXPECT_EQ(none.lockSource(), SessionSignals::LockSource::None);
}

// The switches in the menus: the autostart entry written and removed, shown as it is when a menu
// opens, a failure told and nothing changed; "Stop while the screen is locked" in desktop.ini.
TEST_F(WindowTest, SessionSwitchesInTheMenus) {
    QTemporaryDir config;
    const QByteArray previousConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    const QString entry = config.path() + "/autostart/org.tallimer.Tallimer.desktop";
    start();
    QAction* startWithSession = window->action(IDM_START_WITH_SESSION);
    QAction* stopWhileLocked = window->action(IDM_STOP_WHILE_LOCKED);
    EXPECT_FALSE(startWithSession->isChecked());
    EXPECT_TRUE(stopWhileLocked->isChecked());

    startWithSession->trigger();
    EXPECT_TRUE(startWithSession->isChecked());
    EXPECT_TRUE(ReadHostFile(entry).contains("\nExec=env TALLIMER_HOME=" + home().toUtf8() + " " +
                                             QCoreApplication::applicationFilePath().toUtf8()));
    stopWhileLocked->trigger();
    EXPECT_EQ(ReadHostFile(home() + "/desktop.ini"),
              "[Session]\nStartWithSession=true\nStopWhileLocked=false\n");

    ASSERT_TRUE(QFile::remove(entry));  // by hand
    QMenu menu;
    menu.addActions(window->actions());
    menu.popup(QPoint(0, 0));
    EXPECT_FALSE(startWithSession->isChecked());
    menu.hide();

    ASSERT_TRUE(QDir(config.path()).rmdir("autostart"));
    WriteHostFile(config.path() + "/autostart", "");
    startWithSession->trigger();
    EXPECT_FALSE(startWithSession->isChecked());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].startsWith("Not changed!\n" + entry + ": "))
        << messages[0].toStdString();
    EXPECT_TRUE(ReadHostFile(home() + "/desktop.ini").contains("StartWithSession=true"));
    qputenv("XDG_CONFIG_HOME", previousConfig);
}

}  // namespace
}  // namespace tallimer::test

#include "session_test.moc"
