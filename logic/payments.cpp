#include "logic/payments.h"

#include "core/database.h"
#include "core/numbering.h"
#include "core/table_model.h"
#include "core/text_ops.h"
#include "logic/amount_words.h"

#include <algorithm>
#include <cmath>

namespace payments {

namespace {

double rounded(const QString& text)
{
    return text::roundHalfEven(text::textToNumber(text));
}

QString plus(const QString& cell, double amount)
{
    return text::numberToText(text::textToNumber(cell) + amount);
}

// Whether the documents the screen listed, and the open total it showed, are
// the ones open `now`: the same rows, cell for cell, in the same order.
bool listed(const Payment& payment, const TableModel& documents, const TableModel& now)
{
    if (documents.rowCount() != now.rowCount())
        return false;
    double open = 0;
    for (int row = 0; row < now.rowCount(); ++row) {
        if (documents.row(row) != now.row(row))
            return false;
        open += text::textToNumber(now.cell(row, DocOpen));
    }
    return rounded(payment.outstanding) == text::roundHalfEven(open);
}

} // namespace

bool loadParties(Database& db, Side side, TableModel& model)
{
    // One pass over the open documents, grouped; the parties come in code
    // order as their table keeps them. Only open documents count: an open
    // amount is never below 0, so a party with none has no open total.
    const SideInfo& info = sideInfo(side);
    const QString& debt = info.debtColumn;
    return db.fill(model, QStringLiteral("select p.kode, p.nama, sum(t.Jumlah-t.Potongan-t.Tunai), "
                                         "sum(t.Jumlah-t.Potongan-t.Tunai-t.") +
                              debt + QStringLiteral("), sum(t.") + debt +
                              QStringLiteral(") from ") + info.partyTable +
                              QStringLiteral(" p join transaksi t on t.KodeSP=p.kode and t.") +
                              debt + QStringLiteral(">0 group by p.kode order by p.kode"));
}

bool loadDocuments(Database& db, Side side, const QString& partyCode, TableModel& model)
{
    const QString& debt = sideInfo(side).debtColumn;
    return db.fill(model,
                   QStringLiteral("select Kode, Jumlah, Tunai, Jumlah-Potongan-Tunai, "
                                  "Jumlah-Potongan-") +
                       debt + QStringLiteral(", ") + debt +
                       QStringLiteral(" from transaksi where KodeSP=? and ") + debt +
                       QStringLiteral(">0 order by ") + Database::storedOrder(),
                   {partyCode});
}

QList<Step> allocate(const QList<double>& open, double paid)
{
    QList<Step> steps;
    double rest = text::roundHalfEven(paid);
    for (int row = 0; row < open.size(); ++row) {
        const double due = text::roundHalfEven(open[row]);
        if (rest < due) {
            steps.append({row, rest, false});
            break;
        }
        steps.append({row, due, true});
        rest -= due;
    }
    return steps;
}

bool isCurrent(Database& db, const Payment& payment, const TableModel& documents)
{
    TableModel now;
    return loadDocuments(db, payment.side, payment.partyCode, now) &&
           listed(payment, documents, now);
}

QString changedText(Side side, const QString& partyName, const QString& document)
{
    return QStringLiteral("Sisa ") + sideInfo(side).debtWord + u' ' + partyName.trimmed() +
           QStringLiteral(" sudah berubah sejak ditampilkan, ") + document +
           QStringLiteral(" tidak disimpan. Periksa sisa yang baru, lalu simpan lagi.");
}

Outcome<Stored> store(Database& db, const Payment& payment, const TableModel& documents)
{
    const SideInfo& side = sideInfo(payment.side);
    if (payment.partyCode.isEmpty())
        return Failure{QStringLiteral("Pilih ") + side.partyWord +
                       QStringLiteral(" terlebih dahulu.")};
    const Outcome<double> typed = amount::typed(payment.paid, QStringLiteral("Jumlah dibayar"));
    if (!typed)
        return Failure{typed.reason()};
    const double paid = text::roundHalfEven(*typed);

    Database::Transaction transaction(db);
    if (!transaction.active())
        return Failure{};
    // Read again under the write lock: what another till stored since the
    // list was read must not be paid a second time.
    TableModel now;
    if (!loadDocuments(db, payment.side, payment.partyCode, now))
        return Failure{};
    if (!listed(payment, documents, now))
        return Failure{changedText(payment.side, payment.partyName, QStringLiteral("pembayaran"))};

    QList<double> open;
    for (int row = 0; row < now.rowCount(); ++row)
        open.append(text::textToNumber(now.cell(row, DocOpen)));
    Stored stored;
    stored.steps = allocate(open, paid);
    stored.recorded = std::min(rounded(payment.outstanding), paid);
    const Outcome<QString> next = numbering::nextCode(db, side.paymentKind);
    if (!next)
        return Failure{next.reason()};
    stored.code = *next;

    const QString close = QStringLiteral("update transaksi set ") + side.debtColumn +
                          QStringLiteral("=0 where Kode=?");
    const QString lower = QStringLiteral("update transaksi set ") + side.debtColumn + u'=' +
                          side.debtColumn + QStringLiteral("-? where Kode=?");
    for (const Step& step : stored.steps) {
        const QString code = now.cell(step.row, DocCode);
        if (!(step.closes ? db.exec(close, {code})
                          : db.exec(lower, {text::storedNumber(step.amount), code})))
            return Failure{};
    }
    if (!db.exec(QStringLiteral("insert into transaksi (Kode, Ref, Tanggal, KodeSP, Tunai, "
                                "Operator, Ket, Nota) values (?, ?, ?, ?, ?, ?, ?, ?)"),
                 {stored.code, side.documentRef, payment.date, payment.partyCode,
                  text::storedNumber(stored.recorded), payment.operatorName,
                  QString(side.paymentNote + payment.partyName), side.paymentNota}))
        return Failure{};
    if (!transaction.commit())
        return Failure{};
    return stored;
}

void showStored(const Stored& stored, const Payment& payment, TableModel& documents,
                TableModel& parties, int partyRow)
{
    for (const Step& step : stored.steps) {
        const QString open =
            step.closes
                ? QStringLiteral("0")
                : text::numberToText(rounded(documents.cell(step.row, DocOpen)) - step.amount);
        documents.setCell(step.row, DocCredit, open);
        documents.setCell(step.row, DocPaid, plus(documents.cell(step.row, DocPaid), step.amount));
        documents.setCell(step.row, DocOpen, open);
    }
    const double outstanding = rounded(payment.outstanding);
    const double paid = rounded(payment.paid);
    parties.setCell(partyRow, PartyPaid, plus(parties.cell(partyRow, PartyPaid), stored.recorded));
    parties.setCell(partyRow, PartyOpen,
                    text::numberToText(outstanding > paid ? outstanding - paid : 0));
}

vouchers::Voucher voucher(const Payment& payment, double recorded, const QString& number,
                          QLatin1StringView receiver)
{
    return {number,
            payment.partyName,
            QStringLiteral("Pembayaran Piutang Sebesar : ") + text::numberToText(recorded),
            text::wholeNumber(recorded),
            QStringLiteral("Sisa Piutang Sebesar : ") + payment.outstanding,
            QString(receiver)};
}

} // namespace payments
