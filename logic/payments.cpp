#include "logic/payments.h"

#include "core/database.h"
#include "core/numbering.h"
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
// the ones open `now`: the same documents with the same figures, in the same order.
bool listed(const Payment& payment, const QList<Document>& now)
{
    if (payment.documents != now)
        return false;
    double open = 0;
    for (const Document& document : now)
        open += document.open;
    return text::roundHalfEven(payment.outstanding) == text::roundHalfEven(open);
}

Outcome<Table> withColumns(Outcome<QList<QStringList>> rows, QList<Table::Column> columns)
{
    if (!rows)
        return rows.failure();
    return Table{std::move(columns), *rows};
}

} // namespace

QList<Table::Column> partyColumns(Side side)
{
    const SideInfo& info = sideInfo(side);
    const Qt::Alignment left = Qt::AlignLeft, right = Qt::AlignRight;
    return {{QStringLiteral("Kode"), left},
            {info.partyWord, left},
            {info.debtWord, right},
            {QStringLiteral("Terbayar"), right},
            {QStringLiteral("Sisa ") + info.debtWord, right}};
}

QList<Table::Column> documentColumns(Side side)
{
    const SideInfo& info = sideInfo(side);
    const Qt::Alignment left = Qt::AlignLeft, right = Qt::AlignRight;
    return {{QStringLiteral("Kode"), left},       {QStringLiteral("Jumlah"), right},
            {QStringLiteral("Bayar Kas"), right}, {info.debtWord, right},
            {QStringLiteral("Terbayar"), right},  {QStringLiteral("Sisa ") + info.debtWord, right}};
}

Outcome<Table> loadParties(Database& db, Side side)
{
    // One pass over the open documents, grouped; the parties come in code
    // order as their table keeps them. Only open documents count: an open
    // amount is never below 0, so a party with none has no open total.
    const SideInfo& info = sideInfo(side);
    const QString& debt = info.debtColumn;
    return withColumns(
        db.select(QStringLiteral("select p.kode, p.nama, sum(t.Jumlah-t.Potongan-t.Tunai), "
                                 "sum(t.Jumlah-t.Potongan-t.Tunai-t.") +
                  debt + QStringLiteral("), sum(t.") + debt + QStringLiteral(") from ") +
                  info.partyTable +
                  QStringLiteral(" p join transaksi t on t.KodeSP=p.kode and t.") + debt +
                  QStringLiteral(">0 group by p.kode order by p.kode")),
        partyColumns(side));
}

Outcome<Table> loadDocuments(Database& db, Side side, const QString& partyCode)
{
    const QString& debt = sideInfo(side).debtColumn;
    return withColumns(
        db.select(QStringLiteral("select Kode, Jumlah, Tunai, Jumlah-Potongan-Tunai, "
                                 "Jumlah-Potongan-") +
                      debt + QStringLiteral(", ") + debt +
                      QStringLiteral(" from transaksi where KodeSP=? and ") + debt +
                      QStringLiteral(">0 order by ") + db.storedOrder(),
                  {partyCode}),
        documentColumns(side));
}

QList<Document> documentsOf(const QList<QStringList>& rows)
{
    QList<Document> documents;
    documents.reserve(rows.size());
    for (const QStringList& row : rows) {
        const auto number = [&](int column) { return text::textToNumber(row.value(column)); };
        documents.append({row.value(DocCode), number(DocTotal), number(DocCash), number(DocCredit),
                          number(DocPaid), number(DocOpen)});
    }
    return documents;
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

Outcome<bool> isCurrent(Database& db, const Payment& payment)
{
    const Outcome<Table> now = loadDocuments(db, payment.side, payment.partyCode);
    if (!now)
        return now.failure();
    return listed(payment, documentsOf(now->rows));
}

QString changedText(Side side, const QString& partyName, const QString& document)
{
    return QStringLiteral("Sisa ") + sideInfo(side).debtWord + u' ' + partyName.trimmed() +
           QStringLiteral(" sudah berubah sejak ditampilkan, ") + document +
           QStringLiteral(" tidak disimpan. Periksa sisa yang baru, lalu simpan lagi.");
}

Outcome<Stored> store(Database& db, const Payment& payment)
{
    const SideInfo& side = sideInfo(payment.side);
    if (payment.partyCode.isEmpty())
        return Failure{QStringLiteral("Pilih ") + side.partyWord +
                       QStringLiteral(" terlebih dahulu.")};
    const Outcome<double> typed =
        amount::typed(payment.paid.value, QStringLiteral("Jumlah dibayar"));
    if (!typed)
        return typed.failure();
    const double paid = text::roundHalfEven(*typed);

    Database::Transaction transaction(db);
    if (!transaction.active())
        return db.failure();
    // Read again under the write lock: what another till stored since the
    // list was read must not be paid a second time.
    const Outcome<Table> read = loadDocuments(db, payment.side, payment.partyCode);
    if (!read)
        return read.failure();
    const QList<Document> now = documentsOf(read->rows);
    if (!listed(payment, now))
        return Failure{changedText(payment.side, payment.partyName, QStringLiteral("pembayaran"))};

    QList<double> open;
    for (const Document& document : now)
        open.append(document.open);
    Stored stored;
    stored.steps = allocate(open, paid);
    stored.recorded = std::min(text::roundHalfEven(payment.outstanding), paid);
    const Outcome<QString> next = numbering::nextCode(db, side.paymentKind);
    if (!next)
        return next.failure();
    stored.code = *next;

    const QString close = QStringLiteral("update transaksi set ") + side.debtColumn +
                          QStringLiteral("=0 where Kode=?");
    const QString lower = QStringLiteral("update transaksi set ") + side.debtColumn + u'=' +
                          side.debtColumn + QStringLiteral("-? where Kode=?");
    for (const Step& step : stored.steps) {
        const QString& code = now.at(step.row).code;
        if (!(step.closes ? db.exec(close, {code})
                          : db.exec(lower, {text::storedNumber(step.amount), code})))
            return db.failure();
    }
    if (!db.exec(QStringLiteral("insert into transaksi (Kode, Ref, Tanggal, KodeSP, Tunai, "
                                "Operator, Ket, Nota) values (?, ?, ?, ?, ?, ?, ?, ?)"),
                 {stored.code, side.documentRef, payment.date, payment.partyCode,
                  text::storedNumber(stored.recorded), payment.operatorName,
                  QString(side.paymentNote + payment.partyName), side.paymentNota}))
        return db.failure();
    if (!transaction.commit())
        return db.failure();
    return stored;
}

void showStored(const Stored& stored, const Payment& payment, QList<QStringList>& documents,
                QStringList& partyRow)
{
    for (const Step& step : stored.steps) {
        QStringList& row = documents[step.row];
        row.resize(DocColumns);
        const QString open = step.closes
                                 ? QStringLiteral("0")
                                 : text::numberToText(rounded(row.at(DocOpen)) - step.amount);
        row[DocCredit] = open;
        row[DocPaid] = plus(row.at(DocPaid), step.amount);
        row[DocOpen] = open;
    }
    const double outstanding = text::roundHalfEven(payment.outstanding);
    const double paid = text::roundHalfEven(payment.paid.value);
    partyRow.resize(PartyColumns);
    partyRow[PartyPaid] = plus(partyRow.at(PartyPaid), stored.recorded);
    partyRow[PartyOpen] = text::numberToText(outstanding > paid ? outstanding - paid : 0);
}

vouchers::Voucher voucher(const Payment& payment, double recorded, const QString& number,
                          QLatin1StringView receiver)
{
    return {number,
            payment.partyName,
            QStringLiteral("Pembayaran Piutang Sebesar : ") + text::numberToText(recorded),
            text::wholeNumber(recorded),
            QStringLiteral("Sisa Piutang Sebesar : ") + payment.outstandingText,
            QString(receiver)};
}

} // namespace payments
