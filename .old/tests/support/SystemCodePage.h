#pragma once

#include "text/CodePage.h"

#include <QLocale>
#include <QTest>

// The editor takes its code page from the system: on Linux from the default
// locale, which a test sets, on Windows from the process's ANSI code page,
// which a test cannot change. There a row of another code page skips, and
// runs in the program's run under a locale of that code page (LOCALE_RUNS
// in tests/CMakeLists.txt). On Linux no row ever skips.
#define OJN_SKIP_UNLESS_SYSTEM_CODE_PAGE_OF(locale)                                                                   \
    do {                                                                                                              \
        const int wantedCodePage = ojn::ansiCodePageFor(locale);                                                      \
        if (ojn::systemAnsiCodePage() != wantedCodePage)                                                              \
            QSKIP(qPrintable(QStringLiteral("needs the system code page %1, which its locale's run has").arg(wantedCodePage))); \
    } while (false)
