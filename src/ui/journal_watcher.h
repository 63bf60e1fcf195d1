#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include "platform/file_identity.h"

namespace tallimer {

// Tells when another program (an editor, a sync tool) changed the journal. It watches the file
// and its folder, so an editor's rename-over or a file that vanishes and comes back is seen
// too. The program's own writes are told apart by the file's identity (inode, size, times): the
// window acknowledges the file as it is whenever it scans it, and only a file that differs from
// the acknowledged one counts as changed. Changes are coalesced: the first is reported at once,
// then at most one report per kCoalesceMs.
class JournalWatcher : public QObject {
    Q_OBJECT
  public:
    static constexpr int kCoalesceMs = 200;

    explicit JournalWatcher(QObject* parent = nullptr);

    // Watches `hostPath` from now on (a new path after Setup) and takes the file as it is now
    // as known: the caller is about to read it, or has just written it.
    void acknowledge(const QString& hostPath);
    const QString& path() const { return path_; }
    // Whether the file differs from the acknowledged one: a change not reported yet.
    bool hasUnseenChange() const;

  signals:
    void changedOutside();

  private:
    void arm();
    void onSignal();
    void check();

    QString path_;
    platform::FileIdentity known_;
    QFileSystemWatcher watcher_;
    QTimer coalesce_;
    bool pending_ = false;
};

}  // namespace tallimer
