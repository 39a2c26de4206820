#include "logic/export.h"

#include "core/app_context.h"
#include "logic/export_library.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>

#include <vector>

using namespace Qt::StringLiterals;

namespace exporting {

namespace {

constexpr int longestFileTitle = 60;
constexpr int mostFilesOfOneTitle = 100000;

QChar alignmentLetter(Qt::Alignment alignment)
{
    if (alignment & (Qt::AlignRight | Qt::AlignTrailing))
        return u'r';
    if (alignment & Qt::AlignHCenter)
        return u'c';
    return u'l';
}

// Unloads on every way out, as the program keeps nothing of a library between exports.
class LoadedLibrary final
{
public:
    explicit LoadedLibrary(const QStringList& candidates)
    {
        for (const QString& candidate : candidates) {
            m_library.setFileName(candidate);
            if (m_library.load())
                return;
        }
    }
    ~LoadedLibrary()
    {
        if (m_library.isLoaded())
            m_library.unload();
    }
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;

    bool loaded() const { return m_library.isLoaded(); }
    QFunctionPointer resolve(const char* name) { return m_library.resolve(name); }

private:
    QLibrary m_library;
};

// The table as the C texts toko_export_v1 reads; the arrays point into `m_texts`.
class TableTexts final
{
public:
    explicit TableTexts(const ExportTable& table)
    {
        const qsizetype columns = table.headers.size();
        m_texts.reserve(3 + columns * (table.rows.size() + 1) + 1);
        const auto keep = [this](const QString& text) {
            m_texts.append(text.toUtf8());
            return m_texts.constLast().constData();
        };
        m_table.title = keep(table.title);
        m_table.shopName = keep(table.shop.name);
        m_table.shopAddress = keep(table.shop.address);
        for (qsizetype c = 0; c < columns; ++c) {
            m_headers.push_back(keep(table.headers.at(c)));
            m_widths.push_back(table.widths.value(c, 100));
        }
        m_table.alignments = keep(table.alignments.leftJustified(columns, u'l', true));
        m_cells.reserve(static_cast<size_t>(columns * table.rows.size()));
        for (const QStringList& row : table.rows)
            for (qsizetype c = 0; c < columns; ++c)
                m_cells.push_back(keep(row.value(c)));
        m_table.columnCount = static_cast<int32_t>(columns);
        m_table.headers = m_headers.data();
        m_table.widths = m_widths.data();
        m_table.rowCount = static_cast<int32_t>(table.rows.size());
        m_table.cells = m_cells.data();
    }

    const TokoExportTable* table() const { return &m_table; }

private:
    QList<QByteArray> m_texts;
    std::vector<const char*> m_headers;
    std::vector<const char*> m_cells;
    std::vector<int32_t> m_widths;
    TokoExportTable m_table{};
};

Outcome<QString> writeFile(TokoExportFunction write, Format format, const ExportTable& table,
                           const QDir& reportFolder)
{
    const Outcome<QString> reserved =
        reserveReportFile(reportFolder, table.title, fileExtension(format));
    if (!reserved)
        return reserved;
    const TableTexts texts(table);
    char error[512] = {};
    const int status =
        write(texts.table(), QFile::encodeName(*reserved).constData(), error, sizeof error);
    if (status == 0)
        return reserved;
    QFile::remove(*reserved);
    error[sizeof error - 1] = '\0';
    const QString reason = QString::fromUtf8(error);
    return Failure{u"Laporan gagal ditulis ke "_s + QDir::toNativeSeparators(*reserved) +
                   (reason.isEmpty() ? QString() : u": "_s + reason)};
}

void handOverText(QFunctionPointer function, Format format, const ExportTable& table)
{
    if (format == Format::WebPage) {
        const WebTexts texts = webTexts(table);
        reinterpret_cast<TokoWebTableData>(function)(
            texts.meta.constData(), texts.header.constData(), texts.data.constData());
    } else {
        const QByteArray data = sheetData(table);
        reinterpret_cast<TokoSheetTableData>(function)(static_cast<int32_t>(table.rows.size()),
                                                       static_cast<int32_t>(table.headers.size()),
                                                       data.constData());
    }
}

} // namespace

QString caption()
{
    return u"Export To excel.."_s;
}

QString libraryName(Format format)
{
    return format == Format::WebPage ? u"webtable"_s : u"sheettable"_s;
}

QString fileExtension(Format format)
{
    return format == Format::WebPage ? u"html"_s : u"xlsx"_s;
}

ExportTable exportTableOf(const QString& title, const Table& list, const QList<int>& widths,
                          const ShopIdentity& shop)
{
    ExportTable table{title, shop, {}, {}, {}, {}};
    QList<int> shown;
    const QList<Table::Column>& columns = list.columns;
    for (int c = 0; c < columns.size(); ++c) {
        const int width = widths.value(c, 100);
        if (width <= 0)
            continue;
        shown.append(c);
        table.headers.append(columns.at(c).caption);
        table.alignments += alignmentLetter(columns.at(c).alignment);
        table.widths.append(width);
    }
    table.rows.reserve(list.rows.size());
    for (const QStringList& row : list.rows) {
        QStringList cells;
        cells.reserve(shown.size());
        for (int c : shown)
            cells.append(row.value(c));
        table.rows.append(std::move(cells));
    }
    return table;
}

WebTexts webTexts(const ExportTable& table)
{
    QStringList rows;
    rows.reserve(table.rows.size());
    for (const QStringList& row : table.rows)
        rows.append(row.join(u','));
    return {
        (table.title + u';' + table.shop.name + u';' + table.shop.address + u';' + table.alignments)
            .toUtf8(),
        table.headers.join(u';').toUtf8(), rows.join(u';').toUtf8()};
}

QByteArray sheetData(const ExportTable& table)
{
    QStringList lines{table.headers.join(u',')};
    lines.reserve(table.rows.size() + 1);
    for (const QStringList& row : table.rows) {
        QStringList cells;
        cells.reserve(row.size());
        for (QString cell : row)
            cells.append(cell.remove(u'.').replace(u',', u'-'));
        lines.append(cells.join(u','));
    }
    return lines.join(u';').toUtf8();
}

QStringList libraryCandidates(Format format)
{
    const QString name = libraryName(format);
    QStringList candidates;
    if (QCoreApplication::instance()) {
        const QString programFolder = QCoreApplication::applicationDirPath();
        candidates.append(programFolder + u'/' + name);
        candidates.append(programFolder + QStringLiteral("/" TOKO_LIBRARIES_FROM_PROGRAM "/") +
                          name);
    }
    candidates.append(name);
    return candidates;
}

QString safeFileTitle(const QString& title)
{
    QString name;
    name.reserve(title.size());
    for (const QChar c : title)
        name += c.unicode() < 0x20 || QStringView(u"/\\:*?\"<>|").contains(c) ? QChar(u'_') : c;
    while (!name.isEmpty() && (name.front() == u'.' || name.front().isSpace()))
        name.remove(0, 1);
    if (name.size() > longestFileTitle)
        name.truncate(name.at(longestFileTitle - 1).isHighSurrogate() ? longestFileTitle - 1
                                                                      : longestFileTitle);
    while (!name.isEmpty() && (name.back() == u'.' || name.back().isSpace()))
        name.chop(1);
    return name.isEmpty() ? u"Laporan"_s : name;
}

Outcome<QString> reserveReportFile(const QDir& folder, const QString& title,
                                   const QString& extension)
{
    const QString where = QDir::toNativeSeparators(folder.absolutePath());
    if (!QDir().mkpath(folder.absolutePath()))
        return Failure{u"Folder laporan tidak dapat dibuat: "_s + where};
    const QString base = safeFileTitle(title) + u'-';
    for (int n = 1; n <= mostFilesOfOneTitle; ++n) {
        const QString path = folder.absoluteFilePath(base + QString::number(n) + u'.' + extension);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return path;
        const QFileInfo taken(path);
        if (!taken.exists() && !taken.isSymLink())
            return Failure{u"Laporan tidak dapat disimpan di folder "_s + where + u": "_s +
                           file.errorString()};
    }
    return Failure{u"Tidak ada lagi nama file yang bebas di folder "_s + where};
}

Outcome<QString> exportTable(Format format, const ExportTable& table, const QDir& reportFolder,
                             const QStringList& candidates)
{
    LoadedLibrary library(candidates);
    if (!library.loaded())
        return Failure{u"tidak dapat membaca library.."_s};
    if (const QFunctionPointer write = library.resolve(TOKO_EXPORT_FUNCTION))
        return writeFile(reinterpret_cast<TokoExportFunction>(write), format, table, reportFolder);
    const QFunctionPointer text = library.resolve(TOKO_EXPORT_TEXT_FUNCTION);
    if (!text)
        return Failure{u"tidak dapat membaca data yang dibaca library.."_s};
    handOverText(text, format, table);
    return QString();
}

Outcome<QString> exportTable(Format format, const QString& title, const Table& list,
                             const QList<int>& widths, const AppContext& context)
{
    return exportTable(format, exportTableOf(title, list, widths, context.shop),
                       QDir(context.shopFolder().filePath(u"laporan"_s)),
                       libraryCandidates(format));
}

} // namespace exporting
