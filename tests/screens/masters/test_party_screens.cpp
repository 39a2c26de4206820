#include "screens/masters/party_master_window.h"
#include "screens/masters/party_picker_dialog.h"
#include "support/modal.h"
#include "support/test_shop.h"
#include "ui/list_view.h"
#include "ui/table_model.h"

#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include <memory>

// The suppliers screen and the cashiers' party picker: keys, focus and what they show.
class TestPartyScreens final : public QObject
{
    Q_OBJECT
private slots:
    void masterAddsOnEnter();
    void masterLoadsAndChanges();
    void masterRemovesOnYes();
    void masterPastes();
    void masterSaysWhyNothingWasStored();
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

// The suppliers screen on a shop whose only supplier is SP-001, shown and active.
struct MasterScreen {
    TestShop shop{TestShop::Data::Demo};
    std::unique_ptr<PartyMasterWindow> screen;
    // Pencarian, then Kode, Nama, Alamat, Kontak and Keterangan under the list's columns.
    QList<QLineEdit*> fields;

    MasterScreen()
    {
        const bool onlyOne = shop.db().exec(u"delete from supplier where kode <> 'SP-001'"_qs);
        screen = std::make_unique<PartyMasterWindow>(shop.context(), Side::Purchase);
        fields = screen->findChildren<QLineEdit*>();
        showActive(*screen);
        QVERIFY(onlyOne);
    }
    QLineEdit* search() const { return fields[0]; }
    QLineEdit* code() const { return fields[1]; }
    QLineEdit* note() const { return fields[5]; }
    QStringList boxes() const
    {
        QStringList texts;
        for (const QLineEdit* field : fields.mid(1))
            texts.append(field->text());
        return texts;
    }
    // The supplier SP-002 "tempo", added through the boxes.
    void addSupplier()
    {
        QTest::keyClicks(note(), u"tempo"_qs);
        QTest::keyClick(note(), Qt::Key_Return);
    }
};

const QStringList emptyBoxes(5);

} // namespace

void TestPartyScreens::masterAddsOnEnter()
{
    MasterScreen master;
    QTRY_COMPARE(QApplication::focusWidget(), master.code());
    // Kode takes digits only; digits that match no code still give the next code.
    QTest::keyClicks(master.code(), u"a7-7"_qs);
    QCOMPARE(master.code()->text(), u"77"_qs);
    QTest::keyClicks(master.note(), u"tempo"_qs);
    // Enter saves when it comes up, not when it went down elsewhere (on a message box).
    QTest::keyPress(master.search(), Qt::Key_Return);
    QTest::keyRelease(master.note(), Qt::Key_Return);
    QTest::keyPress(master.note(), Qt::Key_Return);
    QCOMPARE(master.shop.messages.texts(), QStringList());
    QTest::keyRelease(master.note(), Qt::Key_Return);
    QCOMPARE(master.shop.messages.texts(), QStringList{u"Data berhasil ditambahkan.."_qs});
    QCOMPARE(master.boxes(), emptyBoxes);
    QCOMPARE(rows(*master.screen).last(), u"SP-002||||tempo"_qs);
}

void TestPartyScreens::masterLoadsAndChanges()
{
    MasterScreen master;
    master.addSupplier();
    // A click loads the row, Kode first; typing the selected row's code empties the rest.
    click(*master.screen, 1);
    QCOMPARE(master.boxes(), QStringList({u"SP-002"_qs, {}, {}, {}, u"tempo"_qs}));
    master.code()->setText(u"SP-00"_qs);
    QCOMPARE(master.boxes(), QStringList({u"SP-00"_qs, {}, {}, {}, u"tempo"_qs}));
    master.code()->setText(u"SP-002"_qs);
    QCOMPARE(master.boxes(), QStringList({u"SP-002"_qs, {}, {}, {}, {}}));
    QTest::keyClicks(master.note(), u"Bu 'Ani'"_qs);
    click(*master.screen, u"Save"_qs);
    QCOMPARE(master.shop.messages.lastText(), u"Data berhasil dirubah.."_qs);
    QCOMPARE(rows(*master.screen).last(), u"SP-002||||Bu 'Ani'"_qs);
}

void TestPartyScreens::masterRemovesOnYes()
{
    MasterScreen master;
    master.addSupplier();
    const qsizetype shown = master.shop.messages.shown().size();
    // Remove and Reset ask first (unanswered: No); only Yes deletes, and empties the boxes.
    click(*master.screen, 0);
    click(*master.screen, u"Remove"_qs);
    click(*master.screen, u"Reset"_qs);
    QCOMPARE(rows(*master.screen).size(), 2);
    master.shop.messages.setNextAnswer(true);
    click(*master.screen, u"Remove"_qs);
    QCOMPARE(master.boxes(), emptyBoxes);
    QCOMPARE(rows(*master.screen), QStringList{u"SP-002||||tempo"_qs});
    QCOMPARE(master.shop.messages.shown().size(), shown + 3); // three questions, nothing else
}

void TestPartyScreens::masterPastes()
{
    MasterScreen master;
    // A pasted row is listed with the code it was given, not the one pasted.
    QGuiApplication::clipboard()->setText(u"SP-077\tToko Pak Ali\tPasar\t0812\ttempo\n"_qs);
    master.shop.messages.setNextAnswer(true);
    click(*master.screen, u"Paste"_qs);
    QCOMPARE(master.shop.messages.shown().at(0).caption, u"Inpor Data dari Excel"_qs);
    QCOMPARE(rows(*master.screen).last(), u"SP-002|Toko Pak Ali|Pasar|0812|tempo"_qs);
}

void TestPartyScreens::masterSaysWhyNothingWasStored()
{
    MasterScreen master;
    QVERIFY(TestShop::refuse(master.shop.db(), u"before insert"_qs, u"supplier"_qs, u"1 = 1"_qs,
                             u"ditolak"_qs));
    master.addSupplier();
    QCOMPARE(master.shop.messages.texts(), QStringList{u"SQL error: ditolak"_qs});
    QCOMPARE(rows(*master.screen).size(), 1);
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
    QVERIFY(!refused || TestShop::refuse(shop.db(), u"before insert"_qs, u"pelanggan"_qs,
                                         u"1 = 1"_qs, u"ditolak"_qs));
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
    if (refused) {
        QCOMPARE(shop.messages.lastText(), result);
        return;
    }
    const Party& p = dialog.party();
    QCOMPARE(QStringList({p.name, p.address, p.contact, p.note, p.code}), result.split(u'|'));
}

QTEST_MAIN(TestPartyScreens)
#include "test_party_screens.moc"
