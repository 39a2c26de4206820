#pragma once

#include "core/outcome.h"
#include "core/side.h"
#include "logic/cart.h"

#include <QString>
#include <QStringList>

class Database;

// A return of goods: from a customer (sales side, "RJ-", stock back in) or to
// a supplier (purchase side, "RB-", stock out). Its lines, the entry row in
// which a line is prepared, the party with its open debt, and the totals
// as the texts the screen shows.
//
// Saving stores the lines, the stock moves, the header and the settlement of
// the party's open documents in one transaction. The value of the return
// pays those documents off oldest first; what they do not absorb is the
// refund. A stored list is never stored again: the next line starts a new
// return.
class ReturnDocument final
{
public:
    // The columns of the lines, as the cart has them.
    enum Column { Code, Name, Quantity, Unit, Price, Discount, Amount, ColumnCount };

    // The entry row, typed as at the cashier.
    using Entry = Cart::Entry;

    ReturnDocument(Database& db, Side side);

    Side side() const { return m_side; }
    const QList<DocumentLine>& lines() const { return m_lines; }
    const Entry& entry() const { return m_entry; }

    // The party box's entries, code + "; " + name, by code.
    static Outcome<QStringList> partyEntries(Database& db, Side side);

    // The chosen party, as its entry in the party box; reads its open debt
    // (shown empty when that read failed).
    Outcome<> setParty(const QString& entry);
    const QString& partyCode() const { return m_partyCode; }
    // The name after "; ", with the space before it.
    const QString& partyName() const { return m_partyName; }

    // The party's open receivables or payables, the lines' total (whole), the
    // debt the total leaves ("Sisa ", never below 0), and the total in words.
    const QString& debt() const { return m_debt; }
    const QString& total() const { return m_total; }
    const QString& rest() const { return m_rest; }
    QString totalWords() const;

    // Fills the entry row from the product with `code`, at this side's price,
    // quantity "1", and gives true. False, and nothing changed, when no
    // product has it.
    Outcome<bool> lookup(const QString& code);
    void setCode(const QString& code) { m_entry.code = code; }
    void setQuantity(const QString& quantity);
    void setPrice(const QString& price);
    void setDiscount(const QString& discount);

    // Adds the entry row as a line, empties it and gives true. Gives false,
    // and does nothing, for an empty code. Refused for a code the last
    // lookup did not find, a quantity that is not above 0, or a figure
    // beyond the cashier's limit.
    Outcome<bool> completeLine();

    // Stores the return dated `date` and gives its code. Refused with a
    // reason without a party, without lines, once stored, and when the
    // party's open debt is no longer the one shown (another till stored a
    // payment or return since): the debt is then read anew, for another try.
    Outcome<QString> save(const QString& date, const QString& operatorName);
    // A return from this screen has been stored: its list may be printed.
    bool everSaved() const { return m_everSaved; }
    bool isStored() const { return m_stored; }

    // "DATA RETUR PENJUALAN DARI " + name, the printed list's title.
    QString listTitle() const;

private:
    void updateAmount();
    void recalculate();
    // The party's open debt in the database, as debt() shows it.
    Outcome<QString> openDebt() const;

    Database& m_db;
    Side m_side;
    QList<DocumentLine> m_lines;
    Entry m_entry;
    QString m_found;
    QString m_partyCode;
    QString m_partyName;
    QString m_debt;
    QString m_total = QStringLiteral("0");
    QString m_rest = QStringLiteral("0");
    bool m_stored = false;
    bool m_everSaved = false;
};
