#include "export_support.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tokoexport {

namespace {

constexpr std::size_t longestFileTitle = 60;
constexpr int mostFilesOfOneTitle = 100000;

// Length of the UTF-8 sequence starting at text[at], or 0 when it is not one.
std::size_t sequenceLength(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;  // no overlong forms
        high = lead == 0xED ? 0x9F : 0xBF; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (at + length > text.size() || byte(at + 1) < low || byte(at + 1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(at + i) < 0x80 || byte(at + i) > 0xBF)
            return 0;
    return length;
}

bool isUtf8(std::string_view text)
{
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = sequenceLength(text, at);
        if (length == 0)
            return false;
        at += length;
    }
    return true;
}

std::string joined(const std::vector<std::string_view>& pieces, std::size_t from, std::size_t to,
                   char separator)
{
    std::string text;
    for (std::size_t i = from; i < to; ++i) {
        if (i > from)
            text += separator;
        text += pieces[i];
    }
    return utf8(text);
}

// Every row and the headers as wide as the widest of them.
void evenOut(Table& table, std::size_t columns)
{
    for (const auto& row : table.rows)
        columns = std::max(columns, row.size());
    table.headers.resize(std::max(columns, table.headers.size()));
    columns = table.headers.size();
    table.alignments.resize(columns, 'l');
    table.widths.resize(columns, 100);
    for (auto& row : table.rows)
        row.resize(columns);
}

std::vector<std::vector<std::string>> rowsOf(std::string_view data, char rowSeparator)
{
    std::vector<std::vector<std::string>> rows;
    if (data.empty())
        return rows;
    for (std::string_view line : split(data, rowSeparator)) {
        std::vector<std::string> cells;
        for (std::string_view piece : split(line, ','))
            cells.push_back(utf8(piece));
        rows.push_back(std::move(cells));
    }
    return rows;
}

} // namespace

Table tableOf(const TokoExportTable& in)
{
    const auto text = [](const char* value) { return value ? utf8(value) : std::string(); };
    Table table;
    table.title = text(in.title);
    table.shopName = text(in.shopName);
    table.shopAddress = text(in.shopAddress);
    const std::size_t columns = in.columnCount > 0 ? static_cast<std::size_t>(in.columnCount) : 0;
    const std::size_t rows = in.rowCount > 0 ? static_cast<std::size_t>(in.rowCount) : 0;
    for (std::size_t c = 0; c < columns; ++c) {
        table.headers.push_back(in.headers ? text(in.headers[c]) : std::string());
        const char letter = in.alignments ? in.alignments[c] : 'l';
        table.alignments += letter == 'r' || letter == 'c' ? letter : 'l';
        table.widths.push_back(in.widths ? in.widths[c] : 100);
    }
    table.rows.reserve(rows);
    for (std::size_t r = 0; r < rows; ++r) {
        std::vector<std::string> cells;
        cells.reserve(columns);
        for (std::size_t c = 0; c < columns; ++c)
            cells.push_back(in.cells ? text(in.cells[r * columns + c]) : std::string());
        table.rows.push_back(std::move(cells));
    }
    return table;
}

Table webTableOf(std::string_view meta, std::string_view header, std::string_view data)
{
    Table table;
    // The shop's name and address come from a ";"-separated file and cannot hold
    // ";"; a title can, so it takes whatever is left in front of them.
    const std::vector<std::string_view> fields = split(meta, ';');
    const std::size_t count = fields.size();
    if (count >= 4) {
        table.title = joined(fields, 0, count - 3, ';');
        table.shopName = utf8(fields[count - 3]);
        table.shopAddress = utf8(fields[count - 2]);
        for (char letter : fields[count - 1])
            table.alignments += letter == 'r' || letter == 'c' ? letter : 'l';
    } else {
        table.title = utf8(meta);
    }
    if (!header.empty())
        for (std::string_view piece : split(header, ';'))
            table.headers.push_back(utf8(piece));
    table.rows = rowsOf(data, ';');
    evenOut(table, table.alignments.size());
    return table;
}

Table sheetTableOf(int columns, std::string_view data)
{
    Table table;
    table.rows = rowsOf(data, ';');
    if (!table.rows.empty()) {
        table.headers = std::move(table.rows.front());
        table.rows.erase(table.rows.begin());
    }
    evenOut(table, columns > 0 ? static_cast<std::size_t>(columns) : 0);
    return table;
}

std::string utf8(std::string_view text)
{
    if (isUtf8(text))
        return std::string(text);
    std::string converted;
    converted.reserve(text.size() * 2);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            converted += c;
        } else {
            converted += static_cast<char>(0xC0 | (byte >> 6));
            converted += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return converted;
}

std::vector<std::string_view> split(std::string_view text, char separator)
{
    std::vector<std::string_view> pieces;
    std::size_t from = 0;
    for (std::size_t at = text.find(separator); at != std::string_view::npos;
         at = text.find(separator, from)) {
        pieces.push_back(text.substr(from, at - from));
        from = at + 1;
    }
    pieces.push_back(text.substr(from));
    return pieces;
}

std::string fileTitle(std::string_view title)
{
    std::string name;
    for (const char c : utf8(title)) {
        const bool refused = static_cast<unsigned char>(c) < 0x20 || c == 0x7F ||
                             std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos;
        name += refused ? '_' : c;
    }
    const std::size_t first = name.find_first_not_of(". ");
    name.erase(0, first == std::string::npos ? name.size() : first);
    if (name.size() > longestFileTitle) {
        std::size_t cut = longestFileTitle;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
            --cut; // never in the middle of a character
        name.resize(cut);
    }
    const std::size_t last = name.find_last_not_of(". ");
    name.resize(last == std::string::npos ? 0 : last + 1);
    return name.empty() ? std::string("Laporan") : name;
}

std::string reserveFile(std::string_view title, std::string_view extension, std::string& error)
{
    const std::string folder = "laporan";
    if (::mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) {
        error = systemFailure("folder laporan tidak dapat dibuat");
        return {};
    }
    const std::string base = folder + '/' + fileTitle(title) + '-';
    for (int n = 1; n <= mostFilesOfOneTitle; ++n) {
        std::string path = base + std::to_string(n) + '.' + std::string(extension);
        const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (file >= 0) {
            ::close(file);
            return path;
        }
        if (errno != EEXIST) {
            error = systemFailure("laporan tidak dapat disimpan di folder laporan");
            return {};
        }
    }
    error = "tidak ada lagi nama file yang bebas di folder laporan";
    return {};
}

std::string systemFailure(std::string_view what)
{
    return std::string(what) + ": " + std::strerror(errno);
}

void setError(char* error, std::size_t size, std::string_view text)
{
    if (!error || size == 0)
        return;
    std::size_t length = std::min(text.size(), size - 1);
    while (length > 0 && length < text.size() &&
           (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
        --length; // never in the middle of a character
    std::memcpy(error, text.data(), length);
    error[length] = '\0';
}

int exportTable(const TokoExportTable* table, const char* path, char* error, std::size_t errorSize,
                Writer write, std::string_view failed)
{
    try {
        if (!table || !path) {
            setError(error, errorSize, "tidak ada daftar atau file");
            return 1;
        }
        std::string reason;
        if (write(tableOf(*table), path, reason))
            return 0;
        setError(error, errorSize, reason);
    } catch (const std::exception& e) {
        setError(error, errorSize, std::string(failed) + ": " + e.what());
    }
    return 1;
}

const char* textResult(std::string text)
{
    thread_local std::string result;
    result = std::move(text);
    return result.c_str();
}

} // namespace tokoexport
