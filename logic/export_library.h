#pragma once

// What the program and an export library (webtable, sheettable) agree on.
// Plain C, so that a library needs nothing of the program to be built.
//
// A library may export two functions:
//
// - toko_export_v1 (below): the whole list as separate UTF-8 texts, written
//   to the file the program names. Tried first.
// - sData: three arguments and a zero-terminated text as result, which the
//   program ignores. webtable: sData(meta, header, data); sheettable:
//   sData(rows, columns, data). The texts join the cells with ";" and ","
//   without protecting them, so a cell holding either cannot be told apart.
//   Used only when a library has no toko_export_v1. Its texts are UTF-8.
//
// Both are plain C functions: x86-64 Linux has one calling convention, so
// there is no stdcall to ask for.

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// One list: every text is UTF-8 and zero-terminated.
typedef struct TokoExportTable {
    const char* title;
    const char* shopName;
    const char* shopAddress;
    int32_t columnCount;
    const char* const* headers; // columnCount texts
    const char* alignments;     // columnCount letters: 'l' left, 'r' right, 'c' centred
    const int32_t* widths;      // columnCount widths on screen, in pixels
    int32_t rowCount;
    const char* const* cells; // rowCount * columnCount texts, row after row
} TokoExportTable;

// Writes `table` into the file at `path` (the program has created it empty).
// Returns 0 when the whole file is written; otherwise not 0, with the reason
// as a zero-terminated text of at most `errorSize` bytes in `error`.
typedef int (*TokoExportFunction)(const TokoExportTable* table, const char* path, char* error,
                                  size_t errorSize);

typedef const char* (*TokoWebTableData)(const char* meta, const char* header, const char* data);
typedef const char* (*TokoSheetTableData)(int32_t rows, int32_t columns, const char* data);

#define TOKO_EXPORT_FUNCTION "toko_export_v1"
#define TOKO_EXPORT_TEXT_FUNCTION "sData"

#ifdef __cplusplus
}
#endif
