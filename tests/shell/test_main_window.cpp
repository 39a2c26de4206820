#include "core/users.h"
#include "ui/clock_status_bar.h"
#include "ui/keyboard_state.h"
#include "shell/main_window.h"
#include "support/modal.h"
#include "support/test_shop.h"

#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

class TestMainWindow final : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void menuBarAsTheShopKnowsIt();
    void toolBarButtonsInOrder();
    void statusBarShowsOperatorDateClockAndNumLock();
    void backgroundChildFillsTheWorkspace();
    void exitAsksAndEndsWithCodeOne();
    void beforeLoginAdministratorFunctionsAreRefused();
    void loginGivesAdministratorRightsToAnyCaseOfAdmin();
    void resetDataDeletesOnlyDocuments();
    void screensOfLaterVersionsSayTheyAreNotThereYet();
    void cashiersOpenMaximisedAndModal();
    void backupAndRestoreFromTheMenu();

private:
    QAction* menuItem(const QString& caption) const;
    void logIn(const QString& user, const QString& password);
    ScriptedMessages& messages() { return m_shop->messages; }

    std::unique_ptr<TestShop> m_shop;
    FixedKeyboardState m_keyboard;
    std::unique_ptr<MainWindow> m_window;
    QList<int> m_quits;
};

void TestMainWindow::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Indonesian, QLocale::Indonesia));
}

void TestMainWindow::init()
{
    m_shop = std::make_unique<TestShop>();
    QCOMPARE(m_shop->error(), QString());
    m_window = std::make_unique<MainWindow>(m_shop->context(), m_keyboard);
    m_quits.clear();
    m_window->setQuit([this](int code) { m_quits.append(code); });
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestMainWindow::cleanup()
{
    m_window.reset();
    m_shop.reset();
}

QAction* TestMainWindow::menuItem(const QString& caption) const
{
    for (QAction* action : m_window->menuBar()->findChildren<QAction*>()) {
        if (action->text() == caption)
            return action;
    }
    return nullptr;
}

void TestMainWindow::logIn(const QString& user, const QString& password)
{
    QString seen;
    whenModalOpens(seen, [&](QWidget* login) {
        const auto fields = login->findChildren<QLineEdit*>();
        fields.at(0)->setText(user);
        fields.at(1)->setText(password);
        buttonWithText<QPushButton>(login, u"Log in"_qs)->click();
    });
    m_window->login();
    QCOMPARE(seen, u"FORM_TOKO_FORMLOGIN_CLASS"_qs);
}

void TestMainWindow::menuBarAsTheShopKnowsIt()
{
    QCOMPARE(m_window->objectName(), u"FORM_TOKO_MDIFORM1_CLASS"_qs);
    // The maximised background child adds its name, as every maximised child does.
    QCOMPARE(m_window->windowTitle(), u"Aplikasi Penjualan - [Toko]"_qs);
    QVERIFY(!m_window->windowIcon().isNull());

    QStringList bar;
    QStringList items;
    for (QAction* top : m_window->menuBar()->actions()) {
        bar.append(top->text());
        if (QMenu* menu = top->menu()) {
            for (QAction* item : menu->actions())
                items.append(top->text() + u'/' + item->text());
        }
    }
    QCOMPARE(bar, (QStringList{u"File"_qs, u"Data"_qs, u"Penjualan"_qs, u"Pembelian"_qs,
                               u"Buku Kas"_qs, u"Hasil"_qs, u"Lainnya"_qs}));
    QCOMPARE(items, (QStringList{
                        u"File/Login"_qs, u"File/BackUp Database"_qs, u"File/Restore Database"_qs,
                        u"File/Koneksi Database"_qs, u"File/Keluar"_qs, u"Data/Koreksi Stock"_qs,
                        u"Data/Data Barang"_qs, u"Data/Data Pelanggan"_qs,
                        u"Data/Data Supplier"_qs, u"Data/Data User"_qs,
                        u"Penjualan/Kasir Penjualan"_qs, u"Penjualan/Bayar Piutang"_qs,
                        u"Penjualan/Retur Penjualan"_qs, u"Pembelian/Kasir Pembelian"_qs,
                        u"Pembelian/Bayar Hutang"_qs, u"Pembelian/Retur Pembelian"_qs,
                        u"Hasil/Laporan Penjualan Barang Hari ini"_qs,
                        u"Hasil/Laporan Laba Rugi"_qs, u"Hasil/Laporan Penjualan"_qs,
                        u"Hasil/Laporan Pembelian"_qs, u"Hasil/Laporan Piutang"_qs,
                        u"Hasil/Laporan Hutang"_qs, u"Hasil/Laporan Omzet Toko"_qs,
                        u"Hasil/Laporan Stock Minim"_qs, u"Lainnya/Ubah Password"_qs,
                        u"Lainnya/Reset Data"_qs}));
    QCOMPARE(menuItem(u"Keluar"_qs)->shortcut().toString(), u"Ctrl+Q"_qs);
}

void TestMainWindow::toolBarButtonsInOrder()
{
    auto* bar = m_window->findChild<QToolBar*>();
    QVERIFY(bar);
    QCOMPARE(bar->iconSize(), QSize(48, 48));
    QCOMPARE(bar->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    QStringList buttons;
    for (QAction* action : bar->actions()) {
        if (action->isSeparator()) {
            buttons.append(u"|"_qs);
            continue;
        }
        QVERIFY2(!action->icon().pixmap(48).isNull(), qPrintable(action->text()));
        buttons.append(action->text() + u'=' + action->toolTip());
    }
    QCOMPARE(buttons, (QStringList{u"Penjualan=Transaksi Penjualan"_qs,
                                   u"Pembelian=Transaksi Pembelian"_qs, u"|"_qs,
                                   u"Hutang=Hutang"_qs, u"Piutang=Piutang"_qs, u"|"_qs,
                                   u"Ret. Beli=Retur Pembelian"_qs,
                                   u"Ret. Jual=Retur Penjualan"_qs, u"|"_qs, u"Kas=Buku Kas"_qs,
                                   u"|"_qs, u"Exit=Keluar Aplikasi"_qs}));
}

void TestMainWindow::statusBarShowsOperatorDateClockAndNumLock()
{
    ClockStatusBar* status = m_window->clockStatusBar();
    QStringList parts;
    for (int i = 0; i < 8; ++i)
        parts.append(status->part(i));
    QCOMPARE(parts, (QStringList{u"Opr:"_qs, QString(), u"Tanggal"_qs, u"Maret 07, 2024"_qs,
                                 u"10:00:00"_qs, QString(), QString(), u"\t\t"_qs}));

    m_keyboard.numLockOn = true;
    m_shop->clock.set(QDateTime(QDate(2024, 12, 31), QTime(23, 59, 58)));
    QTRY_COMPARE_WITH_TIMEOUT(status->part(5), u"NUM"_qs, 1000);
    QCOMPARE(status->part(3), u"Desember 31, 2024"_qs);
    QCOMPARE(status->part(4), u"23:59:58"_qs);
    // The documents keep the date the program started with.
    QCOMPARE(m_shop->context().startDate, u"2024-03-07"_qs);

    logIn(u"admin"_qs, u"7305"_qs);
    QCOMPARE(status->part(1), u"admin"_qs);
}

void TestMainWindow::backgroundChildFillsTheWorkspace()
{
    QMdiArea* workspace = m_window->workspace();
    QCOMPARE(workspace->background().color(), QColor(0, 64, 128));
    const auto children = workspace->subWindowList();
    QCOMPARE(children.size(), 1);
    QCOMPARE(children.first()->widget()->objectName(), u"FORM_TOKO_FORM21_CLASS"_qs);
    QCOMPARE(children.first()->widget()->windowTitle(), u"Toko"_qs);
    QVERIFY(children.first()->isMaximized());
}

void TestMainWindow::exitAsksAndEndsWithCodeOne()
{
    messages().setNextAnswer(false);
    menuItem(u"Keluar"_qs)->trigger();
    QCOMPARE(messages().shown().last().caption, u"Exit"_qs);
    QCOMPARE(messages().lastText(), u"Anda ingin keluar aplikasi?"_qs);
    QVERIFY(m_quits.isEmpty());

    messages().setNextAnswer(true);
    QTest::keyClick(m_window.get(), Qt::Key_Q, Qt::ControlModifier);
    QCOMPARE(messages().shown().size(), 2);
    QCOMPARE(m_quits, QList<int>{1});

    messages().setNextAnswer(true);
    auto* bar = m_window->findChild<QToolBar*>();
    bar->actions().last()->trigger();
    QCOMPARE(m_quits, (QList<int>{1, 1}));
}

void TestMainWindow::beforeLoginAdministratorFunctionsAreRefused()
{
    QString seen;
    whenModalOpens(seen, [](QWidget*) {});
    menuItem(u"Data User"_qs)->trigger();
    QCoreApplication::processEvents();
    QCOMPARE(seen, QString());
    QVERIFY(messages().shown().isEmpty());

    QVERIFY(m_shop->db().exec(u"insert into transaksi (Kode) values ('JL-00000000000001')"_qs));
    menuItem(u"Reset Data"_qs)->trigger();
    QCOMPARE(messages().texts(), QStringList{u"Anda tidak diperkenankan menggunakan fitur ini"_qs});
    QCOMPARE(m_shop->db().scalar(u"select count(*) from transaksi"_qs), u"1"_qs);
}

void TestMainWindow::loginGivesAdministratorRightsToAnyCaseOfAdmin()
{
    QCOMPARE(users::add(m_shop->db(), u"ADMIN"_qs), users::AddResult::Added);
    QCOMPARE(users::add(m_shop->db(), u"administrator"_qs), users::AddResult::Added);

    logIn(u"administrator"_qs, u"7305"_qs);
    QString seen;
    whenModalOpens(seen, [](QWidget*) {});
    menuItem(u"Data User"_qs)->trigger();
    QCoreApplication::processEvents();
    QCOMPARE(seen, QString());

    logIn(u"ADMIN"_qs, u"7305"_qs);
    QCOMPARE(m_shop->context().user, u"ADMIN"_qs);
    whenModalOpens(seen, [](QWidget*) {});
    menuItem(u"Data User"_qs)->trigger();
    QCOMPARE(seen, u"FORM_TOKO_FORMADMIN_CLASS"_qs);

    // A failed login leaves the user who was logged in.
    logIn(u"ADMIN"_qs, u"salah"_qs);
    QCOMPARE(m_shop->context().user, u"ADMIN"_qs);
    QVERIFY(m_quits.isEmpty());

    // "Cancel" ends the program with exit code 1.
    whenModalOpens(seen, [](QWidget* login) {
        buttonWithText<QPushButton>(login, u"Cancel"_qs)->click();
    });
    m_window->login();
    QCOMPARE(m_quits, QList<int>{1});
    QCOMPARE(m_shop->context().user, u"ADMIN"_qs);
}

void TestMainWindow::resetDataDeletesOnlyDocuments()
{
    Database& db = m_shop->db();
    QVERIFY(db.exec(u"insert into transaksi (Kode) values ('JL-00000000000001')"_qs));
    QVERIFY(db.exec(u"insert into itempenjualan (Kode) values ('JL-00000000000001')"_qs));
    QVERIFY(db.exec(u"insert into barang (kode) values ('1')"_qs));
    logIn(u"admin"_qs, u"7305"_qs);
    messages().clear();

    messages().setNextAnswer(false);
    menuItem(u"Reset Data"_qs)->trigger();
    QCOMPARE(messages().shown().last().caption, u"Remove Data"_qs);
    QCOMPARE(db.scalar(u"select count(*) from transaksi"_qs), u"1"_qs);

    messages().setNextAnswer(true);
    menuItem(u"Reset Data"_qs)->trigger();
    QCOMPARE(db.scalar(u"select count(*) from transaksi"_qs), u"0"_qs);
    QCOMPARE(db.scalar(u"select count(*) from itempenjualan"_qs), u"1"_qs);
    QCOMPARE(db.scalar(u"select count(*) from barang"_qs), u"1"_qs);
    QCOMPARE(messages().shown().size(), 2);
}

void TestMainWindow::screensOfLaterVersionsSayTheyAreNotThereYet()
{
    for (const QString& caption : {u"Bayar Piutang"_qs, u"Data Barang"_qs, u"Buku Kas"_qs}) {
        messages().clear();
        menuItem(caption)->trigger();
        QCOMPARE(messages().texts(), QStringList{u"Fitur ini belum tersedia pada versi ini."_qs});
    }
}

void TestMainWindow::cashiersOpenMaximisedAndModal()
{
    for (const auto& [caption, screen] :
         {std::pair{u"Kasir Penjualan"_qs, u"FORM_TOKO_FORM1_CLASS"_qs},
          std::pair{u"Kasir Pembelian"_qs, u"FORM_TOKO_FORM1A_CLASS"_qs}}) {
        QString seen;
        bool maximised = false;
        whenModalOpens(seen, [&](QWidget* cashier) {
            maximised = cashier->isMaximized() && cashier->parentWidget() == m_window.get();
        });
        menuItem(caption)->trigger();
        QCOMPARE(seen, screen);
        QVERIFY(maximised);
    }
    // The toolbar's first button opens the sales cashier too.
    QString seen;
    whenModalOpens(seen, [](QWidget*) {});
    m_window->findChild<QToolBar*>()->actions().first()->trigger();
    QCOMPARE(seen, u"FORM_TOKO_FORM1_CLASS"_qs);
}

void TestMainWindow::backupAndRestoreFromTheMenu()
{
    Database& db = m_shop->db();
    QVERIFY(db.exec(u"insert into pelanggan (kode) values ('PL-00001')"_qs));
    menuItem(u"BackUp Database"_qs)->trigger();
    QCOMPARE(messages().lastText(), u"File hasil backup : BackUp2024_03_07.datatoko"_qs);
    const QString saved = m_shop->folder().filePath(u"BackUp2024_03_07.datatoko"_qs);
    QVERIFY(QFile::exists(saved));
    QVERIFY(db.exec(u"insert into pelanggan (kode) values ('PL-00002')"_qs));

    // Cancelled dialog: nothing happens.
    messages().clear();
    menuItem(u"Restore Database"_qs)->trigger();
    QCOMPARE(messages().shown().size(), 1);
    QCOMPARE(messages().shown().first().caption, u"Cari File Database"_qs);

    const QString notes = m_shop->folder().filePath(u"catatan.datatoko"_qs);
    QFile file(notes);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(1024, 'x'));
    file.close();
    messages().setNextFileName(notes);
    menuItem(u"Restore Database"_qs)->trigger();
    QVERIFY(messages().lastText().startsWith(u"Restore dibatalkan, data tidak diubah: "_qs));
    QCOMPARE(db.scalar(u"select count(*) from pelanggan"_qs), u"2"_qs);

    messages().setNextFileName(saved);
    menuItem(u"Restore Database"_qs)->trigger();
    QVERIFY(messages().lastText().startsWith(u"Restore selesai."_qs));
    QCOMPARE(db.scalar(u"select count(*) from pelanggan"_qs), u"1"_qs);
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
