// export_probe: copied beside an installed toko, exports a small list in both
// formats through the libraries the program itself would find from there.
//   export_probe FOLDER     prints the files written, one a line

#include "logic/export.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    exporting::ExportTable table{QStringLiteral("Uji"),
                                 {QStringLiteral("Toko"), {}, {}},
                                 {QStringLiteral("Kode"), QStringLiteral("Jumlah")},
                                 u"lr"_qs,
                                 {80, 80},
                                 {{QStringLiteral("A1"), QStringLiteral("1500")}}};
    for (const auto format : {exporting::Format::WebPage, exporting::Format::Spreadsheet}) {
        const Outcome<QString> done =
            exporting::exportTable(format, table, QDir(QString::fromLocal8Bit(argv[1])),
                                   exporting::libraryCandidates(format));
        if (!done) {
            std::fprintf(stderr, "%s\n", qPrintable(done.reason()));
            return 1;
        }
        std::printf("%s\n", qPrintable(*done));
    }
    return 0;
}
