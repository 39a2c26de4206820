#include "pos/cashier_window.h"
#include "ui/keyboard_state.h"
#include "support/modal.h"
#include "support/test_shop.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

// The cashier driven with real keys, offscreen, checked in the database.
class TestCashierWindow final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void opensAsTheRightScreen_data();
    void opensAsTheRightScreen();
    void typedCodesAndEnterAddLines();
    void barcodeScansMerge();
    void tabFromQuantityToDiscountAddsTheLine();
    void clickOnALineLoadsItForChange();
    void cashSaleWithF11AndEnter();
    void saveTwiceStoresOnceAndF9StartsAgain();
    void walkInShortIsRefusedNamedCustomerOnCredit();
    void purchaseRaisesStockAndSetsCost();
    void productSearchNeedsAParty();
    void productSearchHandsOverCodes();
    void guardsAtTheCounter();
    void printingKeysAndReceiptSettings();

private:
    void open(Side side);
    void reactivate();
    QLineEdit* box(const char* name) const;
    QString label(const char* name) const;
    void type(const char* boxName, const QString& text);
    void release(const char* boxName, Qt::Key key);
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Ctrl+S, Yes to saving, No to the receipt.
    void saveWithoutReceipt();
    QStringList row(const QString& sql);

    std::unique_ptr<TestShop> m_shop;
    FixedKeyboardState m_keyboard;
    std::unique_ptr<CashierWindow> m_window;
};

void TestCashierWindow::init()
{
    m_shop = std::make_unique<TestShop>(TestShop::Data::Demo);
    QCOMPARE(m_shop->error(), QString());
    m_shop->context().user = u"kasir"_qs;
    Database& db = m_shop->db();
    for (const auto& [code, price] : {std::pair{u"12"_qs, 5000}, {u"120"_qs, 7000}})
        QVERIFY(db.exec(u"insert into barang (kode, nama, satuan, hargajual, hpp, diskon, stock) "
                        "values (?, ?, 'pcs', ?, ?, 0, 20)"_qs,
                        {code, QString(u"Barang "_qs + code), price, price - 1000}));
}

void TestCashierWindow::cleanup()
{
    m_window.reset();
    m_shop.reset();
}

void TestCashierWindow::open(Side side)
{
    m_window = std::make_unique<CashierWindow>(m_shop->context(), m_keyboard, side);
    m_window->show();
    reactivate();
}

// The cashier's keys work while its window is the active one, as it is again
// once a popup over it has closed.
void TestCashierWindow::reactivate()
{
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

QLineEdit* TestCashierWindow::box(const char* name) const
{
    return m_window->findChild<QLineEdit*>(QString::fromLatin1(name));
}

QString TestCashierWindow::label(const char* name) const
{
    return m_window->findChild<QLabel*>(QString::fromLatin1(name))->text();
}

// Keys go where the focus is, as on the counter: the press to the box that
// has the focus, the release to the box that has it when the key comes up.
void TestCashierWindow::type(const char* boxName, const QString& text)
{
    box(boxName)->setFocus();
    for (const QChar c : text) {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target, c.toLatin1());
    }
}

void TestCashierWindow::release(const char* boxName, Qt::Key key)
{
    box(boxName)->setFocus();
    press(key);
}

void TestCashierWindow::press(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    const auto focus = [this]() -> QWidget* {
        QWidget* widget = QApplication::focusWidget();
        return widget ? widget : m_window.get();
    };
    QTest::keyPress(focus(), key, modifiers);
    QTest::keyRelease(focus(), key, modifiers);
}

void TestCashierWindow::saveWithoutReceipt()
{
    m_shop->messages.setNextAnswer(true);
    m_shop->messages.setNextAnswer(false);
    press(Qt::Key_S, Qt::ControlModifier);
}

QStringList TestCashierWindow::row(const QString& sql)
{
    QStringList values;
    m_shop->db().query(sql, {}, [&](const QStringList& r) { values = r; });
    return values;
}

void TestCashierWindow::opensAsTheRightScreen_data()
{
    QTest::addColumn<int>("side");
    QTest::addColumn<QStringList>("expected"); // name, title, party, code label, change caption
    QTest::newRow("sales") << int(Side::Sales)
                           << QStringList{u"FORM_TOKO_FORM1_CLASS"_qs, u"Kasir Penjualan"_qs,
                                          u"PL-00000"_qs, u"Kode Plg"_qs, u"Kurang "_qs};
    QTest::newRow("purchase") << int(Side::Purchase)
                              << QStringList{u"FORM_TOKO_FORM1A_CLASS"_qs, u"Kasir Pembelian"_qs,
                                             u"SP-00000"_qs, u"Kode Spl"_qs, u"Kurang"_qs};
}

void TestCashierWindow::opensAsTheRightScreen()
{
    QFETCH(int, side);
    QFETCH(QStringList, expected);
    m_shop->context().receipt.defaultLayout = 2;
    open(Side(side));
    const TableModel& party = m_window->partyRows();
    QCOMPARE((QStringList{m_window->objectName(), m_window->windowTitle(), party.cell(4, 1),
                          party.cell(4, 0), m_window->cart().totals().changeCaption}),
             expected);
    QCOMPARE(party.cell(0, 1), u"Bebas"_qs);
    QCOMPARE(label("hitungan"), u"0"_qs);
    QCOMPARE(QApplication::focusWidget(), box("kode"));
}

void TestCashierWindow::typedCodesAndEnterAddLines()
{
    open(Side::Sales);
    // "12" finds product 12 at once; the 0 typed next replaces the selected 1.
    type("kode", u"120"_qs);
    QCOMPARE(box("kode")->text(), u"12"_qs);
    QCOMPARE(box("nama")->text(), u"Barang 12"_qs);
    QCOMPARE(box("qty")->text(), u"0"_qs);
    release("qty", Qt::Key_Return);
    QCOMPARE(m_window->cart().lines().rowCount(), 1);
    QCOMPARE(m_window->cart().lines().cell(0, Cart::Quantity), u"0"_qs);
    QCOMPARE(QApplication::focusWidget(), box("kode"));

    type("kode", u"12"_qs);
    QCOMPARE(QApplication::focusWidget(), box("qty"));
    QTest::keyClicks(box("qty"), u"3"_qs);
    release("qty", Qt::Key_Return);
    QCOMPARE(m_window->cart().lines().cell(1, Cart::Amount), u"15000"_qs);
    QCOMPARE(box("totalBelanja")->text(), u"15000"_qs);
    QCOMPARE(label("angka"), u"15000"_qs);
    QCOMPARE(label("terbilang"), u" lima belas ribu "_qs);
    // Letters typed are refused; pasted ones read as 0.
    type("kode", u"12"_qs);
    QTest::keyClicks(box("qty"), u"ab"_qs);
    QCOMPARE(box("qty")->text(), u"1"_qs);
    box("qty")->selectAll();
    box("qty")->insert(u"dua"_qs);
    QCOMPARE(box("jumlah")->text(), u"0"_qs);
}

void TestCashierWindow::barcodeScansMerge()
{
    open(Side::Sales);
    press(Qt::Key_F1);
    QVERIFY(m_window->cart().barcodeMode());
    for (int scan = 0; scan < 3; ++scan)
        type("kode", u"12"_qs);
    QCOMPARE(m_window->cart().lines().rowCount(), 1);
    QCOMPARE(m_window->cart().lines().cell(0, Cart::Quantity), u"3"_qs);
    QCOMPARE(box("kode")->text(), QString());
    // Scanning 120 while 12 exists: 12 is taken at once and the 0 starts the next code.
    type("kode", u"120"_qs);
    QCOMPARE(m_window->cart().lines().rowCount(), 1);
    QCOMPARE(m_window->cart().lines().cell(0, Cart::Quantity), u"4"_qs);
    QCOMPARE(box("kode")->text(), u"0"_qs);
    box("kode")->clear();
    type("kode", u"1001"_qs);
    QCOMPARE(m_window->cart().lines().rowCount(), 2);
    QCOMPARE(m_window->cart().lines().cell(1, Cart::Name), u"Beras Pandan Wangi 5 kg"_qs);
    press(Qt::Key_F1);
    QVERIFY(!m_window->cart().barcodeMode());
}

void TestCashierWindow::tabFromQuantityToDiscountAddsTheLine()
{
    open(Side::Sales);
    type("kode", u"12"_qs);
    QTest::keyClicks(box("qty"), u"2"_qs);
    box("diskon")->setText(u"777"_qs);
    // Tab from the quantity box through the unit box: the release of the
    // second Tab lands in the price box and starts the discount afresh.
    press(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), box("satuan"));
    QCOMPARE(box("diskon")->text(), u"777"_qs);
    press(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), box("harga"));
    QCOMPARE(box("diskon")->text(), u"0"_qs);
    QCOMPARE(m_window->cart().lines().rowCount(), 0);
    // On into the discount box: that release adds the line.
    press(Qt::Key_Tab);
    QCOMPARE(m_window->cart().lines().rowCount(), 1);
    QCOMPARE(m_window->cart().lines().row(0).mid(2, 5),
             (QStringList{u"2"_qs, u"pcs"_qs, u"5000"_qs, u"0"_qs, u"10000"_qs}));
    QCOMPARE(QApplication::focusWidget(), box("kode"));
}

void TestCashierWindow::clickOnALineLoadsItForChange()
{
    open(Side::Sales);
    for (const QString& code : {u"12"_qs, u"1001"_qs}) {
        type("kode", code);
        release("qty", Qt::Key_Return);
    }
    auto* list = m_window->findChild<QTableView*>();
    const QRect second = list->visualRect(list->model()->index(1, 1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
    QCOMPARE(box("kode")->text(), u"1001"_qs);
    QCOMPARE(QApplication::focusWidget(), box("qty"));
    QTest::keyClicks(box("qty"), u"4"_qs);
    release("qty", Qt::Key_Return);
    QCOMPARE(m_window->cart().lines().rowCount(), 2);
    QCOMPARE(m_window->cart().lines().cell(1, Cart::Amount), u"274000"_qs);
}

void TestCashierWindow::cashSaleWithF11AndEnter()
{
    open(Side::Sales);
    type("kode", u"12"_qs);
    release("qty", Qt::Key_Return);
    press(Qt::Key_F11);
    QCOMPARE(QApplication::focusWidget(), box("dibayar"));
    QCOMPARE(box("dibayar")->text(), u"5000"_qs);
    QCOMPARE(box("kembali")->text(), u"0"_qs);
    QCOMPARE(m_window->cart().totals().changeCaption, u"Kembali"_qs);
    m_shop->messages.setNextAnswer(true);  // save
    m_shop->messages.setNextAnswer(false); // no receipt
    release("dibayar", Qt::Key_Return);
    QCOMPARE(m_shop->messages.texts(),
             (QStringList{u"Yakin Simpan Transaksi Penjualan ini?"_qs, u"Cetak Transaksi Penjualan?"_qs}));
    QCOMPARE(m_shop->messages.shown().last().caption, u"Cetak"_qs);
    QCOMPARE(row(u"select Kode, KodeSP, Tunai, Piutang, Operator, Ket from transaksi"_qs),
             (QStringList{u"JL-00000000000001"_qs, u"PL-00000"_qs, u"5000"_qs, u"0"_qs,
                          u"kasir"_qs, u"Penjualan Kepada Bebas dengan dibayar secara Lunas"_qs}));
    QCOMPARE(row(u"select stock from barang where kode='12'"_qs), QStringList{u"19"_qs});
    QVERIFY(m_shop->context().saved);
    QCOMPARE(m_shop->context().lastSavedNumber, u"00000000000001"_qs);
    for (const char* text : {"Simpan Pembayaran [Ctrl+S]/[Enter]", "Pelanggan", "Item Barang [F10]"})
        QVERIFY(!buttonWithText<QPushButton>(m_window.get(), QString::fromLatin1(text))->isEnabled());
}

void TestCashierWindow::saveTwiceStoresOnceAndF9StartsAgain()
{
    open(Side::Sales);
    type("kode", u"12"_qs);
    release("qty", Qt::Key_Return);
    press(Qt::Key_F11);
    saveWithoutReceipt();
    m_shop->messages.setNextAnswer(true); // asked again, stores nothing, no print question
    press(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(m_shop->messages.texts().count(u"Yakin Simpan Transaksi Penjualan ini?"_qs), 2);
    QCOMPARE(row(u"select count(*) from transaksi"_qs), QStringList{u"1"_qs});

    press(Qt::Key_F9);
    QCOMPARE(label("hitungan"), u"1"_qs);
    QVERIFY(!m_shop->context().saved);
    QCOMPARE(m_window->cart().lines().rowCount(), 0);
    QVERIFY(buttonWithText<QPushButton>(m_window.get(), u"Pelanggan"_qs)->isEnabled());
    type("kode", u"1001"_qs);
    release("qty", Qt::Key_Return);
    press(Qt::Key_F11);
    saveWithoutReceipt();
    QCOMPARE(row(u"select count(*) from transaksi"_qs), QStringList{u"2"_qs});
}

void TestCashierWindow::walkInShortIsRefusedNamedCustomerOnCredit()
{
    open(Side::Sales);
    type("kode", u"12"_qs);
    release("qty", Qt::Key_Return);
    m_shop->messages.setNextAnswer(true);
    press(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(m_shop->messages.lastText(),
             u"Nilai pembayaran belum di ENTRY, jika pembayaran dilakukan non tunai, mohon "
             "lengkapi dahulu data Pelanggan"_qs);
    QCOMPARE(row(u"select count(*) from transaksi"_qs), QStringList{u"0"_qs});

    // Choose Bu Siti in the picker: she may owe the rest.
    QString seen;
    whenModalOpens(seen, [](QWidget* picker) {
        auto* list = picker->findChild<QTableView*>();
        list->selectRow(0);
        buttonWithText<QPushButton>(picker, u"Entry"_qs)->click();
    });
    buttonWithText<QPushButton>(m_window.get(), u"Pelanggan"_qs)->click();
    QCOMPARE(seen, u"FORM_TOKO_FORM2_CLASS"_qs);
    reactivate();
    QCOMPARE(m_window->partyRows().cell(4, 1), u"PL-00001"_qs);
    saveWithoutReceipt();
    QCOMPARE(row(u"select KodeSP, Tunai, Piutang, Ket from transaksi"_qs),
             (QStringList{u"PL-00001"_qs, u"0"_qs, u"5000"_qs,
                          u"Penjualan Kepada Bu Siti Aminah dengan dibayar secara Piutang"_qs}));
}

void TestCashierWindow::purchaseRaisesStockAndSetsCost()
{
    open(Side::Purchase);
    type("kode", u"12"_qs);
    QCOMPARE(box("harga")->text(), u"4000"_qs);
    QTest::keyClicks(box("qty"), u"10"_qs);
    box("harga")->setText(u"4500"_qs);
    release("qty", Qt::Key_Return);
    press(Qt::Key_F11);
    m_shop->messages.setNextAnswer(true);  // save
    m_shop->messages.setNextAnswer(false); // no receipt
    release("dibayar", Qt::Key_Return);
    QCOMPARE(m_shop->messages.texts().first(), u"Yakin Simpan Transaksi Pembelian ini?"_qs);
    QCOMPARE(row(u"select stock, hpp from barang where kode='12'"_qs),
             (QStringList{u"30"_qs, u"4500"_qs}));
    QCOMPARE(row(u"select Kode, Ref, KodeSP, Hutang from transaksi"_qs),
             (QStringList{u"BL-00000000000001"_qs, u"Keluar"_qs, u"SP-00000"_qs, u"0"_qs}));
}

void TestCashierWindow::productSearchNeedsAParty()
{
    open(Side::Purchase);
    QString seen;
    whenModalOpens(seen, [](QWidget* picker) {
        buttonWithText<QPushButton>(picker, u"Entry"_qs)->click(); // no row chosen: empty party
    });
    buttonWithText<QPushButton>(m_window.get(), u"Supplier"_qs)->click();
    QCOMPARE(m_window->partyRows().cell(0, 1), QString());
    reactivate();
    press(Qt::Key_F10);
    QCOMPARE(m_shop->messages.lastText(), u"Data Pembeli belum tersedia.."_qs);
}

void TestCashierWindow::productSearchHandsOverCodes()
{
    // Sales: one take, the search closes, the entry row holds the product.
    open(Side::Sales);
    QString seen;
    whenModalOpens(seen, [](QWidget* search) {
        QApplication::setActiveWindow(search); // offscreen, a modal window is not activated by itself
        auto* box = search->findChild<QLineEdit*>();
        QTest::keyClicks(box, u"kopi"_qs);
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClick(search->focusWidget(), Qt::Key_F11);
    });
    press(Qt::Key_F10);
    QCOMPARE(seen, u"FORM_TOKO_FORM6_CLASS"_qs);
    QCOMPARE(box("kode")->text(), u"3003"_qs);
    QCOMPARE(box("qty")->text(), u"1"_qs);
    QCOMPARE(box("qty")->selectedText(), u"1"_qs);

    // In barcode mode the product goes straight into the cart and scanning goes on.
    reactivate();
    box("kode")->clear();
    press(Qt::Key_F1);
    whenModalOpens(seen, [](QWidget* search) {
        QApplication::setActiveWindow(search);
        auto* box = search->findChild<QLineEdit*>();
        QTest::keyClicks(box, u"kopi"_qs);
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClick(search->focusWidget(), Qt::Key_F11);
    });
    press(Qt::Key_F10);
    QCOMPARE(m_window->cart().lines().rowCount(), 1);
    QCOMPARE(m_window->cart().lines().cell(0, Cart::Code), u"3003"_qs);
    QCOMPARE(m_window->focusWidget(), box("kode"));

    // Purchases: the search stays open; each take replaces the entry row.
    m_window.reset();
    open(Side::Purchase);
    QStringList codesSeen;
    whenModalOpens(seen, [&](QWidget* search) {
        auto* box = search->findChild<QLineEdit*>();
        QTest::keyClicks(box, u"sabun"_qs);
        QTest::keyClick(box, Qt::Key_Return);
        auto* list = search->findChild<QTableView*>();
        for (int row : {0, 1}) {
            list->selectRow(row);
            buttonWithText<QPushButton>(search, u"[F11] Entry"_qs)->click();
            QVERIFY(search->isVisible());
            codesSeen.append(this->box("kode")->text());
        }
        QTest::keyClick(search, Qt::Key_Escape);
    });
    press(Qt::Key_F10);
    QCOMPARE(codesSeen, (QStringList{u"4001"_qs, u"4002"_qs}));
    QCOMPARE(m_window->cart().lines().rowCount(), 0);
    reactivate();
    release("qty", Qt::Key_Return);
    QCOMPARE(m_window->cart().lines().rowCount(), 1);
    QCOMPARE(m_window->cart().lines().row(0).mid(0, 5),
             (QStringList{u"4002"_qs, u"Sabun Cuci Piring 800 ml"_qs, u"1"_qs, u"pouch"_qs,
                          u"13000"_qs}));
}

// What keeps a busy counter from losing or spoiling a sale.
void TestCashierWindow::guardsAtTheCounter()
{
    open(Side::Sales);
    // Esc does not close the screen with its cart.
    type("kode", u"12"_qs);
    release("qty", Qt::Key_Return);
    press(Qt::Key_Escape);
    QVERIFY(m_window->isVisible());

    // Enter in the amount box adds the line, as its tooltip says.
    type("kode", u"12"_qs);
    release("jumlah", Qt::Key_Return);
    QCOMPARE(m_window->cart().lines().rowCount(), 2);

    // The Enter that closed a message box comes up over the paid box: no second question.
    QTest::keyRelease(box("dibayar"), Qt::Key_Return);
    QVERIFY(m_shop->messages.shown().isEmpty());

    // A scan that is no product is cleared by the scanner's Enter.
    press(Qt::Key_F1);
    type("kode", u"999"_qs);
    release("kode", Qt::Key_Return);
    QCOMPARE(box("kode")->text(), QString());
    press(Qt::Key_F1);

    // A picker closed on no row leaves no party: no sale on credit to nobody.
    QString seen;
    whenModalOpens(seen, [](QWidget* picker) {
        buttonWithText<QPushButton>(picker, u"Entry"_qs)->click();
    });
    buttonWithText<QPushButton>(m_window.get(), u"Pelanggan"_qs)->click();
    reactivate();
    m_shop->messages.setNextAnswer(true);
    press(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(m_shop->messages.lastText(), u"Data Pelanggan belum tersedia.."_qs);
    QCOMPARE(row(u"select count(*) from transaksi"_qs), QStringList{u"0"_qs});

    // After a save the entry row is closed until F9, so nothing is added unsaved.
    press(Qt::Key_F9);
    type("kode", u"12"_qs);
    release("qty", Qt::Key_Return);
    press(Qt::Key_F11);
    saveWithoutReceipt();
    QCOMPARE(row(u"select count(*) from transaksi"_qs), QStringList{u"1"_qs});
    QVERIFY(!box("kode")->isEnabled());
    press(Qt::Key_F9);
    QVERIFY(box("kode")->isEnabled());
}

void TestCashierWindow::printingKeysAndReceiptSettings()
{
    open(Side::Sales);
    auto* sizes = m_window->findChild<QComboBox*>();
    sizes->setCurrentIndex(3); // "Struk 4": a line receipt needs a saved transaction
    press(Qt::Key_F8);
    QCOMPARE(m_shop->messages.lastText(),
             u"Transaksi ini belum disimpan, simpan dahulu sebelum print struk.."_qs);

    // Its preview could print it too: refused the same way.
    m_shop->messages.clear();
    press(Qt::Key_F8, Qt::ShiftModifier);
    QCOMPARE(m_shop->messages.texts(),
             QStringList{u"Transaksi ini belum disimpan, simpan dahulu sebelum print struk.."_qs});

    // Shift+F8 shows a page receipt before paper is used.
    sizes->setCurrentIndex(0);
    QString seen;
    whenModalOpens(seen, [](QWidget*) {});
    press(Qt::Key_F8, Qt::ShiftModifier);
    QCOMPARE(seen, u"pratinjauStruk"_qs);

    // The gear opens the receipt settings; "Default Struk" moves the cashier's list at once.
    whenModalOpens(seen, [](QWidget* settings) {
        const auto lists = settings->findChildren<QComboBox*>();
        for (QComboBox* list : lists) {
            if (list->count() == 5 && list->itemText(0) == u"Struk 1")
                list->setCurrentIndex(1);
        }
    });
    m_window->findChildren<QPushButton*>().first()->click();
    QCOMPARE(seen, u"FORM_TOKO_FORM23_CLASS"_qs);
    QCOMPARE(sizes->currentText(), u"Struk 2"_qs);
}

QTEST_MAIN(TestCashierWindow)
#include "test_cashier_window.moc"
