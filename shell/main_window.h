#pragma once

#include "core/app_context.h"

#include <QMainWindow>

#include <QKeySequence>

#include <functional>
#include <memory>
#include <vector>

class AppContext;
class AutoBackup;
class ClockStatusBar;
class KeyboardState;
class QMdiArea;
class QMdiSubWindow;

// "Aplikasi Penjualan": the frame of the program. Menu, toolbar, the status
// bar with operator and clock, and the workspace where the back-office
// screens open; cashiers, reports and dialogs open modal over it.
class MainWindow final : public QMainWindow
{
    Q_OBJECT
public:
    MainWindow(AppContext& context, const KeyboardState& keyboard, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Shows the window maximised and, once the program runs, says `notice`
    // and the failures of the last automatic backup (when there are any) and
    // asks for a login.
    void start(const QString& notice = {});

    // How the program is ended with an exit code; tests replace it. The
    // program's own makes the automatic backup first.
    void setQuit(std::function<void(int)> quit) { m_quit = std::move(quit); }
    // The automatic backup as toko closes, under the progress box, once.
    void backUpAtClose();

    // Opens a back-office screen as a maximised child of the workspace,
    // which deletes it when it is closed.
    QMdiSubWindow* showChild(QWidget* screen);

    ClockStatusBar* clockStatusBar() const { return m_status; }
    QMdiArea* workspace() const { return m_workspace; }

    // The sales or purchase cashier, maximised and modal over the main window.
    void openCashier(Side side);
    void openSalesCashier() { openCashier(Side::Sales); }
    void openPurchaseCashier() { openCashier(Side::Purchase); }
    void login();
    void changePassword();
    void userAdmin();
    void backUp();
    void restore();
    void connection();
    void exitProgram();
    void resetData();

protected:
    // The close box: the automatic backup, then the end of the program.
    void closeEvent(QCloseEvent* event) override;

private:
    // Who may open an entry: everybody, or the administrator alone, the
    // others refused without a word or told so.
    enum class Access { Anyone, AdministratorQuiet, AdministratorTold };
    struct Entry {
        QString menu; // empty: an entry of the menu bar itself
        QString caption;
        QKeySequence key;
        int toolbarPlace; // 1, 2, …: its button's place on the toolbar; 0: none
        QString toolbarText;
        const char* icon;
        QString tooltip;
        Access access;
        std::function<void()> action;
    };
    std::vector<Entry> entries();
    void buildMenuAndToolBar();
    bool allowed(Access access);
    void buildStatusBar();
    void openBackground();

    AppContext& m_context;
    const KeyboardState& m_keyboard;
    QMdiArea* m_workspace;
    ClockStatusBar* m_status = nullptr;
    std::function<void(int)> m_quit;
    std::unique_ptr<AutoBackup> m_autoBackup;
    bool m_closing = false;
};
