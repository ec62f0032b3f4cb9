#pragma once

#include <cups/cups.h>
#include <cups/ppd.h>

// CUPS marks its PPD interface deprecated, yet only a PPD gives a driver's own options with the
// captions and translations the driver writes.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

// The part of the CUPS library the program calls: the printers, their options and the jobs. The program
// opens it when first needed, not with the program: it brings some twenty libraries (TLS, Kerberos,
// service discovery), and mapping and relocating them would otherwise slow every start.
struct Libcups
{
    decltype(&::cupsGetDests2) cupsGetDests2;
    decltype(&::cupsFreeDests) cupsFreeDests;
    decltype(&::cupsGetOption) cupsGetOption;
    decltype(&::cupsGetNamedDest) cupsGetNamedDest;
    decltype(&::cupsCopyDestInfo) cupsCopyDestInfo;
    decltype(&::cupsFreeDestInfo) cupsFreeDestInfo;
    decltype(&::cupsCreateJob) cupsCreateJob;
    decltype(&::cupsStartDocument) cupsStartDocument;
    decltype(&::cupsWriteRequestData) cupsWriteRequestData;
    decltype(&::cupsFinishDocument) cupsFinishDocument;
    decltype(&::cupsCancelJob2) cupsCancelJob2;
    decltype(&::cupsGetFd) cupsGetFd;
    decltype(&::ppdOpenFd) ppdOpenFd;
    decltype(&::ppdOpenFile) ppdOpenFile;
    decltype(&::ppdLocalize) ppdLocalize;
    decltype(&::ppdClose) ppdClose;
    decltype(&::cupsLastError) cupsLastError;
    decltype(&::cupsLastErrorString) cupsLastErrorString;
    decltype(&::cupsSetPasswordCB2) cupsSetPasswordCB2;
    decltype(&::cupsUser) cupsUser;
    decltype(&::cupsSetUser) cupsSetUser;
    decltype(&::httpGetHostname) httpGetHostname;
};

#pragma GCC diagnostic pop

inline constexpr char LibcupsFileName[] = "libcups.so.2";

// nullptr when the library cannot be loaded: then no printer is listed, none has options to read and
// no job can be sent.
const Libcups *libcups();
