#include "core/table_model.h"
#include "screens/masters/party_master_window.h"
#include "screens/masters/party_picker_dialog.h"
#include "support/modal.h"
#include "support/test_shop.h"
#include "ui/list_view.h"

#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

// The suppliers screen and the cashiers' party picker: keys, focus and what they show.
class TestPartyScreens final : public QObject
{
    Q_OBJECT
private slots:
    void masterScreen();
    void pickerEntry_data();
    void pickerEntry();
};

namespace {

QStringList rows(QWidget& screen)
{
    const TableModel* model = screen.findChild<ListView*>()->tableModel();
    QStringList all;
    for (int row = 0; row < model->rowCount(); ++row)
        all.append(model->row(row).join(u'|'));
    return all;
}

// A left click on a row or on a toolbar button, released where it was pressed.
void click(QWidget& screen, int row)
{
    auto* view = screen.findChild<ListView*>();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(row, 1)).center());
}

void click(QWidget& screen, const QString& text)
{
    QTest::mouseClick(buttonWithText<QToolButton>(&screen, text), Qt::LeftButton);
}

} // namespace

void TestPartyScreens::masterScreen()
{
    TestShop shop(TestShop::Data::Demo);
    QVERIFY(shop.db().exec(u"delete from supplier where kode <> 'SP-001'"_qs));
    PartyMasterWindow screen(shop.context(), Side::Purchase);
    screen.show();
    screen.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
    // Pencarian, then Kode, Nama, Alamat, Kontak and Keterangan under the list's columns.
    const QList<QLineEdit*> fields = screen.findChildren<QLineEdit*>();
    QLineEdit *search = fields[0], *code = fields[1], *note = fields[5];
    const auto boxes = [&] {
        QStringList texts;
        for (const QLineEdit* field : fields)
            texts.append(field->text());
        return texts.join(u'|');
    };
    QTRY_COMPARE(QApplication::focusWidget(), code);
    // Kode takes digits only; digits that match no code still give the next code.
    QTest::keyClicks(code, u"a7-7"_qs);
    QCOMPARE(code->text(), u"77"_qs);
    QTest::keyClicks(note, u"tempo"_qs);
    // Enter saves when it comes up, not when it went down elsewhere (on a message box).
    QTest::keyPress(search, Qt::Key_Return);
    QTest::keyRelease(note, Qt::Key_Return);
    QTest::keyPress(note, Qt::Key_Return);
    QCOMPARE(shop.messages.texts(), QStringList());
    QTest::keyRelease(note, Qt::Key_Return);
    QCOMPARE(shop.messages.texts(), QStringList{u"Data berhasil ditambahkan.."_qs});
    QCOMPARE(boxes() + rows(screen).last(), u"|||||SP-002||||tempo"_qs);

    // A click loads the row, Kode first; typing the selected row's code empties the rest.
    click(screen, 1);
    QCOMPARE(boxes(), u"|SP-002||||tempo"_qs);
    code->setText(u"SP-00"_qs);
    QCOMPARE(boxes(), u"|SP-00||||tempo"_qs);
    code->setText(u"SP-002"_qs);
    QCOMPARE(boxes(), u"|SP-002||||"_qs);
    QTest::keyClicks(note, u"Bu 'Ani'"_qs);
    click(screen, u"Save"_qs);
    QCOMPARE(shop.messages.lastText() + rows(screen).last(),
             u"Data berhasil dirubah..SP-002||||Bu 'Ani'"_qs);

    // Remove and Reset ask first (unanswered: No); only Yes deletes, and empties the boxes.
    click(screen, 0);
    click(screen, u"Remove"_qs);
    click(screen, u"Reset"_qs);
    QCOMPARE(rows(screen).size(), 2);
    shop.messages.setNextAnswer(true);
    click(screen, u"Remove"_qs);
    QCOMPARE(boxes() + rows(screen).join(u','), u"|||||SP-002||||Bu 'Ani'"_qs);
    QCOMPARE(shop.messages.shown().size(), 5);

    // A pasted row is listed with the code it was given, not the one pasted.
    QGuiApplication::clipboard()->setText(u"SP-077\tToko Pak Ali\tPasar\t0812\ttempo\n"_qs);
    shop.messages.setNextAnswer(true);
    click(screen, u"Paste"_qs);
    QCOMPARE(shop.messages.shown().at(5).caption, u"Inpor Data dari Excel"_qs);
    QCOMPARE(rows(screen).last(), u"SP-001|Toko Pak Ali|Pasar|0812|tempo"_qs);
}

void TestPartyScreens::pickerEntry_data()
{
    QTest::addColumn<Side>("side");
    QTest::addColumn<int>("row");        // -1: the new-entry page
    QTest::addColumn<QString>("result"); // the party handed back, else the message shown
    const QString entered = u"BUK ANI'S|Jl. 'Mawar'|0811|baru|"_qs;
    QTest::newRow("list row")
        << Side::Sales << 2
        << u"Warung Bu Yati|Gg. Mawar 7|081234567803|Boleh tempo 14 hari|PL-00003"_qs;
    QTest::newRow("new supplier") << Side::Purchase << -1 << entered + u"SP-00004"_qs;
    QTest::newRow("insert refused") << Side::Sales << -1 << u"SQL error: ditolak"_qs;
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
    PartyPickerDialog dialog(shop.context(), side);
    dialog.show();
    auto* entry = buttonWithText<QPushButton>(&dialog, u"Entry"_qs);
    QCOMPARE(dialog.focusWidget(), entry);
    if (row >= 0) {
        click(dialog, row);
    } else {
        auto* tabs = dialog.findChild<QTabWidget*>();
        tabs->setCurrentIndex(1);
        const auto fields = tabs->widget(1)->findChildren<QLineEdit*>();
        QTest::keyClicks(fields.at(0), u"bu ani's"_qs);
        fields.at(0)->setCursorPosition(2);
        QTest::keyClicks(fields.at(0), u"k"_qs); // capitals, the cursor where it was
        for (int i = 1; i < 4; ++i)
            QTest::keyClicks(fields.at(i), result.section(u'|', i, i));
    }
    QTest::keyClick(entry, Qt::Key_Return);
    QCOMPARE(dialog.isVisible(), refused); // a refused new party keeps the popup open
    const Party& p = dialog.party();
    const QString handed = QStringList{p.name, p.address, p.contact, p.note, p.code}.join(u'|');
    QCOMPARE(refused ? shop.messages.lastText() : handed, result);
}

QTEST_MAIN(TestPartyScreens)
#include "test_party_screens.moc"
