#include "ui/journal_watcher.h"

#include <QFileInfo>

namespace tallimer {

JournalWatcher::JournalWatcher(QObject* parent) : QObject(parent) {
    coalesce_.setSingleShot(true);
    coalesce_.setInterval(kCoalesceMs);
    connect(&coalesce_, &QTimer::timeout, this, [this] {
        if (pending_) {
            pending_ = false;
            check();
            coalesce_.start();
        }
    });
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &JournalWatcher::onSignal);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &JournalWatcher::onSignal);
}

void JournalWatcher::acknowledge(const QString& hostPath) {
    known_ = platform::IdentifyHostFile(hostPath);
    if (hostPath != path_ || (known_.exists && !watcher_.files().contains(path_))) {
        path_ = hostPath;
        arm();
    }
}

bool JournalWatcher::hasUnseenChange() const {
    return !path_.isEmpty() && platform::IdentifyHostFile(path_) != known_;
}

// Watches the file anew (after a rename-over the old watch follows the replaced file) and the
// nearest folder on its way that exists, so a file or folder that appears later is seen.
void JournalWatcher::arm() {
    const QStringList watched = watcher_.files() + watcher_.directories();
    if (!watched.isEmpty()) {
        watcher_.removePaths(watched);
    }
    if (path_.isEmpty()) {
        return;
    }
    if (QFileInfo::exists(path_)) {
        watcher_.addPath(path_);
    }
    QString folder = QFileInfo(path_).absolutePath();
    while (!QFileInfo(folder).isDir()) {
        const QString parent = QFileInfo(folder).absolutePath();
        if (parent == folder) {
            return;
        }
        folder = parent;
    }
    watcher_.addPath(folder);
}

void JournalWatcher::onSignal() {
    if (coalesce_.isActive()) {
        pending_ = true;
        return;
    }
    check();
    coalesce_.start();
}

void JournalWatcher::check() {
    arm();
    const platform::FileIdentity now = platform::IdentifyHostFile(path_);
    if (now == known_) {
        return;  // the program's own write, or a neighbour's file in the folder
    }
    known_ = now;
    emit changedOutside();
}

}  // namespace tallimer
