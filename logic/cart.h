#pragma once

#include "core/app_context.h"
#include "core/outcome.h"
#include "logic/document_line.h"
#include "logic/parties.h"

#include <QString>

#include <optional>

class Database;

// A product as the cashier's lookup finds it: the price is the selling
// price on the sales side and the cost price on the purchase side.
struct CartProduct {
    QString name;
    QString unit;
    QString price;
    QString discount;
    QString tiers;
};

// Looks `code` up exactly (not by barcode). Empty when no product has it.
Outcome<std::optional<CartProduct>> findProduct(Database& db, Side side, const QString& code);

// A line of the cart: the document's line and the product's quantity price
// tiers as the line took them (they reprice sale lines only).
struct CartLine : DocumentLine {
    QString tiers;
};

// The lines of the transaction on a cashier screen, the entry row in which a
// line is prepared, and the totals block. Figures keep the texts the screen
// shows; each is read with the lenient text-to-number rule and written in
// plain decimal; totals are whole numbers, rounded half to even after every
// addition. Quantity price tiers apply on the sales side only.
//
// Once the transaction is stored (markStored) the cart, the payment and the
// party stay as they were saved, for the receipt, until reset(): every
// change is refused.
class Cart final
{
public:
    // A line's cells as the screen lists them (DocumentLine::cells), then the tiers.
    enum Column { Code, Name, Quantity, Unit, Price, Discount, Amount, Tiers, ColumnCount };

    struct Entry {
        QString code;
        QString name;
        QString quantity;
        QString unit = QStringLiteral("0");
        QString price = QStringLiteral("0");
        QString discount = QStringLiteral("0");
        QString amount = QStringLiteral("0");

        // The entry row as a line.
        DocumentLine line() const { return {code, name, quantity, unit, price, discount, amount}; }
    };

    struct Totals {
        QString gross = QStringLiteral("0");
        QString discountPercent = QStringLiteral("0");
        QString discountAmount = QStringLiteral("0");
        QString net = QStringLiteral("0");
        QString paid = QStringLiteral("0");
        QString change = QStringLiteral("0");
        QString changeCaption;
        bool paidCovers = false; // colours of the change field
        QString bigFigure = QStringLiteral("0");
        QString words;
    };

    // What taking a code did, so the screen knows where the focus goes.
    enum class Taken { Nothing, EntryFilled, LineAdded, LineIncreased };
    // The line a scan added or increased, when it did.
    int scannedRow() const { return m_scannedRow; }

    Cart(Database& db, Side side);

    Side side() const { return m_side; }
    const QList<CartLine>& lines() const { return m_lines; }
    // The lines as the document stores them.
    QList<DocumentLine> documentLines() const;
    const Entry& entry() const { return m_entry; }
    const Totals& totals() const { return m_totals; }
    const QString& tierText() const { return m_tierText; }
    const QString& editingCode() const { return m_editingCode; }
    // A line loaded for change and not yet written back.
    bool changingLine() const { return m_changingLine; }
    int scanQuantity() const { return m_scanQuantity; }
    const Party& party() const { return m_party; }
    // The party of the transaction; false (and unchanged) once it is stored.
    bool setParty(const Party& party);

    // The transaction is stored: nothing changes any more until reset().
    void markStored() { m_stored = true; }
    bool stored() const { return m_stored; }

    bool barcodeMode() const { return m_barcodeMode; }
    void setBarcodeMode(bool on) { m_barcodeMode = on; }

    // A new text in the product code box (typed, scanned or set by a lookup).
    // Refused with a reason when a scan would add a line beyond
    // largestLineValue or the lookup failed; Nothing once the transaction is
    // stored.
    Outcome<Taken> takeCode(const QString& code);
    void setName(const QString& name);
    void setUnit(const QString& unit);
    void setQuantity(const QString& quantity);
    void setPrice(const QString& price);
    void setDiscount(const QString& discount);
    void setAmount(const QString& amount);

    // Adds the entry row as a new line, or writes it back over the line last
    // loaded for change, and gives true. Gives false, and does nothing, while
    // the code box holds no product (empty, or a code that found nothing: the
    // row would show the previous product under a code that is not its own)
    // and once the transaction is stored. Refused when a figure is beyond
    // largestLineValue.
    Outcome<bool> commitEntry();
    // Loads a line into the entry row for change (barcode mode off only).
    bool loadLine(int row);

    void setDiscountPercent(const QString& percent);
    void setPaid(const QString& paid);
    // F11: the whole net total is paid.
    void payInFull() { setPaid(m_totals.net); }

    // A new transaction: no lines, empty entry row, totals "0", the walk-in party.
    void reset();

private:
    void fillEntry(const CartProduct& product);
    void updateAmount();
    void recalculate();
    void applyDiscountAndPayment(bool payment);
    CartLine entryLine() const;

    Database& m_db;
    Side m_side;
    QList<CartLine> m_lines;
    Entry m_entry;
    Totals m_totals;
    bool m_barcodeMode = false;
    QString m_tierText;
    QString m_editingCode;
    QString m_foundCode; // the code whose product fills the entry row
    int m_editingRow = -1;
    bool m_changingLine = false;
    int m_scanQuantity = 0;
    int m_scannedRow = -1;
    QString m_tierDiscount;
    Party m_party;
    bool m_stored = false;
};
