#include "core/database.h"
#include "core/shop_settings.h"
#include "logic/amount_words.h"
#include "logic/escpos.h"
#include "screens/money/cash_book_window.h"
#include "screens/money/payment_window.h"
#include "screens/stock/return_window.h"
#include "screens/stock/stock_correction_window.h"
#include "support/modal.h"
#include "support/needs_part.h"
#include "support/pdf_text.h"
#include "support/test_shop.h"
#include "ui/list_view.h"
#include "ui/month_tree.h"
#include "ui/table_model.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

using namespace Qt::StringLiterals;

// The payment, cash book, stock correction and return screens: keys, focus, shown and printed.
class TestMoneyStockScreens final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void payment_data() { sides(); }
    void payment();
    void paymentOnAChangedList();
    void cashEntryAddsToTheBook();
    void correction();
    void returnKeys_data() { sides(); }
    void returnKeys();

private:
    static void sides();
    static QWidget* focused() { return QApplication::focusWidget(); }
    QString lastText() const { return m_shop->messages.lastText(); }

    std::unique_ptr<TestShop> m_shop;
};

namespace {

void type(const QString& text, Qt::Key key = Qt::Key_Return)
{
    QTest::keyClicks(QApplication::focusWidget(), text);
    QTest::keyClick(QApplication::focusWidget(), key);
}

QString column(const ListView* list, int column)
{
    QStringList cells;
    for (int row = 0; row < list->tableModel()->rowCount(); ++row)
        cells.append(list->tableModel()->cell(row, column));
    return cells.join(u' ');
}

// `expression` over the documents of the bound kind ("PI-"), in the order stored.
QString paidInTurn(const Database& db, const QString& expression)
{
    return u"select "_s + TestShop::joined(db, expression, db.storedOrder()) +
           u" from transaksi where substr(Kode, 1, 3) = ?"_s;
}

} // namespace

void TestMoneyStockScreens::init()
{
    m_shop = std::make_unique<TestShop>();
    QCOMPARE(m_shop->error(), QString());
    m_shop->context().user = u"kasir"_s;
    qputenv("TOKO_PRINTER", "none"); // vouchers become PDF files in the shop's struk/
    // On each side the first party owes 100 and 300, the second 50.
    QVERIFY(m_shop->db().execScript(
        u"insert into barang (kode, nama, satuan, stock, hpp, hargajual, diskon) values "
        "('111', 'Sabun', 'pcs', 10, 80, 100, 0), ('222', 'Kopi', 'bks', 5, 30, 50, 5);"
        "insert into pelanggan (kode, nama) values ('PL-00001', 'Bu ''Ani'' 1'), ('PL-00002', 'B');"
        "insert into supplier (kode, nama) values ('SP-00001', 'Bu ''Ani'' 1'), ('SP-00002', 'B');"
        "insert into transaksi (Kode, KodeSP, Jumlah, Potongan, Tunai, Piutang, Hutang) values "
        "('JL-00000000000001', 'PL-00001', 100, 0, 0, 100, null), "
        "('JL-00000000000002', 'PL-00001', 300, 0, 0, 300, null), "
        "('JL-00000000000003', 'PL-00002', 50, 0, 0, 50, null), "
        "('BL-00000000000004', 'SP-00001', 100, 0, 0, null, 100), "
        "('BL-00000000000005', 'SP-00001', 300, 0, 0, null, 300), "
        "('BL-00000000000006', 'SP-00002', 50, 0, 0, null, 50)"_s));
}

void TestMoneyStockScreens::sides()
{
    QTest::addColumn<Side>("side");
    QTest::newRow("sales") << Side::Sales;
    QTest::newRow("purchase") << Side::Purchase;
}

void TestMoneyStockScreens::payment()
{
    QFETCH(Side, side);
    const SideInfo& info = sideInfo(side);
    Database& db = m_shop->db();
    PaymentWindow screen(m_shop->context(), side);
    showActive(screen);
    auto* parties = screen.findChild<ListView*>(u"daftarPihak"_s);
    auto* documents = screen.findChild<ListView*>(u"daftarDokumen"_s);
    auto* paid = screen.findChild<QLineEdit*>(u"dibayar"_s);
    // Nothing paid yet: nothing to print.
    screen.print();
    QCOMPARE(lastText(), u"Simpan terlebih dahulu sebelum cetak"_s);

    // The arrow keys choose as the mouse does; Enter goes on to the payment, all selected.
    parties->setFocus();
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Return})
        QTest::keyClick(parties, key);
    QCOMPARE(column(documents, 5), u"100 300"_s);
    QVERIFY(paid->hasFocus());
    QCOMPARE(paid->selectedText(), u"400"_s);
    QCOMPARE(screen.findChild<QLineEdit*>(u"totalSisa"_s)->text(), u"400"_s);
    QTest::keyClicks(paid, u"2x50"_s);
    QCOMPARE(screen.findChild<QLineEdit*>(u"terbilang"_s)->text(), amount::words(250));

    // A receivable payment opens the cash drawer of an ESC/POS printer; a payable one does not.
    const QString drawer = m_shop->folder().filePath(u"lp0"_s);
    ShopSettings settings;
    settings.setText(setting::printerDevice, drawer);
    settings.setFlag(setting::printerEscPos, true);
    QVERIFY(config::writeFileAtomically(drawer, {}) && settings.write(m_shop->folder()));

    // A failed save changes no cell and can be tried again.
    QVERIFY(TestShop::refuse(db, u"before insert"_s, u"transaksi"_s, u"1 = 1"_s, u"ditolak"_s));
    screen.save();
    QCOMPARE(lastText(), u"SQL error: ditolak"_s);
    QCOMPARE(column(documents, 5), u"100 300"_s);
    QVERIFY(TestShop::allow(db, u"transaksi"_s));
    m_shop->messages.setNextAnswer(true); // printed on saving: the number alone
    screen.save();
    // Each listed document shows what it took and what is still open.
    QCOMPARE(column(documents, payments::DocCredit), u"0 150"_s);
    QCOMPARE(column(documents, payments::DocPaid), u"100 150"_s);
    QCOMPARE(column(documents, payments::DocOpen), u"0 150"_s);
    QCOMPARE(column(parties, payments::PartyPaid), u"250 0"_s);
    QCOMPARE(column(parties, payments::PartyOpen), u"150 50"_s);
    screen.print(); // reprinted: the code of this payment
    // A second Simpan on the same list stores nothing; chosen again, the party can pay on.
    screen.save();
    QVERIFY(lastText().startsWith(u"Pembayaran ini sudah disimpan."_s));
    QTest::mouseClick(parties->viewport(), Qt::LeftButton, {},
                      parties->visualRect(parties->model()->index(0, 1)).center());
    screen.save();
    QCOMPARE(
        db.scalar(paidInTurn(db, u"KodeSP || ' ' || Tunai"_s), {QString(info.paymentKind + u'-')}),
        info.partyPrefix + u"00001 250,"_s + info.partyPrefix + u"00001 150"_s);

    QFile pulses(drawer);
    QVERIFY(pulses.open(QIODevice::ReadOnly));
    QCOMPARE(pulses.readAll(),
             side == Side::Sales ? escpos::drawerPulse(2).repeated(2) : QByteArray());

    // Each print is a file of its own: the number alone on saving, the code on reprinting.
    const QString struk = m_shop->folder().filePath(u"struk/Struk_%1.pdf"_s);
    TOKO_NEEDS_PART(!pdfWords(struk.arg(1)).isNull(), "pdftotext is not installed");
    QVERIFY(pdfWords(struk.arg(1))
                .contains(u"No. : 00000000000007 Terima dari. : Bu 'Ani' 1 Untuk Pembayaran : "
                          "Pembayaran Piutang Sebesar : 250 : Sisa Piutang Sebesar : 400"_s));
    QVERIFY(pdfWords(struk.arg(2)).contains(u"No. : "_s + info.paymentKind + u"-00000000000007"_s));
}

void TestMoneyStockScreens::paymentOnAChangedList()
{
    PaymentWindow screen(m_shop->context(), Side::Sales);
    auto* parties = screen.findChild<ListView*>(u"daftarPihak"_s);
    auto* outstanding = screen.findChild<QLineEdit*>(u"totalSisa"_s);
    // Listed, then another till takes 100 from Bu 'Ani' 1: her documents show it, her total not.
    Database other;
    QVERIFY(other.open(m_shop->databasePath()));
    const Outcome<Table> open = payments::loadDocuments(other, Side::Sales, u"PL-00001"_s);
    QVERIFY(open);
    const QList<payments::Document> openDocuments = payments::documentsOf(open->rows);
    QVERIFY(payments::store(
        other, {Side::Sales, {}, u"PL-00001"_s, {}, {}, 400, u"400"_s, u"100"_s, openDocuments}));
    showActive(screen);
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Up})
        QTest::keyClick(parties, key);
    QCOMPARE(outstanding->text(), u"400"_s); // as the party list had it

    // Nothing stored; the party list and the total show what is open now.
    screen.save();
    QCOMPARE(lastText(), payments::changedText(Side::Sales, u"Bu 'Ani' 1"_s, u"pembayaran"_s));
    QCOMPARE(outstanding->text(), u"300"_s);
    QCOMPARE(column(parties, payments::PartyOpen), u"300 50"_s);
    // Saved again, it pays what is open now, and records no more than that.
    auto* paid = screen.findChild<QLineEdit*>(u"dibayar"_s);
    QTest::keyClicks(paid, u"500"_s); // over the proposed 300, all selected
    m_shop->messages.setNextAnswer(false);
    screen.save();
    QCOMPARE(column(parties, payments::PartyPaid), u"300 0"_s);
    QCOMPARE(m_shop->db().scalar(paidInTurn(m_shop->db(), u"Tunai"_s), {u"PI-"_s}), u"100,300"_s);
    // The box takes no more digits than the largest amount has.
    paid->clear();
    QTest::keyClicks(paid, u"12345678901234567"_s);
    QCOMPARE(paid->text(), u"1234567890123"_s);
}

void TestMoneyStockScreens::cashEntryAddsToTheBook()
{
    Database& db = m_shop->db();
    QVERIFY(db.exec(u"insert into transaksi (Kode, Ref, Tanggal, Tunai) values "
                    "('KM-00000000000009', 'Masuk', '2024-03-02', 1000)"_s));
    CashBookWindow book(m_shop->context());
    book.show();
    auto* tree = book.findChild<MonthTree*>();
    auto* list = book.findChild<ListView*>(u"bukuKas"_s);
    tree->setCurrentItem(tree->monthItem(3));

    // Typed in small letters, the name is kept in capitals; letters never reach the amount.
    QString seen;
    whenModalOpens(seen, [&](QWidget* dialog) {
        QTest::keyClicks(dialog->findChild<QLineEdit*>(u"pihak"_s), u"pak 'budi'"_s);
        QTest::keyClicks(dialog->findChild<QLineEdit*>(u"keperluan"_s), u"Listrik"_s);
        QTest::keyClicks(dialog->findChild<QLineEdit*>(u"jumlah"_s), u"2a50"_s);
        buttonWithText<QPushButton>(dialog, u"Simpan Kas"_s)->click();
    });
    buttonWithText<QPushButton>(&book, u"Kas Keluar"_s)->click();
    QCOMPARE(list->tableModel()->row(2).join(u'|'),
             u"2024-03-07|KK-00000000000010|Dibayar Kepada PAK 'BUDI'|0|250|750"_s);

    // A failed insert is shown and the dialog stays with what was typed.
    QVERIFY(TestShop::refuse(db, u"before insert"_s, u"transaksi"_s, u"1 = 1"_s, u"ditolak"_s));
    bool stayed = false;
    QString longest;
    whenModalOpens(seen, [&](QWidget* dialog) {
        auto* amount = dialog->findChild<QLineEdit*>(u"jumlah"_s);
        QTest::keyClicks(amount, u"12345678901234567"_s);
        longest = amount->text();
        amount->clear();
        QTest::keyClicks(amount, u"5"_s);
        buttonWithText<QPushButton>(dialog, u"Simpan Kas"_s)->click();
        stayed = QApplication::activeModalWidget() == dialog;
    });
    buttonWithText<QPushButton>(&book, u"Kas Masuk"_s)->click();
    QVERIFY(stayed);
    QCOMPARE(longest, u"1234567890123"_s); // no more digits than the largest amount has
    QCOMPARE(lastText(), u"SQL error: ditolak"_s);
    QCOMPARE(list->tableModel()->rowCount(), 3);
}

void TestMoneyStockScreens::correction()
{
    QVERIFY(m_shop->db().exec(
        u"insert into itemkoreksi (Kode, Tanggal, KodeBarang, NamaBarang, QtyDb, QtyReal) "
        "values ('KS-00000000000004', '2024-02-03', '222', 'Kopi', 5, 4), "
        "('KS-00000000000003', '2023-02-03', '111', 'Sabun', 1, 1)"_s));
    StockCorrectionWindow screen(m_shop->context());
    showActive(screen);
    using Box = StockCorrectionWindow::Box;
    const TableModel* lines = screen.findChild<ListView*>()->tableModel();
    QTRY_COMPARE(focused(), screen.box(Box::Code));
    type(u"999"_s); // no product: nothing changes
    QCOMPARE(focused(), screen.box(Box::Code));
    screen.box(Box::Code)->clear();
    // Enter walks: code -> counted stock (typed over) -> note -> a new line.
    for (const QString& text : {u"111"_s, u"7"_s, u"rak 'atas'"_s})
        type(text);
    QCOMPARE(lines->row(0).join(u'|'), u"111|Sabun|10|7|rak 'atas'"_s);
    QCOMPARE(screen.box(Box::RealStock)->text(), u"0"_s);
    QCOMPARE(screen.box(Box::Name)->text(), QString());
    QCOMPARE(focused(), screen.box(Box::Code));
    // Saved: a node under this month.
    QTest::mouseClick(buttonWithText<QPushButton>(&screen, u"Simpan"_s), Qt::LeftButton);
    QCOMPARE(screen.tree()->monthItem(3)->child(0)->text(0), u"KS-00000000000005"_s);

    // A month node is where new corrections go: Hapus leaves it.
    QTreeWidgetItem* february = screen.tree()->monthItem(2);
    QPushButton* remove = buttonWithText<QPushButton>(&screen, u"Hapus"_s);
    screen.tree()->setCurrentItem(february);
    m_shop->messages.setNextAnswer(true);
    QTest::mouseClick(remove, Qt::LeftButton);
    QCOMPARE(screen.tree()->monthItem(2), february);
    // Last year's correction is not under this year's February; this one is, and goes.
    screen.tree()->setCurrentItem(february->child(0));
    QCOMPARE(lines->row(0).join(u'|'), u"222|Kopi|5|4|"_s);
    QTest::mouseClick(remove, Qt::LeftButton); // the Yes the month node did not take
    QCOMPARE(february->childCount(), 0);
    QCOMPARE(lines->rowCount(), 0);
}

void TestMoneyStockScreens::returnKeys()
{
    QFETCH(Side, side);
    const int price = side == Side::Sales ? 100 : 80;
    ReturnWindow screen(m_shop->context(), side);
    showActive(screen);
    using Column = ReturnDocument::Column;
    QTRY_COMPARE(focused(), screen.box(Column::Code));

    type(u"111"_s); // Enter in Kode goes on to the quantity
    type(u"3"_s, Qt::Key_Tab);
    // Tab in Harga moves to Diskon and leaves its text as it was.
    QTest::keyClick(focused(), Qt::Key_Tab);
    QCOMPARE(focused(), screen.box(Column::Discount));
    QCOMPARE(screen.box(Column::Discount)->text(), u"0"_s);
    // Letters are not typed into the number boxes.
    type(u"x"_s, Qt::Key_Tab);
    QCOMPARE(screen.document().rest(), QString::number(400 - 3 * price)); // the line is in
    QCOMPARE(focused(), screen.box(Column::Code));

    // Another till took 50 off the debt meanwhile: nothing stored, "Sisa" as it is now.
    QVERIFY(m_shop->db().exec(u"update transaksi set Piutang=Piutang-50, Hutang=Hutang-50 where "
                              "Kode in ('JL-00000000000002', 'BL-00000000000005')"_s));
    QTest::mouseClick(buttonWithText<QToolButton>(&screen, u"Save"_s), Qt::LeftButton);
    QCOMPARE(lastText(), payments::changedText(side, u"Bu 'Ani' 1"_s, u"retur"_s));
    QCOMPARE(screen.findChild<QLineEdit*>(u"sisa"_s)->text(), QString::number(350 - 3 * price));

    // "Cetak" prints only a return this screen has stored.
    QToolButton* print = buttonWithText<QToolButton>(&screen, u"Cetak"_s);
    m_shop->messages.clear();
    QTest::mouseClick(print, Qt::LeftButton);
    QVERIFY(m_shop->messages.shown().isEmpty());
    QTest::mouseClick(buttonWithText<QToolButton>(&screen, u"Save"_s), Qt::LeftButton);
    QTest::mouseClick(print, Qt::LeftButton);
    QVERIFY2(lastText().startsWith(u"Laporan disimpan di:"_s), qPrintable(lastText()));

    // Browse picks a product the party has had and goes on to its quantity.
    QVERIFY(m_shop->db().exec(u"insert into "_s + sideInfo(side).lineTable +
                                  u" (Kode, KodeBarang, NamaBarang, kodeSP) values "
                                  "('X', '222', 'Kopi', ?)"_s,
                              {QString(sideInfo(side).partyPrefix + u"00001"_s)}));
    QString seen;
    whenModalOpens(seen, [](QWidget* picker) {
        picker->findChild<QTableView*>()->selectRow(0);
        QTest::mouseClick(buttonWithText<QPushButton>(picker, u"Pilih"_s), Qt::LeftButton);
    });
    QTest::mouseClick(buttonWithText<QToolButton>(&screen, u"Browse"_s), Qt::LeftButton);
    QCOMPARE(screen.box(Column::Amount)->text(), side == Side::Sales ? u"45"_s : u"25"_s); // 222
    QCOMPARE(screen.focusWidget(), screen.box(Column::Quantity));
}

QTEST_MAIN(TestMoneyStockScreens)
#include "test_money_stock_screens.moc"
