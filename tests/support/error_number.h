#pragma once

#include "base/app_error.h"

// The number of the error an operation raises, 0 when it raises none.
template <typename Operation>
int errorNumberOf(Operation&& operation) {
    try {
        operation();
    } catch (const vantrel::AppError& error) {
        return error.number();
    }
    return 0;
}
