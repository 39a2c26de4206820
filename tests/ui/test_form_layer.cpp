#include "core/table_model.h"
#include "ui/anchors.h"
#include "ui/font_text.h"
#include "ui/form.h"
#include "ui/list_view.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <utility>

class TestFormLayer final : public QObject
{
    Q_OBJECT
private slots:
    void fonts_data();
    void fonts();
    void anchoredRects_data();
    void anchoredRects();
    void anchorsReturnExactlyAfterResizing();
    void anchorsOfAFormGrownBeforeItIsShown();
    void minimisedFormLeavesControls();
    void listModelStaysConsistent();
    void listColumnsFollowModel();
    void listSelectsWholeRows();
    void formNameAndTabOrder();
};

namespace {

// "face|points|style", the style letters b(old), i(talic), u(nderline) and s(trike-out).
QString describe(const QFont& font)
{
    QString style;
    for (const auto& [on, letter] : {std::pair{font.bold(), u'b'},
                                     {font.italic(), u'i'},
                                     {font.underline(), u'u'},
                                     {font.strikeOut(), u's'}})
        if (on)
            style += letter;
    return font.family() + u'|' + QString::number(font.pointSize()) + u'|' + style;
}

} // namespace

void TestFormLayer::fonts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<QString>("expected");

    // What is left unsaid keeps the application's face and a positive size.
    const QFont plain = fontFromText(QString());
    QVERIFY(plain.pointSize() > 0);
    const QString face = QFont().family();
    const QString size = QString::number(plain.pointSize());
    const QString longFace = u"A Very Long Face Name That Goes On And On"_qs;

    QTest::newRow("short bold") << u"Arial,10,1"_qs << 96 << u"Arial|10|b"_qs;
    QTest::newRow("short, face with spaces")
        << u"Arial Unicode MS,9,0"_qs << 96 << u"Arial Unicode MS|9|"_qs;
    QTest::newRow("short, every style bit") << u"Arial,10,15"_qs << 96 << u"Arial|10|bius"_qs;
    QTest::newRow("short, italic and strike-out")
        << u"Courier New,8,10"_qs << 96 << u"Courier New|8|is"_qs;
    QTest::newRow("ten commas is still short")
        << u"Arial,12,3,0,0,700,0,0,0,0,0"_qs << 96 << u"Arial|12|bi"_qs;
    QTest::newRow("long regular") << u"Arial,-12,0,0,0,400,0,0,0,0,3,2,1,34"_qs << 96
                                  << u"Arial|9|"_qs;
    QTest::newRow("long bold, 14.25 points rounds down")
        << u"Arial,-19,0,0,0,700,0,0,0,0,3,2,1,34"_qs << 96 << u"Arial|14|b"_qs;
    QTest::newRow("eleven commas is long, weight 600 is bold")
        << u"Arial,-16,0,0,0,600,1,0,0,0,3,2"_qs << 96 << u"Arial|12|bi"_qs;
    QTest::newRow("long, positive height, flags")
        << u"Courier New,16,0,0,0,300,1,1,1,0,3,2,1,49"_qs << 96 << u"Courier New|12|ius"_qs;
    QTest::newRow("long at 120 dpi, 9.6 points rounds up")
        << u"Arial,-16,0,0,0,400,0,0,0,0,3,2,1,34"_qs << 120 << u"Arial|10|"_qs;
    QTest::newRow("long, tiny height is still one point")
        << u"Arial,-1,0,0,0,400,0,0,0,0,3,2,1,34"_qs << 300 << u"Arial|1|"_qs;
    QTest::newRow("long, zero dpi")
        << u"Arial,-12,0,0,0,0,0,0,0,0,3,2,1,34"_qs << 0 << u"Arial|9|"_qs;
    QTest::newRow("long, huge height")
        << u"Arial,-99999999999999,0,0,0,400,0,0,0,0,3,2,1,34"_qs << 96 << u"Arial|1000|"_qs;
    QTest::newRow("face cut at 31 characters")
        << QString(longFace + u",10,0") << 96 << QString(longFace.left(31) + u"|10|");
    QTest::newRow("non-numbers read as 0")
        << u"Arial,big,bold"_qs << 96 << QString(u"Arial|" + size + u'|');
    QTest::newRow("negative short size")
        << u"Arial,-10,0"_qs << 96 << QString(u"Arial|" + size + u'|');
    QTest::newRow("empty") << QString() << 96 << QString(face + u'|' + size + u'|');
    QTest::newRow("only commas") << u",,,,,,,,,,,,,,,,,,"_qs << 96
                                 << QString(face + u'|' + size + u'|');
}

void TestFormLayer::fonts()
{
    QFETCH(QString, text);
    QFETCH(int, dpi);
    QFETCH(QString, expected);
    QCOMPARE(describe(fontFromText(text, dpi)), expected);
}

// A 400 x 300 form grows to 800 x 600 unless the row says otherwise.
void TestFormLayer::anchoredRects_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QRect>("initial");
    QTest::addColumn<QSize>("from");
    QTest::addColumn<QSize>("to");
    QTest::addColumn<QRect>("expected");

    const QSize from(400, 300);
    const QSize to(800, 600);
    const QRect box(10, 20, 100, 30);
    QTest::newRow("FR right edge follows")
        << u"FL,FT,FR,FT"_qs << box << from << to << QRect(10, 20, 500, 30);
    QTest::newRow("S right edge doubles")
        << u"FL,FT,S,FT"_qs << box << from << to << QRect(10, 20, 210, 30);
    QTest::newRow("lower case") << u"fl,ft,s,ft"_qs << box << from << to << QRect(10, 20, 210, 30);
    QTest::newRow("spaces around items")
        << u"FL, FT, S, FT"_qs << box << from << to << QRect(10, 20, 210, 30);
    QTest::newRow("F50 moves half the growth")
        << u"F50,FT,F50,FT"_qs << box << from << to << QRect(210, 20, 100, 30);
    QTest::newRow("F50 on a stretching box")
        << u"FL,F50,FR,F50"_qs << box << from << to << QRect(10, 170, 500, 30);
    QTest::newRow("FB keeps the distance to the bottom")
        << u"FL,FB,FL,FB"_qs << box << from << to << QRect(10, 320, 100, 30);
    QTest::newRow("shrinking") << u"FL,FT,FR,FB"_qs << QRect(10, 20, 300, 200) << from
                               << QSize(200, 150) << QRect(10, 20, 100, 50);
    QTest::newRow("edges never cross")
        << u"FL,FT,FR,FB"_qs << box << from << QSize(100, 100) << QRect(10, 20, 0, 0);
    QTest::newRow("S rounds to the nearest pixel")
        << u"S,FT,S,FT"_qs << QRect(10, 0, 1, 1) << QSize(300, 300) << QSize(400, 300)
        << QRect(13, 0, 2, 1);
    QTest::newRow("7 characters, everything scaled")
        << u"S,S,S,S"_qs << box << from << to << QRect(20, 40, 200, 60);
    QTest::newRow("6 characters never moves") << u"S,S,S,"_qs << box << from << to << box;
    QTest::newRow("empty never moves") << QString() << box << from << to << box;
    QTest::newRow("unknown items are fixed") << u"XX,YY,ZZ,WW"_qs << box << from << to << box;
    QTest::newRow("F without a number is fixed") << u"Fx,F,F?,F"_qs << box << from << to << box;
    QTest::newRow("empty initial form does not divide by zero")
        << u"S,S,S,S"_qs << box << QSize(0, 0) << to << box;
}

void TestFormLayer::anchoredRects()
{
    QFETCH(QString, code);
    QFETCH(QRect, initial);
    QFETCH(QSize, from);
    QFETCH(QSize, to);
    QFETCH(QRect, expected);
    QCOMPARE(anchoredRect(code, initial, from, to), expected);
}

namespace {

// A 400 x 300 form inside a window, with a button that keeps to the bottom,
// a line that stretches and a panel that scales.
struct AnchoredForm {
    AnchoredForm()
    {
        window.resize(400, 300);
        form->setGeometry(0, 0, 400, 300);
        button->setGeometry(10, 260, 80, 30);
        line->setGeometry(10, 10, 380, 25);
        panel->setGeometry(33, 47, 101, 97);
        anchors->add(button, u"FL,FB,FL,FB"_qs);
        anchors->add(line, u"FL,FT,FR,FT"_qs);
        anchors->add(panel, u"S,S,S,S"_qs);
        window.show();
    }
    QList<QRect> geometries() const
    {
        return {button->geometry(), line->geometry(), panel->geometry()};
    }

    QWidget window;
    QWidget* form = new QWidget(&window);
    QPushButton* button = new QPushButton(form);
    QLineEdit* line = new QLineEdit(form);
    QWidget* panel = new QWidget(form);
    Anchors* anchors = new Anchors(form);
};

} // namespace

void TestFormLayer::anchorsReturnExactlyAfterResizing()
{
    AnchoredForm f;
    const QList<QRect> initial = f.geometries();

    f.form->resize(800, 600);
    QCOMPARE(f.button->geometry(), QRect(10, 560, 80, 30));
    QCOMPARE(f.line->geometry(), QRect(10, 10, 780, 25));
    QCOMPARE(f.panel->geometry(), QRect(66, 94, 202, 194));

    // Sizes whose scaling rounds: working from the previous position would drift.
    for (const QSize size : {QSize(533, 411), QSize(401, 299), QSize(777, 123), QSize(400, 300)})
        f.form->resize(size);
    QCOMPARE(f.geometries(), initial);

    // A control added to a grown form was placed for the grown size.
    f.form->resize(800, 600);
    auto* late = new QPushButton(f.form);
    late->setGeometry(700, 560, 90, 30);
    f.anchors->add(late, u"FR,FB,FR,FB"_qs);
    f.form->resize(400, 300);
    QCOMPARE(late->geometry(), QRect(300, 260, 90, 30));
    QCOMPARE(f.geometries(), initial);
}

void TestFormLayer::anchorsOfAFormGrownBeforeItIsShown()
{
    QWidget form;
    form.resize(400, 300);
    auto* button = new QPushButton(&form);
    button->setGeometry(10, 260, 80, 30);
    Anchors anchors(&form);
    anchors.add(button, u"FL,FB,FL,FB"_qs);
    form.resize(1000, 700);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(button->geometry(), QRect(10, 660, 80, 30));
}

void TestFormLayer::minimisedFormLeavesControls()
{
    AnchoredForm f;
    f.form->resize(800, 600);
    const QList<QRect> grown = f.geometries();

    f.window.setWindowState(Qt::WindowMinimized);
    f.form->resize(160, 0);
    QCOMPARE(f.geometries(), grown);

    f.window.setWindowState(Qt::WindowNoState);
    f.form->resize(800, 600);
    QCOMPARE(f.geometries(), grown);
}

void TestFormLayer::listModelStaysConsistent()
{
    TableModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    ListView list;
    list.setTableModel(&model);

    model.addColumn(u"Kode"_qs, 80);
    model.addColumn(u"Harga"_qs, 60, Qt::AlignRight);
    for (int i = 0; i < 20; ++i)
        model.appendRow({QString::number(i), QString::number(i * 1000)});
    model.appendRows({{u"a"_qs}, {u"b"_qs, u"2"_qs, u"extra"_qs}});
    list.selectRow(5);
    model.setCell(3, 1, u"1500"_qs);
    model.setAlignment(0, Qt::AlignHCenter);
    model.insertRowAt(0, u"first"_qs);
    QVERIFY(model.removeRows(2, 5));
    QCOMPARE(list.selectedRow(), -1);
    QVERIFY(!model.removeRows(20, 5));
    model.clear();
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(list.selectedRow(), -1);
}

void TestFormLayer::listColumnsFollowModel()
{
    TableModel model;
    model.setColumns({{u"Kode"_qs, 80, Qt::AlignLeft},
                      {u"Rahasia"_qs, 0, Qt::AlignLeft},
                      {u"Harga"_qs, 120, Qt::AlignRight}});
    model.appendRow({u"A1"_qs, u"x"_qs, u"5000"_qs});
    ListView list;
    list.setTableModel(&model);

    const auto check = [&] {
        QCOMPARE(list.columnWidth(0), 80);
        QVERIFY(list.isColumnHidden(1));
        QVERIFY(!list.isColumnHidden(2));
        QCOMPARE(list.columnWidth(2), 120);
    };
    check();
    QVERIFY(list.model()->index(0, 2).data(Qt::TextAlignmentRole).value<Qt::Alignment>() &
            Qt::AlignRight);

    // Clearing resets the header; the widths must come back.
    model.clear();
    check();

    model.addColumn(u"Stok"_qs, 45);
    QCOMPARE(list.columnWidth(3), 45);
    model.setColumns({{u"Kode"_qs, 0, Qt::AlignLeft}, {u"Nama"_qs, 150, Qt::AlignLeft}});
    QVERIFY(list.isColumnHidden(0));
    QVERIFY(!list.isColumnHidden(1));
    QCOMPARE(list.columnWidth(1), 150);

    // A list that is handed another model forgets the first one.
    TableModel other;
    other.addColumn(u"Satu"_qs, 70);
    list.setTableModel(&other);
    model.addColumn(u"Lain"_qs, 10);
    QCOMPARE(list.columnWidth(0), 70);
    QVERIFY(!list.isColumnHidden(0));
}

void TestFormLayer::listSelectsWholeRows()
{
    TableModel model;
    model.setColumns({{u"Id"_qs, 0, Qt::AlignLeft}, {u"Nama"_qs, 100, Qt::AlignLeft}});
    for (int i = 0; i < 200; ++i)
        model.appendRow({QString::number(i), u"Barang %1"_qs.arg(i)});
    ListView list;
    list.setTableModel(&model);
    list.resize(200, 150);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));

    QCOMPARE(list.rowHeight(0), list.fontMetrics().height() + 4);
    QCOMPARE(list.selectedRow(), -1);

    list.selectRow(150);
    QCOMPARE(list.selectedRow(), 150);
    QCOMPARE(list.currentIndex().row(), 150);
    QCOMPARE(list.currentIndex().column(), 1); // the first visible column
    QVERIFY(list.selectionModel()->isRowSelected(150, {}));
    const auto inView = [&](int row) {
        const int y = list.rowViewportPosition(row);
        return y >= 0 && y + list.rowHeight(row) <= list.viewport()->height();
    };
    QVERIFY(inView(150));

    list.scrollToTop();
    list.selectRow(150);
    QVERIFY(inView(150));

    list.selectRow(3);
    QCOMPARE(list.selectedRow(), 3);
    QCOMPARE(list.selectionModel()->selectedRows().size(), 1);
    list.selectRow(200);
    list.selectRow(-1);
    QCOMPARE(list.selectedRow(), 3);

    QFont big = list.font();
    big.setPointSize(big.pointSize() * 2);
    list.setFont(big);
    QCOMPARE(list.rowHeight(0), QFontMetrics(big).height() + 4);

    model.removeRows(3, 1);
    QCOMPARE(list.selectedRow(), -1);
    QVERIFY(!list.currentIndex().isValid());
}

void TestFormLayer::formNameAndTabOrder()
{
    QWidget form;
    auto* notes = new QPlainTextEdit(&form);
    auto* list = new ListView(&form);
    auto* code = new QLineEdit(&form);
    TableModel model;
    model.addColumn(u"Kode"_qs, 80);
    model.addColumn(u"Nama"_qs, 80);
    model.appendRows({{u"A1"_qs, u"Gula"_qs}, {u"A2"_qs, u"Kopi"_qs}});
    list->setTableModel(&model);
    list->selectRow(0);
    form::setName(&form, u"FORM1");
    QCOMPARE(form.objectName(), u"FORM_TOKO_FORM1_CLASS"_qs);

    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    notes->setFocus();
    QTest::keyClick(notes, Qt::Key_Tab);
    QVERIFY(notes->toPlainText().isEmpty());
    QCOMPARE(QApplication::focusWidget(), list);
    QTest::keyClick(list, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), code);
}

QTEST_MAIN(TestFormLayer)
#include "test_form_layer.moc"
