#include "logic/line_printer.h"

#include "core/config_files.h"
#include "core/shop_settings.h"
#include "logic/escpos.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <cups/cups.h>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

namespace lineprinter {

namespace {

QString systemError(int error = errno)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

const QString noAnswer = QStringLiteral("printer tidak menjawab");

// Whether `fd` can take more bytes before the deadline.
bool writableInTime(int fd, const QDeadlineTimer& deadline)
{
    pollfd ready{fd, POLLOUT, 0};
    const auto left = static_cast<int>(deadline.remainingTime());
    return left > 0 && ::poll(&ready, 1, left) > 0;
}

// Writes all bytes to the non-blocking `fd` before the deadline. A socket
// is written with send(), so a printer that hangs up gives an error instead
// of ending the program with SIGPIPE.
Outcome<> writeAll(int fd, const QByteArray& bytes, const QDeadlineTimer& deadline, bool socket)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const char* from = bytes.constData() + done;
        const auto size = static_cast<size_t>(bytes.size() - done);
        const ssize_t written =
            socket ? ::send(fd, from, size, MSG_NOSIGNAL) : ::write(fd, from, size);
        if (written > 0) {
            done += written;
            continue;
        }
        if (written < 0 && errno != EAGAIN && errno != EINTR)
            return Failure{systemError(), false, done > 0};
        if (!writableInTime(fd, deadline))
            return Failure{noAnswer, false, done > 0};
    }
    return {};
}

speed_t serialSpeed(int bitsPerSecond)
{
    switch (bitsPerSecond) {
    case 4800:
        return B4800;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    default:
        return B9600;
    }
}

Outcome<> toDevice(const Printer& printer, const QByteArray& bytes, const QDeadlineTimer& deadline)
{
    const int fd = ::open(QFile::encodeName(printer.device).constData(),
                          O_WRONLY | O_NONBLOCK | O_NOCTTY | O_APPEND);
    if (fd < 0)
        return Failure{systemError()};
    termios serial{};
    if (::isatty(fd) && ::tcgetattr(fd, &serial) == 0) {
        // Every byte as it is, at the printer's speed: no CR added before LF.
        ::cfmakeraw(&serial);
        ::cfsetspeed(&serial, serialSpeed(printer.serialSpeed));
        ::tcsetattr(fd, TCSANOW, &serial);
    }
    const Outcome<> written = writeAll(fd, bytes, deadline, false);
    // A stalled serial printer would hold close() until its buffer drains.
    if (!written && ::isatty(fd))
        ::tcflush(fd, TCOFLUSH);
    ::close(fd);
    return written;
}

Outcome<> toNetwork(const QString& address, const QByteArray& bytes, const QDeadlineTimer& deadline)
{
    const qsizetype colon = address.lastIndexOf(u':');
    const QString host = colon < 0 ? address : address.left(colon);
    const QString port = colon < 0 ? QStringLiteral("9100") : address.mid(colon + 1);
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (host.isEmpty() ||
        ::getaddrinfo(host.toUtf8().constData(), port.toUtf8().constData(), &hints, &found) != 0)
        return Failure{QStringLiteral("alamat printer tidak dikenal: ") + address};
    const int fd = ::socket(found->ai_family, found->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                            found->ai_protocol);
    const int connected = fd < 0 ? -1 : ::connect(fd, found->ai_addr, found->ai_addrlen);
    int error = connected == 0 ? 0 : errno;
    ::freeaddrinfo(found);
    if (fd < 0)
        return Failure{systemError(error)};
    // The connection began without waiting: it has until the deadline to be made.
    if (error == EINPROGRESS && !writableInTime(fd, deadline)) {
        ::close(fd);
        return Failure{noAnswer};
    }
    socklen_t size = sizeof error;
    if (error == EINPROGRESS)
        ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size);
    const Outcome<> written =
        error != 0 ? Outcome<>(Failure{systemError(error)}) : writeAll(fd, bytes, deadline, true);
    ::close(fd);
    return written;
}

// The state of a job in CUPS, 0 when it cannot be read.
int jobState(http_t* cups, int job)
{
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    const QByteArray uri = "ipp://localhost/jobs/" + QByteArray::number(job);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    ipp_t* response = cupsDoRequest(cups, request, "/");
    ipp_attribute_t* state = ippFindAttribute(response, "job-state", IPP_TAG_ENUM);
    const int value = state ? ippGetInteger(state, 0) : 0;
    ippDelete(response);
    return value;
}

// Sends the bytes as one raw job, once the queue is known to take it.
Outcome<> toQueueOf(http_t* cups, const QByteArray& queue, const QByteArray& bytes, Late late,
                    const QDeadlineTimer& deadline)
{
    cups_dest_t* destination = cupsGetNamedDest(cups, queue.constData(), nullptr);
    if (!destination)
        return Failure{QStringLiteral("antrean CUPS ") + QString::fromUtf8(queue) +
                       QStringLiteral(" tidak ada")};
    const QByteArray state(
        cupsGetOption("printer-state", destination->num_options, destination->options));
    const QByteArray accepting(
        cupsGetOption("printer-is-accepting-jobs", destination->num_options, destination->options));
    cupsFreeDests(1, destination);
    if (state == QByteArray::number(IPP_PSTATE_STOPPED) || accepting == "false")
        return Failure{QStringLiteral("antrean CUPS ") + QString::fromUtf8(queue) +
                       QStringLiteral(" dihentikan atau menolak pekerjaan")};

    const int job = cupsCreateJob(cups, queue.constData(), "Toko", 0, nullptr);
    if (job == 0)
        return Failure{QString::fromUtf8(cupsLastErrorString())};
    if (cupsStartDocument(cups, queue.constData(), job, "Toko", CUPS_FORMAT_RAW, 1) !=
            HTTP_STATUS_CONTINUE ||
        cupsWriteRequestData(cups, bytes.constData(), static_cast<size_t>(bytes.size())) !=
            HTTP_STATUS_CONTINUE ||
        cupsFinishDocument(cups, queue.constData()) != IPP_STATUS_OK) {
        const QString reason = QString::fromUtf8(cupsLastErrorString());
        cupsCancelJob2(cups, queue.constData(), job, 0);
        return Failure{reason};
    }
    if (late == Late::Queue)
        return {};
    for (;;) {
        const int now = jobState(cups, job);
        if (now == IPP_JSTATE_COMPLETED)
            return {};
        if (now == IPP_JSTATE_CANCELED || now == IPP_JSTATE_ABORTED)
            return Failure{QStringLiteral("pekerjaan CUPS dibatalkan")};
        if (deadline.hasExpired())
            break;
        QThread::msleep(50);
    }
    cupsCancelJob2(cups, queue.constData(), job, 1); // purged: it can never print later
    return Failure{noAnswer + QStringLiteral(", pekerjaan CUPS dibatalkan")};
}

Outcome<> toQueue(const QString& queue, const QByteArray& bytes, Late late,
                  const QDeadlineTimer& deadline)
{
    http_t* cups = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                static_cast<int>(deadline.remainingTime()), nullptr);
    if (!cups)
        return Failure{QStringLiteral("CUPS tidak berjalan")};
    // No answer from CUPS itself within the time left is a failure too.
    httpSetTimeout(cups, std::max(0.1, static_cast<double>(deadline.remainingTime()) / 1000),
                   nullptr, nullptr);
    const Outcome<> sent = toQueueOf(cups, queue.toUtf8(), bytes, late, deadline);
    httpClose(cups);
    return sent;
}

} // namespace

QString savedDevice(const QDir& shopFolder, const ShopSettings& settings)
{
    const QString saved = settings.text(setting::printerDevice);
    if (!saved.isEmpty())
        return saved;
    return config::lastLine(shopFolder.filePath(QStringLiteral("line_printer.txt"))).trimmed();
}

Printer configured(const QDir& shopFolder)
{
    const ShopSettings settings = ShopSettings::read(shopFolder);
    Printer printer;
    printer.device = qEnvironmentVariable("TOKO_LINE_PRINTER").trimmed();
    if (printer.device.isEmpty())
        printer.device = savedDevice(shopFolder, settings);
    printer.escPos = settings.flag(setting::printerEscPos, false);
    printer.serialSpeed = settings.number(setting::printerSerialSpeed, printer.serialSpeed);
    printer.drawerPin = settings.number(setting::drawerPin, printer.drawerPin);
    return printer;
}

QByteArray receiptBytes(const Printer& printer, const QStringList& lines)
{
    if (printer.escPos)
        return escpos::receipt(lines);
    QByteArray text;
    for (const QString& line : lines)
        text += line.toLocal8Bit() + "\r\n";
    return text;
}

Outcome<> send(const Printer& printer, const QByteArray& bytes, Late late, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    if (printer.device.startsWith(u"tcp:"))
        return toNetwork(printer.device.mid(4), bytes, deadline);
    if (printer.device.startsWith(u"cups:"))
        return toQueue(printer.device.mid(5), bytes, late, deadline);
    return toDevice(printer, bytes, deadline);
}

} // namespace lineprinter
