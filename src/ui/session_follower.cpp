#include "ui/session_follower.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMenu>

#include "operations/autostart_entry.h"
#include "operations/desktop_preferences_store.h"
#include "platform/session_signals.h"
#include "resources/string_table.h"
#include "ui/commands.h"
#include "ui/message_box.h"
#include "ui/window_actions.h"

namespace tallimer {

SessionFollower::SessionFollower(WindowActions& actions, const DesktopPreferences& preferences,
                                 Window window, QObject* parent)
    : QObject(parent), actions_(actions), window_(std::move(window)), preferences_(preferences) {
    actions_.bind(IDM_START_WITH_SESSION, [this] { switchStartWithSession(); });
    actions_.bind(IDM_STOP_WHILE_LOCKED, [this] { switchStopWhileLocked(); });
    showSwitches();
    qApp->installEventFilter(this);
}

SessionFollower::~SessionFollower() = default;

void SessionFollower::follow(std::unique_ptr<platform::SessionSignals> source) {
    source_ = std::move(source);
    using platform::SessionSignals;
    connect(source_.get(), &SessionSignals::locked, this,
            [this](const QDateTime& at) { absence_.lock(at, window_.periodOpenOn(at.date())); });
    connect(source_.get(), &SessionSignals::sleeping, this,
            [this](const QDateTime& at) { absence_.sleep(at, window_.periodOpenOn(at.date())); });
    connect(source_.get(), &SessionSignals::unlocked, this,
            [this](const QDateTime& at) { told(absence_.unlock(at, rules())); });
    connect(source_.get(), &SessionSignals::resumed, this,
            [this](const QDateTime& at) { told(absence_.resume(at, rules())); });
}

std::optional<QDateTime> SessionFollower::stopAtEnd(const QDateTime& now) const {
    return absence_.stopAtEnd(now, rules());
}

AbsenceRules SessionFollower::rules() const {
    return {window_.automaticMode() && preferences_.stopWhileLocked,
            int64_t{preferences_.absenceMinutes} * 60};
}

void SessionFollower::told(const AbsenceRecords& records) {
    if (records.stopAt || records.startAtReturn) {
        window_.record(records);
    }
}

void SessionFollower::switchStartWithSession() {
    const bool on = actions_.action(IDM_START_WITH_SESSION)->isChecked();
    QString failure;
    bool done = SaveSessionSwitch(SessionSwitch::StartWithSession, on, failure);
    if (done && !SetAutostartEntry(on, QCoreApplication::applicationFilePath(), failure)) {
        QString ignored;  // told already
        SaveSessionSwitch(SessionSwitch::StartWithSession, preferences_.startWithSession, ignored);
        done = false;
    }
    if (done) {
        preferences_.startWithSession = on;
    } else {
        ShowMessage(window_.owner, LoadString(StringId::SessionSwitchNotChanged).arg(failure),
                    MessageIcon::Stop);
    }
    showSwitches();
}

void SessionFollower::switchStopWhileLocked() {
    const bool on = actions_.action(IDM_STOP_WHILE_LOCKED)->isChecked();
    QString failure;
    if (SaveSessionSwitch(SessionSwitch::StopWhileLocked, on, failure)) {
        preferences_.stopWhileLocked = on;
    } else {
        ShowMessage(window_.owner, LoadString(StringId::SessionSwitchNotChanged).arg(failure),
                    MessageIcon::Stop);
    }
    showSwitches();
}

void SessionFollower::showSwitches() {
    actions_.action(IDM_START_WITH_SESSION)->setChecked(AutostartEntryExists());
    actions_.action(IDM_STOP_WHILE_LOCKED)->setChecked(preferences_.stopWhileLocked);
}

bool SessionFollower::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show) {
        const auto* menu = qobject_cast<QMenu*>(watched);
        if (menu != nullptr && menu->actions().contains(actions_.action(IDM_START_WITH_SESSION))) {
            showSwitches();
        }
    }
    return false;
}

}  // namespace tallimer
