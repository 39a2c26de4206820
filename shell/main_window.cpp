#include "shell/main_window.h"

#include "core/app_context.h"
#include "core/backup.h"
#include "core/messages.h"
#include "core/numbering.h"
#include "core/users.h"
#include "logic/auto_backup.h"
#include "logic/shop_copy.h"
#include "screens/counter/cashier_window.h"
#include "screens/masters/party_master_window.h"
#include "screens/masters/product_master_window.h"
#include "screens/money/cash_book_window.h"
#include "screens/money/payment_window.h"
#include "screens/printing/label_dialog.h"
#include "screens/printing/receipt_printing.h"
#include "screens/printing/shop_settings_dialog.h"
#include "screens/reports/dashboard_window.h"
#include "screens/reports/debt_report_dialog.h"
#include "screens/reports/document_list_dialog.h"
#include "screens/reports/low_stock_dialog.h"
#include "screens/reports/month_report_dialog.h"
#include "screens/reports/today_sales_dialog.h"
#include "screens/stock/return_window.h"
#include "screens/stock/stock_correction_window.h"
#include "shell/background_screen.h"
#include "shell/connection_dialog.h"
#include "shell/login_dialog.h"
#include "shell/password_dialog.h"
#include "shell/user_admin_dialog.h"
#include "ui/clock_status_bar.h"
#include "ui/form.h"
#include "ui/images.h"
#include "ui/work_progress.h"

#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>

#include <map>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

enum StatusPart { OperatorCaption, Operator, DateCaption, Date, Time, NumLock, Empty, Items };

// Opens a modal screen, such as a report, and runs it until it is closed.
template <typename Dialog, typename... Arguments>
std::function<void()> modal(AppContext& context, QWidget* owner, Arguments... arguments)
{
    return [&context, owner, arguments...] { Dialog(context, arguments..., owner).exec(); };
}

} // namespace

MainWindow::MainWindow(AppContext& context, const KeyboardState& keyboard, QWidget* parent)
    : QMainWindow(parent), m_context(context), m_keyboard(keyboard),
      m_workspace(new QMdiArea(this)), m_quit([this](int code) {
          backUpAtClose();
          QCoreApplication::exit(code);
      }),
      m_autoBackup(
          std::make_unique<AutoBackup>(context.db(), context.clock(), context.shopFolder()))
{
    m_autoBackup->watch();
    form::setName(this, u"MDIFORM1");
    setWindowTitle(QStringLiteral("Aplikasi Penjualan"));
    setWindowIcon(images::icon(images::barang));
    resize(1412, 696);
    m_workspace->setBackground(QColor(0, 64, 128));
    setCentralWidget(m_workspace);
    buildMenuAndToolBar();
    buildStatusBar();
    openBackground();
}

MainWindow::~MainWindow() = default;

void MainWindow::start(const QString& notice)
{
    QStringList said{notice, m_autoBackup->atStart()};
    said.removeAll(QString());
    showMaximized();
    QTimer::singleShot(0, this, [this, said = said.join(u"\n\n"_s)] {
        if (!said.isEmpty())
            m_context.messages().info(said);
        login();
    });
}

void MainWindow::backUpAtClose()
{
    if (std::exchange(m_closing, true))
        return;
    const AutoBackup::Result result = [&] {
        WorkProgress progress(this, u"Membuat backup otomatis, mohon tunggu.."_s);
        return m_autoBackup->atClose(progress.callback());
    }();
    if (const QString said = AutoBackup::message(result); !said.isEmpty())
        m_context.messages().info(said);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    backUpAtClose();
    QMainWindow::closeEvent(event);
}

// Every entry of the menu and the toolbar, in menu order: adding a screen is one row.
std::vector<MainWindow::Entry> MainWindow::entries()
{
    const auto open = [this](void (MainWindow::*handler)()) {
        return [this, handler] { (this->*handler)(); };
    };
    const auto parties = [this](Side side) {
        return [this, side] { showChild(new PartyMasterWindow(m_context, side)); };
    };
    const auto payments = [this](Side side) {
        return [this, side] { showChild(new PaymentWindow(m_context, side)); };
    };
    const auto returns = [this](Side side) {
        return [this, side] { showChild(new ReturnWindow(m_context, side)); };
    };
    const auto productMaster = [this] { showChild(new ProductMasterWindow(m_context)); };
    const auto cashier = [this](Side side) { return [this, side] { openCashier(side); }; };
    const QKeySequence none;
    const auto anyone = Access::Anyone;
    const QString file = u"File"_s, masterData = u"Data"_s, sales = u"Penjualan"_s,
                  purchases = u"Pembelian"_s, results = u"Hasil"_s, other = u"Lainnya"_s;
    // clang-format off
    // menu, caption, key, toolbar place (0: none), toolbar text, icon, tooltip, who, action
    return {
        {file, u"Login"_s, none, 0, {}, {}, {}, anyone, open(&MainWindow::login)},
        {file, u"BackUp Database"_s, none, 0, {}, {}, {}, anyone, open(&MainWindow::backUp)},
        {file, u"Restore Database"_s, none, 0, {}, {}, {}, anyone, open(&MainWindow::restore)},
        {file, u"Koneksi Database"_s, none, 0, {}, {}, {}, anyone, open(&MainWindow::connection)},
        {file, u"Keluar"_s, QKeySequence(Qt::CTRL | Qt::Key_Q), 8, u"Exit"_s, images::exitClose,
         u"Keluar Aplikasi"_s, anyone, open(&MainWindow::exitProgram)},
        {masterData, u"Koreksi Stock"_s, none, 0, {}, {}, {}, anyone, modal<StockCorrectionWindow>(m_context, this)},
        {masterData, u"Data Barang"_s, none, 0, {}, {}, {}, anyone, productMaster},
        {masterData, u"Data Pelanggan"_s, none, 0, {}, {}, {}, anyone, parties(Side::Sales)},
        {masterData, u"Data Supplier"_s, none, 0, {}, {}, {}, anyone, parties(Side::Purchase)},
        {masterData, u"Data User"_s, none, 0, {}, {}, {}, Access::AdministratorQuiet, open(&MainWindow::userAdmin)},
        {masterData, u"Label"_s, none, 0, {}, {}, {}, anyone, modal<LabelDialog>(m_context, this)},
        {sales, u"Kasir Penjualan"_s, none, 1, u"Penjualan"_s, images::dollar, u"Transaksi Penjualan"_s, anyone, cashier(Side::Sales)},
        {sales, u"Bayar Piutang"_s, none, 4, u"Piutang"_s, images::customers, u"Piutang"_s, anyone, payments(Side::Sales)},
        {sales, u"Retur Penjualan"_s, none, 6, u"Ret. Jual"_s, images::properties, u"Retur Penjualan"_s, anyone, returns(Side::Sales)},
        {purchases, u"Kasir Pembelian"_s, none, 2, u"Pembelian"_s, images::down, u"Transaksi Pembelian"_s, anyone, cashier(Side::Purchase)},
        {purchases, u"Bayar Hutang"_s, none, 3, u"Hutang"_s, images::money, u"Hutang"_s, anyone, payments(Side::Purchase)},
        {purchases, u"Retur Pembelian"_s, none, 5, u"Ret. Beli"_s, images::properties, u"Retur Pembelian"_s, anyone, returns(Side::Purchase)},
        // An entry of the menu bar itself: it opens the cash book.
        {{}, u"Buku Kas"_s, none, 7, u"Kas"_s, images::report, u"Buku Kas"_s, anyone, modal<CashBookWindow>(m_context, this)},
        {results, u"Laporan Penjualan Barang Hari ini"_s, none, 0, {}, {}, {}, anyone, modal<TodaySalesDialog>(m_context, this)},
        {results, u"Laporan Laba Rugi"_s, none, 0, {}, {}, {}, anyone, modal<MonthReportDialog>(m_context, this, MonthReportDialog::Kind::ProfitLoss)},
        {results, u"Laporan Penjualan"_s, none, 0, {}, {}, {}, anyone, modal<DocumentListDialog>(m_context, this, Side::Sales)},
        {results, u"Laporan Pembelian"_s, none, 0, {}, {}, {}, anyone, modal<DocumentListDialog>(m_context, this, Side::Purchase)},
        {results, u"Laporan Piutang"_s, none, 0, {}, {}, {}, anyone, modal<DebtReportDialog>(m_context, this, Side::Sales)},
        {results, u"Laporan Hutang"_s, none, 0, {}, {}, {}, anyone, modal<DebtReportDialog>(m_context, this, Side::Purchase)},
        {results, u"Laporan Omzet Toko"_s, none, 0, {}, {}, {}, anyone, modal<MonthReportDialog>(m_context, this, MonthReportDialog::Kind::Turnover)},
        {results, u"Laporan Stock Minim"_s, none, 0, {}, {}, {}, anyone, modal<LowStockDialog>(m_context, this)},
        {results, u"Ringkasan Toko"_s, none, 0, {}, {}, {}, anyone, modal<DashboardWindow>(m_context, this)},
        {other, u"Ubah Password"_s, none, 0, {}, {}, {}, anyone, open(&MainWindow::changePassword)},
        {other, u"Reset Data"_s, none, 0, {}, {}, {}, Access::AdministratorTold, open(&MainWindow::resetData)},
        {other, u"Pengaturan Toko"_s, none, 0, {}, {}, {}, Access::AdministratorTold, modal<ShopSettingsDialog>(m_context, this)},
        {other, u"Buka Laci"_s, none, 0, {}, {}, {}, Access::AdministratorTold, [this] { openCashDrawer(m_context, Drawer::OnRequest); }},
    };
    // clang-format on
}

void MainWindow::buildMenuAndToolBar()
{
    auto* bar = new QToolBar(QStringLiteral("Toolbar"), this);
    bar->setObjectName(QStringLiteral("toolbar"));
    bar->setMovable(false);
    bar->setIconSize(QSize(48, 48));
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    addToolBar(Qt::TopToolBarArea, bar);

    std::map<int, QAction*> buttons;
    QMenu* menu = nullptr;
    for (Entry& entry : entries()) {
        const std::function<void()> run = [this, access = entry.access,
                                           action = std::move(entry.action)] {
            if (allowed(access))
                action();
        };
        QAction* item = nullptr;
        if (entry.menu.isEmpty()) {
            menu = nullptr;
            item = menuBar()->addAction(entry.caption);
        } else {
            if (!menu || menu->title() != entry.menu)
                menu = menuBar()->addMenu(entry.menu);
            item = menu->addAction(entry.caption);
        }
        item->setShortcut(entry.key);
        connect(item, &QAction::triggered, this, run);
        if (entry.toolbarPlace > 0) {
            auto* button = new QAction(images::icon(entry.icon), entry.toolbarText, bar);
            button->setToolTip(entry.tooltip);
            connect(button, &QAction::triggered, this, run);
            buttons[entry.toolbarPlace] = button;
        }
    }
    // Groups on the toolbar: the cashiers, the debts, the returns, cash, exit.
    for (const auto& [place, button] : buttons) {
        bar->addAction(button);
        if (place == 2 || place == 4 || place == 6 || place == 7)
            bar->addSeparator();
    }
}

bool MainWindow::allowed(Access access)
{
    const Outcome<> allowed = users::administratorOnly(m_context.user);
    if (access == Access::Anyone || allowed)
        return true;
    if (access == Access::AdministratorTold)
        m_context.messages().failed(allowed);
    return false;
}

void MainWindow::buildStatusBar()
{
    m_status =
        new ClockStatusBar({40, 120, 60, 150, 70, 40, 40, 0}, m_context.clock(), m_keyboard, this);
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
    UserAdminDialog dialog(m_context, this);
    dialog.exec();
}

void MainWindow::backUp()
{
    // Named by the day it is made: a program left running for days writes
    // each day's backup, not the first day's file again.
    const QString name = backup::fileName(m_context.clock().today());
    const Outcome<> saved = [&] {
        WorkProgress progress(this, QStringLiteral("Membuat backup database, mohon tunggu.."));
        return shopcopy::save(m_context.db(), m_context.shopFolder().filePath(name),
                              progress.callback());
    }();
    if (saved)
        m_context.messages().info(QStringLiteral("File hasil backup : ") + name);
    else
        m_context.messages().info(QStringLiteral("Backup gagal, ") + name +
                                  QStringLiteral(" tidak dibuat: ") + saved.reason());
}

void MainWindow::restore()
{
    const QString source = m_context.messages().openFileName(
        this, QStringLiteral("Cari File Database"),
        QStringLiteral("Data Toko files (*.datatoko)|*.datatoko|All Files (*.*)|*.*"),
        m_context.shopFolder().path());
    if (source.isEmpty())
        return;
    const Outcome<QString> restored = [&] {
        WorkProgress progress(this, QStringLiteral("Restore database, mohon tunggu.."));
        return shopcopy::restore(m_context.db(), source, m_context.clock().now(),
                                 m_context.shopFolder(), progress.callback());
    }();
    if (!restored) {
        m_context.messages().info(QStringLiteral("Restore dibatalkan, data tidak diubah: ") +
                                  restored.reason());
        return;
    }
    m_context.messages().info(QStringLiteral("Restore selesai. Data sebelumnya disimpan di ") +
                              QDir::toNativeSeparators(*restored));
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
    if (!m_context.messages().ask(
            this, QStringLiteral("Remove Data"),
            QStringLiteral("Yakin Reset Data Transaksi ini?, reset data dapat mengakibatkan "
                           "hilangnya semua data yang pernah tersimpan.")))
        return;
    m_context.messages().failed(numbering::deleteAllTransactions(m_context.db(), m_context.user));
}
