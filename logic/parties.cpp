#include "logic/parties.h"

#include "core/database.h"
#include "core/text_ops.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace parties {

namespace {

QString selectColumns()
{
    return QStringLiteral("select kode, nama, alamat, kontak, catatan FROM ");
}

Outcome<Table> listed(Database& db, const QString& sql, const QVariantList& params = {})
{
    const Outcome<QList<QStringList>> rows = db.select(sql, params);
    if (!rows)
        return rows.failure();
    return Table{columns(), *rows};
}

} // namespace

QList<Table::Column> columns()
{
    return {{QStringLiteral("Kode"), Qt::AlignLeft},
            {QStringLiteral("Nama"), Qt::AlignLeft},
            {QStringLiteral("Alamat"), Qt::AlignLeft},
            {QStringLiteral("Kontak"), Qt::AlignHCenter},
            {QStringLiteral("Keterangan"), Qt::AlignLeft}};
}

Party walkIn(Side side)
{
    const QString bebas = QStringLiteral("Bebas");
    return {bebas, bebas, bebas, bebas, sideInfo(side).partyPrefix + QStringLiteral("00000")};
}

Outcome<QString> lastCode(Database& db, Side side)
{
    return db.value(QStringLiteral("select kode from ") + sideInfo(side).partyTable +
                    QStringLiteral(" order by kode desc limit 1"));
}

QString codeAfter(Side side, Screen screen, const QString& last)
{
    // The master screen reads everything after the prefix, the picker only
    // the five characters after it; so a supplier "SP-00001" made by the
    // picker is number 1 on the master screen too.
    const int digits = screen == Screen::Master ? sideInfo(side).masterCodeDigits : 5;
    double number = 1;
    if (!last.isEmpty())
        number = text::textToNumber(screen == Screen::Master ? QStringView(last).mid(3)
                                                             : QStringView(last).mid(3, 5)) +
                 1;
    number = std::floor(number);
    // Only a hand-made code reads below zero; numbering then starts again.
    if (number < 1)
        number = 1;
    if (number >= std::pow(10.0, digits))
        return {};
    return sideInfo(side).partyPrefix +
           QString::number(static_cast<qint64>(number)).rightJustified(digits, u'0');
}

QString outOfCodesText(Side side, const QString& last)
{
    return QStringLiteral("Nomor kode ") + sideInfo(side).partyWord +
           QStringLiteral(" sudah habis (") + last + QStringLiteral("). Data tidak disimpan.");
}

Outcome<Table> load(Database& db, Side side)
{
    return listed(db,
                  selectColumns() + sideInfo(side).partyTable + QStringLiteral(" Order By Kode"));
}

Outcome<Table> search(Database& db, Side side, Screen screen, const QString& text)
{
    const QStringList columns = screen == Screen::Master
                                    ? QStringList{u"kode"_s, u"nama"_s, u"alamat"_s, u"kontak"_s}
                                    : QStringList{u"kode"_s, u"nama"_s, u"kontak"_s, u"alamat"_s};
    QStringList conditions;
    for (const QString& column : columns)
        conditions.append(db.like(column, u"?1"_s));
    // In code order, as a file's table keyed by code is read.
    return listed(db,
                  selectColumns() + sideInfo(side).partyTable + u" where "_s +
                      conditions.join(u" or "_s) + u" order by kode"_s,
                  {QString(u'%' + text + u'%')});
}

Outcome<bool> exists(Database& db, Side side, const QString& code)
{
    const Outcome<QString> count =
        db.value(QStringLiteral("select count(*) from ") + sideInfo(side).partyTable +
                     QStringLiteral(" where kode=?"),
                 {code});
    if (!count)
        return count.failure();
    return text::textToNumber(*count) > 0;
}

Outcome<QString> add(Database& db, Side side, Screen screen, const Party& party)
{
    const Outcome<QString> last = lastCode(db, side);
    if (!last)
        return last;
    QString code = codeAfter(side, screen, *last);
    // The two numberings sort apart ("SP-003" comes after "SP-00004" in text
    // order), so the next code can be one already given: skip it.
    while (!code.isEmpty()) {
        const Outcome<bool> taken = exists(db, side, code);
        if (!taken)
            return taken.failure();
        if (!*taken)
            break;
        code = codeAfter(side, screen, code);
    }
    if (code.isEmpty())
        return Failure{outOfCodesText(side, *last)};
    if (!db.exec(QStringLiteral("insert into ") + sideInfo(side).partyTable +
                     QStringLiteral(" (kode, nama, alamat, kontak, catatan) values (?,?,?,?,?)"),
                 {code, party.name, party.address, party.contact, party.note}))
        return db.failure();
    return code;
}

Outcome<> update(Database& db, Side side, const Party& party)
{
    return db.outcome(
        db.exec(QStringLiteral("update ") + sideInfo(side).partyTable +
                    QStringLiteral(" set nama=?, alamat=?, kontak=?, catatan=? where kode=?"),
                {party.name, party.address, party.contact, party.note, party.code}));
}

Outcome<> remove(Database& db, Side side, const QString& code)
{
    return db.outcome(db.exec(QStringLiteral("delete from ") + sideInfo(side).partyTable +
                                  QStringLiteral(" where kode=?"),
                              {code}));
}

Outcome<> removeAll(Database& db, Side side)
{
    return db.outcome(db.exec(QStringLiteral("delete from ") + sideInfo(side).partyTable));
}

} // namespace parties
