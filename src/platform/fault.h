#pragma once

namespace tallimer::platform {

// A seam for tests: makes one step of the file layer fail, so every failure path of the
// journal operations can be driven without a real broken disk.
enum class FileStep {
    Open,  // the open(2) of any File factory
    Lock,  // taking the lock
    Read,
    Write,  // fails after writing half of the bytes, like a full disk
    Seek,
    Truncate,
    Flush,
    Close,
    Delete,
    Rename,
    Attributes,  // giving a replacement its target's mode and owner
};
constexpr int kFileStepCount = 11;

// The (skip + 1)-th call of `step` from now on fails; later calls succeed again.
void FailStep(FileStep step, int skip = 0);
void ClearFaults();

// Used by the file layer: whether this call of `step` is to fail.
bool StepFails(FileStep step);

}  // namespace tallimer::platform
