#include "core/table_model.h"
#include "master/party_picker_dialog.h"
#include "shell/main_window.h"
#include "support/modal.h"
#include "support/test_shop.h"
#include "ui/keyboard_state.h"
#include "ui/list_view.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

// The suppliers screen opened from the main menu, and the cashiers' party
// picker: keys, focus and what they show.
class TestPartyScreens final : public QObject
{
    Q_OBJECT
private slots:
    void masterScreen();
    void pickerEntry_data();
    void pickerEntry();
};

namespace {

// The list's rows, cells joined by "|".
QStringList rows(QWidget& screen)
{
    const TableModel* model = screen.findChild<ListView*>()->tableModel();
    QStringList all;
    for (int row = 0; row < model->rowCount(); ++row)
        all.append(model->row(row).join(u'|'));
    return all;
}

// A left click on a row, or on a button, released where it was pressed.
void click(QWidget& screen, int row)
{
    auto* view = screen.findChild<ListView*>();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(row, 1)).center());
}

void click(QWidget& screen, const QString& text)
{
    QAbstractButton* button = buttonWithText<QToolButton>(&screen, text);
    QTest::mouseClick(button ? button : buttonWithText<QPushButton>(&screen, text),
                      Qt::LeftButton);
}

} // namespace

void TestPartyScreens::masterScreen()
{
    TestShop shop(TestShop::Data::Demo);
    QVERIFY(shop.db().exec(u"delete from supplier where kode <> 'SP-001'"_qs));
    FixedKeyboardState keyboard;
    MainWindow window(shop.context(), keyboard);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    for (QAction* action : window.menuBar()->findChildren<QAction*>())
        if (action->text() == u"Data Supplier")
            action->trigger();
    QMdiSubWindow* child = window.workspace()->activeSubWindow();
    QVERIFY(child && child->isMaximized());
    QWidget& screen = *child->widget();
    QCOMPARE(screen.windowTitle(), u"Daftar Supplier"_qs);
    QLineEdit* code = screen.findChild<QLineEdit*>(u"kode"_qs);
    QLineEdit* note = screen.findChild<QLineEdit*>(u"keterangan"_qs);
    QLineEdit* search = screen.findChild<QLineEdit*>(u"pencarian"_qs);
    QTRY_COMPARE(QApplication::focusWidget(), code);
    const auto boxes = [&]() -> QString {
        QStringList texts;
        for (const char16_t* name : {u"kode", u"nama", u"alamat", u"kontak", u"keterangan"})
            texts.append(screen.findChild<QLineEdit*>(QString::fromUtf16(name))->text());
        return texts.join(u'|') + u'|' + search->text();
    };
    // The boxes follow their columns, one pixel narrower.
    screen.findChild<ListView*>()->setColumnWidth(1, 220);
    QCOMPARE(screen.findChild<QLineEdit*>(u"nama"_qs)->width(), 219);
    QCOMPARE(note->x() - screen.findChild<QLineEdit*>(u"kontak"_qs)->x(), 100);

    // Kode takes digits only; digits that match no code still give the next code.
    QTest::keyClicks(code, u"a7-7"_qs);
    QCOMPARE(code->text(), u"77"_qs);
    QTest::keyClicks(note, u"tempo"_qs);
    // Enter saves when it comes up, but not one that went down elsewhere (on a
    // message box) and comes up after the focus came back here.
    QTest::keyPress(search, Qt::Key_Return);
    QTest::keyRelease(note, Qt::Key_Return);
    QTest::keyPress(note, Qt::Key_Return);
    QCOMPARE(shop.messages.texts(), QStringList());
    QTest::keyRelease(note, Qt::Key_Return);
    QCOMPARE(shop.messages.texts(), QStringList{u"Data berhasil ditambahkan.."_qs});
    QCOMPARE(boxes(), u"|||||"_qs);
    QCOMPARE(rows(screen).last(), u"SP-002||||tempo"_qs);

    // A click loads the row, Kode first; typing the selected row's code empties the rest.
    click(screen, 1);
    QCOMPARE(boxes(), u"SP-002||||tempo|"_qs);
    code->setText(u"SP-00"_qs);
    QCOMPARE(boxes(), u"SP-00||||tempo|"_qs);
    code->setText(u"SP-002"_qs);
    QCOMPARE(boxes(), u"SP-002|||||"_qs);
    QTest::keyClicks(note, u"Bu 'Ani'"_qs);
    click(screen, u"Save"_qs);
    QCOMPARE(shop.messages.lastText(), u"Data berhasil dirubah.."_qs);
    QCOMPARE(rows(screen).last(), u"SP-002||||Bu 'Ani'"_qs);

    // Enter in the search box lists what it finds and goes to the first row.
    QTest::keyClicks(search, u"0274"_qs);
    QTest::keyClick(search, Qt::Key_Enter);
    QCOMPARE(rows(screen).size(), 1);
    QCOMPARE(screen.findChild<ListView*>()->selectedRow(), 0);
    QCOMPARE(QApplication::focusWidget(), screen.findChild<ListView*>());
    click(screen, u"Add"_qs);
    QCOMPARE(boxes(), u"|||||"_qs);
    QCOMPARE(QApplication::focusWidget(), screen.findChild<QLineEdit*>(u"nama"_qs));

    // Remove and Reset ask first; only Yes deletes, and empties the boxes.
    for (const QString& button : {u"Remove"_qs, u"Reset"_qs}) {
        for (const bool yes : {false, true}) {
            click(screen, 0);
            const QStringList before = rows(screen);
            shop.messages.setNextAnswer(yes);
            click(screen, button);
            const QStringList left = button == u"Remove" ? before.mid(1) : QStringList();
            QCOMPARE(rows(screen), yes ? left : before);
            QCOMPARE(boxes() == u"|||||", yes);
            QVERIFY(shop.db().exec(u"insert or ignore into supplier values ('SP-009', '', '', '', '')"_qs));
            search->clear();
            QTest::keyClick(search, Qt::Key_Return);
        }
    }
    QCOMPARE(shop.messages.shown().size(), 6);
    QCOMPARE(shop.messages.shown().last().caption + u'|' + shop.messages.lastText(),
             u"Remove Data|Yakin Hapus Supplier ini?, Penghapusan dapat mengakibatkan "
             u"hilangnya referensi antar Data yang pernah tersimpan."_qs);
}

void TestPartyScreens::pickerEntry_data()
{
    QTest::addColumn<Side>("side");
    QTest::addColumn<int>("row");        // -2: the new-entry page, -1: no row selected
    QTest::addColumn<QString>("result"); // the party handed back, else the message shown
    const QString entered = u"BUK ANI'S|Jl. 'Mawar'|0811|baru|"_qs;
    QTest::newRow("list row")
        << Side::Sales << 2
        << u"Warung Bu Yati|Gg. Mawar 7|081234567803|Boleh tempo 14 hari|PL-00003"_qs;
    QTest::newRow("no row selected") << Side::Purchase << -1 << u"||||"_qs;
    QTest::newRow("new customer") << Side::Sales << -2 << entered + u"PL-00004"_qs;
    QTest::newRow("new supplier") << Side::Purchase << -2 << entered + u"SP-00004"_qs;
    QTest::newRow("insert refused") << Side::Sales << -2 << u"SQL error: ditolak"_qs;
    QTest::newRow("Escape") << Side::Sales << -3 << QString();
}

void TestPartyScreens::pickerEntry()
{
    QFETCH(Side, side);
    QFETCH(int, row);
    QFETCH(QString, result);
    TestShop shop(TestShop::Data::Demo);
    const bool refused = result.startsWith(u"SQL error");
    QVERIFY(!refused || shop.db().exec(u"create trigger refuse before insert on pelanggan "
                                       "begin select raise(abort, 'ditolak'); end"_qs));
    QString seen;
    whenModalOpens(seen, [&](QWidget* dialog) {
        auto* entry = buttonWithText<QPushButton>(dialog, u"Entry"_qs);
        QCOMPARE(dialog->focusWidget(), entry);
        if (row >= 0) {
            click(*dialog, row);
            // The caption names the selected party within 100 ms.
            QTRY_COMPARE_WITH_TIMEOUT(dialog->windowTitle(), result.section(u'|', 0, 0), 300);
        } else if (row == -2) {
            auto* tabs = dialog->findChild<QTabWidget*>();
            tabs->setCurrentIndex(1);
            const auto fields = tabs->widget(1)->findChildren<QLineEdit*>();
            QTest::keyClicks(fields.at(0), u"bu ani's"_qs);
            fields.at(0)->setCursorPosition(2);
            QTest::keyClicks(fields.at(0), u"k"_qs); // capitals, the cursor where it was
            for (int i = 1; i < 4; ++i)
                QTest::keyClicks(fields.at(i), result.section(u'|', i, i));
        }
        // Enter on "Entry", or Escape.
        QTest::keyClick(entry, row == -3 ? Qt::Key_Escape : Qt::Key_Return);
        // A refused new party keeps the popup open.
        QCOMPARE(QApplication::activeModalWidget() == dialog, refused);
    });
    const std::optional<Party> party = PartyPickerDialog::choose(shop.context(), side, nullptr);
    QCOMPARE(seen, u"FORM_TOKO_FORM2_CLASS"_qs);
    QCOMPARE(party ? QStringList({party->name, party->address, party->contact, party->note,
                                  party->code}).join(u'|')
                   : shop.messages.lastText(),
             result);
}

QTEST_MAIN(TestPartyScreens)
#include "test_party_screens.moc"
