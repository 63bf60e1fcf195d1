#pragma once

#include <QString>
#include <string>

namespace tallimer::platform {

// The program keeps files of its own beside the journal and in the device folder (the
// intent, undo's record and copy, lock files, desktop.ini, temporaries). Anyone with write
// access to the folder can put something else under their names, a synced folder brings
// in whatever another computer put there. So they are only used as regular files with one
// link that belong to this user, opened without following a link and without waiting; and
// what is found in their place instead is removed, unfollowed, where it may be.

enum class OwnRead { Read, Missing, Foreign, Failed };

// Reads an own file of at most `limit` bytes whole into `out`. Foreign and Failed leave the
// reason in errno.
OwnRead ReadOwnFile(const QString& hostPath, long long limit, std::string& out);

// Why what stands under an own file's name is not one of the program's files (errno or one of
// the program's reasons of diagnostics.h); 0 when the name is free or holds one.
int ForeignReason(const QString& hostPath);

// Removes what stands under an own file's name without following it (a link, a FIFO, a
// socket, an empty folder, a file of another user or with other links) and writes one line
// "operation: path: reason; removed" (or why it could not be). True when the name is free.
bool RemoveForeign(const char* operation, const QString& hostPath, int reason);

// Before a QLockFile is taken at `lockPath`: a lock file that is not a regular file of ours,
// or whose content is no lock's, is removed so that the lock never waits for it or follows
// it. With `holderMayLeave`, a lock of a live holder that is still there after about a
// second is removed too: it guards a write of milliseconds. False when something foreign is
// left that could not be removed (reported).
bool ClearForeignLock(const char* operation, const QString& lockPath, bool holderMayLeave);

}  // namespace tallimer::platform
