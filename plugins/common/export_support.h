#pragma once

// What webtable and sheettable share: the list as they write it, read either
// from toko_export_v1's arrays or from sData's joined texts, and the few file
// and text chores around it. No Qt here: the libraries stand on their own.

#include "logic/export_library.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The two functions a library offers the program; everything else stays inside.
#define TOKO_EXPORTED extern "C" __attribute__((visibility("default")))

namespace tokoexport {

struct Table {
    std::string title;
    std::string shopName;
    std::string shopAddress;
    std::vector<std::string> headers;
    std::string alignments; // one letter a column: 'l', 'r' or 'c'
    std::vector<int> widths;
    std::vector<std::vector<std::string>> rows; // each has one cell a column

    std::size_t columns() const { return headers.size(); }
};

// The list toko_export_v1 was handed.
Table tableOf(const TokoExportTable& table);

// webtable's sData texts: meta "title;name;address;letters", headers joined
// with ";", rows joined with ";" and cells with ",". A cell that held "," or
// ";" cannot be told apart, so every piece becomes a cell of its own and the
// table widens where a row has more pieces than there are headers.
Table webTableOf(std::string_view meta, std::string_view header, std::string_view data);

// sheettable's sData text: the header line and the rows joined with ";",
// cells with ",", one cell a piece as above; at least `columns` columns. There
// are no alignments, so every cell stays text.
Table sheetTableOf(int columns, std::string_view data);

// The text itself when it is UTF-8; otherwise it is read as Latin-1 (older
// callers of sData pass single-byte texts), so the file never holds bytes a
// browser or a spreadsheet would refuse.
std::string utf8(std::string_view text);

std::vector<std::string_view> split(std::string_view text, char separator);

// The title as a file name (no separators, no leading dot, at most 60 bytes),
// "Laporan" when nothing is left.
std::string fileTitle(std::string_view title);

// For sData, which is not told where to write: a new empty file
// laporan/<title>-<n>.<extension> under the working folder (the shop folder
// the program runs in), with the lowest free n. Empty, with `error` set, when
// no file could be made.
std::string reserveFile(std::string_view title, std::string_view extension, std::string& error);

// "what: the system's reason" for the last failed call.
std::string systemFailure(std::string_view what);

// Copies `text` into the caller's buffer, cut to fit and zero-terminated.
void setError(char* error, std::size_t size, std::string_view text);

// What toko_export_v1 does in either library: checks its arguments, writes
// the table to `path` with `write`, and turns a refusal or an exception
// (prefixed with `failed`) into the caller's error text. 0 when written.
using Writer = bool (*)(const Table& table, const char* path, std::string& error);
int exportTable(const TokoExportTable* table, const char* path, char* error, std::size_t errorSize,
                Writer write, std::string_view failed);

// sData's result: the written file, or the reason it was not written. The
// text stays valid until the next call on the same thread.
const char* textResult(std::string text);

} // namespace tokoexport
