#include "core/shop_settings.h"
#include "screens/counter/cashier_window.h"
#include "support/modal.h"
#include "support/test_shop.h"
#include "ui/keyboard_state.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>

using namespace Qt::StringLiterals;

// The cashier driven with real keys offscreen; stored rows are the logic test's part.
class TestCashierWindow final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void opensAndFitsTheScreen_data();
    void opensAndFitsTheScreen();
    void keysOfTheEntryRow();
    void typedDiscountAndPaymentChangeTheTotals();
    void afterASaveNothingChangesUntilF9();
    void purchaseNeedsASupplier();

private:
    void open(Side side, QSize size = {1024, 700});
    // The keys work while the cashier is the active window, as again once a popup has closed.
    void reactivate() { showActive(*m_window); }
    QLineEdit* box(const char* n) { return m_window->findChild<QLineEdit*>(QLatin1String(n)); }
    QString label(const char* n) { return m_window->findChild<QLabel*>(QLatin1String(n))->text(); }
    QString focus() const { return m_window->focusWidget()->objectName(); }
    QString cell(int row, int column) const
    {
        const QAbstractItemModel* model = m_window->findChild<QTableView*>()->model();
        return model->index(row, column).data().toString();
    }
    int lines() const { return m_window->findChild<QTableView*>()->model()->rowCount(); }
    void type(const char* boxName, const QString& text);
    void press(Qt::Key key, const char* boxName = nullptr, Qt::KeyboardModifiers modifiers = {});
    void save(); // Ctrl+S, and Yes to saving
    QString count() { return m_shop->db().scalar(u"select count(*) from transaksi"_s); }

    std::unique_ptr<TestShop> m_shop;
    FixedKeyboardState m_keyboard;
    std::unique_ptr<CashierWindow> m_window;
};

void TestCashierWindow::init()
{
    m_window.reset();
    m_shop = std::make_unique<TestShop>(TestShop::Data::Demo);
    QCOMPARE(m_shop->error(), QString());
    QVERIFY(m_shop->db().exec(u"insert into barang (kode, nama, satuan, hargajual, hpp, diskon) "
                              "values ('12', 'Barang 12', 'pcs', 5000, 4000, 0), "
                              "('120', 'Barang 120', 'pcs', 7000, 6000, 0)"_s));
}

void TestCashierWindow::open(Side side, QSize size)
{
    m_window = std::make_unique<CashierWindow>(m_shop->context(), m_keyboard, side);
    m_window->resize(size);
    reactivate();
}

// Keys go where the focus is, as on the counter.
void TestCashierWindow::type(const char* boxName, const QString& text)
{
    box(boxName)->setFocus();
    for (const QChar c : text)
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}

// Pressed in `boxName` or the focused box, released in the one that has the focus then.
void TestCashierWindow::press(Qt::Key key, const char* boxName, Qt::KeyboardModifiers modifiers)
{
    if (boxName)
        box(boxName)->setFocus();
    const auto target = [this]() -> QWidget* {
        return QApplication::focusWidget() ? QApplication::focusWidget() : m_window.get();
    };
    QTest::keyPress(target(), key, modifiers);
    QTest::keyRelease(target(), key, modifiers);
}

void TestCashierWindow::save()
{
    m_shop->messages.setNextAnswer(true);
    press(Qt::Key_S, nullptr, Qt::ControlModifier);
}

void TestCashierWindow::opensAndFitsTheScreen_data()
{
    QTest::addColumn<int>("side");
    QTest::addColumn<QSize>("screen"); // a maximised window less its frame and the task bar
    QTest::newRow("sales at 1024 x 768") << int(Side::Sales) << QSize(1024, 700);
    QTest::newRow("purchases at 1280 x 1024") << int(Side::Purchase) << QSize(1280, 950);
}

void TestCashierWindow::opensAndFitsTheScreen()
{
    QFETCH(int, side);
    QFETCH(QSize, screen);
    open(Side(side), screen); // with the walk-in party shown
    QCOMPARE(focus(), u"kode"_s);
    QCOMPARE(m_window->partyRows().cell(4, 1), sideInfo(Side(side)).partyPrefix + u"00000"_s);

    // All seven columns in view side by side, the entry row clear of the party panel.
    for (int line = 0; line < 40; ++line) {
        type("kode", u"12"_s);
        press(Qt::Key_Return, "qty");
    }
    type("kode", u"12"_s);
    press(Qt::Key_Tab); // the longest help text is cut, it does not widen the window
    QCoreApplication::processEvents();
    QVERIFY(m_window->minimumSizeHint().width() <= 1024);
    auto* list = m_window->findChild<QTableView*>();
    QVERIFY(list->verticalScrollBar()->isVisible());
    QCOMPARE(list->horizontalScrollBar()->maximum(), 0);
    const QWidget* party = m_window->findChildren<QTableView*>().at(1);
    const int partyLeft = party->mapTo(m_window.get(), QPoint()).x();
    const char* boxes[] = {"kode", "nama", "qty", "satuan", "harga", "diskon", "jumlah"};
    for (int column = Cart::Code; column < Cart::Tiers; ++column) {
        const QRect cell = list->visualRect(list->model()->index(39, column));
        QVERIFY2(cell.width() >= 40 && list->viewport()->rect().contains(cell), boxes[column]);
        const QLineEdit* entry = box(boxes[column]);
        QVERIFY2(entry->mapTo(m_window.get(), entry->rect().topRight()).x() < partyLeft,
                 boxes[column]);
    }
}

void TestCashierWindow::keysOfTheEntryRow()
{
    open(Side::Sales);
    // "12" finds product 12 at once; the 0 typed next replaces the selected 1.
    type("kode", u"120"_s);
    QCOMPARE(box("nama")->text(), u"Barang 12"_s);
    QCOMPARE(box("qty")->text(), u"0"_s);
    press(Qt::Key_Return, "qty");
    press(Qt::Key_Escape); // Esc does not close the screen with its cart
    QCOMPARE(cell(0, Cart::Quantity), u"0"_s);
    QCOMPARE(focus(), u"kode"_s);
    QVERIFY(m_window->isVisible());
    // Letters refused; Tab into the price box sets the discount to 0, on into its box adds.
    type("kode", u"12"_s);
    QTest::keyClicks(box("qty"), u"ab3"_s);
    box("diskon")->setText(u"777"_s);
    press(Qt::Key_Tab);
    QCOMPARE(box("diskon")->text(), u"777"_s);
    press(Qt::Key_Tab);
    QCOMPARE(box("diskon")->text(), u"0"_s);
    QCOMPARE(lines(), 1);
    press(Qt::Key_Tab);
    const QStringList added = {u"3"_s, u"pcs"_s, u"5000"_s, u"0"_s, u"15000"_s};
    for (int column = Cart::Quantity; column <= Cart::Amount; ++column)
        QCOMPARE(cell(1, column), added.at(column - Cart::Quantity));
    QCOMPARE(box("totalBelanja")->text(), u"15000"_s);
    QCOMPARE(label("angka"), u"15000"_s);
    type("kode", u"12"_s); // Enter in the amount box adds the line too
    press(Qt::Key_Return, "jumlah");
    // A figure beyond the limit: the cashier is told and no line is added.
    type("kode", u"12"_s);
    box("harga")->setText(u"2000000000000"_s);
    press(Qt::Key_Return, "qty");
    QCOMPARE(m_shop->messages.texts(), QStringList(lineTooLargeText(u"item tidak ditambahkan."_s)));
    // The Enter that closed that box comes up over the paid box: no question.
    QTest::keyRelease(box("dibayar"), Qt::Key_Return);
    QCOMPARE(m_shop->messages.shown().size(), 1);
    QCOMPARE(lines(), 3);

    // A line loaded for change: the entry row below the list, then back under the last line.
    auto* list = m_window->findChild<QTableView*>();
    const auto underLast = [&] { // 0 when the entry row stands just under the last line
        const QRect last = list->visualRect(list->model()->index(lines() - 1, 0));
        return box("kode")->y() - 1 -
               list->viewport()->mapTo(box("kode")->parentWidget(), last.bottomLeft()).y();
    };
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, {20, 30}); // the second line
    QCOMPARE(box("kode")->text(), u"12"_s);
    QCOMPARE(focus(), u"qty"_s);
    QVERIFY(box("kode")->y() > list->geometry().bottom());
    QTest::keyClicks(box("qty"), u"4"_s);
    press(Qt::Key_Return, "qty");
    QCOMPARE(cell(1, Cart::Amount), u"20000"_s);
    QCOMPARE(lines(), 3);
    QCOMPARE(underLast(), 0);
}

void TestCashierWindow::typedDiscountAndPaymentChangeTheTotals()
{
    open(Side::Sales);
    type("kode", u"12"_s);
    press(Qt::Key_Return, "qty"); // one at 5000
    box("discountPersen")->clear();
    type("discountPersen", u"10"_s);
    QCOMPARE(box("discount")->text(), u"500"_s);
    QCOMPARE(box("totalBersih")->text(), u"4500"_s);
    QCOMPARE(label("angka"), u"4500"_s);
    box("dibayar")->clear();
    type("dibayar", u"5000"_s);
    QCOMPARE(box("kembali")->text(), u"500"_s);
    QCOMPARE(label("kembaliLabel"), u"Kembali"_s);
    QCOMPARE(label("angka"), u"5000"_s);
}

void TestCashierWindow::afterASaveNothingChangesUntilF9()
{
    const QString device = m_shop->folder().filePath(u"lp0"_s);
    qputenv("TOKO_LINE_PRINTER", device.toLocal8Bit());
    QVERIFY(config::writeFileAtomically(device, {})); // stands in for the line printer
    ShopSettings settings;
    settings.setFlag(setting::printerEscPos, true);
    QVERIFY(settings.write(m_shop->folder()));
    open(Side::Sales);
    QString seen;
    m_window->findChild<QComboBox*>()->setCurrentIndex(3); // "Struk 4"
    press(Qt::Key_F1);
    type("kode", u"1001"_s);
    save();
    QVERIFY(m_shop->messages.lastText().endsWith(u"mohon lengkapi dahulu data Pelanggan"_s));
    press(Qt::Key_F11);
    m_shop->messages.setNextAnswer(true); // save
    m_shop->messages.setNextAnswer(true); // and print
    press(Qt::Key_Return, "dibayar");
    QCOMPARE(count(), u"1"_s);
    QFile printed(device);
    QVERIFY(printed.open(QIODevice::ReadOnly));
    QByteArray receipt = printed.readAll();
    // The sale paid cash: the drawer opened once it was stored, then the receipt printed.
    QVERIFY(receipt.startsWith(QByteArray("\x1b\x70\x00\x19\xfa\x1b@", 7)));
    receipt.remove(0, 5);
    QVERIFY(receipt.contains("  Bayar   :         68500\r\n  Kembali :             0\r\n"));
    QVERIFY(receipt.contains("No.: 0001 ")); // the number this cashier stored

    // Every key and box of the cashier, some through widgets a cashier could not reach.
    whenModalOpens(seen, [](QWidget*) {});
    press(Qt::Key_F10); // in barcode mode a pick would go straight into the cart
    QCoreApplication::processEvents();
    box("kode")->setText(u"1001"_s); // a scan
    press(Qt::Key_F1);
    QTest::mouseClick(m_window->findChild<QTableView*>()->viewport(), Qt::LeftButton, {}, {20, 5});
    for (const char* name : {"kode", "nama", "qty", "satuan", "harga", "diskon", "jumlah",
                             "discountPersen", "dibayar"}) {
        box(name)->setText(u"3"_s);
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Tab})
            QTest::keyClick(box(name), key);
    }
    press(Qt::Key_F11);
    m_window->findChild<QDateEdit*>()->setDate(QDate(2024, 1, 1));
    m_window->chooseParty(); // its button is disabled
    QCoreApplication::processEvents();
    save();                    // asked again, stores nothing
    QCOMPARE(seen, QString()); // no box opened
    QCOMPARE(count(), u"1"_s);
    QCOMPARE(lines(), 1);
    QCOMPARE(m_window->partyRows().cell(0, 1), u"Bebas"_s);
    press(Qt::Key_F8);
    QCOMPARE(printed.readAll(), receipt); // the same receipt again, the drawer left shut

    press(Qt::Key_F9);
    QCOMPARE(label("hitungan"), u"1"_s);
    QCOMPARE(lines(), 0);
    QVERIFY(box("kode")->isEnabled());
    press(Qt::Key_F8); // the new transaction is not stored: no line printer receipt yet
    QCOMPARE(m_shop->messages.lastText(),
             u"Transaksi ini belum disimpan, simpan dahulu sebelum print struk.."_s);
}

void TestCashierWindow::purchaseNeedsASupplier()
{
    open(Side::Purchase);
    QString seen;
    // A picker closed on no row leaves no party: no search, no purchase from nobody.
    whenModalOpens(
        seen, [](QWidget* picker) { buttonWithText<QPushButton>(picker, u"Entry"_s)->click(); });
    buttonWithText<QPushButton>(m_window.get(), u"Supplier"_s)->click();
    reactivate();
    press(Qt::Key_F10); // no product search opens
    QCOMPARE(m_shop->messages.lastText(), u"Data Pembeli belum tersedia.."_s);
    save();
    QCOMPARE(m_shop->messages.lastText(), u"Data Pembeli belum tersedia.."_s);
    QCOMPARE(seen, u"FORM_TOKO_FORM2_CLASS"_s);
    QCOMPARE(count(), u"0"_s);
}

QTEST_MAIN(TestCashierWindow)
#include "test_cashier_window.moc"
