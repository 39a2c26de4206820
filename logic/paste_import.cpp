#include "logic/paste_import.h"

#include "core/database.h"
#include "core/text_ops.h"
#include "logic/parties.h"
#include "logic/products.h"

#include <QHash>

namespace paste {

namespace {

// A field as stored: quotes become backquotes, NUL goes, and a lone half of
// a surrogate pair (which has no UTF-8 form) becomes the replacement character.
QString cleaned(QStringView field)
{
    QString out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const QChar c = field[i];
        if (c == u'\'') {
            out += u'`';
        } else if (c.isNull()) {
            continue;
        } else if (c.isHighSurrogate() && i + 1 < field.size() && field[i + 1].isLowSurrogate()) {
            out += c;
            out += field[++i];
        } else if (c.isSurrogate()) {
            out += QChar(QChar::ReplacementCharacter);
        } else {
            out += c;
        }
    }
    return out;
}

// The fields of a line as one row of a list of `columns` columns.
QStringList padded(const Line& line, int columns)
{
    QStringList row = line.fields.mid(0, columns);
    while (row.size() < columns)
        row.append(QString());
    return row;
}

QList<QStringList> rows(const QList<Line>& lines, int columns)
{
    QList<QStringList> all;
    all.reserve(lines.size());
    for (const Line& line : lines)
        all.append(padded(line, columns));
    return all;
}

QString nothingStoredText()
{
    return QStringLiteral("Impor dibatalkan, tidak ada data yang disimpan.");
}

QString sqlErrorText(const Database& db)
{
    return QStringLiteral("SQL error: ") + db.errorMessage();
}

// The import's result once its transaction is committed; nothing at all
// is stored when the commit fails.
Outcome<Result> committed(Database::Transaction& transaction, Result result)
{
    if (!transaction.commit())
        return Failure{nothingStoredText()};
    return result;
}

} // namespace

QList<Line> parse(QStringView text)
{
    QList<Line> lines;
    int number = 0;
    qsizetype start = 0;
    const qsizetype size = text.size();
    while (start < size) {
        qsizetype end = start;
        while (end < size && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        const QStringView line = text.mid(start, end - start);
        ++number;
        start = end;
        if (start < size)
            start += text[start] == u'\r' && start + 1 < size && text[start + 1] == u'\n' ? 2 : 1;

        Line parsed{number, {}};
        bool blank = true;
        for (const QStringView field : line.tokenize(u'\t')) {
            parsed.fields.append(cleaned(field));
            blank = blank && parsed.fields.last().isEmpty();
        }
        if (!blank)
            lines.append(std::move(parsed));
    }
    return lines;
}

QList<QStringList> productRows(const QList<Line>& lines)
{
    return rows(lines, productColumns);
}

QList<QStringList> partyRows(const QList<Line>& lines)
{
    return rows(lines, partyColumns);
}

Outcome<Result> importProducts(Database& db, const QList<Line>& lines)
{
    Result result{QStringLiteral("barang"), static_cast<int>(lines.size()), {}, {}};
    static const QString exists = QStringLiteral("select count(*) from barang where kode=?");
    static const QString insert =
        QStringLiteral("insert into barang (kode, jenis, nama, kategori, stock, satuan, hpp, "
                       "hargajual, diskon, barcode) values (?,?,?,?,?,?,?,?,?,?)");

    Database::Transaction transaction(db);
    if (!transaction.active())
        return Failure{nothingStoredText()};
    QHash<QString, int> taken; // code -> the line of this paste that stored it
    for (const Line& line : lines) {
        products::Product product = products::fromRow(padded(line, productColumns));
        const QString code = product.code;
        const auto refuse = [&](const QString& reason) {
            result.refused.append({line.number, text::shortened(code), reason});
        };
        if (const QString wrong = products::checkCode(code); !wrong.isEmpty()) {
            refuse(wrong);
            continue;
        }
        if (const auto earlier = taken.constFind(code); earlier != taken.cend()) {
            refuse(QStringLiteral("kode sama dengan baris ") + QString::number(*earlier));
            continue;
        }
        if (const QString wrong = products::checkNumbers(product); !wrong.isEmpty()) {
            refuse(wrong);
            continue;
        }
        QVariantList values = {product.code,      QStringLiteral("barang"), product.name,
                               product.category,  product.stock.text,       product.unit,
                               product.cost.text, product.price.text,       product.discount.text,
                               product.barcode};
        QString count;
        if (!db.query(exists, {code}, [&](const QStringList& found) { count = found.value(0); })) {
            refuse(sqlErrorText(db));
            continue;
        }
        if (count != u"0") {
            refuse(QStringLiteral("kode sudah ada"));
            continue;
        }

        Database::Savepoint step(db);
        if (!step.active())
            return Failure{nothingStoredText()};
        if (!db.exec(insert, values)) {
            refuse(sqlErrorText(db));
            continue;
        }
        if (!step.release())
            return Failure{nothingStoredText()};
        taken.insert(code, line.number);
        product.tiers.clear(); // the tiers are not stored
        result.stored.append(products::rowOf(product));
    }
    return committed(transaction, std::move(result));
}

Outcome<Result> importParties(Database& db, Side side, const QList<Line>& lines)
{
    const SideInfo& info = sideInfo(side);
    Result result{info.partyWord, static_cast<int>(lines.size()), {}, {}};
    const QString insert =
        QStringLiteral("insert into ") + info.partyTable +
        QStringLiteral(" (kode, nama, alamat, kontak, catatan) values (?,?,?,?,?)");
    constexpr auto master = parties::Screen::Master;
    // The next free code from `code` on, or empty when the digits run out. A
    // code that cannot be looked up is tried: its insert fails and says why.
    const auto freeFrom = [&](QString code) {
        while (!code.isEmpty()) {
            const Outcome<bool> taken = parties::exists(db, side, code);
            if (!taken || !*taken)
                break;
            code = parties::codeAfter(side, master, code);
        }
        return code;
    };

    Database::Transaction transaction(db);
    if (!transaction.active())
        return Failure{nothingStoredText()};
    // Numbering goes on from the greatest document code, read as the master
    // screen reads a code: everything after the prefix.
    const Outcome<QString> greatest =
        db.value(QStringLiteral("select kode from transaksi order by kode desc limit 1"));
    if (!greatest)
        return Failure{nothingStoredText()};
    QString code = parties::codeAfter(side, master, *greatest);
    for (const Line& line : lines) {
        QStringList row = padded(line, partyColumns);
        code = freeFrom(code);
        if (code.isEmpty()) {
            // No room after the document number: on from the table's last
            // code, as a party added by hand would be numbered.
            const Outcome<QString> last = parties::lastCode(db, side);
            if (!last) {
                result.refused.append({line.number, text::shortened(row.at(1)), last.reason()});
                continue;
            }
            code = freeFrom(parties::codeAfter(side, master, *last));
            if (code.isEmpty()) {
                result.refused.append({line.number, text::shortened(row.at(1)),
                                       parties::outOfCodesText(side, *last)});
                continue;
            }
        }
        row[0] = code;

        Database::Savepoint step(db);
        if (!step.active())
            return Failure{nothingStoredText()};
        if (!db.exec(insert, QVariantList(row.begin(), row.end()))) {
            result.refused.append({line.number, text::shortened(row.at(1)), sqlErrorText(db)});
            continue;
        }
        if (!step.release())
            return Failure{nothingStoredText()};
        result.stored.append(std::move(row));
        code = parties::codeAfter(side, master, code);
    }
    return committed(transaction, std::move(result));
}

QString questionText()
{
    // Two sentences on two lines.
    return QStringLiteral(
        "Proses ini membutuhkan pengecekan data yang valid, sebelum melanjutkan ke proses "
        "penyimpanan mohon teliti terlebih dahulu Id/Kode/Induk agar tidak sama persis dengan "
        "data sudah di input sebelumnya\nYakin dengan data anda?, data yang tidak yang valid "
        "tidak akan ter-input dalam database.");
}

QString productsCaption()
{
    return QStringLiteral("Hasil Copas dari Excel");
}

QString partiesCaption()
{
    return QStringLiteral("Inpor Data dari Excel");
}

QString summaryText(const Result& result)
{
    return QStringLiteral("Dari jumlah data ") + result.subject + u' ' +
           QString::number(result.pasted) + QStringLiteral(" Item yang diimport ke database; ") +
           QString::number(result.stored.size()) +
           QStringLiteral(" data telah berhasil di simpan dan ") +
           QString::number(result.refused.size()) + QStringLiteral(" gagal disimpan");
}

QString refusedText(const Result& result)
{
    if (result.refused.isEmpty())
        return {};
    constexpr qsizetype shown = 20;
    QString text = QStringLiteral("Data yang gagal disimpan:");
    for (const Refusal& refusal : result.refused.mid(0, shown)) {
        text += QStringLiteral("\nBaris ") + QString::number(refusal.line);
        if (!refusal.label.isEmpty())
            text += QStringLiteral(" (") + refusal.label + u')';
        text += QStringLiteral(": ") + refusal.reason;
    }
    if (result.refused.size() > shown) {
        text += QStringLiteral("\n… dan ") + QString::number(result.refused.size() - shown) +
                QStringLiteral(" lagi");
    }
    return text;
}

QString reportText(const Result& result)
{
    const QString refused = refusedText(result);
    return refused.isEmpty() ? summaryText(result)
                             : summaryText(result) + QStringLiteral("\n\n") + refused;
}

} // namespace paste
