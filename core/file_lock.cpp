#include "core/file_lock.h"

#include <QFile>

#include <thread>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Whether `fd` is still the file under `name`: the last holder removes it,
// and a lock on a file no longer under its name guards nothing.
bool stillNamed(int fd, const QByteArray& name)
{
    struct stat locked {
    };
    struct stat named {
    };
    return fstat(fd, &locked) == 0 && stat(name.constData(), &named) == 0 &&
           locked.st_dev == named.st_dev && locked.st_ino == named.st_ino;
}

} // namespace

FileLock::FileLock(const QString& path, Mode mode, std::chrono::milliseconds wait) : m_path(path)
{
    const QByteArray name = QFile::encodeName(path);
    const auto until = std::chrono::steady_clock::now() + wait;
    const int operation = (mode == Mode::Shared ? LOCK_SH : LOCK_EX) | LOCK_NB;
    for (;;) {
        int fd = open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0) // another user's lock file, or read-only media: reading is enough to lock
            fd = open(name.constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return;
        if (flock(fd, operation) == 0) {
            if (stillNamed(fd, name)) {
                m_fd = fd;
                m_busy = false;
                return;
            }
        } else {
            m_busy = true;
            if (std::chrono::steady_clock::now() >= until) {
                close(fd);
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        close(fd);
    }
}

FileLock::~FileLock()
{
    release();
}

FileLock::FileLock(FileLock&& other) noexcept
    : m_path(std::move(other.m_path)), m_fd(std::exchange(other.m_fd, -1)), m_busy(other.m_busy)
{
}

FileLock& FileLock::operator=(FileLock&& other) noexcept
{
    if (this != &other) {
        release();
        m_path = std::move(other.m_path);
        m_fd = std::exchange(other.m_fd, -1);
        m_busy = other.m_busy;
    }
    return *this;
}

void FileLock::release()
{
    if (m_fd < 0)
        return;
    // Alone with it: nobody needs the file any more.
    if (flock(m_fd, LOCK_EX | LOCK_NB) == 0)
        unlink(QFile::encodeName(m_path).constData());
    close(m_fd);
    m_fd = -1;
}
