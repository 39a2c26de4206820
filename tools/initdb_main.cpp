// toko-initdb: makes a new, empty shop database in a file or on a server (or
// a demo shop with --demo);
// keeps a shop database plain for other programs (--plain) or undoes that
// (--helpers); copies a whole shop between a file and a server (--copy).

#include "logic/shop_copy.h"
#include "logic/shop_database.h"

#include <QElapsedTimer>

#include <QCoreApplication>
#include <QLocale>
#include <QStringList>
#include <QTextStream>

namespace {

int copyShop(const QString& from, const QString& to, QTextStream& out, QTextStream& err)
{
    QElapsedTimer timer;
    timer.start();
    const Outcome<shopcopy::Copied> copied = shopcopy::copy(from, to);
    if (!copied) {
        err << copied.reason() << '\n';
        return 1;
    }
    const QLocale indonesian(QLocale::Indonesian, QLocale::Indonesia);
    out << "Disalin: " << indonesian.toString(copied->rows) << " baris dalam "
        << indonesian.toString(double(timer.elapsed()) / 1000, 'f', 1)
        << " detik; jumlah baris dan total setiap kolom angka sama di kedua sisi.\n";
    for (const QString& line : copied->changed)
        out << line << '\n';
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool demo = args.removeAll(QStringLiteral("--demo")) > 0;
    const bool plain = args.removeAll(QStringLiteral("--plain")) > 0;
    const bool helpers = args.removeAll(QStringLiteral("--helpers")) > 0;
    const bool copy = args.removeAll(QStringLiteral("--copy")) > 0;
    QTextStream err(stderr);
    QTextStream out(stdout);
    if (copy && args.size() == 2 && !demo && !plain && !helpers)
        return copyShop(args.at(0), args.at(1), out, err);
    if (copy || args.size() != 1 || args.first().startsWith(u'-') ||
        int(demo) + plain + helpers > 1) {
        err << "Pemakaian: toko-initdb [--demo] FILE.db3\n"
               "          toko-initdb [--demo] postgresql://USER@SERVER/DATABASE\n"
               "          toko-initdb --plain FILE.db3\n"
               "          toko-initdb --helpers FILE.db3\n"
               "          toko-initdb --copy ASAL TUJUAN\n"
               "Membuat database toko baru (file, atau tabel di database server yang masih "
               "kosong) dengan user \"admin\" (password awal "
            << shopdb::firstAdminPassword
            << ", segera ganti).\n"
               "--plain menghapus pelengkap toko (indeks pencarian dan indeks tambahan) dari "
               "database yang sudah ada, untuk program lain; --helpers memasangnya kembali.\n"
               "--copy menyalin seluruh data toko dari file ke server atau sebaliknya "
               "(ASAL dan TUJUAN: FILE.db3 atau postgresql://...); tujuan harus baru atau "
               "kosong.\n";
        return 2;
    }
    const QString& path = args.first();
    if (plain || helpers) {
        const Outcome<shopdb::HelpersChanged> changed = shopdb::setPlain(path, plain);
        if (!changed) {
            err << changed.reason() << '\n';
            return 1;
        }
        const QLocale indonesian(QLocale::Indonesian, QLocale::Indonesia);
        out << (plain ? "Pelengkap dihapus: " : "Pelengkap dipasang: ")
            << (changed->names.isEmpty() ? QStringLiteral("-") : changed->names.join(u", "))
            << "\nUkuran file: " << indonesian.toString(changed->sizeBefore) << " byte sebelum, "
            << indonesian.toString(changed->sizeAfter) << " byte sesudah.\n";
        if (plain)
            out << "toko tidak memasang pelengkap pada file ini sampai dijalankan: "
                   "toko-initdb --helpers "
                << path << '\n';
        return 0;
    }
    if (const Outcome<> made = shopdb::create(path, demo); !made) {
        err << made.reason() << '\n';
        return 1;
    }
    out << "Database dibuat: " << path << '\n';
    return 0;
}
