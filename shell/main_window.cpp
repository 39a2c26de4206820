#include "shell/main_window.h"

#include "core/app_context.h"
#include "core/backup.h"
#include "core/document_number.h"
#include "core/messages.h"
#include "core/users.h"
#include "master/party_master_window.h"
#include "pos/cashier_window.h"
#include "shell/background_screen.h"
#include "shell/clock_status_bar.h"
#include "shell/connection_dialog.h"
#include "shell/form.h"
#include "shell/images.h"
#include "shell/login_dialog.h"
#include "shell/password_dialog.h"
#include "shell/user_admin_dialog.h"

#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>

namespace {

enum StatusPart { OperatorCaption, Operator, DateCaption, Date, Time, NumLock, Empty, Items };

} // namespace

MainWindow::MainWindow(AppContext& context, const KeyboardState& keyboard, QWidget* parent)
    : QMainWindow(parent), m_context(context), m_keyboard(keyboard),
      m_workspace(new QMdiArea(this)), m_quit([](int code) { QCoreApplication::exit(code); })
{
    form::setName(this, u"MDIFORM1");
    setWindowTitle(QStringLiteral("Aplikasi Penjualan"));
    setWindowIcon(images::icon(images::barang));
    resize(1412, 696);
    m_workspace->setBackground(QColor(0, 64, 128));
    setCentralWidget(m_workspace);
    buildMenu();
    buildToolBar();
    buildStatusBar();
    openBackground();
}

void MainWindow::start()
{
    showMaximized();
    QTimer::singleShot(0, this, &MainWindow::login);
}

void MainWindow::buildMenu()
{
    const auto item = [this](QMenu* menu, const QString& caption, auto handler) {
        QAction* action = menu->addAction(caption);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    const auto later = [&](QMenu* menu, const QString& caption) {
        item(menu, caption, &MainWindow::notYetAvailable);
    };
    const auto report = [&](QMenu* menu, const QString& caption, bool sales) {
        item(menu, caption, [this, sales] {
            setSide(sales);
            notYetAvailable();
        });
    };

    QMenu* file = menuBar()->addMenu(QStringLiteral("File"));
    item(file, QStringLiteral("Login"), &MainWindow::login);
    item(file, QStringLiteral("BackUp Database"), &MainWindow::backUp);
    item(file, QStringLiteral("Restore Database"), &MainWindow::restore);
    item(file, QStringLiteral("Koneksi Database"), &MainWindow::connection);
    item(file, QStringLiteral("Keluar"), &MainWindow::exitProgram)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* master = menuBar()->addMenu(QStringLiteral("Data"));
    later(master, QStringLiteral("Koreksi Stock"));
    later(master, QStringLiteral("Data Barang"));
    item(master, QStringLiteral("Data Pelanggan"),
         [this] { showChild(new PartyMasterWindow(m_context, Side::Sales)); });
    item(master, QStringLiteral("Data Supplier"),
         [this] { showChild(new PartyMasterWindow(m_context, Side::Purchase)); });
    item(master, QStringLiteral("Data User"), &MainWindow::userAdmin);

    QMenu* sales = menuBar()->addMenu(QStringLiteral("Penjualan"));
    item(sales, QStringLiteral("Kasir Penjualan"), [this] { openCashier(Side::Sales); });
    later(sales, QStringLiteral("Bayar Piutang"));
    later(sales, QStringLiteral("Retur Penjualan"));

    QMenu* purchases = menuBar()->addMenu(QStringLiteral("Pembelian"));
    item(purchases, QStringLiteral("Kasir Pembelian"), [this] { openCashier(Side::Purchase); });
    later(purchases, QStringLiteral("Bayar Hutang"));
    later(purchases, QStringLiteral("Retur Pembelian"));

    QAction* cashBook = menuBar()->addAction(QStringLiteral("Buku Kas"));
    connect(cashBook, &QAction::triggered, this, &MainWindow::notYetAvailable);

    QMenu* results = menuBar()->addMenu(QStringLiteral("Hasil"));
    later(results, QStringLiteral("Laporan Penjualan Barang Hari ini"));
    later(results, QStringLiteral("Laporan Laba Rugi"));
    report(results, QStringLiteral("Laporan Penjualan"), true);
    report(results, QStringLiteral("Laporan Pembelian"), false);
    report(results, QStringLiteral("Laporan Piutang"), true);
    report(results, QStringLiteral("Laporan Hutang"), false);
    later(results, QStringLiteral("Laporan Omzet Toko"));
    later(results, QStringLiteral("Laporan Stock Minim"));

    QMenu* other = menuBar()->addMenu(QStringLiteral("Lainnya"));
    item(other, QStringLiteral("Ubah Password"), &MainWindow::changePassword);
    item(other, QStringLiteral("Reset Data"), &MainWindow::resetData);
}

void MainWindow::buildToolBar()
{
    auto* bar = new QToolBar(QStringLiteral("Toolbar"), this);
    bar->setObjectName(QStringLiteral("toolbar"));
    bar->setMovable(false);
    bar->setIconSize(QSize(48, 48));
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    addToolBar(Qt::TopToolBarArea, bar);

    struct Button
    {
        const char* text;
        const char* image;
        const char* tooltip;
        void (MainWindow::*handler)();
        bool separatorAfter;
    };
    const Button buttons[] = {
        {"Penjualan", images::dollar, "Transaksi Penjualan", &MainWindow::openSalesCashier, false},
        {"Pembelian", images::down, "Transaksi Pembelian", &MainWindow::openPurchaseCashier, true},
        {"Hutang", images::money, "Hutang", &MainWindow::notYetAvailable, false},
        {"Piutang", images::customers, "Piutang", &MainWindow::notYetAvailable, true},
        {"Ret. Beli", images::properties, "Retur Pembelian", &MainWindow::notYetAvailable, false},
        {"Ret. Jual", images::properties, "Retur Penjualan", &MainWindow::notYetAvailable, true},
        {"Kas", images::report, "Buku Kas", &MainWindow::notYetAvailable, true},
        {"Exit", images::exitClose, "Keluar Aplikasi", &MainWindow::exitProgram, false},
    };
    for (const Button& button : buttons) {
        QAction* action =
            bar->addAction(images::icon(button.image), QString::fromLatin1(button.text));
        action->setToolTip(QString::fromLatin1(button.tooltip));
        connect(action, &QAction::triggered, this, button.handler);
        if (button.separatorAfter)
            bar->addSeparator();
    }
}

void MainWindow::buildStatusBar()
{
    m_status = new ClockStatusBar({40, 120, 60, 150, 70, 40, 40, 0}, m_context.clock(),
                                  m_keyboard, this);
    setStatusBar(m_status);
    m_status->setPart(OperatorCaption, QStringLiteral("Opr:"));
    m_status->setPart(Operator, m_context.user);
    m_status->partLabel(Operator)->setToolTip(QStringLiteral("Operator Admin"));
    m_status->setPart(DateCaption, QStringLiteral("Tanggal"));
    m_status->setPart(Items, QStringLiteral("\t\t"));
    m_status->partLabel(Items)->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_status->setClockParts({Date, Time, NumLock});
}

void MainWindow::openBackground()
{
    auto* background = new BackgroundScreen;
    QMdiSubWindow* child = m_workspace->addSubWindow(
        background, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    child->showMaximized();
}

QMdiSubWindow* MainWindow::showChild(QWidget* screen)
{
    screen->setAttribute(Qt::WA_DeleteOnClose);
    QMdiSubWindow* child = m_workspace->addSubWindow(screen);
    child->showMaximized();
    return child;
}

void MainWindow::openCashier(Side side)
{
    CashierWindow cashier(m_context, m_keyboard, side, this);
    // Modal from the moment it shows, not only once its loop runs.
    cashier.setWindowModality(Qt::ApplicationModal);
    cashier.showMaximized();
    cashier.exec();
}

void MainWindow::notYetAvailable()
{
    m_context.messages().info(QStringLiteral("Fitur ini belum tersedia pada versi ini."));
}

void MainWindow::setSide(bool sales)
{
    m_context.side = sales ? Side::Sales : Side::Purchase;
}

void MainWindow::login()
{
    LoginDialog dialog(m_context, this);
    connect(&dialog, &LoginDialog::loggedIn, this,
            [this](const QString& user) { m_status->setPart(Operator, user); });
    dialog.exec();
    if (dialog.cancelled())
        m_quit(1);
}

void MainWindow::changePassword()
{
    PasswordDialog dialog(m_context, this);
    dialog.exec();
}

void MainWindow::userAdmin()
{
    // Nobody but the administrator gets an answer here.
    if (!users::isAdministrator(m_context.user))
        return;
    UserAdminDialog dialog(m_context, this);
    dialog.exec();
}

void MainWindow::backUp()
{
    const QString name = backup::fileName(m_context.startDate);
    const QString error = backup::save(m_context.db(), m_context.shopFolder().filePath(name));
    if (error.isEmpty())
        m_context.messages().info(QStringLiteral("File hasil backup : ") + name);
    else
        m_context.messages().info(QStringLiteral("Backup gagal, ") + name +
                                  QStringLiteral(" tidak dibuat: ") + error);
}

void MainWindow::restore()
{
    const QString source = m_context.messages().openFileName(
        this, QStringLiteral("Cari File Database"),
        QStringLiteral("Data Toko files (*.datatoko)|*.datatoko|All Files (*.*)|*.*"),
        m_context.shopFolder().path());
    if (source.isEmpty())
        return;
    QString safetyCopy;
    const QString error = backup::restore(m_context.db(), source, m_context.clock().now(), safetyCopy);
    if (!error.isEmpty()) {
        m_context.messages().info(QStringLiteral("Restore dibatalkan, data tidak diubah: ") + error);
        return;
    }
    m_context.messages().info(QStringLiteral("Restore selesai. Data sebelumnya disimpan di ") +
                              QDir::toNativeSeparators(safetyCopy));
}

void MainWindow::connection()
{
    ConnectionDialog dialog(m_context, this);
    dialog.exec();
}

void MainWindow::exitProgram()
{
    if (m_context.messages().ask(this, QStringLiteral("Exit"),
                                 QStringLiteral("Anda ingin keluar aplikasi?")))
        m_quit(1);
}

void MainWindow::resetData()
{
    if (!users::isAdministrator(m_context.user)) {
        m_context.messages().info(QStringLiteral("Anda tidak diperkenankan menggunakan fitur ini"));
        return;
    }
    if (!m_context.messages().ask(
            this, QStringLiteral("Remove Data"),
            QStringLiteral("Yakin Reset Data Transaksi ini?, reset data dapat mengakibatkan "
                           "hilangnya semua data yang pernah tersimpan.")))
        return;
    documents::deleteAllTransactions(m_context.db());
}
