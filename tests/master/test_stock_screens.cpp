#include "core/database.h"
#include "master/return_window.h"
#include "master/stock_correction_window.h"
#include "support/modal.h"
#include "support/test_shop.h"
#include "ui/month_tree.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

using namespace Qt::StringLiterals;

// The stock correction and returns screens: their keys, focus and what they
// show; what they store is checked by the logic tests.
class TestStockScreens final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_shop.reset(); }
    void correctionKeys();
    void correctionTree();
    void returnKeys_data();
    void returnKeys();
    void browsePicksABoughtProduct();

private:
    void showActive(QWidget& screen);
    // Types `text` into the focused box, then Enter or another key.
    static void type(const QString& text, Qt::Key key = Qt::Key_Return);
    static QWidget* focused() { return QApplication::focusWidget(); }
    QString lastText() const { return m_shop->messages.lastText(); }

    std::unique_ptr<TestShop> m_shop;
};

void TestStockScreens::init()
{
    m_shop = std::make_unique<TestShop>();
    QVERIFY2(m_shop->error().isEmpty(), qPrintable(m_shop->error()));
    QVERIFY(m_shop->db().exec(
        u"insert into barang (kode, nama, satuan, stock, hpp, hargajual, diskon) values "
        "('111', 'Sabun', 'pcs', 10, 80, 100, 0), ('222', 'Kopi', 'bks', 5, 30, 50, 5)"_s));
    QVERIFY(m_shop->db().execScript(
        u"insert into pelanggan (kode, nama) values ('PL-00001', 'Bu Ani'), ('PL-00002', 'Budi');"
        "insert into supplier (kode, nama) values ('SP-001', 'CV Maju');"
        "insert into transaksi (Kode, KodeSP, Piutang, Hutang) values "
        "('JL-00000000000001', 'PL-00001', 700, null), ('BL-00000000000002', 'SP-001', null, 90)"_s));
}

void TestStockScreens::showActive(QWidget& screen)
{
    screen.show();
    screen.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
}

void TestStockScreens::type(const QString& text, Qt::Key key)
{
    QTest::keyClicks(focused(), text);
    QTest::keyClick(focused(), key);
}

void TestStockScreens::correctionKeys()
{
    StockCorrectionWindow screen(m_shop->context());
    showActive(screen);
    using Box = StockCorrectionWindow::Box;
    QTRY_COMPARE(focused(), screen.box(Box::Code));
    // A code of no product changes nothing.
    type(u"999"_s);
    QCOMPARE(screen.box(Box::Name)->text(), u""_s);
    QCOMPARE(focused(), screen.box(Box::Code));
    screen.box(Box::Code)->clear();
    // Enter walks: code -> counted stock (typed over) -> note -> a new line.
    type(u"111"_s);
    QCOMPARE(screen.box(Box::Name)->text(), u"Sabun"_s);
    QCOMPARE(screen.box(Box::DbStock)->text(), u"10"_s);
    QCOMPARE(focused(), screen.box(Box::RealStock));
    type(u"7"_s);
    QCOMPARE(focused(), screen.box(Box::Note));
    type(u"rak 'atas'"_s);
    QCOMPARE(screen.correction().lines().row(0).join(u'|'), u"111|Sabun|10|7|rak 'atas'"_s);
    QCOMPARE(screen.box(Box::RealStock)->text() + screen.box(Box::Name)->text(), u"0"_s);
    QCOMPARE(focused(), screen.box(Box::Code));
    // Saved: the message, and a node under this month.
    QTest::mouseClick(buttonWithText<QPushButton>(&screen, u"Simpan"_s), Qt::LeftButton);
    QCOMPARE(lastText(), u"Koreksi Item Barang Berhasil Disimpan"_s);
    QCOMPARE(screen.tree()->monthItem(3)->child(0)->text(0), u"KS-00000000000001"_s);
}

void TestStockScreens::correctionTree()
{
    QVERIFY(m_shop->db().exec(
        u"insert into itemkoreksi (Kode, Tanggal, KodeBarang, NamaBarang, QtyDb, QtyReal) "
        "values ('KS-00000000000004', '2024-02-03', '222', 'Kopi', 5, 4), "
        "('KS-00000000000003', '2023-02-03', '111', 'Sabun', 1, 1)"_s));
    StockCorrectionWindow screen(m_shop->context());
    showActive(screen);
    // This year's months to March; last year's correction is not listed.
    QTreeWidgetItem* february = screen.tree()->monthItem(2);
    QVERIFY(screen.tree()->monthItem(3) && !screen.tree()->monthItem(4));
    QCOMPARE(february->childCount(), 1);

    // A month node is where new corrections go: Hapus leaves it.
    QPushButton* remove = buttonWithText<QPushButton>(&screen, u"Hapus"_s);
    screen.tree()->setCurrentItem(february);
    m_shop->messages.setNextAnswer(true);
    QTest::mouseClick(remove, Qt::LeftButton);
    QCOMPARE(lastText(), u"Pilih kode koreksi yang akan dihapus."_s);
    QCOMPARE(screen.tree()->monthItem(2), february);

    screen.tree()->setCurrentItem(february->child(0));
    QCOMPARE(screen.correction().lines().row(0).join(u'|'), u"222|Kopi|5|4|"_s);
    QTest::mouseClick(remove, Qt::LeftButton);
    QCOMPARE(lastText(), u"Yakin Hapus item KS-00000000000004 ini?, Penghapusan dapat "
                         "mengakibatkan hilangnya referensi antar Data yang pernah tersimpan."_s);
    QCOMPARE(m_shop->messages.shown().last().caption, u"Remove Data"_s);
    QCOMPARE(february->childCount(), 0); // the Yes the month node did not take
    QCOMPARE(screen.correction().lines().rowCount(), 0);
}

void TestStockScreens::returnKeys_data()
{
    QTest::addColumn<Side>("side");
    QTest::addColumn<QString>("debt");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("rest"); // "Sisa " after 3 units
    QTest::addColumn<QString>("saved");
    QTest::newRow("sales") << Side::Sales << u"700"_s << u"100"_s << u"400"_s
                           << u"Retur Penjualan berhasil disimpan, cetak struk?"_s;
    QTest::newRow("purchase") << Side::Purchase << u"90"_s << u"80"_s << u"0"_s
                              << u"Retur Pembelian berhasil disimpan, cetak struk?"_s;
}

void TestStockScreens::returnKeys()
{
    QFETCH(Side, side);
    QFETCH(QString, debt);
    QFETCH(QString, price);
    QFETCH(QString, rest);
    QFETCH(QString, saved);
    ReturnWindow screen(m_shop->context(), side);
    showActive(screen);
    using Column = ReturnDocument::Column;
    // The first party's debt shows at once: the refund depends on it.
    QCOMPARE(screen.document().debt(), debt);
    QTRY_COMPARE(focused(), screen.box(Column::Code));

    type(u"111"_s);
    QCOMPARE(focused(), screen.box(Column::Quantity));
    QCOMPARE(screen.box(Column::Price)->text(), price);
    type(u"3"_s, Qt::Key_Tab);
    QCOMPARE(focused(), screen.box(Column::Price));
    QCOMPARE(screen.box(Column::Amount)->text(), QString::number(3 * price.toInt()));
    // Tab in Harga moves to Diskon and leaves its text as it was.
    QTest::keyClick(focused(), Qt::Key_Tab);
    QCOMPARE(focused(), screen.box(Column::Discount));
    QCOMPARE(screen.box(Column::Discount)->text(), u"0"_s);
    // Letters are not typed into the number boxes.
    type(u"x"_s, Qt::Key_Tab);
    QCOMPARE(screen.document().lines().rowCount(), 1);
    QCOMPARE(screen.document().rest(), rest);
    QCOMPARE(focused(), screen.box(Column::Code));

    // "Cetak" prints only a return this screen has stored.
    QToolButton* print = buttonWithText<QToolButton>(&screen, u"Cetak"_s);
    m_shop->messages.clear();
    QTest::mouseClick(print, Qt::LeftButton);
    QVERIFY(m_shop->messages.shown().isEmpty());
    QTest::mouseClick(buttonWithText<QToolButton>(&screen, u"Save"_s), Qt::LeftButton);
    QCOMPARE(m_shop->messages.shown().value(0).text, saved);
    QCOMPARE(m_shop->messages.shown().value(0).caption, u"Print"_s);
    QTest::mouseClick(print, Qt::LeftButton);
    QVERIFY(lastText().startsWith(u"Laporan disimpan di:"_s));
}

void TestStockScreens::browsePicksABoughtProduct()
{
    QVERIFY(m_shop->db().exec(u"insert into itempenjualan (Kode, KodeBarang, NamaBarang, kodeSP) "
                              "values ('JL-00000000000001', '222', 'Kopi', 'PL-00001')"_s));
    ReturnWindow screen(m_shop->context(), Side::Sales);
    showActive(screen);
    QString seen;
    whenModalOpens(seen, [](QWidget* picker) {
        auto* list = picker->findChild<QTableView*>();
        list->selectRow(0);
        QTest::mouseClick(buttonWithText<QPushButton>(picker, u"Pilih"_s), Qt::LeftButton);
    });
    QTest::mouseClick(buttonWithText<QToolButton>(&screen, u"Browse"_s), Qt::LeftButton);
    QCOMPARE(seen, u"FORM_TOKO_FORM24_CLASS"_s);
    using Column = ReturnDocument::Column;
    QCOMPARE(screen.box(Column::Code)->text(), u"222"_s);
    QCOMPARE(screen.box(Column::Discount)->text(), u"5"_s);
    QCOMPARE(screen.box(Column::Amount)->text(), u"45"_s);
    QCOMPARE(screen.focusWidget(), screen.box(Column::Quantity));
}

QTEST_MAIN(TestStockScreens)
#include "test_stock_screens.moc"
