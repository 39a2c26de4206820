#include "core/database.h"
#include "screens/masters/product_master_window.h"
#include "support/modal.h"
#include "support/test_shop.h"
#include "ui/list_view.h"
#include "ui/table_model.h"

#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

using namespace Qt::StringLiterals;

// The products master and its "Set Harga" box: keys, what the list shows, whose tiers are saved.
class TestProductScreens final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void entryRow();
    void saveWritesTheProductInTheBoxesAndItsTiers();
    void removeResetAndPaste_data();
    void removeResetAndPaste();

private:
    QStringList boxes() const;
    auto* box(const char* n) const { return m_screen->findChild<QLineEdit*>(QLatin1String(n)); }
    QString row(int row) const { return m_list->tableModel()->row(row).join(u'|'); }
    QString stored(const QString& code);
    void click(int row);
    void click(const QString& button);

    std::unique_ptr<TestShop> m_shop;
    std::unique_ptr<ProductMasterWindow> m_screen;
    ListView* m_list = nullptr;
};

void TestProductScreens::init()
{
    m_screen.reset(); // before the shop it works on
    m_shop = std::make_unique<TestShop>(TestShop::Data::Demo);
    m_shop->context().user = u"admin"_s;
    m_screen = std::make_unique<ProductMasterWindow>(m_shop->context());
    m_screen->resize(1100, 600);
    showActive(*m_screen);
    m_list = m_screen->findChild<ListView*>();
}

QStringList TestProductScreens::boxes() const
{
    QStringList texts;
    for (const char* name : {"kode", "nama", "kategori", "stock", "satuan", "hargapokok",
                             "hargajual", "diskon", "barcode"})
        texts.append(box(name)->text());
    return texts;
}

QString TestProductScreens::stored(const QString& code)
{
    // An empty box is stored as '' in a file and as NULL in a server's number column.
    QStringList cells;
    for (const char* column : {"kode", "nama", "kategori", "stock", "satuan", "hpp", "hargajual",
                               "diskon", "barcode", "FunctSQL"})
        cells.append(u"coalesce(cast(%1 as text), '')"_s.arg(QLatin1String(column)));
    return m_shop->db().scalar(
        u"select "_s + cells.join(u"||'|'||"_s) + u" from barang where kode=?"_s, {code});
}

void TestProductScreens::click(int row)
{
    QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {},
                      m_list->visualRect(m_list->model()->index(row, 1)).center());
}

void TestProductScreens::click(const QString& button)
{
    QTest::mouseClick(buttonWithText<QToolButton>(m_screen.get(), button), Qt::LeftButton);
}

void TestProductScreens::entryRow()
{
    QTRY_COMPARE(QApplication::focusWidget(), box("kode"));
    // Enter walks the boxes; digits only where numbers go; the code is the barcode.
    const char* keys[] = {"a9x9", "Teh 'Botol'", "Minuman", "1a2", "btl", "1001", "", "5"};
    for (const char* typed : keys) {
        QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(typed));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    QCOMPARE(QApplication::focusWidget(), box("barcode"));
    QCOMPARE(boxes(), u"99|Teh 'Botol'|Minuman|12|btl|1001|1301.3|5|99"_s.split(u'|'));
    // Enter saves in Barcode, once it comes up there.
    QTest::keyClick(box("barcode"), Qt::Key_Return);
    QCOMPARE(boxes(), u"||||||||"_s.split(u'|'));
    QCOMPARE(row(13), u"99|Teh 'Botol'|Minuman|12|btl|1001|1301.3|5|99|"_s);
    QCOMPARE(stored(u"99"_s), row(13));

    // A click loads every stored value, the selling price included.
    click(1);
    QCOMPARE(boxes(), u"1002|Minyak Goreng 2 L|Sembako|60|pouch|31000|34000|0|1002"_s.split(u'|'));
}

void TestProductScreens::saveWritesTheProductInTheBoxesAndItsTiers()
{
    // Enter in Pencarian selects the first match without loading it.
    auto* search = m_screen->findChild<QLineEdit*>(u"pencarian"_s);
    QTest::keyClicks(search, u"100"_s);
    QTest::keyClick(search, Qt::Key_Return);
    QCOMPARE(m_list->selectedRow(), 0);
    QCOMPARE(QApplication::focusWidget(), m_list);
    QCOMPARE(boxes(), u"||||||||"_s.split(u'|'));
    // The code typed decides which product is changed; the list row of that product shows it.
    box("kode")->setText(u"1003"_s);
    box("nama")->setText(u"Gula Merah"_s);
    m_screen->save();
    QCOMPARE(row(2).section(u'|', 0, 9), u"1003|Gula Merah|||||||1003|20;15200"_s);
    QCOMPARE(stored(u"1003"_s), row(2));

    // Tiers stay with their product: not into another code's update, nor a new product after Add.
    click(1); // 1002, with tiers
    box("kode")->setText(u"1004"_s);
    m_screen->save();
    QCOMPARE(stored(u"1004"_s).section(u'|', 9), QString());
    click(1);
    click(u"Add"_s);
    box("kode")->setText(u"77"_s);
    m_screen->save();
    QCOMPARE(stored(u"77"_s), u"77||||||||77|"_s);

    // A refused insert keeps what was typed.
    box("nama")->setText(u"Kopi"_s);
    QVERIFY(
        TestShop::refuse(m_shop->db(), u"before insert"_s, u"barang"_s, u"1 = 1"_s, u"ditolak"_s));
    box("kode")->setText(u"78"_s);
    m_screen->save();
    QCOMPARE(m_shop->messages.lastText(), u"SQL error: ditolak"_s);
    QCOMPARE(boxes(), u"78|Kopi|||||||78"_s.split(u'|'));

    click(0); // 1001, no tiers, sold at 68500
    const QString before = stored(u"1001"_s);
    QString seen;
    whenModalOpens(seen, [](QWidget* dialog) { // from 10 on at 60000
        dialog->findChildren<QLineEdit*>().at(0)->setText(u"10"_s);
        dialog->findChildren<QLineEdit*>().at(1)->setText(u"60000"_s);
        QTest::mouseClick(buttonWithText<QPushButton>(dialog, u"Set Harga"_s), Qt::LeftButton);
    });
    click(u"Harga"_s);
    const QString tiers = u"10;60000|0;68500|0;68500|0;68500|0;68500|0;68500|0;68500|0;68500|"
                          "0;68500|0;68500"_s;
    QCOMPARE(row(0).section(u'|', 9), tiers);
    QCOMPARE(stored(u"1001"_s), before); // stored at the next save only
    click(1);
    click(0); // the row shows the tiers set; saving it stores them
    m_screen->save();
    QCOMPARE(stored(u"1001"_s).section(u'|', 9), tiers);
}

void TestProductScreens::removeResetAndPaste_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<int>("left"); // products left, in the list and stored
    QTest::newRow("remove, yes") << u"kasir"_s << u"Remove"_s << true << 12;
    QTest::newRow("reset, not the administrator") << u"administrator"_s << u"Reset"_s << true << 13;
    QTest::newRow("reset, no") << u"ADMIN"_s << u"Reset"_s << false << 13;
    QTest::newRow("reset, yes") << u"ADMIN"_s << u"Reset"_s << true << 0;
    // One new product, one code stored already.
    QTest::newRow("paste, no") << u"kasir"_s << u"Paste"_s << false << 13;
    QTest::newRow("paste, yes") << u"kasir"_s << u"Paste"_s << true << 14;
}

void TestProductScreens::removeResetAndPaste()
{
    QFETCH(QString, user);
    QFETCH(QString, button);
    QFETCH(bool, yes);
    QFETCH(int, left);
    QGuiApplication::clipboard()->setText(
        u"9001\tKopi O'Brien\tMinuman\t5\tpcs\t1000\t1300\t0\t9001\t12;1200\r\n1001\tBeras lagi"_s);
    m_shop->context().user = user;
    click(2);
    m_shop->messages.setNextAnswer(yes);
    click(button);
    QCOMPARE(m_list->model()->rowCount(), left);
    QCOMPARE(m_shop->db().scalar(u"select count(*) from barang"_s).toInt(), left);
    for (int i = 0; i < left; ++i) // No takes the pasted rows off the list again
        QCOMPARE(stored(m_list->tableModel()->cell(i, 0)), row(i));
    if (user == u"administrator") // refused before the question is asked
        QCOMPARE(m_shop->messages.texts(),
                 QStringList{u"Anda tidak diperkenankan menggunakan fitur ini"_s});
}

QTEST_MAIN(TestProductScreens)
#include "test_product_screens.moc"
