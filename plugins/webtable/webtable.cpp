// webtable: a list as a web page the browser shows and prints, UTF-8 HTML
// with the title, the shop's name and address and the table in the columns'
// alignments. Every text is escaped, so a cell shows exactly what it holds.

#include "common/export_support.h"

#include <cerrno>
#include <cstdio>
#include <exception>

namespace {

using tokoexport::Table;

void appendEscaped(std::string& page, std::string_view text)
{
    for (const char c : text) {
        switch (c) {
        case '&':
            page += "&amp;";
            break;
        case '<':
            page += "&lt;";
            break;
        case '>':
            page += "&gt;";
            break;
        case '"':
            page += "&quot;";
            break;
        case '\'':
            page += "&#39;";
            break;
        default:
            page += c;
        }
    }
}

void appendCell(std::string& page, const char* tag, char alignment, std::string_view text)
{
    page += '<';
    page += tag;
    page += " class=\"";
    page += alignment;
    page += "\">";
    appendEscaped(page, text);
    page += "</";
    page += tag;
    page += '>';
}

std::string pageOf(const Table& table)
{
    std::string page;
    page.reserve(4096 + table.rows.size() * table.columns() * 32);
    page += "<!DOCTYPE html>\n<html lang=\"id\">\n<head>\n<meta charset=\"utf-8\">\n<title>";
    appendEscaped(page, table.title);
    page += "</title>\n<style>\n"
            "body{font-family:Arial,Helvetica,sans-serif;font-size:10pt;margin:1.5em}\n"
            "h1{font-size:14pt;margin:0 0 .3em}\n"
            "p.toko{margin:0}\n"
            "table{border-collapse:collapse;margin-top:1em}\n"
            "th,td{border:1px solid #999;padding:2px 6px;vertical-align:top}\n"
            "th{background:#eee}\n"
            ".l{text-align:left}.r{text-align:right}.c{text-align:center}\n"
            "@media print{body{margin:0}}\n"
            "</style>\n</head>\n<body>\n<h1>";
    appendEscaped(page, table.title);
    page += "</h1>\n<p class=\"toko\">";
    appendEscaped(page, table.shopName);
    page += "</p>\n<p class=\"toko\">";
    appendEscaped(page, table.shopAddress);
    page += "</p>\n<table>\n<thead>\n<tr>";
    for (std::size_t c = 0; c < table.columns(); ++c)
        appendCell(page, "th", table.alignments[c], table.headers[c]);
    page += "</tr>\n</thead>\n<tbody>\n";
    for (const auto& row : table.rows) {
        page += "<tr>";
        for (std::size_t c = 0; c < table.columns(); ++c)
            appendCell(page, "td", table.alignments[c], row[c]);
        page += "</tr>\n";
    }
    page += "</tbody>\n</table>\n</body>\n</html>\n";
    return page;
}

// The whole page or a reason: a full disk shows in fwrite or at the latest in fclose.
bool writePage(const Table& table, const char* path, std::string& error)
{
    const std::string page = pageOf(table);
    std::FILE* file = std::fopen(path, "wb");
    if (!file) {
        error = tokoexport::systemFailure("halaman laporan tidak dapat dibuat");
        return false;
    }
    const bool written = std::fwrite(page.data(), 1, page.size(), file) == page.size();
    const int writeErrno = errno;
    const bool closed = std::fclose(file) == 0;
    if (written && closed)
        return true;
    if (!written)
        errno = writeErrno;
    error = tokoexport::systemFailure("halaman laporan gagal ditulis");
    return false;
}

} // namespace

TOKO_EXPORTED int toko_export_v1(const TokoExportTable* table, const char* path, char* error,
                                 size_t errorSize)
{
    return tokoexport::exportTable(table, path, error, errorSize, writePage,
                                   "halaman laporan gagal");
}

// The older call: the texts joined with ";" and ",". The page goes to
// laporan/ in the working folder; the result is its path or the reason.
TOKO_EXPORTED const char* sData(const char* meta, const char* header, const char* data)
{
    try {
        const Table table =
            tokoexport::webTableOf(meta ? meta : "", header ? header : "", data ? data : "");
        std::string reason;
        const std::string path = tokoexport::reserveFile(table.title, "html", reason);
        if (path.empty())
            return tokoexport::textResult(reason);
        if (writePage(table, path.c_str(), reason))
            return tokoexport::textResult(path);
        std::remove(path.c_str());
        return tokoexport::textResult(reason);
    } catch (const std::exception& e) {
        return tokoexport::textResult(std::string("halaman laporan gagal: ") + e.what());
    }
}
