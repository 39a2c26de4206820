#include "core/table_model.h"
#include "master/parties.h"
#include "master/party_master_window.h"
#include "master/party_picker_dialog.h"
#include "ui/keyboard_state.h"
#include "ui/list_view.h"
#include "shell/main_window.h"
#include "support/modal.h"
#include "support/test_shop.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

// The customers and suppliers screen, the cashiers' party picker, and the
// main menu item that opens the screen.
class TestPartyScreens final : public QObject
{
    Q_OBJECT
private slots:
    void masterOpens_data();
    void masterOpens();
    void boxesFollowTheColumns();
    void masterAddsAndChanges();
    void masterRemoves_data();
    void masterRemoves();
    void masterSearches();
    void pickerOpens_data();
    void pickerOpens();
    void pickerEntry_data();
    void pickerEntry();
    void pickerSearchKeepsItOpen();
    void pickerChoose();
    void mainMenuOpensSuppliers();

private:
    void openShop(bool demo);
    template <typename Screen> std::unique_ptr<Screen> open(Side side);
    ScriptedMessages& messages() { return m_shop->messages; }
    QStringList stored(Side side); // "kode|nama|alamat|kontak|catatan" per row, by code

    std::unique_ptr<TestShop> m_shop;
};

namespace {

QLineEdit* box(QWidget& screen, const QString& name)
{
    return screen.findChild<QLineEdit*>(name);
}

// Kode|Nama|Alamat|Kontak|Keterangan of the master screen.
QString boxes(QWidget& screen)
{
    QStringList texts;
    for (const QString& name :
         {u"kode"_qs, u"nama"_qs, u"alamat"_qs, u"kontak"_qs, u"keterangan"_qs})
        texts.append(box(screen, name)->text());
    return texts.join(u'|');
}

ListView* list(QWidget& screen)
{
    return screen.findChild<ListView*>();
}

// The list's rows with their cells joined by "|", or only their codes.
QStringList rows(QWidget& screen, bool codesOnly = false)
{
    const TableModel* model = list(screen)->tableModel();
    QStringList all;
    for (int row = 0; row < model->rowCount(); ++row)
        all.append(codesOnly ? model->cell(row, 0) : model->row(row).join(u'|'));
    return all;
}

// "header:width:l|c" for each column as the list shows it.
QStringList columns(QWidget& screen)
{
    ListView* view = list(screen);
    QStringList all;
    for (int i = 0; i < view->model()->columnCount(); ++i) {
        const auto alignment = qvariant_cast<Qt::Alignment>(
            view->model()->headerData(i, Qt::Horizontal, Qt::TextAlignmentRole));
        all.append(view->model()->headerData(i, Qt::Horizontal).toString() + u':' +
                   QString::number(view->columnWidth(i)) + u':' +
                   (alignment & Qt::AlignHCenter ? u'c' : u'l'));
    }
    return all;
}

// A left click on a row, released where it was pressed.
void clickRow(QWidget& screen, int row)
{
    ListView* view = list(screen);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(row, 1)).center());
}

template <typename Button> void click(QWidget& screen, const QString& text)
{
    auto* button = buttonWithText<Button>(&screen, text);
    QVERIFY2(button, qPrintable(text));
    QTest::mouseClick(button, Qt::LeftButton);
}

void retype(QLineEdit* field, const QString& text)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}

QString state(const QDialog& dialog)
{
    if (dialog.isVisible())
        return u"open"_qs;
    return dialog.result() == QDialog::Accepted ? u"accepted"_qs : u"rejected"_qs;
}

QString describe(const Party& party)
{
    return QStringList{party.name, party.address, party.contact, party.note, party.code}.join(u'|');
}

} // namespace

void TestPartyScreens::openShop(bool demo)
{
    m_shop = std::make_unique<TestShop>(demo ? TestShop::Data::Demo : TestShop::Data::Empty);
    QCOMPARE(m_shop->error(), QString());
}

template <typename Screen> std::unique_ptr<Screen> TestPartyScreens::open(Side side)
{
    std::unique_ptr<Screen> screen;
    screen = std::make_unique<Screen>(m_shop->context(), side);
    if constexpr (!std::is_same_v<Screen, PartyPickerDialog>)
        screen->resize(800, 500);
    screen->show();
    screen->activateWindow();
    return QTest::qWaitForWindowActive(screen.get()) ? std::move(screen) : nullptr;
}

QStringList TestPartyScreens::stored(Side side)
{
    QStringList all;
    m_shop->db().query(u"select kode || '|' || ifnull(nama, '') || '|' || ifnull(alamat, '') || "
                       u"'|' || ifnull(kontak, '') || '|' || ifnull(catatan, '') from "_qs +
                           sideInfo(side).partyTable + u" order by kode"_qs,
                       {}, [&](const QStringList& row) { all.append(row.first()); });
    return all;
}

void TestPartyScreens::masterOpens_data()
{
    QTest::addColumn<Side>("side");
    QTest::addColumn<QString>("caption");
    QTest::newRow("customers") << Side::Sales << u"Master Data Pelanggan"_qs;
    QTest::newRow("suppliers") << Side::Purchase << u"Daftar Supplier"_qs;
}

void TestPartyScreens::masterOpens()
{
    QFETCH(Side, side);
    QFETCH(QString, caption);
    openShop(true);
    const auto screen = open<PartyMasterWindow>(side);
    QVERIFY(screen);
    QCOMPARE(screen->objectName() + u'|' + screen->windowTitle(),
             u"FORM_TOKO_FORM7_CLASS|"_qs + caption);
    QStringList labels;
    for (const QLabel* label : screen->findChildren<QLabel*>())
        labels.append(label->text());
    QCOMPARE(labels, (QStringList{caption, u"Pencarian"_qs,
                                  u"Tekan Enter untuk Cari dan Tekan Tab Pindah Kolom "_qs}));
    QCOMPARE(columns(*screen), (QStringList{u"Kode:100:l"_qs, u"Nama:150:l"_qs, u"Alamat:150:l"_qs,
                                            u"Kontak:100:c"_qs, u"Keterangan:100:l"_qs}));
    QCOMPARE(rows(*screen), stored(side));
    QCOMPARE(rows(*screen).size(), 3);
    QCOMPARE(QApplication::focusWidget(), box(*screen, u"kode"_qs));

    auto* bar = screen->findChild<QToolBar*>();
    QCOMPARE(bar->iconSize(), QSize(24, 24));
    QCOMPARE(bar->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    QStringList buttons;
    for (QAction* action : bar->actions()) {
        QVERIFY2(!action->icon().pixmap(24).isNull(), qPrintable(action->text()));
        buttons.append(action->text() + u'=' + action->toolTip());
    }
    QCOMPARE(buttons,
             (QStringList{u"Add=Tambah Data"_qs, u"Save=Simpan"_qs, u"Remove=Hapus Data"_qs,
                          u"Paste=Paste From Excel"_qs, u"Reset=Reset Data"_qs}));
    click<QToolButton>(*screen, u"Paste"_qs);
    QCOMPARE(messages().texts(), QStringList{u"Fitur ini belum tersedia pada versi ini."_qs});
}

void TestPartyScreens::boxesFollowTheColumns()
{
    openShop(false);
    const auto screen = open<PartyMasterWindow>(Side::Sales);
    QVERIFY(screen);
    ListView* view = list(*screen);
    // Each box starts under its column, one pixel narrower, below the list.
    const auto misplaced = [&] {
        QStringList wrong;
        const QPoint list(view->viewport()->mapTo(screen.get(), QPoint()).x(),
                          view->mapTo(screen.get(), QPoint(0, view->height())).y());
        const QStringList names{u"kode"_qs, u"nama"_qs, u"alamat"_qs, u"kontak"_qs,
                                u"keterangan"_qs};
        for (int i = 0; i < names.size(); ++i) {
            QLineEdit* field = box(*screen, names.at(i));
            const QPoint at = field->mapTo(screen.get(), QPoint());
            if (at.x() != list.x() + view->horizontalHeader()->sectionViewportPosition(i) ||
                field->width() != view->columnWidth(i) - 1 || field->height() != 20 ||
                at.y() < list.y())
                wrong.append(names.at(i));
        }
        return wrong;
    };
    QCOMPARE(misplaced(), QStringList());
    QCOMPARE(box(*screen, u"alamat"_qs)->width(), 149);
    view->setColumnWidth(1, 220);
    screen->resize(1000, 650);
    QTRY_COMPARE(misplaced(), QStringList());
}

void TestPartyScreens::masterAddsAndChanges()
{
    openShop(false);
    const auto screen = open<PartyMasterWindow>(Side::Sales);
    QVERIFY(screen);
    QTest::keyClicks(box(*screen, u"nama"_qs), u"Bu Ani's"_qs);
    QTest::keyClicks(box(*screen, u"kontak"_qs), u"0811"_qs);
    click<QToolButton>(*screen, u"Save"_qs);
    QCOMPARE(boxes(*screen), u"||||"_qs);

    // Digits in Kode that match no code: the new party still gets the next code.
    QLineEdit* code = box(*screen, u"kode"_qs);
    QTest::keyClicks(code, u"a7-7"_qs);
    QCOMPARE(code->text(), u"77"_qs);
    QTest::keyClicks(box(*screen, u"nama"_qs), u"Pak Joko"_qs);
    QLineEdit* note = box(*screen, u"keterangan"_qs);
    QTest::keyClicks(note, u"tempo"_qs);
    // Enter saves when it is let go; not the Enter that closed a box and
    // is let go after the focus came back here.
    QTest::keyPress(list(*screen), Qt::Key_Return);
    QTest::keyRelease(note, Qt::Key_Return);
    QTest::keyPress(note, Qt::Key_Return);
    QCOMPARE(messages().texts().size(), 1);
    QTest::keyRelease(note, Qt::Key_Return);
    const QString added = u"Data berhasil ditambahkan.."_qs;
    QCOMPARE(messages().texts(), (QStringList{added, added}));
    QCOMPARE(boxes(*screen), u"||||"_qs);
    QStringList expected{u"PL-00001|Bu Ani's||0811|"_qs, u"PL-00002|Pak Joko|||tempo"_qs};
    QCOMPARE(rows(*screen), expected);
    QCOMPARE(stored(Side::Sales), expected);

    // A click loads the row, Kode first; the selected row's code empties the rest.
    clickRow(*screen, 1);
    QCOMPARE(boxes(*screen), u"PL-00002|Pak Joko|||tempo"_qs);
    code->setText(u"PL-0000"_qs);
    QCOMPARE(boxes(*screen), u"PL-0000|Pak Joko|||tempo"_qs);
    code->setText(u"PL-00002"_qs);
    QCOMPARE(boxes(*screen), u"PL-00002||||"_qs);
    clickRow(*screen, 0);
    retype(box(*screen, u"nama"_qs), u"Bu 'Ani'"_qs);
    QTest::keyClick(note, Qt::Key_Return);
    QCOMPARE(messages().lastText(), u"Data berhasil dirubah.."_qs);
    QCOMPARE(boxes(*screen), u"PL-00001|Bu 'Ani'||0811|"_qs);

    // The selection moved on with the keys: the row of the party saved changes.
    list(*screen)->setFocus();
    QTest::keyClick(list(*screen), Qt::Key_Down);
    retype(box(*screen, u"alamat"_qs), u"Jl. Baru"_qs);
    click<QToolButton>(*screen, u"Save"_qs);
    expected = QStringList{u"PL-00001|Bu 'Ani'|Jl. Baru|0811|"_qs, u"PL-00002|Pak Joko|||tempo"_qs};
    QCOMPARE(rows(*screen), expected);
    QCOMPARE(stored(Side::Sales), expected);
}

void TestPartyScreens::masterRemoves_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<Side>("side");
    QTest::addColumn<int>("row"); // -1: none selected
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QList<int>>("left"); // rows left of the three
    const QString remove = u"Remove"_qs, reset = u"Reset"_qs;
    QTest::newRow("customer, No") << remove << Side::Sales << 1 << false << QList<int>{0, 1, 2};
    QTest::newRow("customer, Yes") << remove << Side::Sales << 1 << true << QList<int>{0, 2};
    QTest::newRow("supplier, Yes") << remove << Side::Purchase << 0 << true << QList<int>{1, 2};
    QTest::newRow("none selected") << remove << Side::Sales << -1 << true << QList<int>{0, 1, 2};
    QTest::newRow("reset, No") << reset << Side::Sales << 0 << false << QList<int>{0, 1, 2};
    QTest::newRow("reset, Yes") << reset << Side::Purchase << -1 << true << QList<int>{};
}

void TestPartyScreens::masterRemoves()
{
    QFETCH(QString, button);
    QFETCH(Side, side);
    QFETCH(int, row);
    QFETCH(bool, yes);
    QFETCH(QList<int>, left);
    openShop(true);
    const Side other = side == Side::Sales ? Side::Purchase : Side::Sales;
    const QStringList before = stored(side);
    const QStringList untouched = stored(other);
    const auto screen = open<PartyMasterWindow>(side);
    QVERIFY(screen);
    if (row >= 0)
        clickRow(*screen, row);
    box(*screen, u"pencarian"_qs)->setText(u"cari"_qs);
    const QString shown = boxes(*screen) + u"cari"_qs;
    messages().setNextAnswer(yes);
    click<QToolButton>(*screen, button);

    const bool asked = row >= 0 || button == u"Reset";
    QCOMPARE(messages().shown().size(), asked ? 1 : 0);
    if (asked)
        QCOMPARE(messages().shown().first().kind + u'|' + messages().shown().first().caption +
                     u'|' + messages().lastText(),
                 u"ask|Remove Data|Yakin Hapus "_qs + sideInfo(side).partyWord +
                     u" ini?, Penghapusan dapat mengakibatkan hilangnya referensi antar Data "
                     u"yang pernah tersimpan."_qs);
    QStringList after;
    for (const int kept : left)
        after.append(before.at(kept));
    QCOMPARE(stored(side), after);
    QCOMPARE(rows(*screen), after);
    QCOMPARE(stored(other), untouched);
    const bool removed = left.size() < 3;
    QCOMPARE(boxes(*screen) + box(*screen, u"pencarian"_qs)->text(), removed ? u"||||"_qs : shown);
}

void TestPartyScreens::masterSearches()
{
    openShop(true);
    const auto screen = open<PartyMasterWindow>(Side::Purchase);
    QVERIFY(screen);
    QLineEdit* search = box(*screen, u"pencarian"_qs);
    retype(search, u"MAKMUR"_qs);
    QTest::keyClick(search, Qt::Key_Return);
    QCOMPARE(rows(*screen, true), QStringList{u"SP-002"_qs});
    QCOMPARE(QApplication::focusWidget(), list(*screen));
    QCOMPARE(list(*screen)->selectedRow(), 0);
    retype(search, u"0274"_qs);
    QTest::keyClick(search, Qt::Key_Enter);
    QCOMPARE(rows(*screen, true), (QStringList{u"SP-001"_qs, u"SP-002"_qs}));

    // "Add" empties the search box and the boxes and goes to Nama.
    clickRow(*screen, 1);
    click<QToolButton>(*screen, u"Add"_qs);
    QCOMPARE(boxes(*screen) + search->text(), u"||||"_qs);
    QCOMPARE(QApplication::focusWidget(), box(*screen, u"nama"_qs));
    QCOMPARE(messages().texts(), QStringList());
}

void TestPartyScreens::pickerOpens_data()
{
    QTest::addColumn<Side>("side");
    QTest::addColumn<QString>("newTab");
    QTest::newRow("sales") << Side::Sales << u"Pelanggan Baru"_qs;
    QTest::newRow("purchase") << Side::Purchase << u"Supplier Baru"_qs;
}

void TestPartyScreens::pickerOpens()
{
    QFETCH(Side, side);
    QFETCH(QString, newTab);
    openShop(true);
    const auto dialog = open<PartyPickerDialog>(side);
    QVERIFY(dialog);
    QCOMPARE(dialog->objectName() + u'|' + dialog->windowTitle(),
             u"FORM_TOKO_FORM2_CLASS|Pelanggan"_qs);
    auto* tabs = dialog->findChild<QTabWidget*>();
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->tabText(0) + u'|' + tabs->widget(0)->objectName() + u'|' + tabs->tabText(1) +
                 u'|' + tabs->widget(1)->objectName(),
             u"Daftar|FORM_TOKO_FORM4_CLASS|"_qs + newTab + u"|FORM_TOKO_FORM3_CLASS"_qs);
    QCOMPARE(columns(*dialog), (QStringList{u"Kode:100:l"_qs, u"Nama:220:l"_qs, u"Alamat:100:l"_qs,
                                            u"Phone:50:c"_qs, u"Ket:150:l"_qs}));
    QCOMPARE(rows(*dialog), stored(side));
    QCOMPARE(QApplication::focusWidget(), buttonWithText<QPushButton>(dialog.get(), u"Entry"_qs));
    QStringList labels;
    for (const QLabel* label : tabs->widget(1)->findChildren<QLabel*>())
        labels.append(label->text());
    QCOMPARE(labels, (QStringList{u"Nama"_qs, u"Alamat"_qs, u"Phone"_qs, u"Keterangan"_qs}));
}

void TestPartyScreens::pickerEntry_data()
{
    QTest::addColumn<Side>("side");
    QTest::addColumn<QStringList>("stored"); // empty: the demo shop
    QTest::addColumn<int>("row");            // -2: the new-entry page, -1: no row selected
    QTest::addColumn<QString>("result");     // the party handed back, else the box shown
    const QStringList demo;
    QTest::newRow("list row")
        << Side::Sales << demo << 2
        << u"Warung Bu Yati|Gg. Mawar 7|081234567803|Boleh tempo 14 hari|PL-00003"_qs;
    QTest::newRow("no row selected") << Side::Purchase << demo << -1 << u"||||"_qs;
    QTest::newRow("new customer") << Side::Sales << QStringList{u"SP-009"_qs} << -2
                                  << u"BUK ANI'S|Jl. 'Mawar'|0811|baru|PL-00001"_qs;
    QTest::newRow("new supplier") << Side::Purchase << QStringList{u"PL-009"_qs} << -2
                                  << u"BUK ANI'S|Jl. 'Mawar'|0811|baru|SP-00001"_qs;
    // SP-002 sorts after SP-00003: the picker's next code, SP-00003, is taken and skipped.
    QTest::newRow("code taken") << Side::Purchase << QStringList{u"SP-00003"_qs, u"SP-002"_qs} << -2
                                << u"BUK ANI'S|Jl. 'Mawar'|0811|baru|SP-00004"_qs;
    // A statement (marked "!") that makes the database refuse the new row.
    QTest::newRow("insert refused")
        << Side::Sales
        << QStringList{u"!create trigger refuse before insert on pelanggan "
                       "begin select raise(abort, 'ditolak'); end"_qs}
        << -2 << u"SQL error: ditolak"_qs;
}

void TestPartyScreens::pickerEntry()
{
    QFETCH(Side, side);
    QFETCH(QStringList, stored);
    QFETCH(int, row);
    QFETCH(QString, result);
    openShop(stored.isEmpty());
    for (const QString& code : stored) {
        if (code.startsWith(u'!')) {
            QVERIFY(m_shop->db().exec(code.mid(1)));
            continue;
        }
        const Side table = code.startsWith(u"SP") ? Side::Purchase : Side::Sales;
        QVERIFY(m_shop->db().exec(
            u"insert into "_qs + sideInfo(table).partyTable + u" (kode) values (?)"_qs, {code}));
    }
    const QStringList before = this->stored(side);
    const auto dialog = open<PartyPickerDialog>(side);
    QVERIFY(dialog);
    if (row >= 0) {
        clickRow(*dialog, row);
        QTRY_COMPARE_WITH_TIMEOUT(dialog->windowTitle(), result.section(u'|', 0, 0), 300);
    }
    if (row == -2) {
        dialog->findChild<QTabWidget*>()->setCurrentIndex(1);
        const auto fields = dialog->findChild<QTabWidget*>()->widget(1)->findChildren<QLineEdit*>();
        QTest::keyClicks(fields.at(0), u"bu ani's"_qs);
        fields.at(0)->setCursorPosition(2);
        QTest::keyClicks(fields.at(0), u"k"_qs);
        QCOMPARE(fields.at(0)->text(), u"BUK ANI'S"_qs);
        QTest::keyClicks(fields.at(1), u"Jl. 'Mawar'"_qs);
        QTest::keyClicks(fields.at(2), u"0811"_qs);
        QTest::keyClicks(fields.at(3), u"baru"_qs);
    }
    click<QPushButton>(*dialog, u"Entry"_qs);

    if (result.startsWith(u"SQL error")) {
        QCOMPARE(messages().texts(), QStringList{result});
        QCOMPARE(state(*dialog), u"open"_qs);
        QCOMPARE(this->stored(side), before);
        return;
    }
    QCOMPARE(state(*dialog), u"accepted"_qs);
    QCOMPARE(describe(dialog->party()), result);
    QStringList after = before;
    if (row == -2)
        after.append(result.section(u'|', 4) + u'|' + result.section(u'|', 0, 3));
    after.sort(); // stored() lists by code
    QCOMPARE(this->stored(side), after);
    QCOMPARE(messages().texts(), QStringList());
}

void TestPartyScreens::pickerSearchKeepsItOpen()
{
    openShop(true);
    const auto dialog = open<PartyPickerDialog>(Side::Purchase);
    QVERIFY(dialog);
    QLineEdit* search = dialog->findChild<QLineEdit*>(u"pencarian"_qs);
    retype(search, u"jaya"_qs);
    QTest::keyClick(search, Qt::Key_Return);
    QCOMPARE(rows(*dialog, true), QStringList{u"SP-002"_qs});
    QCOMPARE(state(*dialog), u"open"_qs);
    QCOMPARE(QApplication::focusWidget(), search);
    retype(search, u"556677"_qs);
    QTest::keyClick(search, Qt::Key_Enter);
    QCOMPARE(rows(*dialog, true), QStringList{u"SP-002"_qs});
    QCOMPARE(state(*dialog), u"open"_qs);
}

void TestPartyScreens::pickerChoose()
{
    openShop(true);
    QString seen;
    whenModalOpens(seen, [](QWidget* picker) { QTest::keyClick(picker, Qt::Key_Escape); });
    QVERIFY(!PartyPickerDialog::choose(m_shop->context(), Side::Purchase, nullptr));
    QCOMPARE(seen, u"FORM_TOKO_FORM2_CLASS"_qs);

    whenModalOpens(seen, [](QWidget* picker) {
        picker->findChild<ListView*>()->selectRow(1);
        QTest::keyClick(picker->focusWidget(), Qt::Key_Return); // on the "Entry" button
    });
    const std::optional<Party> chosen = PartyPickerDialog::choose(m_shop->context(), Side::Purchase, nullptr);
    QVERIFY(chosen);
    QCOMPARE(describe(*chosen),
             u"UD Makmur Jaya|Jl. Gudang 5|0274-556677|Makanan dan minuman|SP-002"_qs);
}

void TestPartyScreens::mainMenuOpensSuppliers()
{
    openShop(true);
    FixedKeyboardState keyboard;
    MainWindow window(m_shop->context(), keyboard);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    for (QAction* action : window.menuBar()->findChildren<QAction*>()) {
        if (action->text() == u"Data Supplier")
            action->trigger();
    }
    QMdiSubWindow* child = window.workspace()->activeSubWindow();
    QVERIFY(child);
    QCOMPARE(window.workspace()->subWindowList().size(), 2);
    QCOMPARE(child->widget()->objectName() + u'|' + child->widget()->windowTitle(),
             u"FORM_TOKO_FORM7_CLASS|Daftar Supplier"_qs);
    QVERIFY(child->isMaximized());
    QCOMPARE(rows(*child->widget()), stored(Side::Purchase));
    QTRY_COMPARE(QApplication::focusWidget(), box(*child->widget(), u"kode"_qs));
}

QTEST_MAIN(TestPartyScreens)
#include "test_party_screens.moc"
