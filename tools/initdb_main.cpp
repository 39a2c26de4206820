// toko-initdb: makes a new, empty shop database in a file or on a server (or
// a demo shop with --demo);
// keeps a shop database plain for other programs (--plain) or undoes that
// (--helpers).

#include "logic/shop_database.h"

#include <QCoreApplication>
#include <QLocale>
#include <QStringList>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool demo = args.removeAll(QStringLiteral("--demo")) > 0;
    const bool plain = args.removeAll(QStringLiteral("--plain")) > 0;
    const bool helpers = args.removeAll(QStringLiteral("--helpers")) > 0;
    QTextStream err(stderr);
    if (args.size() != 1 || args.first().startsWith(u'-') || int(demo) + plain + helpers > 1) {
        err << "Pemakaian: toko-initdb [--demo] FILE.db3\n"
               "          toko-initdb [--demo] postgresql://USER@SERVER/DATABASE\n"
               "          toko-initdb --plain FILE.db3\n"
               "          toko-initdb --helpers FILE.db3\n"
               "Membuat database toko baru (file, atau tabel di database server yang masih "
               "kosong) dengan user \"admin\" (password awal "
            << shopdb::firstAdminPassword
            << ", segera ganti).\n"
               "--plain menghapus pelengkap toko (indeks pencarian dan indeks tambahan) dari "
               "database yang sudah ada, untuk program lain; --helpers memasangnya kembali.\n";
        return 2;
    }
    const QString& path = args.first();
    QTextStream out(stdout);
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
