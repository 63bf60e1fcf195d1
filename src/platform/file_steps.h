#pragma once

#include <QByteArray>

// Steps shared by the file layer's sources; not for use above the platform layer.

namespace tallimer::platform {

// Closes without consulting the fault seam: for clean-up paths, whose result nobody uses.
void CloseQuietly(int fd);

// Opens an existing path (a native path) with `flags`; -1 with errno on anything but a regular
// file, and for writing on a file without any write permission. Never blocks on a FIFO.
int OpenRegular(const QByteArray& path, int flags);

// Makes a descriptor opened non-blocking (so that a FIFO cannot hang the open) block again,
// once it is known to be a file to read; 0, or the errno of the failure.
int EndNonBlocking(int fd);

// Takes the file's lock: exclusive for a writer, shared for a reader. A writer that meets
// readers, or a reader that meets a writer, waits for them up to about a second; a writer
// that meets a writer fails at once.
bool TakeLock(int fd, bool exclusive);

}  // namespace tallimer::platform
