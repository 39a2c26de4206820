#include "core/table_model.h"
#include "documents/amount_words.h"
#include "documents/cash_book_window.h"
#include "documents/payment_window.h"
#include "support/modal.h"
#include "support/pdf_text.h"
#include "support/test_shop.h"
#include "ui/list_view.h"
#include "ui/month_tree.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

// The payment screen, the cash book and the cash entry dialog: keys, focus,
// what they show, what they print, and what they refuse to store twice.
class TestMoneyScreens final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void payment_data();
    void payment();
    void cashEntryAddsToTheBook();

private:
    std::unique_ptr<TestShop> m_shop;
};

namespace {

// The first party owes 100 and 300, the second 50.
void twoParties(Database& db, Side side)
{
    const SideInfo& info = sideInfo(side);
    const auto code = [&](int party) {
        return QString(info.partyPrefix + QString::number(party).rightJustified(5, u'0'));
    };
    for (const int party : {1, 2})
        QVERIFY(db.exec(u"insert into "_s + info.partyTable + u" (kode, nama) values (?, ?)"_s,
                        {code(party), QString(u"Bu 'Ani' "_s + QString::number(party))}));
    const QString open = u"insert into transaksi (Kode, KodeSP, Ref, Jumlah, Potongan, Tunai, "_s +
                         info.debtColumn + u") values (?, ?, ?, ?, 0, 0, ?)"_s;
    int number = 1;
    for (const auto& [party, amount] : {std::pair{1, 100}, {1, 300}, {2, 50}})
        QVERIFY(db.exec(
            open, {QString(info.documentKind + u"-0000000000000"_s + QString::number(number++)),
                   code(party), info.documentRef, amount, amount}));
}

QString column(const ListView* list, int column)
{
    QStringList cells;
    for (int row = 0; row < list->tableModel()->rowCount(); ++row)
        cells.append(list->tableModel()->cell(row, column));
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

void TestMoneyScreens::payment_data()
{
    QTest::addColumn<Side>("side");
    QTest::newRow("receivable") << Side::Sales;
    QTest::newRow("payable, printed in the receivable's words") << Side::Purchase;
}

void TestMoneyScreens::payment()
{
    QFETCH(Side, side);
    const SideInfo& info = sideInfo(side);
    Database& db = m_shop->db();
    twoParties(db, side);
    PaymentWindow screen(m_shop->context(), side);
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    auto* parties = screen.findChild<ListView*>(u"daftarPihak"_s);
    auto* documents = screen.findChild<ListView*>(u"daftarDokumen"_s);
    auto* paid = screen.findChild<QLineEdit*>(u"dibayar"_s);
    // A sale stored meanwhile is no payment of this screen.
    m_shop->context().saved = true;
    screen.print();
    QCOMPARE(m_shop->messages.lastText(), u"Simpan terlebih dahulu sebelum cetak"_s);

    // The arrow keys choose as the mouse does; Enter goes on to the payment, all selected.
    parties->setFocus();
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Return})
        QTest::keyClick(parties, key);
    QCOMPARE(column(documents, 0),
             info.documentKind + u"-00000000000001 "_s + info.documentKind + u"-00000000000002"_s);
    QCOMPARE(screen.findChild<QLabel*>(u"pihak"_s)->text(),
             info.partyWord.toUpper() + u" : Bu 'Ani' 1"_s);
    QVERIFY(paid->hasFocus());
    QCOMPARE(paid->selectedText() + u'|' + screen.findChild<QLineEdit*>(u"totalSisa"_s)->text(),
             u"400|400"_s);
    QTest::keyClicks(paid, u"2x50"_s);
    QCOMPARE(screen.findChild<QLineEdit*>(u"terbilang"_s)->text(), amount::words(250));

    // A failed save changes no cell and can be tried again.
    QVERIFY(db.exec(u"create trigger refuse before insert on transaksi "
                    "begin select raise(abort, 'ditolak'); end"_s));
    screen.save();
    QCOMPARE(m_shop->messages.lastText() + column(documents, 5), u"SQL error: ditolak100 300"_s);
    QVERIFY(db.exec(u"drop trigger refuse"_s));
    m_shop->messages.setNextAnswer(true); // printed on saving: the number alone
    screen.save();
    QCOMPARE(column(documents, 5) + u'|' + column(parties, 4), u"0 150|150 50"_s);
    screen.print(); // reprinted: the code of this payment
    // A second Simpan on the same list stores nothing.
    screen.save();
    const QString party = info.partyPrefix + u"00001 "_s;
    QCOMPARE(storedPayments(db), party + u"250"_s);
    // Chosen again, the party's documents are listed as stored and can be paid.
    QTest::mouseClick(parties->viewport(), Qt::LeftButton, {},
                      parties->visualRect(parties->model()->index(0, 1)).center());
    QCOMPARE(column(documents, 5), u"150"_s);
    screen.save();
    QCOMPARE(storedPayments(db), party + u"250, "_s + party + u"150"_s);

    const QString struk = m_shop->folder().filePath(u"struk/Struk_%1.pdf"_s);
    const QString saved = pdfWords(struk.arg(1)), again = pdfWords(struk.arg(2));
    if (saved.isNull())
        QSKIP("pdftotext is not installed");
    const QString body = u" Terima dari. : Bu 'Ani' 1 Untuk Pembayaran : Pembayaran Piutang "
                         "Sebesar : 250 : Sisa Piutang Sebesar : 400"_s;
    QVERIFY2(saved.contains(u"No. : 00000000000004"_s + body), qPrintable(saved));
    QVERIFY2(again.contains(u"No. : "_s + info.paymentKind + u"-00000000000004"_s + body),
             qPrintable(again));
}

void TestMoneyScreens::cashEntryAddsToTheBook()
{
    Database& db = m_shop->db();
    QVERIFY(db.exec(u"insert into transaksi (Kode, Ref, Tanggal, Tunai) values "
                    "('KM-00000000000001', 'Masuk', '2024-03-02', 1000)"_s));
    CashBookWindow book(m_shop->context());
    book.show();
    auto* tree = book.findChild<MonthTree*>();
    auto* list = book.findChild<ListView*>(u"bukuKas"_s);
    tree->setCurrentItem(tree->monthItem(3));
    QCOMPARE(column(list, 5), u"0 1000"_s);

    // Typed in small letters, the name is kept in capitals; letters never reach the amount.
    m_shop->context().saved = true; // a sale stored before does not stop the entry
    QString seen, words;
    whenModalOpens(seen, [&](QWidget* dialog) {
        QTest::keyClicks(dialog->findChild<QLineEdit*>(u"pihak"_s), u"pak 'budi'"_s);
        QTest::keyClicks(dialog->findChild<QLineEdit*>(u"keperluan"_s), u"Listrik"_s);
        QTest::keyClicks(dialog->findChild<QLineEdit*>(u"jumlah"_s), u"2a50"_s);
        words = dialog->findChild<QLabel*>(u"terbilang"_s)->text();
        buttonWithText<QPushButton>(dialog, u"Simpan Kas"_s)->click();
    });
    buttonWithText<QPushButton>(&book, u"Kas Keluar"_s)->click();
    QCOMPARE(seen + words, u"FORM_TOKO_FORM16_CLASS"_s + amount::words(250));
    QCOMPARE(list->tableModel()->row(2).join(u'|'),
             u"2024-03-07|KK-00000000000002|Dibayar Kepada PAK 'BUDI'|0|250|750"_s);

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
