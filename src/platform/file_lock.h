// A file kept for one program at a time: a non-blocking advisory lock on the file, held while the
// lock object lives (the simulated chip's state file, read at the start of a run and written back
// at its end). Another program asking for the same file meanwhile is told at once that it is in
// use, instead of both keeping their own changes and the later one winning.
// Implementations: file_lock_posix.cpp (flock), file_lock_windows.cpp (LockFileEx).
#pragma once

#include <memory>
#include <string>

namespace corvane::platform {

class FileLock {
 public:
  virtual ~FileLock() = default;
};

struct LockResult {
  std::unique_ptr<FileLock> lock;  // null when the file could not be locked
  bool created = false;            // the file did not exist: it was created empty to be locked
  bool in_use = false;             // another program holds it
  std::string reason;              // why not: kInUse or the system's words
};

// Locks the file at `name` (a symbolic link is followed) without waiting, creating it empty when
// it does not exist. The lock stays with the file that was at `name` when it was taken; a file
// put in its place by a rename is locked again by whoever opens it next, so a run replaces its
// state file only at its very end.
LockResult Lock_File(const std::string& name);

}  // namespace corvane::platform
