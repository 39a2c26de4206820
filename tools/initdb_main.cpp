// toko-initdb: makes a new, empty shop database (or a demo shop with --demo).

#include "tools/shop_database.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool demo = args.removeAll(QStringLiteral("--demo")) > 0;
    QTextStream err(stderr);
    if (args.size() != 1 || args.first().startsWith(u'-')) {
        err << "Pemakaian: toko-initdb [--demo] FILE.db3\n"
               "Membuat database toko baru dengan user \"admin\" (password awal "
            << shopdb::firstAdminPassword << ", segera ganti).\n";
        return 2;
    }
    const QString error = shopdb::create(args.first(), demo);
    if (!error.isEmpty()) {
        err << error << '\n';
        return 1;
    }
    QTextStream(stdout) << "Database dibuat: " << args.first() << '\n';
    return 0;
}
