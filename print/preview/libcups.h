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
    decltype(&::httpSetTimeout) httpSetTimeout;
    // CUPS's own function that opens, or gives, the connection its functions use by default. Exported
    // though not declared in its headers; nullptr if a CUPS lacks it.
    http_t *(*connectDefault)();
};

#pragma GCC diagnostic pop

inline constexpr char LibcupsFileName[] = "libcups.so.2";

// nullptr when the library cannot be loaded: then no printer is listed, none has options to read and
// no job can be sent.
const Libcups *libcups();

// Watches the requests to the print system of one task: listing the printers, reading a printer's
// options or sending a job. CUPS waits minutes for each request to a server that took the connection
// and does not answer (a hung scheduler or print server), and the user with it. While a watch is the
// latest, a request that hears nothing for a while gives up, and the task's later requests give up at
// once. A task's requests go through CUPS's default connection (CUPS_HTTP_DEFAULT), which CUPS also
// uses by itself where it looks a printer up.
class PrintSystemWatch
{
public:
    // Connects first, as the task's first request would.
    explicit PrintSystemWatch(const Libcups &cups);

    // The print system could not be reached: each request would try, and wait, again.
    bool unreachable() const { return m_unreachable; }
    // A request gave up for want of an answer.
    bool stoppedAnswering() const;

private:
    bool m_unreachable = false;
};

inline constexpr char PrintSystemUnreachable[] = "a nyomtatási rendszer nem érhető el";
inline constexpr char PrintSystemStoppedAnswering[] = "a nyomtatási rendszer nem válaszol";

// How long a request waits for an answer; tests shorten it.
void setPrintSystemPatience(double seconds);
