#pragma once

#include "core/database.h"

#include <QStringList>

using namespace Qt::StringLiterals;

// A month of documents of every kind around 2024-03-07 on the demo shop: a
// discounted credit sale overdue, one due today, a walk-in sale with a line
// of a product no longer kept, a sale paid off since, a sale of a customer
// no longer kept, the next month's first day, a leap day, returns, cash in
// and out with halves, purchases on credit (one walk-in), a category with a
// quote, and the cost of rice changed after it was sold.
inline bool addReportMonth(Database& db)
{
    // kode|tanggal|kodeSP|jumlah|potongan|tunai|piutang|hutang|jatuh tempo|ket|nota
    const QStringList documents = {
        u"KM-01|2024-03-02|-|||100000.5||||Terima dari Pak RT|sewa lapak"_s,
        u"RB-03|2024-03-03|SP-001|0||50000.5||||Retur ke CV Sumber Rejeki|-"_s,
        u"BL-02|2024-03-04|SP-001|62000|0|0|0|62000|2024-03-06|Pembelian|-"_s,
        u"JL-04|2024-03-05|PL-00001|137000|7000|100000|30000||2024-03-06|Penjualan|-"_s,
        u"JL-06|2024-03-06|PL-00002|15002.5|0|0|15002.5||2024-03-07|Penjualan|-"_s,
        u"JL-13|2024-03-06|PL-00099|5000|0|0|5000||2024-03-06|Penjualan|-"_s,
        u"JL-05|2024-03-07|PL-00000|47000|0|50000|0||2024-03-07|Penjualan|-"_s,
        u"BL-14|2024-03-07|SP-00000|20000|0|15000|0|5000|2024-03-07|Pembelian|-"_s,
        u"JL-12|2024-03-01|PL-00003|10000|0|5000|0||2024-03-02|Penjualan|-"_s,
        u"RJ-07|2024-03-10|PL-00001|16000||16000||||Retur dari Bu Siti|-"_s,
        u"KK-08|2024-03-15|-|||25000.5||||Dibayar Kepada PLN|listrik"_s,
        u"PI-11|2024-03-20|PL-00003|||5000||||Pembayaran Piutang|Bayar Piutang"_s,
        u"JL-09|2024-04-01|PL-00002|68500|0|68500|0||2024-04-01|Penjualan|-"_s,
        u"JL-10|2024-02-29|PL-00003|14000|0|14000|0||2024-02-29|Penjualan|-"_s,
    };
    // kode|barang|nama|qty|harga|jumlah
    const QStringList lines = {
        u"JL-04|1001|Beras Pandan Wangi 5 kg|2|68500|137000"_s,
        u"JL-06|2001|Mi Goreng Pedas|5|3000.5|15002.5"_s,
        u"JL-13|3002|Teh Celup isi 25|1|5000|5000"_s,
        u"JL-05|2001|Mi Instan Goreng|10|3200|32000"_s,
        u"JL-05|9999|Barang Lama|3|5000|15000"_s,
        u"JL-12|4001|Sabun Mandi Batang|2|5000|10000"_s,
        u"JL-09|1001|Beras Pandan Wangi 5 kg|1|68500|68500"_s,
        u"JL-10|3001|Air Mineral 600 ml|4|3500|14000"_s,
    };
    const auto values = [](const QString& text) {
        QVariantList all;
        for (const QString& field : text.split(u'|'))
            all.append(field.isEmpty() ? QVariant() : QVariant(field));
        return all;
    };
    for (const QString& document : documents) {
        QVariantList row = values(document);
        const QString kind = document.left(2);
        row.insert(1, kind == u"JL" || kind == u"RB" || kind == u"KM" || kind == u"PI"
                          ? u"Masuk"_s
                          : u"Keluar"_s);
        if (!db.exec(u"insert into transaksi (Kode, Ref, Tanggal, KodeSP, Jumlah, Potongan, "
                     "Tunai, Piutang, Hutang, JatuhTempo, Ket, Nota, Tax, Operator) "
                     "values (?,?,?,?,?,?,?,?,?,?,?,?,0,'admin')"_s,
                     row))
            return false;
    }
    for (const QString& line : lines) {
        if (!db.exec(u"insert into itempenjualan (Kode, KodeBarang, NamaBarang, Qty, Harga, "
                     "Jumlah, Satuan, Diskon) values (?,?,?,?,?,?,'pcs',0)"_s,
                     values(line)))
            return false;
    }
    return db.exec(u"update barang set hpp=60000 where kode='1001'"_s) &&
           db.exec(
               u"insert into barang (kode, nama, kategori, stock, satuan) values "
               "('K3','Bolu','Kue ''Bu Ani''',10,'pcs'), ('K1','Lapis','Kue ''Bu Ani''',0,'pcs'),"
               "('K4','Nastar','Kue ''Bu Ani''',12,'toples'), "
               "('K2','Putu','Kue ''Bu Ani''',3,'pcs'), ('K5','Lilin','Lainnya',1,'pcs')"_s);
}
