#pragma once

#include "core/app_context.h"
#include "logic/cart.h"
#include "logic/receipt_layout.h"
#include "logic/sale_store.h"
#include "screens/counter/lines_panel.h"
#include "screens/counter/party_panel.h"
#include "screens/counter/totals_panel.h"
#include "ui/form.h"

#include <QDialog>

#include <optional>

class ClockStatusBar;
class KeyboardState;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "Kasir Penjualan" and "Kasir Pembelian": the counter where the shop sells
// and buys. One screen for both sides; the side decides prices, tiers,
// texts and colours. Keyboard first: F1 barcode mode, F8 print, F9 new
// transaction, F10 product search, F11 pay in full, Ctrl+S save.
class CashierWindow final : public QDialog
{
    Q_OBJECT
public:
    CashierWindow(AppContext& context, const KeyboardState& keyboard, Side side,
                  QWidget* parent = nullptr);

    Cart& cart() { return m_cart; }
    // The party panel: labels in column 0, the party's values in column 1.
    const TableModel& partyRows() const { return m_partyPanel->rows(); }

    // F9: a new transaction on the screen, with the count of the day's documents.
    void newTransaction();
    void toggleBarcode();
    void payInFull();
    void requestSave();
    void print();
    // Shift+F8: the receipt on screen before paper is used.
    void preview();
    void chooseParty();
    void searchProduct();
    void receiptSettings();
    // Puts a code into the product code box, as the product search does.
    void setProductCode(const QString& code);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void buildHeader();
    void buildEntryRow();
    void buildButtons();
    void connectBoxes();
    void buildMenu();
    void placeControls();
    void reset();
    // The cart's party in the party panel.
    void showParty();
    QPushButton* makeButton(const QString& text, const QString& tooltip);
    void render();
    void codeChanged(const QString& code);
    void commitEntry();
    void setHelp(const QString& text);
    void focusQuantity();
    bool keyReleased(QObject* box, bool enter, bool tab);
    void setEntryEnabled(bool enabled);
    CashierDocument document() const;
    ReceiptSource receiptSource() const;

    AppContext& m_context;
    const Side m_side;
    Cart m_cart;
    // The document as stored, until the next transaction: what its receipt shows.
    std::optional<CashierDocument> m_storedDocument;
    // The code this cashier stored last: the "No.:" line of a line-printer receipt.
    QString m_storedNumber;
    form::EnterKeys m_enter;

    QWidget* m_body = nullptr;
    QPushButton* m_settings = nullptr;
    QLabel* m_dayCount = nullptr;
    QComboBox* m_receiptSize = nullptr;
    QCheckBox* m_barcode = nullptr;
    QLabel* m_words = nullptr;
    QPushButton* m_productList = nullptr;
    QLabel* m_dateLabel = nullptr;
    QLabel* m_dueDateLabel = nullptr;
    QDateEdit* m_date = nullptr;
    QDateEdit* m_dueDate = nullptr;
    QGroupBox* m_group = nullptr;
    LinesPanel* m_lines = nullptr;
    PartyPanel* m_partyPanel = nullptr;
    TotalsPanel* m_totals = nullptr;
    // The boxes of the lines panel, Kode … Jumlah.
    QLineEdit* m_code = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_quantity = nullptr;
    QLineEdit* m_unit = nullptr;
    QLineEdit* m_price = nullptr;
    QLineEdit* m_discount = nullptr;
    QLineEdit* m_amount = nullptr;
    QLabel* m_bigFigure = nullptr;
    QPushButton* m_new = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_print = nullptr;
    ClockStatusBar* m_status = nullptr;
};
