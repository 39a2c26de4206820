#include "logic/line_printer.h"

#include "core/config_files.h"

#include <QElapsedTimer>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace lineprinter {

QString devicePath(const QDir& shopFolder)
{
    const QString fromEnvironment = qEnvironmentVariable("TOKO_LINE_PRINTER").trimmed();
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return config::lastLine(shopFolder.filePath(QStringLiteral("line_printer.txt"))).trimmed();
}

Outcome<> write(const QString& device, const QStringList& lines, int timeoutMs)
{
    QByteArray text;
    for (const QString& line : lines)
        text += line.toLocal8Bit() + "\r\n";
    const int fd =
        ::open(device.toLocal8Bit().constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_APPEND);
    if (fd < 0)
        return Failure{QString::fromLocal8Bit(std::strerror(errno))};
    QElapsedTimer clock;
    clock.start();
    qsizetype done = 0;
    QString error;
    while (done < text.size()) {
        const ssize_t written =
            ::write(fd, text.constData() + done, static_cast<size_t>(text.size() - done));
        if (written > 0) {
            done += written;
            continue;
        }
        if (written < 0 && errno != EAGAIN && errno != EINTR) {
            error = QString::fromLocal8Bit(std::strerror(errno));
            break;
        }
        const int left = timeoutMs - static_cast<int>(clock.elapsed());
        pollfd ready{fd, POLLOUT, 0};
        if (left <= 0 || ::poll(&ready, 1, left) <= 0) {
            error = QStringLiteral("printer tidak menjawab");
            break;
        }
    }
    // A stalled serial printer would hold close() until its buffer drains.
    if (!error.isEmpty() && ::isatty(fd))
        ::tcflush(fd, TCOFLUSH);
    ::close(fd);
    if (!error.isEmpty())
        return Failure{error, false, done > 0};
    return {};
}

} // namespace lineprinter
