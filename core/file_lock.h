#pragma once

#include <QString>

#include <chrono>

// An advisory lock (flock) on a small file of ours. Every toko holds the one
// beside its database shared for as long as the database is open; a restore
// takes it alone before it swaps the file, and so learns of any other toko
// using the file, in whatever journal mode. The file is made when missing and
// removed again by the last holder.
class FileLock final
{
public:
    enum class Mode { Shared, Alone };

    FileLock() = default;
    // Takes the lock, trying again until `wait` has passed while another
    // holds it the other way.
    FileLock(const QString& path, Mode mode, std::chrono::milliseconds wait = {});
    ~FileLock();
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;

    bool held() const { return m_fd >= 0; }
    // Not taken because another holder was in the way (else the file could
    // not be made or opened, as on read-only media).
    bool busy() const { return m_busy; }
    // Gives the lock up; the file goes when nobody else holds it.
    void release();

private:
    QString m_path;
    int m_fd = -1;
    bool m_busy = false;
};
