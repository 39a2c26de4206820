// sheettable: a list as a real spreadsheet (.xlsx): the title, the shop's name
// and address, the header row (frozen, with filters) and one row a list row.
// In right-aligned columns, the ones holding money and quantities, a cell
// that is a plain decimal as the program writes it ("-1234.5") becomes a
// number the spreadsheet can add up; everything else stays text as shown.

#include "common/export_support.h"

#include <xlsxwriter.h>

#include <charconv>
#include <exception>

namespace {

using tokoexport::Table;

// Excel keeps 15 significant digits; a longer "number" (a card or telephone
// number) would come back changed, so it stays text.
constexpr std::size_t mostDigits = 15;
// A screen pixel is about a seventh of a character of the default font.
constexpr double pixelsPerCharacter = 7.0;

bool plainDecimal(std::string_view text, double& value)
{
    std::size_t at = text.starts_with('-') ? 1 : 0;
    const std::size_t integerStart = at;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9')
        ++at;
    const std::size_t integerDigits = at - integerStart;
    // A leading zero ("007") is a code, not a number.
    if (integerDigits == 0 || (integerDigits > 1 && text[integerStart] == '0'))
        return false;
    std::size_t fractionDigits = 0;
    if (at < text.size() && text[at] == '.') {
        const std::size_t fractionStart = ++at;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9')
            ++at;
        fractionDigits = at - fractionStart;
        if (fractionDigits == 0)
            return false;
    }
    if (at != text.size() || integerDigits + fractionDigits > mostDigits)
        return false;
    const auto parsed = std::from_chars(text.data(), text.data() + text.size(), value);
    return parsed.ec == std::errc() && parsed.ptr == text.data() + text.size();
}

class Formats final
{
public:
    explicit Formats(lxw_workbook* workbook)
    {
        m_title = workbook_add_format(workbook);
        format_set_bold(m_title);
        format_set_font_size(m_title, 14);
        for (int bold = 0; bold < 2; ++bold) {
            for (int a = 0; a < 3; ++a) {
                lxw_format* format = workbook_add_format(workbook);
                if (bold) {
                    format_set_bold(format);
                    format_set_bottom(format, LXW_BORDER_THIN);
                }
                format_set_align(format, alignments[a]);
                m_cells[bold][a] = format;
            }
        }
    }

    lxw_format* title() const { return m_title; }
    lxw_format* header(char alignment) const { return m_cells[1][index(alignment)]; }
    lxw_format* cell(char alignment) const { return m_cells[0][index(alignment)]; }

private:
    static int index(char alignment) { return alignment == 'r' ? 1 : alignment == 'c' ? 2 : 0; }
    static constexpr lxw_format_alignments alignments[3] = {LXW_ALIGN_LEFT, LXW_ALIGN_RIGHT,
                                                            LXW_ALIGN_CENTER};
    lxw_format* m_title = nullptr;
    lxw_format* m_cells[2][3] = {};
};

// The whole workbook or a reason. Rows go out one by one (constant memory), so
// a long list costs no more memory than a short one.
bool writeSheet(const Table& table, const char* path, std::string& error)
{
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* workbook = workbook_new_opt(path, &options);
    lxw_worksheet* sheet = workbook ? workbook_add_worksheet(workbook, "Laporan") : nullptr;
    if (!sheet) {
        if (workbook)
            workbook_close(workbook);
        error = "spreadsheet tidak dapat dibuat";
        return false;
    }
    const Formats formats(workbook);
    lxw_error failure = LXW_NO_ERROR;
    const auto note = [&failure](lxw_error result) {
        if (failure == LXW_NO_ERROR)
            failure = result;
    };
    const auto last = static_cast<lxw_col_t>(table.columns() ? table.columns() - 1 : 0);
    for (lxw_col_t c = 0; c < table.columns(); ++c)
        if (table.widths[c] > 0)
            note(worksheet_set_column(sheet, c, c, table.widths[c] / pixelsPerCharacter, nullptr));

    lxw_row_t row = 0;
    bool heading = false;
    for (const std::string* text : {&table.title, &table.shopName, &table.shopAddress}) {
        if (text->empty())
            continue;
        note(worksheet_write_string(sheet, row++, 0, text->c_str(),
                                    text == &table.title ? formats.title() : nullptr));
        heading = true;
    }
    if (heading)
        ++row; // a blank row under the heading
    const lxw_row_t headerRow = row++;
    for (lxw_col_t c = 0; c < table.columns(); ++c)
        note(worksheet_write_string(sheet, headerRow, c, table.headers[c].c_str(),
                                    formats.header(table.alignments[c])));
    for (const auto& cells : table.rows) {
        for (lxw_col_t c = 0; c < table.columns(); ++c) {
            const char alignment = table.alignments[c];
            double value = 0;
            if (alignment == 'r' && plainDecimal(cells[c], value))
                note(worksheet_write_number(sheet, row, c, value, formats.cell(alignment)));
            else if (!cells[c].empty())
                note(worksheet_write_string(sheet, row, c, cells[c].c_str(),
                                            formats.cell(alignment)));
        }
        ++row;
    }
    if (table.columns() > 0) {
        worksheet_freeze_panes(sheet, headerRow + 1, 0);
        note(worksheet_autofilter(sheet, headerRow, 0, row - 1, last));
    }
    const lxw_error closed = workbook_close(workbook);
    if (failure != LXW_NO_ERROR)
        error = std::string("spreadsheet gagal diisi: ") + lxw_strerror(failure);
    else if (closed != LXW_NO_ERROR)
        error = std::string("spreadsheet gagal ditulis: ") + lxw_strerror(closed);
    return failure == LXW_NO_ERROR && closed == LXW_NO_ERROR;
}

} // namespace

TOKO_EXPORTED int toko_export_v1(const TokoExportTable* table, const char* path, char* error,
                                 size_t errorSize)
{
    return tokoexport::exportTable(table, path, error, errorSize, writeSheet, "spreadsheet gagal");
}

// The older call: the header line and the rows joined with ";" and ",", with
// "." already dropped from the cells, so no cell can be trusted as a number:
// every piece is written as text. The file goes to laporan/ in the working
// folder; the result is its path or the reason.
TOKO_EXPORTED const char* sData(int32_t rows, int32_t columns, const char* data)
{
    (void)rows; // the lines themselves tell, even where a cell held ";"
    try {
        const Table table = tokoexport::sheetTableOf(columns, data ? data : "");
        std::string reason;
        const std::string path = tokoexport::reserveFile("Laporan", "xlsx", reason);
        if (path.empty())
            return tokoexport::textResult(reason);
        if (writeSheet(table, path.c_str(), reason))
            return tokoexport::textResult(path);
        std::remove(path.c_str());
        return tokoexport::textResult(reason);
    } catch (const std::exception& e) {
        return tokoexport::textResult(std::string("spreadsheet gagal: ") + e.what());
    }
}
