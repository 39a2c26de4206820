#include "core/numbering.h"
#include "core/shop_settings.h"
#include "core/users.h"
#include "shell/main_window.h"
#include "support/modal.h"
#include "support/test_shop.h"
#include "ui/keyboard_state.h"

#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>

// The frame's own duties: administrator rights, reset, exit, backup and restore.
class TestMainWindow final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void administratorRightsResetAndExit();
    void backupAndRestore();
    void closeBoxBacksUpAndTheNextStartSaysWhatFailed();

private:
    // The modal screen a menu entry opens ("" for none), run by `drive` and closed.
    QString open(const QString& caption, const std::function<void(QWidget*)>& drive = {});
    ScriptedMessages& messages() { return m_shop->messages; }
    Database& db() { return m_shop->db(); }
    std::unique_ptr<TestShop> m_shop;
    FixedKeyboardState m_keyboard;
    std::unique_ptr<MainWindow> m_window;
    QList<int> m_quits;
};

void TestMainWindow::init()
{
    m_window.reset();
    // A database of its own on a server: a restore waits for every other connection to it.
    m_shop = std::make_unique<TestShop>(TestShop::Data::Empty, TestShop::Server::Database);
    m_window = std::make_unique<MainWindow>(m_shop->context(), m_keyboard);
    m_quits.clear();
    m_window->setQuit([this](int code) { m_quits.append(code); });
}

QString TestMainWindow::open(const QString& caption, const std::function<void(QWidget*)>& drive)
{
    QString seen;
    whenModalOpens(seen, [&](QWidget* screen) { drive ? drive(screen) : void(); });
    for (QAction* action : m_window->menuBar()->findChildren<QAction*>()) {
        if (action->text() == caption)
            action->trigger();
    }
    QCoreApplication::processEvents();
    return seen;
}

void TestMainWindow::administratorRightsResetAndExit()
{
    QVERIFY(db().execScript(u"insert into transaksi (Kode) values ('JL-00000000000007'); "
                            "insert into itempenjualan (Kode) values ('JL-00000000000007')"_qs));
    QVERIFY(users::add(db(), u"ADMIN"_qs, u"admin"_qs) &&
            users::add(db(), u"kasir"_qs, u"admin"_qs));
    QStringList opened;
    for (const QString& user : {QString(), u"kasir"_qs, u"ADMIN"_qs}) {
        open(u"Login"_qs, [&](QWidget* login) {
            const auto fields = login->findChildren<QLineEdit*>();
            fields.at(0)->setText(user);
            fields.at(1)->setText(user.isEmpty() ? QString() : u"7305"_qs);
            buttonWithText<QPushButton>(login, u"Log in"_qs)->click();
        });
        opened << open(u"Data User"_qs) + open(u"Reset Data"_qs); // answered No
    }
    QCOMPARE(opened, (QStringList{{}, {}, u"FORM_TOKO_FORMADMIN_CLASS"_qs}));
    QCOMPARE(messages().texts().count(u"Anda tidak diperkenankan menggunakan fitur ini"_qs), 2);
    QCOMPARE(db().scalar(u"select count(*) from transaksi"_qs), u"1"_qs);
    messages().setNextAnswer(true);
    open(u"Reset Data"_qs);
    QCOMPARE(db().scalar(u"select count(*) from transaksi"_qs), u"0"_qs);
    // The lines stay, and no new document will take their code.
    QCOMPARE(numbering::lastNumber(db()).value(), 7);
    // Exit code 1 after "Cancel" on the login, and after "Yes" to leaving.
    open(u"Login"_qs, [](QWidget* w) { buttonWithText<QPushButton>(w, u"Cancel"_qs)->click(); });
    open(u"Keluar"_qs); // answered No
    showActive(*m_window);
    messages().setNextAnswer(true);
    messages().setNextAnswer(true);
    QTest::keyClick(m_window.get(), Qt::Key_Q, Qt::ControlModifier);
    m_window->findChild<QToolBar*>()->actions().last()->trigger();
    QCOMPARE(m_quits, (QList<int>{1, 1, 1}));
}

void TestMainWindow::backupAndRestore()
{
    QVERIFY(db().exec(u"insert into pelanggan (kode) values ('PL-00001')"_qs));
    // Two days after start-up the backup carries the day it is made.
    QCOMPARE(m_shop->context().startDate, u"2024-03-07"_qs);
    m_shop->clock.set(QDateTime(QDate(2024, 3, 9), QTime(8, 0)));
    open(u"BackUp Database"_qs);
    QVERIFY(db().exec(u"insert into pelanggan (kode) values ('PL-00002')"_qs));
    open(u"Restore Database"_qs); // cancelled
    for (const QString& chosen : {u"conn.txt"_qs, u"BackUp2024_03_09.datatoko"_qs}) {
        messages().setNextFileName(m_shop->folder().filePath(chosen));
        open(u"Restore Database"_qs);
    }
    // A file keeps its data beside itself; a server's goes to a backup in the shop's folder.
    const QString before =
        TestShop::onServer()
            ? m_shop->folder().filePath(u"sebelum-restore-20240309-080000.datatoko"_qs)
            : m_shop->databasePath() + u".sebelum-restore-20240309-080000"_qs;
    QCOMPARE(messages().texts().join(u'|'),
             u"File hasil backup : BackUp2024_03_09.datatoko|||"
             "Restore dibatalkan, data tidak diubah: file is not a database||"
             "Restore selesai. Data sebelumnya disimpan di "_qs +
                 before);
    QCOMPARE(db().scalar(u"select count(*) from pelanggan"_qs), u"1"_qs);
}

void TestMainWindow::closeBoxBacksUpAndTheNextStartSaysWhatFailed()
{
    ShopSettings settings;
    settings.setText(setting::backupSecondFolder, u"/tidak-ada"_qs);
    QVERIFY(settings.write(m_shop->folder()));
    Database::Transaction sale(db());
    QVERIFY(db().exec(u"insert into pelanggan (kode) values ('PL-00001')"_qs) && sale.commit());
    m_window->close();
    QVERIFY(m_shop->folder().exists(u"backup/Otomatis2024_03_07_100000.datatoko"_qs));
    const QString failed = u"/tidak-ada: folder tidak ditemukan, flashdisk tidak terpasang?"_qs;
    QCOMPARE(messages().lastText(), u"Backup otomatis gagal:\n"_qs + failed);
    // Said once more before the login, after what the next start has to say.
    m_window.reset(); // one window watches the database at a time
    m_window = std::make_unique<MainWindow>(m_shop->context(), m_keyboard);
    m_window->start(u"Database hanya dapat dibaca"_qs);
    QString seen;
    whenModalOpens(seen, [&](QWidget*) { seen = messages().lastText(); });
    QTRY_COMPARE(seen, u"Database hanya dapat dibaca\n\nBackup otomatis terakhir gagal:\n"
                       "2024-03-07 10:00:00  "_qs +
                           failed);
    QVERIFY(!m_shop->folder().exists(u"backup_gagal.txt"_qs));
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
