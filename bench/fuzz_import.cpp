// toko_fuzz_import: random clipboard texts through the paste import.
//
//   toko_fuzz_import [inputs] [seed]      (1,000,000 inputs, seed 1 by default)
//
// Every input is parsed and imported as products, customers or suppliers into
// one shop kept in a temporary folder (synchronous writes off: this is about
// the logic, not the disk). After each input:
//   - the lines are the text cut at CR LF, LF and CR, blank ones left out,
//     with nothing but the line ends lost;
//   - every statement the import ran is one of its fixed texts (traced by
//     the database), so nothing pasted ever reached the SQL text;
//   - every stored row holds exactly the pasted fields (numbers as numbers),
//     the products stored are the ones an independent check accepts, the
//     parties have new codes of their table's form, and the counts add up;
//   - every 10,000 inputs and at the end, sqlite_master is as it was.
// Stops at the first input that breaks a rule, printing it.

#include "core/database.h"
#include "core/text_ops.h"
#include "logic/paste_import.h"
#include "logic/shop_database.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace {

QSet<QString> fixedTexts()
{
    QSet<QString> texts{
        QStringLiteral("begin immediate"),
        QStringLiteral("commit"),
        QStringLiteral("rollback"),
        QStringLiteral("savepoint step"),
        QStringLiteral("rollback to step"),
        QStringLiteral("release step"),
        QStringLiteral("select count(*) from barang where kode=?"),
        QStringLiteral("insert into barang (kode, jenis, nama, kategori, stock, satuan, hpp, "
                       "hargajual, diskon, barcode) values (?,?,?,?,?,?,?,?,?,?)"),
        QStringLiteral("select kode from transaksi order by kode desc limit 1"),
    };
    for (const char* table : {"pelanggan", "supplier"}) {
        const QString name = QString::fromLatin1(table);
        texts << QStringLiteral("select count(*) from ") + name + QStringLiteral(" where kode=?")
              << QStringLiteral("select kode from ") + name +
                     QStringLiteral(" order by kode desc limit 1")
              << QStringLiteral("insert into ") + name +
                     QStringLiteral(" (kode, nama, alamat, kontak, catatan) values (?,?,?,?,?)");
    }
    return texts;
}

struct Trace {
    bool on = false;
    QStringList seen;
};

// Pieces a clipboard text is made of: mostly line ends, tabs and the
// characters numbers and codes are written with, now and then the odd ones.
const QList<QString> pieces = {u"\t"_qs,
                               u"\t"_qs,
                               u"\t"_qs,
                               u"\r\n"_qs,
                               u"\n"_qs,
                               u"\r"_qs,
                               u"'"_qs,
                               u"0"_qs,
                               u"1"_qs,
                               u"5"_qs,
                               u"9"_qs,
                               u"."_qs,
                               u"-"_qs,
                               u" "_qs,
                               u","_qs,
                               u"A"_qs,
                               u"B"_qs,
                               u"Rp"_qs,
                               u"e"_qs,
                               u"x"_qs,
                               u"é"_qs,
                               u"\0"_qs,
                               u"\U0001F600"_qs,
                               QString(QChar(0xD800)),
                               QString(QChar(0xDC00)),
                               u"%"_qs,
                               u"?"_qs,
                               u";"_qs,
                               u"\""_qs};

QString randomText(std::mt19937& random)
{
    const int length = std::uniform_int_distribution<int>(0, 99)(random) < 2
                           ? std::uniform_int_distribution<int>(0, 5000)(random)
                           : std::uniform_int_distribution<int>(0, 60)(random);
    std::uniform_int_distribution<qsizetype> piece(0, pieces.size() - 1);
    QString text;
    for (int i = 0; i < length; ++i)
        text += pieces.at(piece(random));
    return text;
}

// The lines the parser must give, found another way: line ends made one,
// cut, and each field cleaned character by character.
QList<paste::Line> expectedLines(QString text)
{
    text.replace(u"\r\n"_qs, u"\n"_qs).replace(u'\r', u'\n');
    QList<paste::Line> lines;
    const QStringList cut = text.split(u'\n');
    for (qsizetype n = 0; n < cut.size(); ++n) {
        paste::Line line{static_cast<int>(n + 1), {}};
        bool blank = true;
        for (const QString& raw : cut.at(n).split(u'\t')) {
            QString field;
            for (qsizetype i = 0; i < raw.size(); ++i) {
                const char16_t c = raw.at(i).unicode();
                if (c == 0)
                    continue;
                if (QChar::isHighSurrogate(c) && i + 1 < raw.size() &&
                    raw.at(i + 1).isLowSurrogate())
                    field += raw.mid(i++, 2);
                else if (QChar::isSurrogate(c))
                    field += QChar(QChar::ReplacementCharacter);
                else
                    field += c == u'\'' ? QChar(u'`') : QChar(c);
            }
            blank = blank && field.isEmpty();
            line.fields.append(field);
        }
        if (!blank)
            lines.append(line);
    }
    return lines;
}

QStringList rowOf(Database& db, const QString& sql, const QString& code)
{
    QStringList found;
    db.query(sql, {code}, [&](const QStringList& row) { found = row; });
    return found;
}

QSet<QString> codesOf(Database& db, const QString& table)
{
    QSet<QString> codes;
    db.query(u"select kode from "_qs + table, {},
             [&](const QStringList& row) { codes.insert(row.at(0)); });
    return codes;
}

QString escaped(const QString& text)
{
    QString out;
    for (const QChar c : text)
        out += c.unicode() < 32 || c.isSurrogate()
                   ? u"\\u%1"_qs.arg(int(c.unicode()), 4, 16, QChar(u'0'))
                   : QString(c);
    return out;
}

// A pasted number field as the import must store it, or why not.
bool numberFits(const QString& field, QVariant& stored)
{
    static const QRegularExpression plain(u"^ *-?[0-9]+(\\.[0-9]*[1-9])? *$"_qs);
    if (field.isEmpty()) {
        stored = QString();
        return true;
    }
    if (!plain.match(field).hasMatch())
        return false;
    const double value = field.trimmed().toDouble();
    stored = text::numberToText(value);
    return std::fabs(value) <= 1e12;
}

} // namespace

int main(int argc, char** argv)
{
    const long inputs = argc > 1 ? std::atol(argv[1]) : 1000000;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::atol(argv[2])) : 1;
    QTemporaryDir folder;
    const QString path = folder.filePath(u"fuzz.db3"_qs);
    if (const QString error = shopdb::create(path, true).reason(); !error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 2;
    }
    Database db;
    if (!db.open(path) || !db.exec(u"pragma synchronous=off"_qs) ||
        !db.exec(u"pragma journal_mode=memory"_qs))
        return 2;
    const QString master = u"select type, name, tbl_name, sql from sqlite_master order by name"_qs;
    QStringList schema;
    db.query(master, {}, [&](const QStringList& row) { schema.append(row.join(u'|')); });
    const auto schemaKept = [&] {
        QStringList now;
        db.query(master, {}, [&](const QStringList& row) { now.append(row.join(u'|')); });
        return now == schema;
    };
    const QSet<QString> allowed = fixedTexts();
    Trace trace;
    db.traceStatements([&trace](const QString& sql) {
        if (trace.on)
            trace.seen.append(sql);
    });

    std::mt19937 random(seed);
    long lines = 0, stored = 0, refused = 0;
    QElapsedTimer clock;
    clock.start();
    for (long input = 0; input < inputs; ++input) {
        const QString text = randomText(random);
        const int target = std::uniform_int_distribution<int>(0, 3)(random); // 0, 1: products
        const Side side = target == 2 ? Side::Sales : Side::Purchase;
        const QString table = target < 2 ? u"barang"_qs : sideInfo(side).partyTable;
        if (input % 64 == 0) {
            // A fresh start now and then, with a document number that leaves
            // the suppliers' codes little room or none.
            db.exec(u"delete from barang"_qs);
            db.exec(u"delete from pelanggan"_qs);
            db.exec(u"delete from supplier"_qs);
            db.exec(u"delete from transaksi"_qs);
            const int number = std::uniform_int_distribution<int>(0, 1200)(random);
            db.exec(u"insert into transaksi (Kode) values (?)"_qs,
                    {QString(u"JL-"_qs + QString::number(number).rightJustified(14, u'0'))});
        }
        const auto fail = [&](const char* rule) {
            std::fprintf(stderr, "input %ld (seed %u): %s\n  text: \"%s\"\n", input, seed, rule,
                         qPrintable(escaped(text)));
            std::exit(1);
        };

        const QList<paste::Line> parsed = paste::parse(text);
        if (parsed != expectedLines(text))
            fail("the lines are not the text cut at its line ends");
        const QSet<QString> before = codesOf(db, table);
        trace.on = true;
        trace.seen.clear();
        const auto result =
            target < 2 ? paste::importProducts(db, parsed) : paste::importParties(db, side, parsed);
        trace.on = false;
        if (!result)
            fail("the import failed");
        for (const QString& sql : trace.seen) {
            if (!allowed.contains(sql))
                fail(qPrintable(u"a statement that is not the import's own: "_qs + sql));
        }
        if (result->pasted != parsed.size() ||
            result->stored.size() + result->refused.size() != parsed.size())
            fail("the counts do not add up");
        if (codesOf(db, table).size() != before.size() + result->stored.size())
            fail("the table did not grow by the rows stored");

        if (target < 2) {
            // The products an independent check accepts, with their stored values.
            QList<QStringList> accepted;
            QSet<QString> taken = before;
            for (const paste::Line& line : parsed) {
                QStringList row = line.fields.mid(0, 9);
                while (row.size() < 9)
                    row.append(QString());
                // A code must hold more than white space, and no NUL.
                bool fits = !row.at(0).trimmed().isEmpty() && !row.at(0).contains(QChar(u'\0')) &&
                            !taken.contains(row.at(0));
                for (const int column : {3, 5, 6, 7}) {
                    QVariant value;
                    fits = fits && numberFits(row.at(column), value);
                    row[column] = value.toString();
                }
                if (fits) {
                    taken.insert(row.at(0));
                    accepted.append(row << QString());
                }
            }
            if (result->stored != accepted)
                fail("the products stored are not the ones that fit");
            for (const QStringList& row : result->stored) {
                const QStringList found =
                    rowOf(db,
                          u"select kode, nama, kategori, stock, satuan, hpp, hargajual, diskon, "
                          "barcode, coalesce(FunctSQL, ''), jenis from barang where kode = ?"_qs,
                          row.at(0));
                if (found != row + QStringList{u"barang"_qs})
                    fail("a stored product differs from its pasted fields");
            }
        } else {
            qsizetype next = 0; // the next refusal
            for (qsizetype i = 0; i < parsed.size(); ++i) {
                const paste::Line& line = parsed.at(i);
                const bool outOfCodes =
                    next < result->refused.size() && result->refused.at(next).line == line.number;
                if (outOfCodes) {
                    if (!result->refused.at(next++).reason.startsWith(u"Nomor kode "_qs))
                        fail("a party refused for anything but running out of codes");
                    continue;
                }
                const QStringList& row = result->stored.at(i - next);
                QStringList fields = line.fields.mid(1, 4);
                while (fields.size() < 4)
                    fields.append(QString());
                static const QRegularExpression form(u"^(PL-[0-9]{5}|SP-[0-9]{3})$"_qs);
                if (!form.match(row.at(0)).hasMatch() ||
                    !row.at(0).startsWith(sideInfo(side).partyPrefix) ||
                    before.contains(row.at(0)) || row.mid(1) != fields)
                    fail("a stored party is not its pasted fields under a new code");
                if (rowOf(db, u"select * from "_qs + table + u" where kode = ?"_qs, row.at(0)) !=
                    row)
                    fail("a stored party differs from what the import says it stored");
            }
        }
        lines += parsed.size();
        stored += result->stored.size();
        refused += result->refused.size();
        if (input % 10000 == 9999 && !schemaKept())
            fail("sqlite_master changed");
    }
    if (!schemaKept()) {
        std::fprintf(stderr, "sqlite_master changed\n");
        return 1;
    }
    std::printf("%ld inputs (seed %u): %ld lines, %ld rows stored, %ld refused, %.1f s, "
                "all rules kept\n",
                inputs, seed, lines, stored, refused, clock.elapsed() / 1000.0);
    return 0;
}
