#include "core/table_model.h"
#include "documents/amount_words.h"
#include "documents/cash_book_window.h"
#include "documents/payment_window.h"
#include "support/modal.h"
#include "support/pdf_text.h"
#include "support/test_shop.h"
#include "ui/list_view.h"
#include "ui/month_tree.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

// The payment screen, the cash book and the cash entry dialog: keys, focus,
// what they show, and what they refuse to store twice.
class TestMoneyScreens final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void paymentFollowsTheKeysAndStoresOnce();
    void paymentPrintsItsOwnVoucher_data();
    void paymentPrintsItsOwnVoucher();
    void failedPaymentChangesNoCell();
    void cashEntryAddsToTheBook();

private:
    std::unique_ptr<TestShop> m_shop;
};

namespace {

// Two customers (or suppliers) with open documents: the first owes 100 and
// 300, the second 50.
void twoParties(Database& db, Side side)
{
    const SideInfo& info = sideInfo(side);
    const QString first = info.partyPrefix + u"00001"_s, second = info.partyPrefix + u"00002"_s;
    for (const QString& party : {first, second})
        QVERIFY(db.exec(u"insert into "_s + info.partyTable + u" (kode, nama) values (?, ?)"_s,
                        {party, QString(u"Bu 'Ani' "_s + party.right(1))}));
    const QList<std::pair<QString, int>> open{{first, 100}, {first, 300}, {second, 50}};
    int number = 1;
    for (const auto& [party, amount] : open)
        QVERIFY(
            db.exec(u"insert into transaksi (Kode, Ref, KodeSP, Jumlah, Potongan, Tunai, "_s +
                        info.debtColumn + u") values (?, ?, ?, ?, 0, 0, ?)"_s,
                    {QString(info.documentKind + u"-0000000000000"_s + QString::number(number++)),
                     info.documentRef, party, amount, amount}));
}

QString column(const TableModel& model, int column)
{
    QStringList cells;
    for (int row = 0; row < model.rowCount(); ++row)
        cells.append(model.cell(row, column));
    return cells.join(u' ');
}

QString storedPayments(Database& db)
{
    return db.scalar(u"select group_concat(KodeSP || ' ' || Tunai, ', ') from transaksi "
                     "where Kode glob 'PI-*' or Kode glob 'HU-*'"_s);
}

} // namespace

void TestMoneyScreens::init()
{
    m_shop = std::make_unique<TestShop>();
    QCOMPARE(m_shop->error(), QString());
    m_shop->context().user = u"kasir"_s;
    qputenv("TOKO_PRINTER", "none"); // vouchers become PDF files in the shop's struk/
}

void TestMoneyScreens::paymentFollowsTheKeysAndStoresOnce()
{
    twoParties(m_shop->db(), Side::Sales);
    PaymentWindow screen(m_shop->context(), Side::Sales);
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    auto* parties = screen.findChild<ListView*>(u"daftarPihak"_s);
    auto* documents = screen.findChild<ListView*>(u"daftarDokumen"_s);
    auto* paid = screen.findChild<QLineEdit*>(u"dibayar"_s);
    QCOMPARE(screen.windowTitle() + column(*parties->tableModel(), 4), u"Form Piutang400 50"_s);

    // The arrow keys choose as the mouse does; the payment box takes the focus, all selected.
    parties->setFocus();
    QTest::keyClick(parties, Qt::Key_Down);
    QTest::keyClick(parties, Qt::Key_Down);
    QTest::keyClick(parties, Qt::Key_Up);
    QTest::keyClick(parties, Qt::Key_Return);
    QCOMPARE(column(*documents->tableModel(), 0), u"JL-00000000000001 JL-00000000000002"_s);
    QCOMPARE(screen.findChild<QLabel*>(u"pihak"_s)->text(), u"PELANGGAN : Bu 'Ani' 1"_s);
    QCOMPARE(paid->selectedText() + u'|' + screen.findChild<QLineEdit*>(u"totalSisa"_s)->text(),
             u"400|400"_s);
    QVERIFY(paid->hasFocus());
    QTest::keyClicks(paid, u"2x50"_s);
    QCOMPARE(paid->text(), u"250"_s);
    QCOMPARE(screen.findChild<QLineEdit*>(u"terbilang"_s)->text(), amount::words(250));

    screen.save(); // the print question is answered No
    QCOMPARE(column(*documents->tableModel(), 5), u"0 150"_s);
    QCOMPARE(column(*parties->tableModel(), 4), u"150 50"_s);
    // A second Simpan on the same list stores nothing.
    screen.save();
    QCOMPARE(storedPayments(m_shop->db()), u"PL-00001 250"_s);
    QCOMPARE(m_shop->messages.lastText(),
             u"Pembayaran ini sudah disimpan. Pilih Pelanggan lagi untuk pembayaran berikutnya."_s);

    // Chosen again, the party's documents are listed as stored and can be paid.
    QTest::mouseClick(parties->viewport(), Qt::LeftButton, {},
                      parties->visualRect(parties->model()->index(0, 1)).center());
    QCOMPARE(column(*documents->tableModel(), 5), u"150"_s);
    screen.save();
    QCOMPARE(storedPayments(m_shop->db()), u"PL-00001 250, PL-00001 150"_s);
}

void TestMoneyScreens::paymentPrintsItsOwnVoucher_data()
{
    QTest::addColumn<Side>("side");
    QTest::newRow("receivable") << Side::Sales;
    QTest::newRow("payable, in the receivable's words") << Side::Purchase;
}

void TestMoneyScreens::paymentPrintsItsOwnVoucher()
{
    QFETCH(Side, side);
    twoParties(m_shop->db(), side);
    PaymentWindow screen(m_shop->context(), side);
    // A sale stored meanwhile is no payment of this screen.
    m_shop->context().saved = true;
    screen.print();
    QCOMPARE(m_shop->messages.lastText(), u"Simpan terlebih dahulu sebelum cetak"_s);

    auto* parties = screen.findChild<ListView*>(u"daftarPihak"_s);
    parties->selectRow(1);
    m_shop->messages.setNextAnswer(true);
    screen.save();
    QCOMPARE(m_shop->messages.shown().at(m_shop->messages.shown().size() - 2).text,
             u"Cetak Pembayaran Piutang?"_s);
    screen.print();
    const QString code = sideInfo(side).paymentKind + u"-00000000000004"_s;
    const QString struk = m_shop->folder().filePath(u"struk/Struk_%1.pdf"_s);
    const QString saved = pdfWords(struk.arg(1)), again = pdfWords(struk.arg(2));
    if (saved.isNull())
        QSKIP("pdftotext is not installed");
    const QString party = sideInfo(side).partyPrefix + u"00002"_s;
    for (const QString& words : {saved, again}) {
        QVERIFY2(words.contains(u"Terima dari. : Bu 'Ani' 2"_s), qPrintable(words));
        QVERIFY(words.contains(u"Untuk Pembayaran : Pembayaran Piutang Sebesar : 50"_s));
        QVERIFY(words.contains(u": Sisa Piutang Sebesar : 50"_s));
    }
    // Printed on saving: the number alone; reprinted: the code of this payment.
    QVERIFY(saved.contains(u"No. : 00000000000004 "_s));
    QVERIFY2(again.contains(u"No. : "_s + code + u' '), qPrintable(again));
    QCOMPARE(storedPayments(m_shop->db()), party + u" 50"_s);
}

void TestMoneyScreens::failedPaymentChangesNoCell()
{
    Database& db = m_shop->db();
    twoParties(db, Side::Sales);
    QVERIFY(db.exec(u"create trigger refuse before insert on transaksi "
                    "begin select raise(abort, 'ditolak'); end"_s));
    PaymentWindow screen(m_shop->context(), Side::Sales);
    auto* parties = screen.findChild<ListView*>(u"daftarPihak"_s);
    auto* documents = screen.findChild<ListView*>(u"daftarDokumen"_s);
    parties->selectRow(0);
    screen.findChild<QLineEdit*>(u"dibayar"_s)->setText(u"12345678901234567890"_s);
    screen.save();
    QCOMPARE(m_shop->messages.lastText(), u"SQL error: ditolak"_s);
    QCOMPARE(column(*documents->tableModel(), 5) + u'|' + column(*parties->tableModel(), 4),
             u"100 300|400 50"_s);
    QVERIFY(!m_shop->context().saved);
    // Once the cause is gone the same Simpan stores it; the surplus is not recorded.
    QVERIFY(db.exec(u"drop trigger refuse"_s));
    screen.save();
    QCOMPARE(column(*documents->tableModel(), 5) + u'|' + storedPayments(db),
             u"0 0|PL-00001 400"_s);
}

void TestMoneyScreens::cashEntryAddsToTheBook()
{
    Database& db = m_shop->db();
    QVERIFY(db.exec(u"insert into transaksi (Kode, Ref, Tanggal, Tunai, Ket) values "
                    "('KM-00000000000001', 'Masuk', '2024-03-02', 1000, 'Modal')"_s));
    CashBookWindow book(m_shop->context());
    book.show();
    auto* tree = book.findChild<MonthTree*>();
    auto* list = book.findChild<ListView*>(u"bukuKas"_s);
    tree->setCurrentItem(tree->monthItem(3));
    QCOMPARE(column(*list->tableModel(), 5), u"0 1000"_s);
    tree->setCurrentItem(tree->topLevelItem(0));
    QCOMPARE(list->tableModel()->rowCount(), 0);
    tree->setCurrentItem(tree->monthItem(3));

    // Typed in small letters, the name is kept in capitals; letters never reach the amount.
    m_shop->context().saved = true; // a sale stored before does not stop the entry
    QString seen, label;
    whenModalOpens(seen, [&](QWidget* dialog) {
        QTest::keyClicks(dialog->findChild<QLineEdit*>(u"pihak"_s), u"pak 'budi'"_s);
        QTest::keyClicks(dialog->findChild<QLineEdit*>(u"keperluan"_s), u"Listrik"_s);
        QTest::keyClicks(dialog->findChild<QLineEdit*>(u"jumlah"_s), u"2a50"_s);
        label = dialog->findChild<QLabel*>(u"terbilang"_s)->text();
        buttonWithText<QPushButton>(dialog, u"Simpan Kas"_s)->click();
    });
    m_shop->messages.setNextAnswer(true);
    buttonWithText<QPushButton>(&book, u"Kas Keluar"_s)->click();
    QCOMPARE(seen, u"FORM_TOKO_FORM16_CLASS"_s);
    QCOMPARE(label, amount::words(250));
    QCOMPARE(list->tableModel()->row(2).join(u'|'),
             u"2024-03-07|KK-00000000000002|Dibayar Kepada PAK 'BUDI'|0|250|750"_s);
    const QString voucher = pdfWords(m_shop->folder().filePath(u"struk/Struk_1.pdf"_s));
    if (!voucher.isNull()) {
        QVERIFY2(voucher.contains(u"No. : KK-00000000000002 Terima dari. : PAK 'BUDI'"_s),
                 qPrintable(voucher));
        QVERIFY(voucher.contains(u"Untuk Pembayaran : Listrik : -"_s));
    }

    // A failed insert is shown and the dialog stays with what was typed.
    QVERIFY(db.exec(u"create trigger refuse before insert on transaksi "
                    "begin select raise(abort, 'ditolak'); end"_s));
    bool stayed = false;
    whenModalOpens(seen, [&](QWidget* dialog) {
        QTest::keyClicks(dialog->findChild<QLineEdit*>(u"jumlah"_s), u"5"_s);
        buttonWithText<QPushButton>(dialog, u"Simpan Kas"_s)->click();
        stayed = QApplication::activeModalWidget() == dialog;
    });
    buttonWithText<QPushButton>(&book, u"Kas Masuk"_s)->click();
    QVERIFY(stayed);
    QCOMPARE(m_shop->messages.lastText(), u"SQL error: ditolak"_s);
    QCOMPARE(list->tableModel()->rowCount(), 3);
}

QTEST_MAIN(TestMoneyScreens)
#include "test_money_screens.moc"
