#pragma once

#include <cups/cups.h>
#include <cups/ppd.h>

// CUPS marks its PPD interface deprecated, yet only a PPD gives a driver's own options with the
// captions and translations the driver writes.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

// The part of the CUPS library the program calls itself. Qt prints through CUPS with its own link to
// the library; the program opens it when first needed, not with the program: it brings some twenty
// libraries (TLS, Kerberos, service discovery), and mapping and relocating them would otherwise slow
// every start.
struct Libcups
{
    decltype(&::cupsGetPPD3) cupsGetPPD3;
    decltype(&::ppdOpenFile) ppdOpenFile;
    decltype(&::ppdLocalize) ppdLocalize;
    decltype(&::ppdClose) ppdClose;
    decltype(&::cupsLastError) cupsLastError;
    decltype(&::cupsLastErrorString) cupsLastErrorString;
};

#pragma GCC diagnostic pop

inline constexpr char LibcupsFileName[] = "libcups.so.2";

// nullptr when the library cannot be loaded: then no printer has options to read, and no answer of the
// scheduler to a job can be read.
const Libcups *libcups();
