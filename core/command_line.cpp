#include "core/command_line.h"

namespace commandline {

CommandLine parse(const QStringList& arguments)
{
    CommandLine line;
    const QString missingFolder = QStringLiteral("--shop memerlukan nama folder toko.");
    for (qsizetype i = 0; i < arguments.size() && line.error.isEmpty(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == u"--help" || argument == u"-h") {
            line.help = true;
        } else if (argument == u"--version" || argument == u"-v") {
            line.version = true;
        } else if (argument == u"--shop" || argument.startsWith(u"--shop=")) {
            line.shop = argument == u"--shop" ? arguments.value(++i) : argument.mid(7);
            if (line.shop.isEmpty())
                line.error = missingFolder;
        } else if (argument.startsWith(u"--")) {
            line.error = QStringLiteral("Pilihan tidak dikenal: ") + argument;
        }
        // Anything else is Qt's own (-platform offscreen, -style fusion).
    }
    return line;
}

QString usage()
{
    return QStringLiteral(
        "Pemakaian: toko [--shop FOLDER]\n"
        "Kasir dan pembukuan toko.\n"
        "\n"
        "  --shop FOLDER  buka toko di FOLDER untuk sekali jalan ini\n"
        "                 (juga lewat variabel lingkungan TOKO_SHOP)\n"
        "  --help         tampilkan bantuan ini\n"
        "  --version      tampilkan versi\n"
        "\n"
        "Tanpa --shop, toko dibuka di folder saat ini bila berisi conn.txt, lalu di\n"
        "folder toko yang terakhir dipilih; bila belum ada, toko menanyakannya.\n");
}

} // namespace commandline
