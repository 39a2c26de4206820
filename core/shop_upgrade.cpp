#include "core/shop_upgrade.h"

#include "core/database.h"

#include <QScopeGuard>

#include <algorithm>
#include <memory>

namespace shopfile {

namespace {

// One helper: the objects it is made of, the statements that make it, and
// two optional checks. An index a report needs is one line of the list in
// helpers():
//     {QStringLiteral("transaksi_x"), QStringLiteral("create index transaksi_x on ...")},
struct Helper {
    // Names as sqlite_master holds them, separated by spaces; the first names
    // the helper. Whatever of them is left over is dropped before it is made.
    QString objects;
    // Statements, separated by ";", that make and fill it.
    QString make;
    // Gives 1 when the shop's tables can take it; empty: always.
    QString fits = {};
    // Gives 1 when the helper, present, can be used; empty: present is enough.
    QString whole = {};
};

// The product search index. Every search of the cashiers and the products
// master looks for its text anywhere in a few columns (LIKE '%text%'), which
// reads the whole table; a trigram index finds the candidates at once.
//
// barang is keyed by its code, so a search lists products in code order. The
// index numbers the products in that order (barang_cari_nomor), leaving room
// between the numbers for products added later, so that a search can take
// its first 500 rows straight from the index, without sorting every
// candidate. When a new product finds no room between its neighbours, or the
// index otherwise cannot follow the table (a row replaced without its delete
// triggers), barang_cari_status says so: the searches read the table itself
// and the next open makes the index anew.
//
// The index holds no copy of the texts: its content is read through the view
// barang_cari_isi. A barcode equal to its code is left out, since the code
// column already holds it. Numbers are indexed in the text form LIKE
// compares (1500, 1301.3). The trigram tokenizer folds case for every
// letter, LIKE only for a to z: the index finds a superset and the searches
// keep LIKE as the final filter.
const QString searchObjects = QStringLiteral(
    "barang_cari barang_cari_data barang_cari_idx barang_cari_config barang_cari_isi "
    "barang_cari_nomor barang_cari_status barang_cari_tambah barang_cari_ubah "
    "barang_cari_ganti barang_cari_hapus");

// The index spreads its numbers evenly over 0 to 2^62 when it is made. A
// product added between two takes the middle, or 2^20 after the one before,
// so codes added one after another still find room; one added before the
// first or after the last steps 2^40 further out, short of overflowing.
const QString addProduct = QStringLiteral(R"(
    update barang_cari_status set siap = 0
        where exists (select 1 from barang_cari_nomor where kode = new.kode);
    insert into barang_cari_nomor (id, kode)
        select case
            when p is null and n is null then 0
            when n is null then case when p < 4611686018427387904 then p + 1099511627776 end
            when p is null then case when n > -4611686018427387904 then n - 1099511627776 end
            when n - p >= 2 then p + min((n - p) / 2, 1048576)
        end, new.kode
        from (select
            (select id from barang_cari_nomor where kode < new.kode order by kode desc limit 1)
                as p,
            (select id from barang_cari_nomor where kode > new.kode order by kode limit 1) as n)
        where (select siap from barang_cari_status) = 1;
    update barang_cari_status set siap = 0
        where (select id from barang_cari_nomor where kode < new.kode order by kode desc limit 1)
                  >= (select id from barang_cari_nomor where kode = new.kode)
           or (select id from barang_cari_nomor where kode > new.kode order by kode limit 1)
                  <= (select id from barang_cari_nomor where kode = new.kode);
    insert into barang_cari (rowid, kode, barcode, nama, kategori, hargajual, hpp)
        select id, new.kode, nullif(new.barcode, new.kode), new.nama, new.kategori,
               new.hargajual, new.hpp
        from barang_cari_nomor
        where kode = new.kode and (select siap from barang_cari_status) = 1;
)");

// The index is told exactly what it holds for the row, so it can take it out.
const QString removeProduct = QStringLiteral(R"(
    insert into barang_cari (barang_cari, rowid, kode, barcode, nama, kategori, hargajual, hpp)
        select 'delete', id, old.kode, nullif(old.barcode, old.kode), old.nama, old.kategori,
               old.hargajual, old.hpp
        from barang_cari_nomor where kode = old.kode;
)");

const QString forgetProduct =
    QStringLiteral("delete from barang_cari_nomor where kode = old.kode;\n");

// A stock change of a sale touches none of the indexed columns and fires
// nothing; a purchase that keeps the cost price changes no indexed text.
const QString searchScript = QStringLiteral(R"(
create table barang_cari_status (siap integer not null);
create table barang_cari_nomor (id integer primary key, kode text not null unique);
create view barang_cari_isi as
    select n.id as id, b.kode as kode, nullif(b.barcode, b.kode) as barcode, b.nama as nama,
           b.kategori as kategori, b.hargajual as hargajual, b.hpp as hpp
    from barang_cari_nomor n join barang b on b.kode = n.kode;
create virtual table barang_cari using fts5(kode, barcode, nama, kategori, hargajual, hpp,
    content = 'barang_cari_isi', content_rowid = 'id', columnsize = 0,
    tokenize = 'trigram case_sensitive 0');
insert into barang_cari_nomor (id, kode)
    select row_number() over (order by kode)
               * (4611686018427387904 / ((select count(*) from barang) + 1)), kode
    from barang;
insert into barang_cari (barang_cari) values ('rebuild');
insert into barang_cari (barang_cari) values ('optimize');
insert into barang_cari_status (siap) values (1);
create trigger barang_cari_tambah after insert on barang
when (select siap from barang_cari_status) = 1 begin
)") + addProduct + QStringLiteral(R"(
end;
create trigger barang_cari_ubah after update of barcode, nama, kategori, hargajual, hpp on barang
when old.kode is new.kode and (select siap from barang_cari_status) = 1
    and (cast(old.barcode as text) is not cast(new.barcode as text)
         or cast(old.nama as text) is not cast(new.nama as text)
         or cast(old.kategori as text) is not cast(new.kategori as text)
         or cast(old.hargajual as text) is not cast(new.hargajual as text)
         or cast(old.hpp as text) is not cast(new.hpp as text)) begin
)") + removeProduct + QStringLiteral(R"(
    insert into barang_cari (rowid, kode, barcode, nama, kategori, hargajual, hpp)
        select id, new.kode, nullif(new.barcode, new.kode), new.nama, new.kategori,
               new.hargajual, new.hpp
        from barang_cari_nomor where kode = new.kode;
end;
create trigger barang_cari_ganti after update of kode on barang
when old.kode is not new.kode and (select siap from barang_cari_status) = 1 begin
)") + removeProduct + forgetProduct +
                             addProduct + QStringLiteral(R"(
end;
create trigger barang_cari_hapus after delete on barang
when (select siap from barang_cari_status) = 1 begin
)") + removeProduct + forgetProduct +
                             QStringLiteral("end;\n");

// The numbering follows the scan order of barang only where barang is keyed
// by its code alone, compared byte by byte, and has no rowid of its own.
const QString barangKeyedByCode = QStringLiteral(R"(
select (select wr from pragma_table_list where schema = 'main' and lower(name) = 'barang') = 1
   and (select group_concat(lower(x.name) || ' ' || upper(x.coll))
        from pragma_index_list('barang') l join pragma_index_xinfo(l.name) x
        where l.origin = 'pk' and x.key = 1) = 'kode BINARY'
)");

const QString searchWhole = QStringLiteral("select siap = 1 from barang_cari_status");

// The cash a document moved, as the file's cash index holds it.
QString fileCashMoved()
{
    return QStringLiteral("case substr(Kode,1,2) "
                          "when 'JL' then min(Tunai+0, ifnull(Jumlah,0)-ifnull(Potongan,0)) "
                          "when 'BL' then min(Tunai+0, ifnull(Jumlah,0)-ifnull(Potongan,0)) "
                          "when 'RJ' then Jumlah+0 when 'RB' then Jumlah+0 "
                          "else Tunai+0 end");
}

const QList<Helper>& helpers()
{
    static const QList<Helper> list = {
        {searchObjects, searchScript, barangKeyedByCode, searchWhole},
        // The open receivables and payables, listed without reading every document.
        {QStringLiteral("transaksi_piutang"),
         QStringLiteral("create index transaksi_piutang on transaksi (Kode) where Piutang>0")},
        {QStringLiteral("transaksi_hutang"),
         QStringLiteral("create index transaksi_hutang on transaksi (Kode) where Hutang>0")},
        // The payments screens' parties with open documents and their sums.
        {QStringLiteral("transaksi_piutang_terbuka"),
         QStringLiteral("create index transaksi_piutang_terbuka on transaksi "
                        "(KodeSP, Jumlah, Potongan, Tunai, Piutang) where Piutang>0")},
        {QStringLiteral("transaksi_hutang_terbuka"),
         QStringLiteral("create index transaksi_hutang_terbuka on transaksi "
                        "(KodeSP, Jumlah, Potongan, Tunai, Hutang) where Hutang>0")},
        // The month's cost of goods sold: one product's cost price per sale line,
        // read from a narrow index instead of the wide product rows.
        {QStringLiteral("barang_hpp"),
         QStringLiteral("create index barang_hpp on barang (kode, hpp)")},
        // The cash book's opening balance: five years of cash read from one index.
        {QStringLiteral("transaksi_kas_uang"),
         QStringLiteral("create index transaksi_kas_uang on transaksi (Ref, Tanggal, (") +
             fileCashMoved() + QStringLiteral("))")},
    };
    return list;
}

bool yes(Database& db, const QString& query)
{
    return query.isEmpty() || db.column(query).value(0) == u"1";
}

bool present(const Helper& helper, const QStringList& names)
{
    const QStringList objects = helper.objects.split(u' ');
    return std::all_of(objects.begin(), objects.end(),
                       [&](const QString& name) { return names.contains(name); });
}

// Drops what is left of a helper, so that it can be made whole again.
bool dropLeftovers(Database& db, const Helper& helper)
{
    static const QStringList kinds = {QStringLiteral("table"), QStringLiteral("view"),
                                      QStringLiteral("index"), QStringLiteral("trigger")};
    for (const QString& name : helper.objects.split(u' ')) {
        // Asked anew each time: dropping the search index takes its shadow tables with it.
        const QString type =
            db.column(QStringLiteral("select type from sqlite_master where name = ?"), {name})
                .value(0);
        if (type.isEmpty())
            continue;
        // Only the fixed names of the list above reach this statement.
        if (!kinds.contains(type) ||
            !db.execScript(QStringLiteral("drop ") + type + QStringLiteral(" \"") + name + u'"'))
            return false;
    }
    return true;
}

bool run(Database& db, const char* statement)
{
    return db.execScript(QString::fromLatin1(statement));
}

// Calls `progress` every few thousand of SQLite's steps while it lives, so
// that a box keeps the screen painted during a long build.
class Reporting final
{
public:
    Reporting(Database& db, const backup::Progress& progress) : m_db(db)
    {
        if (progress)
            m_db.setProgress([&progress] { progress(0, 0); });
    }
    ~Reporting() { m_db.setProgress({}); }
    Reporting(const Reporting&) = delete;
    Reporting& operator=(const Reporting&) = delete;

private:
    Database& m_db;
};

Failure unchanged(Database& db)
{
    return Failure{QStringLiteral("file data toko tidak dapat diubah: ") + db.errorMessage()};
}

QString applicationId(Database& db)
{
    return db.column(QStringLiteral("pragma application_id")).value(0);
}

// The one write transaction of the step; rolled back unless committed.
class Writing final
{
public:
    explicit Writing(Database& db) : m_db(db), m_open(run(db, "begin immediate")) {}
    ~Writing()
    {
        if (m_open)
            run(m_db, "rollback");
    }
    Writing(const Writing&) = delete;
    Writing& operator=(const Writing&) = delete;
    bool open() const { return m_open; }
    bool commit()
    {
        m_open = !run(m_db, "commit");
        return !m_open;
    }

private:
    Database& m_db;
    bool m_open;
};

} // namespace

Outcome<QStringList> upgrade(Database& db, const backup::Progress& progress)
{
    // A server's shop gets every index it needs when it is made.
    if (!db.isOpen() || db.isServer() || db.isReadOnly() || isPlain(db))
        return QStringList();
    const QStringList names = db.column(QStringLiteral("select name from sqlite_master"));
    QList<const Helper*> wanted;
    for (const Helper& helper : helpers()) {
        if (yes(db, helper.fits) && !(present(helper, names) && yes(db, helper.whole)))
            wanted.append(&helper);
    }
    if (wanted.isEmpty())
        return QStringList();
    const Reporting reporting(db, progress);

    // Pages the index adds to the end of the file need no copy in a rollback
    // journal; the log would take each of them twice, in the log and back.
    const bool logged = db.column(QStringLiteral("pragma journal_mode")).value(0) == u"wal";
    if (logged)
        run(db, "pragma journal_mode=delete");
    const auto backToLog = qScopeGuard([&] {
        if (logged)
            run(db, "pragma journal_mode=wal");
    });
    Writing writing(db);
    if (!writing.open())
        return unchanged(db);
    QStringList made;
    QStringList failed;
    for (const Helper* helper : wanted) {
        // One savepoint each: a helper that cannot be made leaves the others in.
        const QString name = helper->objects.section(u' ', 0, 0);
        if (!run(db, "savepoint pembantu"))
            return Failure{db.errorMessage()};
        if (dropLeftovers(db, *helper) && db.execScript(helper->make)) {
            made.append(name);
        } else {
            failed.append(name + QStringLiteral(": ") + db.errorMessage());
            run(db, "rollback to pembantu");
        }
        run(db, "release pembantu");
    }
    if (!writing.commit())
        return unchanged(db);
    if (!failed.isEmpty())
        return Failure{QStringLiteral("pelengkap tidak dapat dibuat: ") + failed.join(u"; ")};
    return made;
}

bool isPlain(Database& db)
{
    return !db.isServer() && applicationId(db) == QString::number(plainMark);
}

Outcome<QStringList> makePlain(Database& db)
{
    if (db.isServer())
        return Failure{QStringLiteral("toko di server tidak memakai pelengkap file")};
    const QString id = applicationId(db);
    if (id != u"0" && id != QString::number(plainMark))
        return Failure{QStringLiteral("file ini sudah ditandai milik program lain "
                                      "(application_id ") +
                       id + QStringLiteral("), tidak diubah")};
    const QStringList names = db.column(QStringLiteral("select name from sqlite_master"));
    QStringList removed;
    {
        Writing writing(db);
        if (!writing.open())
            return unchanged(db);
        for (const Helper& helper : helpers()) {
            const QStringList objects = helper.objects.split(u' ');
            if (std::any_of(objects.begin(), objects.end(),
                            [&](const QString& name) { return names.contains(name); }))
                removed.append(objects.first());
            if (!dropLeftovers(db, helper))
                return Failure{QStringLiteral("pelengkap tidak dapat dihapus: ") +
                               db.errorMessage()};
        }
        // The mark is part of the same transaction: a file is plain and marked, or neither.
        if (!db.execScript(QStringLiteral("pragma application_id = ") +
                           QString::number(plainMark)) ||
            !writing.commit())
            return unchanged(db);
    }
    if (!run(db, "vacuum"))
        return Failure{QStringLiteral("pelengkap sudah dihapus, tetapi ukuran file tidak dapat "
                                      "dikecilkan (VACUUM): ") +
                       db.errorMessage()};
    return removed;
}

Outcome<QStringList> allowHelpers(Database& db)
{
    if (isPlain(db) && !run(db, "pragma application_id = 0"))
        return unchanged(db);
    return upgrade(db);
}

QString cashMoved(const Database& db)
{
    if (db.isServer()) {
        // The same amounts; a server's number columns hold numbers only.
        const QString sold = db.smaller(QStringLiteral("Tunai"),
                                        QStringLiteral("coalesce(Jumlah,0)-coalesce(Potongan,0)"));
        return QStringLiteral("case substr(Kode,1,2) when 'JL' then %1 when 'BL' then %1 "
                              "when 'RJ' then Jumlah when 'RB' then Jumlah else Tunai end")
            .arg(sold);
    }
    return fileCashMoved();
}

QString costOf(Database& db, const QString& code)
{
    // Asked once per statement: through the statement cache.
    const bool indexed =
        !db.isServer() &&
        db.scalar(QStringLiteral("select count(*) from sqlite_master where type = 'index' and "
                                 "name = 'barang_hpp' and tbl_name = 'barang'"),
                  {}) == u"1";
    return QStringLiteral("(select b.hpp from barang b ") +
           (indexed ? QStringLiteral("indexed by barang_hpp ") : QString()) +
           QStringLiteral("where b.kode = ") + code + u')';
}

bool productSearchReady(Database& db)
{
    // Asked at every search: through the statement cache. A server searches
    // the table through its own text indexes.
    return !db.isServer() && db.scalar(searchWhole, {}) == u"1";
}

} // namespace shopfile
