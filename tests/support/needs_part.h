#pragma once

#include <QTest>

// A part the test needs (a program, a printer, a mount) is missing: under CI
// (CI=true), whose set-up installs every part, the test fails with the
// reason; elsewhere it is skipped with it.
#define TOKO_NEEDS_PART(present, why)                                                              \
    do {                                                                                           \
        if (!(present)) {                                                                          \
            if (qEnvironmentVariable("CI") == u"true")                                             \
                QFAIL(why);                                                                        \
            QSKIP(why);                                                                            \
        }                                                                                          \
    } while (false)
