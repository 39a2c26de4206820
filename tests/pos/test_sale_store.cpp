#include "pos/cart.h"
#include "pos/sale_store.h"
#include "core/document_number.h"
#include "support/test_shop.h"

#include <QTest>

// Storing what the cashiers ring up.
class TestSaleStore final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_shop.reset(); }
    void numbersComeFromOneSharedSequence();
    void paymentDecidesReceivableAndWord_data();
    void paymentDecidesReceivableAndWord();
    void walkInPartiesPayInFull_data();
    void walkInPartiesPayInFull();
    void saleLowersStockPurchaseRaisesItAndSetsCost();
    void failureInTheMiddleStoresNothing();
    void quotesAndLettersAreStoredSafely();
    void usedUpSequenceIsRefused();

private:
    Database& db() { return m_shop->db(); }
    void addProduct(const QString& code, const QString& name, int stock, int cost);
    CashierDocument document(Side side, const Cart& cart, const QString& paid,
                             const QString& partyName = u"Bu Siti"_qs) const;
    QString save(Side side, const QStringList& scans, const QString& paid,
                 const QString& partyName = u"Bu Siti"_qs);
    QStringList row(const QString& sql, const QVariantList& params = {});
    std::unique_ptr<TestShop> m_shop;
};

void TestSaleStore::init()
{
    m_shop = std::make_unique<TestShop>();
    QCOMPARE(m_shop->error(), QString());
    addProduct(u"1"_qs, u"Gula"_qs, 5, 7000);
    addProduct(u"2"_qs, u"Kopi"_qs, 1, 12000);
}

void TestSaleStore::addProduct(const QString& code, const QString& name, int stock, int cost)
{
    QVERIFY(db().exec(u"insert into barang (kode, nama, satuan, stock, hpp, hargajual, diskon) "
                      "values (?, ?, 'pcs', ?, ?, ?, 0)"_qs,
                      {code, name, stock, cost, cost + 1000}));
}

CashierDocument TestSaleStore::document(Side side, const Cart& cart, const QString& paid,
                                        const QString& partyName) const
{
    const bool sale = side == Side::Sales;
    const bool walkIn = partyName == u"Bebas";
    const QString code = walkIn ? (sale ? u"PL-00000"_qs : u"SP-00000"_qs)
                                : (sale ? u"PL-00001"_qs : u"SP-00001"_qs);
    return {side, u"2024-03-07"_qs, u"2024-04-07"_qs, code, partyName, u"kasir"_qs,
            cart.totals().gross, cart.totals().discountAmount, cart.totals().net, paid};
}

QString TestSaleStore::save(Side side, const QStringList& scans, const QString& paid,
                            const QString& partyName)
{
    Cart cart(db(), side);
    cart.setBarcodeMode(true);
    for (const QString& code : scans)
        cart.takeCode(code);
    const Outcome<QString> number =
        sales::store(db(), document(side, cart, paid, partyName), cart.lines());
    if (!number)
        m_shop->messages.failed(number);
    return number ? *number : QString();
}

QStringList TestSaleStore::row(const QString& sql, const QVariantList& params)
{
    QStringList result;
    db().query(sql, params, [&](const QStringList& values) { result = values; });
    return result;
}

void TestSaleStore::numbersComeFromOneSharedSequence()
{
    QCOMPARE(save(Side::Sales, {u"1"_qs}, u"10000"_qs), u"00000000000001"_qs);
    QCOMPARE(row(u"select Kode from transaksi"_qs), QStringList{u"JL-00000000000001"_qs});
    QVERIFY(db().exec(u"insert into transaksi (Kode) values ('PI-00000000000006')"_qs));
    QCOMPARE(save(Side::Purchase, {u"1"_qs}, u"7000"_qs), u"00000000000007"_qs);
    QCOMPARE(save(Side::Sales, {u"2"_qs}, u"13000"_qs), u"00000000000008"_qs);
    QCOMPARE(row(u"select group_concat(Kode, ' ') from (select Kode from transaksi order by 1)"_qs),
             QStringList{u"BL-00000000000007 JL-00000000000001 JL-00000000000008 PI-00000000000006"_qs});
    // Stock corrections keep a sequence of their own.
    QCOMPARE(documents::lastNumber(db(), documents::Sequence::StockCorrections), qint64(0));
}

void TestSaleStore::paymentDecidesReceivableAndWord_data()
{
    QTest::addColumn<int>("side");
    QTest::addColumn<QString>("paid");
    QTest::addColumn<QStringList>("expected"); // Ref, Tunai, open, Ket
    QTest::newRow("named customer on credit")
        << int(Side::Sales) << u"0"_qs
        << QStringList{u"Masuk"_qs, u"0"_qs, u"16000"_qs,
                       u"Penjualan Kepada Bu Siti dengan dibayar secara Piutang"_qs};
    QTest::newRow("paid exactly") << int(Side::Sales) << u"16000"_qs
                                  << QStringList{u"Masuk"_qs, u"16000"_qs, u"0"_qs,
                                                 u"Penjualan Kepada Bu Siti dengan dibayar secara Lunas"_qs};
    QTest::newRow("paid above, change given")
        << int(Side::Sales) << u"20000"_qs
        << QStringList{u"Masuk"_qs, u"20000"_qs, u"0"_qs,
                       u"Penjualan Kepada Bu Siti dengan dibayar secara Lunas"_qs};
    QTest::newRow("purchase on credit")
        << int(Side::Purchase) << u"4000"_qs
        << QStringList{u"Keluar"_qs, u"4000"_qs, u"10000"_qs,
                       u"Pembelian dari Bu Siti dengan dibayar secara Hutang"_qs};
}

void TestSaleStore::paymentDecidesReceivableAndWord()
{
    QFETCH(int, side);
    QFETCH(QString, paid);
    QFETCH(QStringList, expected);
    const bool sale = Side(side) == Side::Sales;
    // Sales: 2 x 8000; purchases: 2 x 7000.
    QVERIFY(!save(Side(side), {u"1"_qs, u"1"_qs}, paid).isEmpty());
    const QString open = sale ? u"Piutang"_qs : u"Hutang"_qs;
    QCOMPARE(row(u"select Ref, Tunai, "_qs + open + u", Ket from transaksi"_qs), expected);
    QCOMPARE(row(u"select Tanggal, KodeSP, Potongan, Tax, Jumlah, Operator, JatuhTempo, Nota "
                 "from transaksi"_qs),
             (QStringList{u"2024-03-07"_qs, sale ? u"PL-00001"_qs : u"SP-00001"_qs, u"0"_qs,
                          u"0"_qs, sale ? u"16000"_qs : u"14000"_qs, u"kasir"_qs,
                          u"2024-04-07"_qs, u"-"_qs}));
    // The other side's debt column stays empty.
    QCOMPARE(row(u"select "_qs + (sale ? u"Hutang"_qs : u"Piutang"_qs) + u" from transaksi"_qs),
             QStringList{QString()});
}

void TestSaleStore::walkInPartiesPayInFull_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("net");
    QTest::addColumn<QString>("paid");
    QTest::addColumn<bool>("refused");
    QTest::newRow("walk-in short") << u"Bebas"_qs << u"5000"_qs << u"4999"_qs << true;
    QTest::newRow("walk-in exact") << u"Bebas"_qs << u"5000"_qs << u"5000"_qs << false;
    QTest::newRow("named short") << u"Bebas Jaya"_qs << u"5000"_qs << u"0"_qs << false;
    QTest::newRow("walk-in, letters paid") << u"Bebas"_qs << u"5000"_qs << u"lima"_qs << true;
    QTest::newRow("walk-in, pasted fraction rounds up") << u"Bebas"_qs << u"5000"_qs
                                                        << u"4999.6"_qs << false;
}

void TestSaleStore::walkInPartiesPayInFull()
{
    QFETCH(QString, name);
    QFETCH(QString, net);
    QFETCH(QString, paid);
    QFETCH(bool, refused);
    CashierDocument document;
    document.partyName = name;
    document.net = net;
    document.paid = paid;
    QCOMPARE(sales::walkInPaysTooLittle(document), refused);
    QVERIFY(sales::hasNoParty(document));
    document.partyCode = u"PL-00000"_qs;
    QVERIFY(!sales::hasNoParty(document));
    QCOMPARE(sales::walkInMessage(Side::Purchase),
             u"Nilai pembayaran belum di ENTRY, jika pembayaran dilakukan non tunai, mohon "
             "lengkapi dahulu data Supplier"_qs);
}

void TestSaleStore::saleLowersStockPurchaseRaisesItAndSetsCost()
{
    // Stock 1, three sold: it may go below zero.
    QVERIFY(!save(Side::Sales, {u"2"_qs, u"2"_qs, u"2"_qs}, u"99999"_qs).isEmpty());
    QCOMPARE(row(u"select stock from barang where kode='2'"_qs), QStringList{u"-2"_qs});
    QCOMPARE(row(u"select KodeBarang, NamaBarang, Qty, Satuan, Harga, Diskon, Jumlah, kodeSP "
                 "from itempenjualan"_qs),
             (QStringList{u"2"_qs, u"Kopi"_qs, u"3"_qs, u"pcs"_qs, u"13000"_qs, u"0"_qs,
                          u"39000"_qs, u"PL-00001"_qs}));

    // Two purchase lines of one product: both quantities in, the last price stays.
    Cart cart(db(), Side::Purchase);
    for (const auto& [quantity, price] : {std::pair{u"10"_qs, u"7500"_qs}, {u"4"_qs, u"7200"_qs}}) {
        cart.takeCode(u"1"_qs);
        cart.setQuantity(quantity);
        cart.setPrice(price);
        cart.commitEntry();
    }
    QVERIFY(sales::store(db(), document(Side::Purchase, cart, u"0"_qs, u"Bebas"_qs), cart.lines()));
    QCOMPARE(row(u"select stock, hpp from barang where kode='1'"_qs),
             (QStringList{u"19"_qs, u"7200"_qs}));
    QCOMPARE(row(u"select count(*), sum(Qty) from itempembelian where kodeSP='SP-00000'"_qs),
             (QStringList{u"2"_qs, u"14"_qs}));
    QVERIFY(m_shop->messages.shown().isEmpty());
}

void TestSaleStore::failureInTheMiddleStoresNothing()
{
    QVERIFY(db().execScript(u"create trigger refuse before update of stock on barang "
                            "when old.kode = '2' begin select raise(abort, 'stok dikunci'); end"_qs));
    QVERIFY(save(Side::Sales, {u"1"_qs, u"2"_qs}, u"50000"_qs).isEmpty());
    QCOMPARE(m_shop->messages.lastText(), u"SQL error: stok dikunci"_qs);
    for (const QString& table : {u"transaksi"_qs, u"itempenjualan"_qs})
        QCOMPARE(row(u"select count(*) from "_qs + table), QStringList{u"0"_qs});
    QCOMPARE(row(u"select stock from barang where kode='1'"_qs), QStringList{u"5"_qs});

    // Saved again once the fault is gone, under the same number.
    QVERIFY(db().exec(u"drop trigger refuse"_qs));
    QCOMPARE(save(Side::Sales, {u"1"_qs, u"2"_qs}, u"50000"_qs), u"00000000000001"_qs);
    QCOMPARE(row(u"select count(*) from itempenjualan"_qs), QStringList{u"2"_qs});
}

void TestSaleStore::quotesAndLettersAreStoredSafely()
{
    addProduct(u"3"_qs, u"Kacang 'Garuda'"_qs, 10, 5000);
    Cart cart(db(), Side::Sales);
    cart.takeCode(u"3"_qs);
    cart.setQuantity(u"x"_qs); // pasted letters count as 0
    cart.commitEntry();
    QVERIFY(sales::store(db(), document(Side::Sales, cart, u"0"_qs, u"Warung O'Neil"_qs),
                         cart.lines()));
    QCOMPARE(row(u"select Ket from transaksi"_qs),
             QStringList{u"Penjualan Kepada Warung O'Neil dengan dibayar secara Lunas"_qs});
    QCOMPARE(row(u"select NamaBarang, Qty, Jumlah from itempenjualan"_qs),
             (QStringList{u"Kacang 'Garuda'"_qs, u"0"_qs, u"0"_qs}));
    QCOMPARE(row(u"select stock from barang where kode='3'"_qs), QStringList{u"10"_qs});
}

void TestSaleStore::usedUpSequenceIsRefused()
{
    QVERIFY(db().exec(u"insert into transaksi (Kode) values ('KK-99999999999999')"_qs));
    QVERIFY(save(Side::Sales, {u"1"_qs}, u"8000"_qs).isEmpty());
    QCOMPARE(m_shop->messages.lastText(), u"Nomor dokumen sudah habis, transaksi tidak disimpan."_qs);
    QCOMPARE(row(u"select count(*) from transaksi"_qs), QStringList{u"1"_qs});
}

QTEST_GUILESS_MAIN(TestSaleStore)
#include "test_sale_store.moc"
