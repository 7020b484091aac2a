// Who is behind a ports-directory entry.  A program that publishes "com<N>" holds an exclusive
// lock on "com<N>.lock" beside it, with the entry's target written in it, for as long as it
// serves the line.  A publisher killed without cleaning up leaves its entry behind, possibly
// pointing at a pseudo-terminal that a later line reuses; such an entry is recognised by its
// lock file: nobody holds the lock and the file still names the entry's target.
#pragma once

#include <string>

namespace tarsel::platform {

// The lock of one published entry (RAII; released and removed by the destructor).
class PortEntryLock {
public:
    PortEntryLock() = default;
    ~PortEntryLock() { Release(); }
    PortEntryLock(const PortEntryLock&) = delete;
    PortEntryLock& operator=(const PortEntryLock&) = delete;
    PortEntryLock& operator=(PortEntryLock&& other) noexcept;

    // Takes the lock beside `entryPath` and records `target`.  False when another live
    // publisher holds it or the file cannot be written.
    bool Acquire(const std::string& entryPath, const std::string& target);
    void Release();
    bool Held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
    std::string path_;
};

std::string PortEntryLockPath(const std::string& entryPath);

// True when the entry was left behind by a publisher that is gone (see above).  Entries without
// a lock file (links made by hand) are never stale.
bool IsStalePortEntry(const std::string& entryPath);

}  // namespace tarsel::platform
