#include "logic/returns.h"

#include "core/database.h"
#include "core/numbering.h"
#include "core/text_ops.h"
#include "logic/amount_words.h"
#include "logic/cart.h"
#include "logic/payments.h"

#include <cmath>

ReturnDocument::ReturnDocument(Database& db, Side side) : m_db(db), m_side(side) {}

Outcome<QStringList> ReturnDocument::partyEntries(Database& db, Side side)
{
    QStringList entries;
    if (!db.query(QStringLiteral("select kode||'; '||nama from ") + sideInfo(side).partyTable +
                      QStringLiteral(" order by kode"),
                  {}, [&](const QStringList& row) { entries.append(row.value(0)); }))
        return db.failure();
    return entries;
}

Outcome<> ReturnDocument::setParty(const QString& entry)
{
    const qsizetype separator = entry.indexOf(u';');
    m_partyCode = separator < 0 ? entry : entry.left(separator);
    m_partyName = separator < 0 ? QString() : entry.mid(separator + 1);
    const Outcome<QString> debt = openDebt();
    m_debt = debt ? *debt : QString();
    recalculate();
    if (!debt)
        return debt.failure();
    return {};
}

Outcome<QString> ReturnDocument::openDebt() const
{
    const Outcome<QString> sum =
        m_db.value(QStringLiteral("select sum(") + sideInfo(m_side).debtColumn +
                       QStringLiteral(") from transaksi where KodeSP=?"),
                   {m_partyCode});
    if (!sum)
        return sum.failure();
    return text::numberToText(text::textToNumber(*sum));
}

QString ReturnDocument::totalWords() const
{
    return amount::wordsOf(m_total);
}

Outcome<bool> ReturnDocument::lookup(const QString& code)
{
    bool found = false;
    const bool asked =
        m_db.query(QStringLiteral("select nama, satuan, ") + sideInfo(m_side).priceColumn +
                       QStringLiteral(", diskon from barang where kode=?"),
                   {code}, [&](const QStringList& row) {
                       found = true;
                       m_entry.name = row.value(0);
                       m_entry.unit = row.value(1);
                       m_entry.price = text::numberToText(text::textToNumber(row.value(2)));
                       m_entry.discount = text::numberToText(text::textToNumber(row.value(3)));
                   });
    if (!asked)
        return m_db.failure();
    if (!found)
        return false;
    m_entry.code = code;
    m_found = code;
    m_entry.quantity = QStringLiteral("1");
    updateAmount();
    return true;
}

void ReturnDocument::setQuantity(const QString& quantity)
{
    m_entry.quantity = quantity;
    updateAmount();
}

void ReturnDocument::setPrice(const QString& price)
{
    m_entry.price = price;
    updateAmount();
}

void ReturnDocument::setDiscount(const QString& discount)
{
    m_entry.discount = discount;
    updateAmount();
}

void ReturnDocument::updateAmount()
{
    const double price = text::textToNumber(m_entry.price);
    const double discount = text::textToNumber(m_entry.discount);
    m_entry.amount = text::numberToText((price - discount) * text::textToNumber(m_entry.quantity));
}

Outcome<bool> ReturnDocument::completeLine()
{
    if (m_entry.code.isEmpty())
        return false;
    if (m_entry.code != m_found)
        return Failure{QStringLiteral("Kode barang \"") + text::shortened(m_entry.code) +
                       QStringLiteral("\" tidak ditemukan.")};
    if (!(text::textToNumber(m_entry.quantity) > 0))
        return Failure{QStringLiteral("Qty barang yang diretur belum diisi.")};
    const DocumentLine line = m_entry.line();
    if (!lineWithinRange(line))
        return Failure{lineTooLargeText(QStringLiteral("baris tidak ditambahkan."))};
    if (m_stored) {
        const Outcome<QString> debt = openDebt();
        if (!debt)
            return debt.failure();
        m_lines.clear();
        m_stored = false;
        m_debt = debt.value();
    }
    m_lines.append(line);
    m_entry = Entry{};
    m_found.clear();
    recalculate();
    return true;
}

void ReturnDocument::recalculate()
{
    double total = 0;
    for (const DocumentLine& line : m_lines)
        total = text::roundHalfEven(total + line.amount.value);
    m_total = text::numberToText(total);
    const double rest = text::textToNumber(m_debt) - total;
    m_rest = text::numberToText(rest > 0 ? rest : 0);
}

Outcome<QString> ReturnDocument::save(const QString& date, const QString& operatorName)
{
    const SideInfo& side = sideInfo(m_side);
    if (m_partyCode.isEmpty())
        return Failure{side.noPartyText};
    if (isStored())
        return Failure{QStringLiteral("Retur ini sudah tersimpan. Tambah item barang untuk "
                                      "retur baru.")};
    if (m_lines.isEmpty())
        return Failure{QStringLiteral("Belum ada item barang yang diretur.")};

    Database::Transaction transaction(m_db);
    if (!transaction.active())
        return m_db.failure();
    // Read again under the write lock: the refund the screen shows depends
    // on the debt, and another till may have settled part of it since.
    const Outcome<QString> debt = openDebt();
    if (!debt)
        return debt.failure();
    if (*debt != m_debt) {
        m_debt = *debt;
        recalculate();
        return Failure{payments::changedText(m_side, m_partyName, QStringLiteral("retur"))};
    }
    const Outcome<QString> next = numbering::nextCode(m_db, side.returnKind);
    if (!next)
        return next.failure();
    const QString code = *next;

    const QString insertLine = QStringLiteral("insert into ") + side.returnLineTable +
                               QStringLiteral(" (Kode, KodeBarang, NamaBarang, Qty, Satuan, "
                                              "Harga, Diskon, Jumlah) values (?,?,?,?,?,?,?,?)");
    // Goods a customer brings back are on the shelf again; goods sent back
    // to a supplier leave it.
    const QString moveStock = m_side == Side::Sales
                                  ? QStringLiteral("update barang set stock=stock+? where kode=?")
                                  : QStringLiteral("update barang set stock=stock-? where kode=?");
    for (const DocumentLine& line : m_lines) {
        const QVariant quantity = text::storedNumber(line.quantity.value);
        if (!m_db.exec(insertLine, {code, line.code, line.name, quantity, line.unit,
                                    text::storedNumber(line.price.value),
                                    text::storedNumber(line.discount.value),
                                    text::storedNumber(line.amount.value)}) ||
            !m_db.exec(moveStock, {quantity, line.code}))
            return m_db.failure();
    }

    // The value of the return pays off the party's open documents in the
    // order they were stored; the rest is handed back.
    struct Open {
        QString code;
        double amount;
    };
    QList<Open> open;
    if (!m_db.query(QStringLiteral("select Kode, ") + side.debtColumn +
                        QStringLiteral(" from transaksi where KodeSP=? and ") + side.debtColumn +
                        QStringLiteral(">0 order by ") + m_db.storedOrder(),
                    {m_partyCode}, [&](const QStringList& row) {
                        open.append({row.value(0), text::textToNumber(row.value(1))});
                    }))
        return m_db.failure();
    double remaining = text::roundHalfEven(text::textToNumber(m_total));
    const QString settle = QStringLiteral("update transaksi set ") + side.debtColumn +
                           QStringLiteral("=? where Kode=?");
    for (const Open& document : open) {
        if (remaining <= 0)
            break;
        const double left = remaining < document.amount ? document.amount - remaining : 0;
        if (!m_db.exec(settle, {text::storedNumber(left), document.code}))
            return m_db.failure();
        remaining = left > 0 ? 0 : text::roundHalfEven(remaining - document.amount);
    }

    const QString note = side.returnNote + m_partyName;
    if (!m_db.exec(QStringLiteral("insert into transaksi (Kode, Ref, Tanggal, KodeSP, Tunai, "
                                  "Jumlah, Operator, Nota, Ket) values (?,?,?,?,?,?,?,?,?)"),
                   {code, side.returnRef, date, m_partyCode, text::storedNumber(m_total),
                    text::storedNumber(remaining), operatorName, note, note}))
        return m_db.failure();
    if (!transaction.commit())
        return m_db.failure();
    // The debt and "Sisa " stay as they were: what was open less the
    // return is what is open now.
    m_stored = true;
    m_everSaved = true;
    return code;
}

QString ReturnDocument::listTitle() const
{
    return QStringLiteral("DATA RETUR ") + sideInfo(m_side).returnListTitle + m_partyName;
}
