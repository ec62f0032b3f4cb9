#include "print/preview/libcups.h"

#include <dlfcn.h>

#include <optional>

namespace {

template<typename Function>
bool resolve(void *library, const char *name, Function &function)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

std::optional<Libcups> load()
{
    // Kept loaded for the rest of the program, like a linked library.
    void *library = dlopen(LibcupsFileName, RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return std::nullopt;
    Libcups functions{};
    const bool resolved = resolve(library, "cupsGetDests2", functions.cupsGetDests2)
                          && resolve(library, "cupsFreeDests", functions.cupsFreeDests)
                          && resolve(library, "cupsGetOption", functions.cupsGetOption)
                          && resolve(library, "cupsGetNamedDest", functions.cupsGetNamedDest)
                          && resolve(library, "cupsCopyDestInfo", functions.cupsCopyDestInfo)
                          && resolve(library, "cupsFreeDestInfo", functions.cupsFreeDestInfo)
                          && resolve(library, "cupsCreateJob", functions.cupsCreateJob)
                          && resolve(library, "cupsStartDocument", functions.cupsStartDocument)
                          && resolve(library, "cupsWriteRequestData", functions.cupsWriteRequestData)
                          && resolve(library, "cupsFinishDocument", functions.cupsFinishDocument)
                          && resolve(library, "cupsCancelJob2", functions.cupsCancelJob2)
                          && resolve(library, "cupsGetFd", functions.cupsGetFd)
                          && resolve(library, "ppdOpenFd", functions.ppdOpenFd)
                          && resolve(library, "ppdOpenFile", functions.ppdOpenFile)
                          && resolve(library, "ppdLocalize", functions.ppdLocalize)
                          && resolve(library, "ppdClose", functions.ppdClose)
                          && resolve(library, "cupsLastError", functions.cupsLastError)
                          && resolve(library, "cupsLastErrorString", functions.cupsLastErrorString)
                          && resolve(library, "cupsSetPasswordCB2", functions.cupsSetPasswordCB2)
                          && resolve(library, "cupsUser", functions.cupsUser)
                          && resolve(library, "cupsSetUser", functions.cupsSetUser)
                          && resolve(library, "httpGetHostname", functions.httpGetHostname)
                          && resolve(library, "httpSetTimeout", functions.httpSetTimeout);
    if (!resolved)
        return std::nullopt;
    resolve(library, "_cupsConnect", functions.connectDefault);
    return functions;
}

double patienceSeconds = 30.0;
bool requestGaveUp = false;

int giveUpWaiting(http_t *connection, void *cups)
{
    requestGaveUp = true;
    static_cast<const Libcups *>(cups)->httpSetTimeout(connection, 0.001, giveUpWaiting, cups);
    return 0;
}

} // namespace

const Libcups *libcups()
{
    static const std::optional<Libcups> loaded = load();
    return loaded ? &*loaded : nullptr;
}

PrintSystemWatch::PrintSystemWatch(const Libcups &cups)
{
    requestGaveUp = false;
    if (!cups.connectDefault)
        return;
    // The limit stays with the connection, which CUPS keeps for the thread's later requests; the next
    // task sets it afresh.
    http_t *connection = cups.connectDefault();
    m_unreachable = !connection;
    if (connection)
        cups.httpSetTimeout(connection, patienceSeconds, giveUpWaiting, const_cast<Libcups *>(&cups));
}

bool PrintSystemWatch::stoppedAnswering() const
{
    return requestGaveUp;
}

void setPrintSystemPatience(double seconds)
{
    patienceSeconds = seconds;
}
