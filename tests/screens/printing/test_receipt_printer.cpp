#include "core/shop_settings.h"
#include "logic/escpos.h"
#include "logic/line_printer.h"
#include "screens/money/cash_entry_dialog.h"
#include "screens/printing/receipt_printing.h"
#include "screens/printing/shop_settings_dialog.h"
#include "support/modal.h"
#include "support/needs_part.h"
#include "support/test_shop.h"
#include "ui/table_model.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>

#include <thread>

#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using lineprinter::Printer;

// The ESC/POS line printer and its cash drawer, with a file, a FIFO, a
// pseudo-terminal, a TCP listener and a raw CUPS queue standing in for it.
class TestReceiptPrinter final : public QObject
{
    Q_OBJECT
private slots:
    void bytesArrive_data();
    void bytesArrive();
    void deadPrinterNeverHoldsTheCounter_data();
    void deadPrinterNeverHoldsTheCounter();
    void cupsQueue();
    void settingsScreen();
};

namespace {

// A printer of `kind` (file, fifo, serial, tcp) in `folder`; `device` names
// it to the program. It reads only in received(); a full one takes nothing.
struct StandIn {
    StandIn(const QString& kind, const QDir& folder, bool full = false)
        : device(folder.filePath(u"lp0"_s))
    {
        const QByteArray path = QFile::encodeName(device);
        if (kind == u"file") {
            QFile(device).open(QIODevice::WriteOnly); // the program never makes one
            fd = ::open(path.constData(), O_RDONLY);
        } else if (kind == u"fifo") {
            ::mkfifo(path.constData(), 0600);
            fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK);
        } else if (kind == u"serial") {
            fd = ::posix_openpt(O_RDWR | O_NOCTTY);
            ::grantpt(fd);
            ::unlockpt(fd);
            device = QString::fromLocal8Bit(::ptsname(fd));
            termios raw{}; // as the program sets it, so that a full port stays full
            ::cfmakeraw(&raw);
            if (full)
                ::tcsetattr(::open(QFile::encodeName(device).constData(), O_RDWR), TCSANOW, &raw);
        } else {
            listening = true;
            fd = ::socket(AF_INET, SOCK_STREAM, 0);
            sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
            socklen_t size = sizeof address;
            auto* any = reinterpret_cast<sockaddr*>(&address);
            ::bind(fd, any, size);
            ::listen(fd, 0); // holds one waiting connection: more are never answered
            ::getsockname(fd, any, &size);
            device = u"tcp:127.0.0.1:"_s + QString::number(ntohs(address.sin_port));
            for (int filler = 0; full && filler < 4; ++filler)
                ::connect(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0), any, size);
            return;
        }
        const int writer = ::open(QFile::encodeName(device).constData(), O_WRONLY | O_NONBLOCK);
        while (full && ::write(writer, "x", 1) == 1)
            ;
    }
    ~StandIn() { ::close(fd); }
    QByteArray received()
    {
        pollfd ready{fd, POLLIN, 0};
        const int from =
            listening && ::poll(&ready, 1, 10000) > 0 ? ::accept(fd, nullptr, nullptr) : fd;
        QByteArray bytes;
        char buffer[4096];
        ssize_t got = 0;
        for (ready.fd = from; ::poll(&ready, 1, 500) > 0 && (got = ::read(from, buffer, 4096)) > 0;)
            bytes.append(buffer, got);
        if (from != fd)
            ::close(from); // the printer hangs up once everything came
        return bytes;
    }
    QString device;
    int fd = -1;
    bool listening = false;
};

} // namespace

void TestReceiptPrinter::bytesArrive_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray cut("\x1b\x64\x04\x1d\x56\x01");
    const QByteArray receipt =
        lineprinter::receiptBytes(Printer{{}, true}, {u"Toko Makmur"_s, u"Total     3102000"_s});
    // Café Ñoño in the code page; ã, € and ľ are not; an ESC in a name is no command.
    const QByteArray foreign =
        escpos::receipt({u"Caf\u00e9 \u00d1o\u00f1o"_s, u"\u00e3\u20ac\u013e\x1b@"_s});
    for (const char* kind : {"file", "serial", "tcp"}) {
        const QString name = QString::fromLatin1(kind);
        QTest::addRow("%s, receipt with cut", kind)
            << name << receipt << "\x1b@Toko Makmur\r\nTotal     3102000\r\n" + cut;
        QTest::addRow("%s, drawer on pin 2", kind)
            << name << escpos::drawerPulse(2) << QByteArray("\x1b\x70\x00\x19\xfa", 5);
        QTest::addRow("%s, drawer on pin 5", kind)
            << name << escpos::drawerPulse(5) << QByteArray("\x1b\x70\x01\x19\xfa");
        QTest::addRow("%s, outside the code page", kind)
            << name << foreign << "\x1b@Caf\x82 \xa5o\xa4o\r\na?l?@\r\n" + cut;
    }
}

void TestReceiptPrinter::bytesArrive()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, bytes);
    TestShop shop;
    StandIn printer(kind, shop.folder());
    QVERIFY(lineprinter::send({printer.device, true, 19200}, bytes));
    QTEST(printer.received(), "expected"); // from a serial port raw: no CR added before LF
    termios serial{};
    if (kind == u"serial" && ::tcgetattr(printer.fd, &serial) == 0)
        QCOMPARE(::cfgetospeed(&serial), speed_t(B19200));
}

void TestReceiptPrinter::deadPrinterNeverHoldsTheCounter_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("fifo nobody reads") << u"fifo"_s;
    QTest::newRow("serial port nobody reads") << u"serial"_s;
    QTest::newRow("tcp printer that never answers") << u"tcp"_s;
}

void TestReceiptPrinter::deadPrinterNeverHoldsTheCounter()
{
    QFETCH(QString, kind);
    TestShop shop;
    StandIn printer(kind, shop.folder(), true);
    ShopSettings settings;
    settings.setText(setting::printerDevice, printer.device);
    settings.setFlag(setting::printerEscPos, true);
    QVERIFY(settings.write(shop.folder()));
    for (const QString& amount : {u"0"_s, u"250"_s}) { // nothing to open for 0
        TableModel book;
        CashEntryDialog dialog(shop.context(), cashbook::Flow::In, book);
        QTest::keyClicks(dialog.findChild<QLineEdit*>(u"jumlah"_s), amount);
        QElapsedTimer clock;
        clock.start();
        buttonWithText<QPushButton>(&dialog, u"Simpan Kas"_s)->click();
        QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
    }
    QCOMPARE(shop.db().scalar(u"select count(*) from transaksi"_s), u"2"_s);
    const QString print = u"Cetak Transaksi Kas?"_s;
    QCOMPARE(
        shop.messages.texts(),
        QStringList({print,
                     u"Transaksi sudah tersimpan. Laci kas tidak dapat dibuka lewat printer "_s +
                         printer.device + u" (printer tidak menjawab)."_s,
                     print}));
}

void TestReceiptPrinter::cupsQueue()
{
    const QString queue = u"toko-raw-"_s + QString::number(QCoreApplication::applicationPid());
    StandIn network(u"tcp"_s, QDir());
    const QString uri = u"socket://"_s + network.device.mid(4);
    TOKO_NEEDS_PART(QProcess::execute(u"lpadmin"_s, {u"-p"_s, queue, u"-E"_s, u"-v"_s, uri}) == 0,
                    "CUPS is not running, or lpadmin cannot add a raw queue (it needs root)");
    const auto removeQueue = qScopeGuard([&] {
        QProcess::execute(u"lpadmin"_s, {u"-x"_s, queue});
    });
    const Printer printer{u"cups:"_s + queue, true};
    // A stopped queue takes nothing: the drawer would open when it is started.
    QCOMPARE(QProcess::execute(u"cupsdisable"_s, {queue}), 0);
    QCOMPARE(lineprinter::send(printer, escpos::drawerPulse(2)).reason(),
             u"antrean CUPS "_s + queue + u" dihentikan atau menolak pekerjaan"_s);
    QCOMPARE(QProcess::execute(u"cupsenable"_s, {queue}), 0);
    Outcome<> sent = Failure{};
    std::thread sending([&] {
        sent = lineprinter::send(printer, escpos::drawerPulse(5), lineprinter::Late::Cancel, 10000);
    });
    QCOMPARE(network.received(), QByteArray("\x1b\x70\x01\x19\xfa"));
    sending.join();
    QVERIFY2(sent, qPrintable(sent.reason()));
    // A pulse the printer does not take in time is taken out of the queue.
    QCOMPARE(QProcess::execute(u"lpadmin"_s, {u"-p"_s, queue, u"-v"_s, u"socket://127.0.0.1:9"_s}),
             0);
    sent = lineprinter::send(printer, escpos::drawerPulse(2), lineprinter::Late::Cancel, 500);
    QProcess jobs;
    jobs.start(u"lpstat"_s, {u"-o"_s, queue});
    jobs.waitForFinished();
    QCOMPARE(sent.reason(), u"printer tidak menjawab, pekerjaan CUPS dibatalkan"_s);
    QCOMPARE(jobs.readAll(), QByteArray());
}

void TestReceiptPrinter::settingsScreen()
{
    // A shop that named its printer in line_printer.txt finds it here.
    TestShop shop;
    StandIn file(u"file"_s, shop.folder());
    QVERIFY(config::writeFileAtomically(shop.folder().filePath(u"line_printer.txt"_s),
                                        QFile::encodeName(file.device)));
    // "Buka Laci" on a printer without ESC/POS: it says so and sends nothing.
    openCashDrawer(shop.context(), Drawer::OnRequest);
    QVERIFY(shop.messages.lastText().startsWith(u"Laci kas dibuka lewat printer struk ESC/POS."_s));
    QCOMPARE(file.received(), QByteArray());
    ShopSettingsDialog dialog(shop.context());
    auto* device = dialog.findChild<QLineEdit*>(u"printer"_s);
    QCOMPARE(device->text(), file.device);
    device->setText(u"tcp:192.168.1.50:9100"_s);
    dialog.findChild<QCheckBox*>()->setChecked(true);
    dialog.findChild<QComboBox*>(u"pinLaci"_s)->setCurrentText(u"Pin 5"_s);
    buttonWithText<QPushButton>(&dialog, u"Simpan"_s)->click();
    const Printer printer = lineprinter::configured(shop.folder());
    QCOMPARE(printer.device, u"tcp:192.168.1.50:9100"_s);
    QVERIFY(printer.escPos);
    QCOMPARE(printer.drawerPin, 5);
    qputenv("TOKO_LINE_PRINTER", "/dev/usb/lp2"); // ahead of the saved device
    QCOMPARE(lineprinter::configured(shop.folder()).device, u"/dev/usb/lp2"_s);
    qunsetenv("TOKO_LINE_PRINTER");
}

QTEST_MAIN(TestReceiptPrinter)
#include "test_receipt_printer.moc"
