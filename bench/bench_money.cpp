// toko_bench_money: the payment screen's two lists and a cash-book month on a
// five-year shop with 20,000 customers, ~300 sales a day (some on credit),
// purchases, payments, returns and cash entries. Medians of five passes,
// without and then with the indexes these screens want.
//
// The generated shop is cached beside the executable (or in $TOKO_BENCH_DIR).

#include "core/database.h"
#include "core/numbering.h"
#include "core/shop_upgrade.h"
#include "logic/cash_book.h"
#include "logic/payments.h"
#include "logic/shop_database.h"

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>

namespace {

constexpr int customers = 20000;
constexpr int suppliers = 500;
constexpr int salesPerDay = 300;
constexpr int days = 5 * 365;
const QDate lastDay(2026, 12, 7);
// Raise when the generated content changes.
constexpr int version = 1;

QString code(const QString& kind, qint64& number)
{
    return kind + u'-' + numbering::numberText(++number);
}

QString generate(const QString& path)
{
    if (const QString error = shopdb::create(path, false).reason(); !error.isEmpty())
        return error;
    Database db;
    if (!db.open(path))
        return db.errorMessage();
    db.execScript(QStringLiteral("pragma journal_mode=delete; pragma synchronous=off"));
    Database::Transaction transaction(db);
    for (int i = 1; i <= customers; ++i)
        db.exec(QStringLiteral("insert into pelanggan (kode, nama) values (?, ?)"),
                {QStringLiteral("PL-%1").arg(i, 5, 10, QLatin1Char('0')),
                 QStringLiteral("Pelanggan %1").arg(i)});
    for (int i = 1; i <= suppliers; ++i)
        db.exec(QStringLiteral("insert into supplier (kode, nama) values (?, ?)"),
                {QStringLiteral("SP-%1").arg(i, 3, 10, QLatin1Char('0')),
                 QStringLiteral("Supplier %1").arg(i)});
    const QString document =
        QStringLiteral("insert into transaksi (Kode, Ref, Tanggal, KodeSP, Potongan, Tax, Jumlah, "
                       "Operator, Tunai, Piutang, Hutang, JatuhTempo, Ket, Nota) "
                       "values (?, ?, ?, ?, ?, 0, ?, 'kasir', ?, ?, ?, ?, ?, ?)");
    std::mt19937 random(7);
    const auto pick = [&](int below) { return int(random() % unsigned(below)); };
    qint64 number = 0;
    const QDate first = lastDay.addDays(-days + 1);
    for (QDate day = first; day <= lastDay; day = day.addDays(1)) {
        const QString date = day.toString(QStringLiteral("yyyy-MM-dd"));
        const QString due = day.addDays(30).toString(QStringLiteral("yyyy-MM-dd"));
        // Sales: 60% to the walk-in customer, paid with change; one named
        // customer in four buys on credit, and most of that is paid later.
        for (int i = 0; i < salesPerDay; ++i) {
            const int net = 5000 + pick(200000);
            const bool walkIn = pick(10) < 6;
            const bool credit = !walkIn && pick(4) == 0;
            const QString party =
                walkIn ? QStringLiteral("PL-00000")
                       : QStringLiteral("PL-%1").arg(1 + pick(customers), 5, 10, QLatin1Char('0'));
            const int paid = credit ? pick(net / 2) : net + pick(3) * 1000;
            const bool stillOpen = credit && (day.daysTo(lastDay) < 60 || pick(10) == 0);
            db.exec(document, {code(QStringLiteral("JL"), number), QStringLiteral("Masuk"), date,
                               party, 0, net, paid, stillOpen ? net - paid : 0, QVariant(), due,
                               QStringLiteral("Penjualan"), QStringLiteral("-")});
            if (credit && !stillOpen)
                db.exec(document,
                        {code(QStringLiteral("PI"), number), QStringLiteral("Masuk"), date, party,
                         QVariant(), QVariant(), net - paid, QVariant(), QVariant(), QVariant(),
                         QStringLiteral("Pembayaran Piutang"), QStringLiteral("Bayar Piutang")});
        }
        for (int i = 0; i < 20; ++i) {
            const int net = 50000 + pick(2000000);
            const bool credit = pick(3) == 0;
            const bool stillOpen = credit && (day.daysTo(lastDay) < 60 || pick(10) == 0);
            const int paid = credit ? pick(net / 2) : net;
            const QString party =
                QStringLiteral("SP-%1").arg(1 + pick(suppliers), 3, 10, QLatin1Char('0'));
            db.exec(document, {code(QStringLiteral("BL"), number), QStringLiteral("Keluar"), date,
                               party, 0, net, paid, QVariant(), stillOpen ? net - paid : 0, due,
                               QStringLiteral("Pembelian"), QStringLiteral("-")});
            if (credit && !stillOpen)
                db.exec(document,
                        {code(QStringLiteral("HU"), number), QStringLiteral("Keluar"), date, party,
                         QVariant(), QVariant(), net - paid, QVariant(), QVariant(), QVariant(),
                         QStringLiteral("Pembayaran Hutang"), QStringLiteral("Bayar Hutang")});
        }
        for (int i = 0; i < 3; ++i) {
            const bool sales = pick(2) == 0;
            const int value = 1000 + pick(50000);
            db.exec(document, {code(sales ? QStringLiteral("RJ") : QStringLiteral("RB"), number),
                               sales ? QStringLiteral("Keluar") : QStringLiteral("Masuk"), date,
                               sales ? QStringLiteral("PL-00000") : QStringLiteral("SP-001"),
                               QVariant(), pick(2) * value, value, QVariant(), QVariant(),
                               QVariant(), QStringLiteral("Retur"), QStringLiteral("Retur")});
        }
        for (int i = 0; i < 5; ++i) {
            const bool in = pick(2) == 0;
            db.exec(document,
                    {code(in ? QStringLiteral("KM") : QStringLiteral("KK"), number),
                     in ? QStringLiteral("Masuk") : QStringLiteral("Keluar"), date,
                     QStringLiteral("-"), QVariant(), QVariant(), 1000 + pick(100000), QVariant(),
                     QVariant(), QVariant(), QStringLiteral("Kas"), QStringLiteral("Keperluan")});
        }
    }
    if (!transaction.commit())
        return db.errorMessage();
    db.exec(QStringLiteral("analyze"));
    db.close();
    return {};
}

double medianOfFive(const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[2];
}

} // namespace

int main()
{
    const QDir folder(qEnvironmentVariable("TOKO_BENCH_DIR", QStringLiteral(TOKO_BENCH_DATA_DIR)));
    const QString cached = folder.filePath(QStringLiteral("money_shop_v%1.db3").arg(version));
    if (!QFile::exists(cached)) {
        std::printf("making the shop (a few minutes)...\n");
        const QString error = generate(cached + QStringLiteral(".part"));
        if (!error.isEmpty() || !QFile::rename(cached + QStringLiteral(".part"), cached)) {
            std::printf("cannot make the shop: %s\n", qPrintable(error));
            return 1;
        }
    }
    const QString working = folder.filePath(QStringLiteral("money_shop_work.db3"));
    QFile::remove(working);
    if (!QFile::copy(cached, working)) {
        std::printf("cannot copy the shop\n");
        return 1;
    }
    Database db;
    if (!db.open(working))
        return 1;
    std::printf("transaksi rows: %s\n",
                qPrintable(db.scalar(QStringLiteral("select count(*) from transaksi"))));
    const QString busiest =
        db.scalar(QStringLiteral("select KodeSP from transaksi where Piutang>0 and KodeSP<>"
                                 "'PL-00000' group by KodeSP order by count(*) desc limit 1"));
    const QString indexes[] = {
        QStringLiteral("create index transaksi_kas_uang on transaksi (Ref, Tanggal, (") +
            shopfile::cashMoved(db) + QStringLiteral("))"),
        QStringLiteral("create index transaksi_piutang_terbuka on transaksi "
                       "(KodeSP, Jumlah, Potongan, Tunai, Piutang) where Piutang>0"),
        QStringLiteral("create index transaksi_hutang_terbuka on transaksi "
                       "(KodeSP, Jumlah, Potongan, Tunai, Hutang) where Hutang>0"),
    };
    for (const bool indexed : {false, true}) {
        if (indexed) {
            for (const QString& index : indexes)
                db.exec(index);
            db.exec(QStringLiteral("analyze"));
        }
        Table model;
        std::printf("%s\n", indexed ? "with the indexes" : "schema as it is");
        const auto report = [&](const char* what, const std::function<void()>& work) {
            const double ms = medianOfFive(work);
            std::printf("  %s: %.2f ms (%d rows)\n", what, ms, int(model.rows.size()));
        };
        report("party list with sums, customers",
               [&] { model = payments::loadParties(db, Side::Sales).value(); });
        report("party list with sums, suppliers",
               [&] { model = payments::loadParties(db, Side::Purchase).value(); });
        report(qPrintable(QStringLiteral("one party's documents, ") + busiest),
               [&] { model = payments::loadDocuments(db, Side::Sales, busiest).value(); });
        report("cash-book month 2026-11", [&] { model = cashbook::load(db, 2026, 11).value(); });
        report("cash-book month 2022-01", [&] { model = cashbook::load(db, 2022, 1).value(); });
    }
    db.close();
    QFile::remove(working);
    return 0;
}
