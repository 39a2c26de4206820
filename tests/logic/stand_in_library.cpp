// Stand-ins for an outside export library, one build per behaviour:
// TOKO_RECORD_WEB / TOKO_RECORD_SHEET have only sData and write the three
// arguments they got, each followed by a zero byte, to $TOKO_EXPORT_RECORD;
// TOKO_FAILING writes half a file and says the disk is full; with none of
// them the library has neither function.

#include "logic/export_library.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#define STAND_IN extern "C" __attribute__((visibility("default")))

[[maybe_unused]] static const char* record(const std::string& first, const std::string& second,
                                           const char* third)
{
    std::FILE* file = std::fopen(std::getenv("TOKO_EXPORT_RECORD"), "wb");
    for (const std::string& text : {first, second, std::string(third)})
        std::fwrite(text.c_str(), 1, text.size() + 1, file);
    std::fclose(file);
    return "ok";
}

#if defined(TOKO_RECORD_WEB)
STAND_IN const char* sData(const char* meta, const char* header, const char* data)
{
    return record(meta, header, data);
}
#elif defined(TOKO_RECORD_SHEET)
STAND_IN const char* sData(int32_t rows, int32_t columns, const char* data)
{
    return record(std::to_string(rows), std::to_string(columns), data);
}
#elif defined(TOKO_FAILING)
STAND_IN int toko_export_v1(const TokoExportTable*, const char* path, char* error, size_t size)
{
    std::FILE* file = std::fopen(path, "wb");
    std::fputs("<!DOCTYPE html>", file);
    std::fclose(file);
    std::strncpy(error, "disk penuh", size);
    return 1;
}
#endif
