#include "bench/large_shop.h"

#include "core/database.h"
#include "core/file_system.h"
#include "logic/shop_database.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <iterator>
#include <random>

using namespace Qt::StringLiterals;

namespace largeshop {

namespace {

// Fixed seed: the same shop on every machine (mt19937's output is standard).
constexpr unsigned seed = 20240517;

constexpr QStringView categories[] = {
    u"Sembako",        u"Beras",          u"Minyak Goreng", u"Gula",    u"Telur",
    u"Mi Instan",      u"Makanan Ringan", u"Roti",          u"Permen",  u"Bumbu Dapur",
    u"Makanan Kaleng", u"Frozen Food",    u"Susu",          u"Kopi",    u"Teh",
    u"Minuman",        u"Air Mineral",    u"Rokok",         u"Sabun",   u"Sampo",
    u"Pasta Gigi",     u"Kebersihan",     u"Kosmetik",      u"Obat",    u"Perlengkapan Bayi",
    u"Alat Tulis",     u"Plastik",        u"Rumah Tangga",  u"Baterai", u"Lampu"};
constexpr QStringView brands[] = {u"Sari",   u"Mawar",   u"Cap Jago", u"Sinar",   u"Prima",
                                  u"Tunas",  u"Merpati", u"Lestari",  u"Bintang", u"Nusa",
                                  u"Cahaya", u"Rasa",    u"Makmur",   u"Segar",   u"Harum",
                                  u"Sejati", u"Mulia",   u"Kencana",  u"Pelangi", u"Jaya"};
constexpr QStringView sizes[] = {u"50 g",   u"100 g",  u"250 g", u"500 g", u"1 kg",   u"5 kg",
                                 u"200 ml", u"600 ml", u"1 L",   u"2 L",   u"isi 10", u"isi 25"};
constexpr QStringView units[] = {u"pcs",   u"bungkus", u"botol",  u"kotak",  u"karung",  u"kg",
                                 u"pouch", u"dus",     u"sachet", u"kaleng", u"renteng", u"lusin"};
constexpr QStringView firstNames[] = {u"Siti", u"Budi",   u"Agus",  u"Dewi",    u"Rina", u"Joko",
                                      u"Wati", u"Hendra", u"Yanti", u"Bambang", u"Sri",  u"Eko"};
constexpr QStringView lastNames[] = {u"Aminah", u"Santoso", u"Wibowo",  u"Lestari", u"Hidayat",
                                     u"Rahayu", u"Kusuma",  u"Susanto", u"Purnama", u"Saputra"};

template <std::size_t N> QString pick(const QStringView (&list)[N], std::mt19937& rng)
{
    return list[rng() % N].toString();
}

int between(std::mt19937& rng, int low, int high)
{
    return low + static_cast<int>(rng() % static_cast<unsigned>(high - low + 1));
}

int roundUpTo(int value, int step)
{
    return (value + step - 1) / step * step;
}

// Ten "threshold;price" tiers as the price-tier dialog writes them: cheaper
// by the hundred, by fifty and by ten, then the normal price in every unused tier.
QString tiers(int price)
{
    QStringList pieces = {
        QStringLiteral("100;") + QString::number(roundUpTo(price * 85 / 100, 100)),
        QStringLiteral("50;") + QString::number(roundUpTo(price * 90 / 100, 100)),
        QStringLiteral("10;") + QString::number(roundUpTo(price * 95 / 100, 100))};
    while (pieces.size() < 10)
        pieces.append(QStringLiteral("0;") + QString::number(price));
    return pieces.join(u'|');
}

bool addProducts(Database& db, std::mt19937& rng)
{
    const QString sql = QStringLiteral(
        "insert into barang (kode, jenis, nama, kategori, stock, satuan, hpp, hargajual, "
        "diskon, barcode, FunctSQL) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    const QString kind = QStringLiteral("barang");
    for (int i = 0; i < productCount; ++i) {
        const QString code = productCode(i);
        const QString category = pick(categories, rng);
        // One draw per statement: the order of draws inside one expression is unspecified.
        const QString brand = pick(brands, rng);
        const QString size = pick(sizes, rng);
        const QString name = category + u' ' + brand + u' ' + size;
        const int hpp = roundUpTo(between(rng, 500, 250000), 50);
        const int price = roundUpTo(hpp * between(rng, 110, 135) / 100, 100);
        const int discount = rng() % 10 == 0 ? between(rng, 1, 10) * 100 : 0;
        const QString functSql = rng() % 8 == 0 ? tiers(price) : QString();
        const int stock = between(rng, 0, 500);
        const QString unit = pick(units, rng);
        if (!db.exec(sql, {code, kind, name, category, stock, unit, hpp, price, discount, code,
                           functSql}))
            return false;
    }
    return true;
}

bool addCustomers(Database& db, std::mt19937& rng)
{
    const QString sql = QStringLiteral(
        "insert into pelanggan (kode, nama, alamat, kontak, catatan) values (?, ?, ?, ?, ?)");
    for (int i = 0; i < customerCount; ++i) {
        const QString first = pick(firstNames, rng);
        const QString last = pick(lastNames, rng);
        const QString name = first + u' ' + last;
        const QString street = pick(lastNames, rng);
        const QString address = QStringLiteral("Jl. ") + street + QStringLiteral(" No. ") +
                                QString::number(between(rng, 1, 200));
        const QString phone =
            QStringLiteral("08") + QString::number(between(rng, 100000000, 999999999));
        const QString note = rng() % 5 == 0 ? QStringLiteral("Boleh tempo 14 hari") : QString();
        if (!db.exec(sql, {customerCode(i), name, address, phone, note}))
            return false;
    }
    return true;
}

// Five years of sales as the cashier stores them: the document, then its
// lines; six in ten to the walk-in customer. Stock is left as generated.
bool addSales(Database& db, std::mt19937& rng)
{
    struct Product {
        QString code, name, unit;
        qint64 price;
    };
    QList<Product> products;
    products.reserve(productCount);
    if (!db.query(QStringLiteral("select kode, nama, satuan, hargajual from barang"), {},
                  [&](const QStringList& row) {
                      products.append({row[0], row[1], row[2], row[3].toLongLong()});
                  }))
        return false;
    const QString header = QStringLiteral(
        "insert into transaksi (Kode, Ref, Tanggal, KodeSP, Potongan, Tax, Jumlah, Operator, "
        "Tunai, Piutang, JatuhTempo, Ket, Nota) values (?, 'Masuk', ?, ?, 0, 0, ?, 'kasir', ?, 0, "
        "?, ?, '-')");
    const QString line = QStringLiteral(
        "insert into itempenjualan (Kode, KodeBarang, NamaBarang, Qty, Satuan, Harga, Diskon, "
        "Jumlah, kodeSP) values (?, ?, ?, ?, ?, ?, 0, ?, ?)");
    const QDate first(2020, 1, 1);
    qint64 number = 0;
    for (int day = 0; day < historyDays; ++day) {
        const QString date = first.addDays(day).toString(Qt::ISODate);
        for (int sale = 0; sale < salesPerDay; ++sale) {
            const QString code =
                QStringLiteral("JL-") + QString::number(++number).rightJustified(14, u'0');
            const QString customer = rng() % 10 < 6
                                         ? QStringLiteral("PL-00000")
                                         : customerCode(static_cast<int>(rng() % customerCount));
            const int lines = between(rng, 1, 13);
            qint64 total = 0;
            for (int i = 0; i < lines; ++i) {
                const Product& p = products.at(static_cast<qsizetype>(rng() % productCount));
                const int quantity = between(rng, 1, 5);
                total += quantity * p.price;
                if (!db.exec(line, {code, p.code, p.name, quantity, p.unit, p.price,
                                    quantity * p.price, customer}))
                    return false;
            }
            if (!db.exec(header, {code, date, customer, total, total, date,
                                  QStringLiteral("Penjualan Kepada Pelanggan dengan dibayar "
                                                 "secara Lunas")}))
                return false;
        }
    }
    return true;
}

void removeWithJournal(const QString& path)
{
    for (const char* suffix : {"", "-journal", "-wal", "-shm"})
        QFile::remove(path + QString::fromLatin1(suffix));
}

} // namespace

QString productCode(int index)
{
    // Six lengths by prefix, each followed by seven digits. Multiplying by a
    // number prime to ten permutes 0..9,999,999, so the digits never repeat
    // within one prefix and look scattered like real barcodes.
    constexpr QStringView prefixes[] = {u"2", u"21", u"899", u"8991", u"89966", u"899776"};
    const auto digits = static_cast<qint64>(static_cast<quint64>(index) * 3141592653u % 10000000u);
    return prefixes[static_cast<std::size_t>(index) % std::size(prefixes)].toString() +
           QString::number(digits).rightJustified(7, u'0');
}

QString customerCode(int index)
{
    return QStringLiteral("PL-") + QString::number(index + 1).rightJustified(5, u'0');
}

QString create(const QString& path)
{
    const QString error = shopdb::create(path, false).reason();
    if (!error.isEmpty())
        return error;
    Database db;
    if (!db.open(path))
        return db.errorMessage();
    // Made once: no log (one transaction would grow it to the size of the
    // shop), no syncs, a large cache for the indexes of the lines.
    db.execScript(QStringLiteral("pragma journal_mode=delete; pragma synchronous=off; "
                                 "pragma cache_size=-524288"));
    std::mt19937 rng(seed);
    Database::Transaction transaction(db);
    if (!transaction.active() || !addProducts(db, rng) || !addCustomers(db, rng) ||
        !addSales(db, rng) || !transaction.commit())
        return db.errorMessage();
    return {};
}

QString cached(const QString& folder, QString* error)
{
    const QString path = QDir(folder).filePath(QStringLiteral("large_shop_v%1.db3").arg(version));
    if (QFileInfo::exists(path))
        return path;
    // Made under another name and renamed when complete, so an interrupted
    // run never leaves a half shop to be reused.
    const QString partial = path + QStringLiteral(".part");
    removeWithJournal(partial);
    QString failure = create(partial);
    if (failure.isEmpty() && !QFile::rename(partial, path))
        failure = QStringLiteral("cannot rename ") + partial;
    if (!failure.isEmpty()) {
        removeWithJournal(partial);
        if (error)
            *error = failure;
        return {};
    }
    return path;
}

namespace {

constexpr int reportVersion = 2;
constexpr int extraCustomers = 18000;
constexpr int supplierCount = 50;

QString number(qint64 value)
{
    return QString::number(value).rightJustified(14, u'0');
}

bool addParties(Database& db)
{
    for (int i = customerCount; i < customerCount + extraCustomers; ++i) {
        if (!db.exec(u"insert into pelanggan (kode, nama, alamat, kontak, catatan) "
                     "values (?, ?, ?, '0812', '')"_s,
                     {customerCode(i), u"Pelanggan %1"_s.arg(i),
                      u"Jl. Pasar No. %1"_s.arg(i % 200 + 1)}))
            return false;
    }
    for (int i = 1; i <= supplierCount; ++i) {
        if (!db.exec(u"insert into supplier (kode, nama, alamat, kontak, catatan) "
                     "values (?, ?, ?, '021', '')"_s,
                     {u"SP-%1"_s.arg(i, 3, 10, QChar(u'0')), u"CV Pemasok %1"_s.arg(i),
                      u"Jl. Gudang No. %1"_s.arg(i)}))
            return false;
    }
    return true;
}

// Other documents of each day: purchases every day, a sales return twice a
// week, cash out every few days, cash in and a purchase refund each month.
bool addDocuments(Database& db, std::mt19937& rng)
{
    const QString sql = u"insert into transaksi (Kode, Ref, Tanggal, KodeSP, Potongan, Tax, "
                        "Jumlah, Operator, Tunai, Piutang, Hutang, JatuhTempo, Ket, Nota) "
                        "values (?, ?, ?, ?, 0, 0, ?, 'admin', ?, 0, ?, ?, ?, ?)"_s;
    qint64 next = 0;
    const QDate first(2020, 1, 1);
    const auto add = [&](const QString& kind, const QString& ref, const QDate& day,
                         const QString& party, qint64 total, qint64 cash, qint64 debt,
                         const QString& note, const QString& memo) {
        const QString date = day.toString(Qt::ISODate);
        return db.exec(sql, {QString(kind + number(++next)), ref, date, party, total, cash, debt,
                             day.addDays(debt > 0 ? 30 : 0).toString(Qt::ISODate), note, memo});
    };
    for (int d = 0; d < historyDays; ++d) {
        const QDate day = first.addDays(d);
        for (int i = 0; i < 3; ++i) {
            const qint64 total = 50000 * (1 + rng() % 200);
            const bool credit = rng() % 10 == 0;
            const QString supplier = u"SP-%1"_s.arg(1 + rng() % supplierCount, 3, 10, QChar(u'0'));
            if (!add(u"BL-"_s, u"Keluar"_s, day, supplier, total, credit ? 0 : total,
                     credit ? total : 0, u"Pembelian"_s, u"-"_s))
                return false;
        }
        const bool ok =
            ((d % 7 != 1 && d % 7 != 4) ||
             add(u"RJ-"_s, u"Keluar"_s, day, customerCode(int(rng() % 2000)),
                 5000 * (1 + rng() % 40), 0, 0, u"Retur Penjualan"_s, u"-"_s)) &&
            (d % 4 != 0 || add(u"KK-"_s, u"Keluar"_s, day, u"-"_s, 0, 10000 * (1 + rng() % 100), 0,
                               u"Dibayar Kepada PLN"_s, u"listrik"_s)) &&
            (day.day() != 10 || add(u"KM-"_s, u"Masuk"_s, day, u"-"_s, 0, 250000, 0,
                                    u"Terima dari Pak RT"_s, u"sewa lapak"_s)) &&
            (day.day() != 20 || add(u"RB-"_s, u"Masuk"_s, day, u"SP-001"_s, 0, 75000, 0,
                                    u"Retur ke CV Pemasok 1"_s, u"-"_s));
        if (!ok)
            return false;
    }
    // One in twenty-five of the named customers' sales on credit, half paid;
    // those of the last two months are still open, the older ones paid off.
    return db.exec(u"update transaksi set Tunai=Jumlah/2, Piutang=Jumlah-Jumlah/2, "
                   "JatuhTempo=date(Tanggal,'+14 day') where substr(Kode,1,3)='JL-' "
                   "and KodeSP<>'PL-00000' and cast(substr(Kode,4) as integer)%25=0 "
                   "and Tanggal>='2024-10-30'"_s) &&
           db.exec(u"update transaksi set Hutang=0, Tunai=Jumlah where substr(Kode,1,3)='BL-' "
                   "and Hutang>0 and Tanggal<'2024-10-30'"_s);
}

} // namespace

QString reportShop(const QString& folder, QString* error)
{
    const QString large = cached(folder, error);
    if (large.isEmpty())
        return {};
    const QString path =
        QDir(folder).filePath(u"report_shop_v%1_%2.db3"_s.arg(reportVersion).arg(version));
    if (QFileInfo::exists(path))
        return path;
    const QString partial = path + u".part"_s;
    QFile::remove(partial);
    if (!QFile::copy(large, partial)) {
        *error = u"cannot copy "_s + large;
        return {};
    }
    {
        Database db;
        if (!db.open(partial)) {
            *error = db.errorMessage();
            return {};
        }
        db.execScript(u"pragma journal_mode=delete; pragma synchronous=off"_s);
        std::mt19937 rng(20240607);
        Database::Transaction transaction(db);
        if (!addParties(db) || !addDocuments(db, rng) || !transaction.commit()) {
            *error = db.errorMessage();
            return {};
        }
    }
    if (!QFile::rename(partial, path)) {
        *error = u"cannot rename "_s + partial;
        return {};
    }
    return path;
}

QString workingCopy(const QString& shop, const QString& folder, const QString& name)
{
    const QString path = QDir(folder).filePath(name);
    filesystem::removeDatabaseFiles(path);
    return QFile::copy(shop, path) ? path : QString();
}

} // namespace largeshop
