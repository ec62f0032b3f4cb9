#pragma once

#include "common/exception.h"

// A stored text that deciphers to no whole block.
class ECipherException : public Exception
{
public:
    using Exception::Exception;
};
