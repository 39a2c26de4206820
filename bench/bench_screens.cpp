// toko_bench_screens: how long two screens keep the user waiting, measured
// until the screen is painted, on a shop kept on the machine's disk.
//
//   - a scan in barcode mode with a 200-line cart on screen: the handler, and
//     until the cart list has been repainted; once for a product already in
//     the cart (its quantity rises) and once for a new one (a line is added);
//   - opening the customer master with 20,000 customers, and the products
//     master with 100,000 products, until its list is painted;
//   - "Paste From Excel" of 10,000 new products into that master, answered
//     Yes: from the clipboard's text to the summary, and until repainted;
//   - the first open of that shop without its helpers (an older file), as
//     after "Koneksi Database" with a window on screen: how long, when the
//     progress box was first painted, and the longest stretch without a paint.
//
// Runs on the platform QT_QPA_PLATFORM names (offscreen when unset); with
// QT_QPA_PLATFORM=xcb under xvfb-run it includes a real X server's painting.
// The shop is made in $TOKO_BENCH_DIR, else in the build's bench folder.

#include "core/app_context.h"
#include "core/shop_upgrade.h"
#include "core/startup.h"
#include "logic/shop_database.h"
#include "screens/counter/cashier_window.h"
#include "screens/masters/party_master_window.h"
#include "screens/masters/product_master_window.h"
#include "ui/keyboard_state.h"
#include "ui/terminal_messages.h"
#include "ui/work_progress.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProgressDialog>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int cartLines = 200;
constexpr int customers = 20000;
constexpr int catalogue = 100000;
constexpr int runs = 101;

// Counts the paint events of one widget.
class PaintCounter final : public QObject
{
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

// Every paint of the application while it lives: when the progress box was
// first painted, how often, and the longest stretch without any paint after it.
class PaintLog final : public QObject
{
public:
    PaintLog()
    {
        QCoreApplication::instance()->installEventFilter(this);
        clock.start();
    }
    ~PaintLog() override { QCoreApplication::instance()->removeEventFilter(this); }
    QElapsedTimer clock;
    qint64 firstBox = -1;
    qint64 last = 0;
    qint64 longest = 0;
    int boxPaints = 0;

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        const qint64 now = clock.elapsed();
        auto* widget = qobject_cast<QWidget*>(object);
        if (widget && qobject_cast<QProgressDialog*>(widget->window())) {
            ++boxPaints;
            if (firstBox < 0)
                firstBox = last = now;
        }
        if (firstBox >= 0)
            longest = std::max(longest, now - last);
        last = now;
        return false;
    }
};

// Runs events until `painter` has painted once more than `before`, at most 1 s.
void waitForPaint(const PaintCounter& painter, int before)
{
    QElapsedTimer limit;
    limit.start();
    while (painter.count == before && limit.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

struct Figures {
    double median = 0;
    double fastest = 0;
    double slowest = 0;
};

Figures figuresOf(QList<qint64> micros)
{
    std::sort(micros.begin(), micros.end());
    return {micros.at(micros.size() / 2) / 1000.0, micros.first() / 1000.0, micros.last() / 1000.0};
}

void report(const char* what, const Figures& figures)
{
    std::printf("%-58s median %7.2f ms  (fastest %.2f, slowest %.2f)\n", what, figures.median,
                figures.fastest, figures.slowest);
}

// Answers every question Yes and notes when the last box was shown, as the
// shop owner confirming a paste would.
class YesMessages final : public Messages
{
public:
    QElapsedTimer shown;
    void info(const QString&) override { shown.start(); }
    bool ask(QWidget*, const QString&, const QString&) override { return true; }
    void tell(QWidget*, const QString&, const QString&) override { shown.start(); }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override
    {
        return {};
    }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override
    {
        return {};
    }
    QString folderName(QWidget*, const QString&, const QString&) override { return {}; }
};

// `rows` tab-separated product rows as a spreadsheet copies them, codes
// starting at `first`.
QString spreadsheetRows(int first, int rows)
{
    QString text;
    for (int i = first; i < first + rows; ++i)
        text += QStringLiteral("77%1\tBarang tempel %1\tTempel\t12\tpcs\t1000\t1300\t0\t77%1\t\r\n")
                    .arg(i);
    return text;
}

QString productCode(int index)
{
    return QStringLiteral("8990") + QString::number(100000 + index);
}

bool fillShop(Database& db)
{
    Database::Transaction transaction(db);
    for (int i = 0; i < cartLines + runs + 1; ++i) {
        if (!db.exec(QStringLiteral("insert into barang (kode, nama, satuan, hargajual, hpp, "
                                    "diskon, stock) values (?, ?, 'pcs', ?, ?, 0, 1000)"),
                     {productCode(i), QString(QStringLiteral("Barang nomor ") + QString::number(i)),
                      1000 + i * 10, 900 + i * 10}))
            return false;
    }
    for (int i = 0; i < catalogue; ++i) {
        if (!db.exec(QStringLiteral("insert into barang (kode, nama, kategori, satuan, hargajual, "
                                    "hpp, diskon, stock, barcode) values (?, ?, ?, 'pcs', ?, ?, 0, "
                                    "50, ?)"),
                     {QString(QStringLiteral("7") + QString::number(1000000 + i)),
                      QString(QStringLiteral("Produk grosir ") + QString::number(i)),
                      QString(QStringLiteral("Kategori ") + QString::number(i % 40)),
                      2000 + i % 5000, 1500 + i % 5000,
                      QString(QStringLiteral("899") + QString::number(1000000000 + i))}))
            return false;
    }
    for (int i = 1; i <= customers; ++i) {
        const QString code = QStringLiteral("PL-") + QString::number(i).rightJustified(5, u'0');
        if (!db.exec(QStringLiteral("insert into pelanggan (kode, nama, alamat, kontak, catatan) "
                                    "values (?, ?, ?, ?, ?)"),
                     {code, QString(QStringLiteral("Pelanggan ") + QString::number(i)),
                      QString(QStringLiteral("Jl. Mawar No. ") + QString::number(i % 200)),
                      QString(QStringLiteral("0812") + QString::number(1000000 + i)), QString()}))
            return false;
    }
    return transaction.commit();
}

// One scan: the code arrives in the code box; the handler's time, then the
// time until the cart list has painted (the whole window's repaint included).
void scan(QLineEdit* code, const PaintCounter& list, const QString& product, QList<qint64>& handler,
          QList<qint64>& painted)
{
    const int before = list.count;
    QElapsedTimer timer;
    timer.start();
    code->setText(product);
    handler.append(timer.nsecsElapsed() / 1000);
    waitForPaint(list, before);
    painted.append(timer.nsecsElapsed() / 1000);
    // The next item comes a moment later, as at a counter: what this scan set
    // going (timers, deferred layouts) is done by then.
    QTest::qWait(20);
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString base =
        qEnvironmentVariable("TOKO_BENCH_DIR", QStringLiteral(TOKO_BENCH_DATA_DIR));
    QTemporaryDir folder(base + QStringLiteral("/screens-XXXXXX"));
    const QDir shop(folder.path());
    if (!shopdb::create(shop.filePath(QStringLiteral("toko.db3")), false))
        return 1;
    config::writeConnection(shop, {QStringLiteral("toko.db3"), {}, {}});
    TerminalMessages messages;
    SystemClock clock;
    AppContext context(messages, clock, shop);
    const Outcome<QString> started = startUp(context);
    if (!started || !fillShop(context.db())) {
        std::fprintf(stderr, "no shop: %s\n", qPrintable(started.reason()));
        return 1;
    }
    context.user = QStringLiteral("kasir");
    std::printf("platform %s, shop in %s\n", qPrintable(QGuiApplication::platformName()),
                qPrintable(shop.path()));

    for (int run = 0; run < 3; ++run) {
        // The shop as an older file holds it: no helpers, and no mark that keeps it so.
        if (!shopfile::makePlain(context.db()) ||
            !context.db().exec(QStringLiteral("pragma application_id = 0")))
            return 1;
        PartyMasterWindow window(context, Side::Sales);
        window.resize(1024, 700);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            return 1;
        const PaintLog paints;
        Outcome<QString> opened = QString();
        {
            WorkProgress progress(&window, preparingNotice());
            opened = connectDatabase(context, QStringLiteral("toko.db3"), progress.callback());
        }
        const qint64 took = paints.clock.elapsed();
        if (!opened || !shopfile::productSearchReady(context.db())) {
            std::fprintf(stderr, "no helpers made: %s\n", qPrintable(opened.reason()));
            return 1;
        }
        std::printf("first open, helpers made for 100,000 products: %lld ms; progress box "
                    "painted %d times from %lld ms; longest without a paint after it %lld ms, "
                    "%lld ms from the last paint to the end\n",
                    took, paints.boxPaints, paints.firstBox, paints.longest, took - paints.last);
    }

    {
        FixedKeyboardState keyboard;
        CashierWindow cashier(context, keyboard, Side::Sales);
        cashier.resize(1024, 700);
        cashier.show();
        if (!QTest::qWaitForWindowExposed(&cashier))
            return 1;
        QApplication::setActiveWindow(&cashier);
        auto* code = cashier.findChild<QLineEdit*>(QStringLiteral("kode"));
        auto* list = cashier.findChild<QTableView*>();
        cashier.toggleBarcode();
        for (int i = 0; i < cartLines; ++i)
            code->setText(productCode(i));
        QTest::qWait(50);
        if (int(cashier.cart().lines().size()) != cartLines) {
            std::fprintf(stderr, "the cart holds %d lines\n", int(cashier.cart().lines().size()));
            return 1;
        }
        PaintCounter painted(list->viewport());
        QList<qint64> handler, shown;
        for (int run = 0; run < runs; ++run)
            scan(code, painted, productCode(cartLines - 1), handler, shown);
        report("scan, line already in a 200-line cart: handler", figuresOf(handler));
        report("scan, line already in a 200-line cart: until repainted", figuresOf(shown));
        handler.clear();
        shown.clear();
        for (int run = 0; run < runs; ++run)
            scan(code, painted, productCode(cartLines + run), handler, shown);
        report("scan, new line in a 200-line cart: handler", figuresOf(handler));
        report("scan, new line in a 200-line cart: until repainted", figuresOf(shown));
    }

    QList<qint64> opening;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        PartyMasterWindow master(context, Side::Sales);
        master.resize(1024, 700);
        auto* list = master.findChild<QTableView*>();
        PaintCounter painted(list->viewport());
        master.show();
        waitForPaint(painted, 0);
        opening.append(timer.nsecsElapsed() / 1000);
        if (list->model()->rowCount() != customers) {
            std::fprintf(stderr, "the master lists %d customers\n", list->model()->rowCount());
            return 1;
        }
    }
    report("customer master, 20,000 customers: until painted", figuresOf(opening));

    opening.clear();
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        ProductMasterWindow master(context);
        master.resize(1024, 700);
        auto* list = master.findChild<QTableView*>();
        PaintCounter painted(list->viewport());
        master.show();
        waitForPaint(painted, 0);
        opening.append(timer.nsecsElapsed() / 1000);
        if (list->model()->rowCount() < catalogue) {
            std::fprintf(stderr, "the master lists %d products\n", list->model()->rowCount());
            return 1;
        }
    }
    report("products master, 100,000 products: until painted", figuresOf(opening));

    YesMessages yes;
    AppContext owner(yes, clock, shop);
    if (!startUp(owner))
        return 1;
    owner.user = QStringLiteral("ADMIN");
    QList<qint64> summary, shown;
    for (int run = 0; run < 5; ++run) {
        constexpr int pasted = 10000;
        ProductMasterWindow master(owner);
        master.resize(1024, 700);
        auto* list = master.findChild<QTableView*>();
        PaintCounter painted(list->viewport());
        master.show();
        waitForPaint(painted, 0);
        QGuiApplication::clipboard()->setText(spreadsheetRows(100000 + run * pasted, pasted));
        QElapsedTimer timer;
        timer.start();
        const int before = painted.count;
        master.paste();
        summary.append((timer.nsecsElapsed() - yes.shown.nsecsElapsed()) / 1000);
        waitForPaint(painted, before);
        shown.append(timer.nsecsElapsed() / 1000);
        if (list->model()->rowCount() != catalogue + cartLines + runs + 1 + (run + 1) * pasted) {
            std::fprintf(stderr, "the master lists %d products\n", list->model()->rowCount());
            return 1;
        }
    }
    report("paste of 10,000 products: clipboard to summary", figuresOf(summary));
    report("paste of 10,000 products: until repainted", figuresOf(shown));
    return 0;
}
