#include "core/clock.h"
#include "ui/entry_row.h"
#include "ui/font_text.h"
#include "ui/list_view.h"
#include "ui/month_tree.h"
#include "ui/table_model.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

// What screens are built from: fonts, the list, the entry row, the month tree.
class TestFormLayer final : public QObject
{
    Q_OBJECT
private slots:
    void fonts_data();
    void fonts();
    void listAndEntryRow();
    void monthTree();
};

void TestFormLayer::fonts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // face|points|bold, italic, underline, strike-out
    QTest::newRow("short") << u"Arial Unicode MS,9,15"_qs << u"Arial Unicode MS|9|1111"_qs;
    QTest::newRow("ten commas is short")
        << u"Arial,12,3,0,0,700,0,0,0,0,0"_qs << u"Arial|12|1100"_qs;
    QTest::newRow("eleven commas is long, 12.75 points")
        << u"Arial,-17,0,0,0,600,1,1,1,0,3,2"_qs << u"Arial|13|1111"_qs;
}

void TestFormLayer::fonts()
{
    QFETCH(QString, text);
    const QFont f = fontFromText(text);
    const int flags = f.bold() * 1000 + f.italic() * 100 + f.underline() * 10 + f.strikeOut();
    QTEST(u"%1|%2|%3"_qs.arg(f.family()).arg(f.pointSize()).arg(flags, 4, 10, QChar(u'0')),
          "expected");
}

// A box at (10, 20) 100 x 30 on a 400 x 300 form that grows to 800 x 600.
void TestFormLayer::listAndEntryRow()
{
    QWidget window;
    TableModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    auto* list = new ListView(&window);
    list->setTableModel(&model);
    model.setColumns({{u"Id"_qs, 0, Qt::AlignLeft},
                      {u"Nama"_qs, 150, Qt::AlignLeft},
                      {u"Harga"_qs, 120, Qt::AlignRight}});
    for (int i = 0; i < 200; ++i)
        model.appendRow({QString::number(i)});
    list->setGeometry(7, 0, 200, 150);
    EntryRow row(new QWidget(&window), 3);
    row.box(0)->parentWidget()->setGeometry(0, 160, 300, 20);
    window.show();
    // Whole rows, one at a time, scrolled into view though the first column is hidden.
    list->selectRow(150);
    QVERIFY(list->visualRect(model.index(150, 1)).bottom() < list->viewport()->height());
    list->selectRow(3);
    list->selectRow(200); // no such row: the selection stays
    QCOMPARE(list->selectedRow(), 3);
    model.removeRows(3, 1); // selects nothing, not the next row
    QCOMPARE(list->selectedRow(), -1);

    // The boxes stand over their columns, one pixel narrower, wherever the list scrolled.
    list->horizontalScrollBar()->setValue(60);
    row.place(*list, 0, 20, 1);
    QVERIFY(list->horizontalHeader()->offset() > 0);
    QCOMPARE(row.box(2)->x() + row.box(2)->width(),
             list->viewport()->x() + list->x() +
                 list->horizontalHeader()->sectionViewportPosition(2) + 119);
    model.clear(); // the widths come back with the columns
    QCOMPARE(list->columnWidth(2) + list->isColumnHidden(0), 121);
}

void TestFormLayer::monthTree()
{
    const FixedClock clock(QDateTime(QDate(2024, 3, 7), QTime(10, 0)));
    MonthTree tree(clock);
    QTreeWidgetItem* root = tree.topLevelItem(0);
    QCOMPARE(root->text(0) + QString::number(root->childCount()), u"Bulan3"_qs);
    QCOMPARE(tree.monthItem(3)->text(0), u"3-"_qs + QLocale().monthName(3));
    tree.setCurrentItem(tree.monthItem(3));
    QCOMPARE(tree.selectedMonth(), u"2024-03"_qs);
    tree.setCurrentItem(root);
    QCOMPARE(tree.selectedMonth(), QString());
}

QTEST_MAIN(TestFormLayer)
#include "test_form_layer.moc"
