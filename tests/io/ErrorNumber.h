#pragma once

#include "io/RunTimeError.h"

// The number of the RunTimeError the call throws, or 0 when it returns.
template <typename F> int errorNumber(F call)
{
    try {
        call();
    } catch (const RunTimeError &e) {
        return e.number();
    }
    return 0;
}
