#include "core/database.h"
#include "screens/printing/label_dialog.h"
#include "support/needs_part.h"
#include "support/pdf_text.h"
#include "support/test_shop.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using labels::Layout;

// Labels as they come out of the printer, through the "Label" screen with no
// printer: the PDF rendered at 300 dpi, every bar code read back by zbarimg
// as a scanner would, the names and prices read back with pdftotext.
class TestLabelPrinting final : public QObject
{
    Q_OBJECT
private slots:
    void printedLabelsScanBack_data();
    void printedLabelsScanBack();
};

namespace {

// The bar code of every label of `pdf` that holds one, as "page row column
// code", each label cut out and read alone (zbarimg names a code only once
// per picture).
QStringList scanned(const QString& pdf, Layout layout)
{
    QTemporaryDir pages;
    QProcess::execute(u"pdftoppm"_s, {u"-r"_s, u"300"_s, u"-png"_s, pdf, pages.filePath(u"p"_s)});
    const bool roll = layout == Layout::Roll;
    const int rows = roll ? 1 : labels::sheetRows, columns = roll ? 1 : labels::sheetColumns;
    const QStringList files = QDir(pages.path()).entryList({u"p*.png"_s}, QDir::Files, QDir::Name);
    QStringList found;
    for (int page = 0; page < files.size(); ++page) {
        const QImage image(pages.filePath(files[page]));
        const QSizeF label(image.width() / double(columns), image.height() / double(rows));
        for (int place = 0; place < rows * columns; ++place) {
            const int row = place / columns, column = place % columns;
            const QString cut = pages.filePath(u"label.png"_s);
            image
                .copy(QRectF(QPointF(column * label.width(), row * label.height()), label).toRect())
                .save(cut);
            QProcess reader;
            reader.start(u"zbarimg"_s, {u"--quiet"_s, u"--raw"_s, cut});
            reader.waitForFinished(60000);
            const QString code = QString::fromLatin1(reader.readAllStandardOutput()).trimmed();
            if (!code.isEmpty())
                found.append(u"%1 %2 %3 %4"_s.arg(page).arg(row).arg(column).arg(code));
        }
    }
    return found;
}

} // namespace

void TestLabelPrinting::printedLabelsScanBack_data()
{
    QTest::addColumn<Layout>("layout");
    QTest::addColumn<int>("start");
    QTest::addColumn<QStringList>("places"); // page, row and column of each label
    // From the last two labels of a used sheet onto a new one.
    QTest::newRow("A4 sheet") << Layout::Sheet << 29
                              << QStringList{u"0 9 1"_s, u"0 9 2"_s, u"1 0 0"_s,
                                             u"1 0 1"_s, u"1 0 2"_s, u"1 1 0"_s};
    QTest::newRow("roll") << Layout::Roll << 5 << QStringList{u"0 0 0"_s, u"1 0 0"_s, u"2 0 0"_s,
                                                              u"3 0 0"_s, u"4 0 0"_s, u"5 0 0"_s};
}

void TestLabelPrinting::printedLabelsScanBack()
{
    QFETCH(Layout, layout);
    QFETCH(int, start);
    QFETCH(QStringList, places);
    TOKO_NEEDS_PART(!QStandardPaths::findExecutable(u"pdftoppm"_s).isEmpty() &&
                        !QStandardPaths::findExecutable(u"zbarimg"_s).isEmpty(),
                    "pdftoppm (poppler-utils) or zbarimg (zbar-tools) is missing");
    qputenv("TOKO_PRINTER", "none");
    TestShop shop;
    Database& db = shop.db();
    const QList<labels::Item> products = {
        {u"1001"_s, u"Gula Pasir 1 kg"_s, u"14250.5"_s, 2},
        {u"B-1"_s, u"Baut"_s, u"500"_s, 2},
        {u"89912345678901234567"_s, u"Minyak Goreng 2 L"_s, u"38000"_s, 1},
        {u"4006381333932"_s, u"Kopi Bubuk"_s, u"9000"_s, 1}, // Code 128: not an EAN-13
        {u"4006381333931"_s, u"Teh Celup 25"_s, u"3500"_s, 2}};
    for (const labels::Item& product : products)
        QVERIFY(db.exec(u"insert into barang (kode, nama, hargajual) values (?,?,?)"_s,
                        {product.code, product.name, product.price.toDouble()}));
    // 1.5 pieces get two labels; the line of a product deleted since none.
    for (const auto& [code, quantity] : {std::pair{u"4006381333931"_s, 1.5}, {u"GONE"_s, 4.0}})
        QVERIFY(db.exec(u"insert into itempembelian (Kode, KodeBarang, Qty) "
                        "values ('BL-00000000000003',?,?)"_s,
                        {code, quantity}));
    {
        LabelDialog dialog(shop.context());
        for (const QString& code : {u"1001"_s, u"B-1"_s, u"1001"_s, u"B-1"_s,
                                    u"89912345678901234567"_s, u"4006381333932"_s})
            dialog.addProduct(code);
        for (const QString& number : {u"BL-00000000000004"_s, u" 00000000000003"_s}) {
            dialog.findChild<QLineEdit*>()->setText(number);
            dialog.addPurchase();
        }
        QCOMPARE(dialog.items(), products);
        dialog.findChild<QComboBox*>()->setCurrentIndex(int(layout));
        dialog.findChild<QSpinBox*>()->setValue(start);
        dialog.print();
    }
    QCOMPARE(LabelDialog(shop.context()).findChild<QComboBox*>()->currentIndex(), int(layout));
    const QStringList said = shop.messages.texts();
    QCOMPARE(said.size(), 3);
    QCOMPARE(said[0], u"Tidak ada pembelian dengan kode BL-00000000000004"_s);
    QCOMPARE(said[1], u"Kode barang ini berisi selain angka, tidak dapat di-scan di kasir dan "
                      "tidak dicetak: B-1"_s);
    const QString prefix = u"Tidak ada printer. Label disimpan sebagai PDF di "_s;
    QVERIFY2(said[2].startsWith(prefix), qPrintable(said[2]));
    const QString pdf = said[2].mid(prefix.size());
    const QStringList codes = {u"1001"_s,          u"1001"_s,          u"89912345678901234567"_s,
                               u"4006381333932"_s, u"4006381333931"_s, u"4006381333931"_s};
    QStringList printed;
    for (int i = 0; i < codes.size(); ++i)
        printed.append(places[i] + u' ' + codes[i]);
    QCOMPARE(scanned(pdf, layout), printed);
    const QString words = pdfWords(pdf);
    for (const labels::Item& product : products.mid(2)) {
        QVERIFY2(words.contains(product.name), qPrintable(words));
        QVERIFY2(words.contains(u"Rp. "_s + product.price), qPrintable(words));
    }
}

QTEST_MAIN(TestLabelPrinting)
#include "test_label_printing.moc"
