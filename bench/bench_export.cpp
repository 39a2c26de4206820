// toko_bench_export: a list of 10,000 rows and 8 columns exported through our
// own libraries, from the call to the written file: the web page and the
// spreadsheet. Prints the median of seven runs of each.

#include "core/table.h"
#include "logic/export.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    Table list;
    const Qt::Alignment alignments[] = {Qt::AlignLeft,  Qt::AlignLeft,  Qt::AlignHCenter,
                                        Qt::AlignRight, Qt::AlignRight, Qt::AlignRight,
                                        Qt::AlignRight, Qt::AlignRight};
    const char* headers[] = {"Kode Barang", "Nama Barang", "Satuan", "HPP",
                             "HargaJual",   "Items",       "Modal",  "Laba/Rugi"};
    for (int c = 0; c < 8; ++c)
        list.columns.append({QString::fromLatin1(headers[c]), alignments[c]});
    QList<QStringList> rows;
    for (int r = 0; r < 10000; ++r) {
        const double price = 1000 + r % 977 * 250.5;
        rows.append({QString::number(100000 + r), u"Barang nomor %1 & <lain>"_s.arg(r),
                     QStringLiteral("PCS"), QString::number(price * 0.8, 'f', 1),
                     QString::number(price, 'f', 1), QString::number(r % 40 + 1),
                     QString::number(price * 0.8 * (r % 40 + 1), 'f', 0),
                     QString::number(price * 0.2 * (r % 40 + 1), 'f', 0)});
    }
    list.rows = std::move(rows);

    QTemporaryDir folder;
    const QDir reports(folder.filePath(QStringLiteral("laporan")));
    for (const exporting::Format format :
         {exporting::Format::WebPage, exporting::Format::Spreadsheet}) {
        const QString library =
            QStringLiteral(TOKO_OUR_LIBRARIES "/") + exporting::libraryName(format);
        QList<qint64> times;
        qint64 size = 0;
        for (int run = 0; run < 7; ++run) {
            QElapsedTimer timer;
            timer.start();
            const Outcome<QString> written = exporting::exportTable(
                format,
                exporting::exportTableOf(
                    QStringLiteral("Laporan Penjualan Hari Ini"), list, {},
                    {QStringLiteral("Toko Uji"), QStringLiteral("Jl. Uji"), {}}),
                reports, {library});
            times.append(timer.nsecsElapsed() / 1000);
            if (!written) {
                std::fprintf(stderr, "%s\n", qPrintable(written.reason()));
                return 1;
            }
            size = QFileInfo(*written).size();
            QFile::remove(*written);
        }
        std::sort(times.begin(), times.end());
        std::printf("%s, 10,000 rows x 8 columns: median %.1f ms (min %.1f, max %.1f), %lld KB\n",
                    qPrintable(exporting::fileExtension(format)), times.at(3) / 1000.0,
                    times.first() / 1000.0, times.last() / 1000.0, size / 1024);
    }
    return 0;
}
