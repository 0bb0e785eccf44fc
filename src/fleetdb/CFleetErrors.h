#pragma once

#include "CVelmoraError.h"

#include <QList>

// The failures one fleet operation met, in the order the user is to read them. Fleet operations that
// stop at their first failure return a CVelmoraError; those that also have a result of their own, or
// carry on past a failure (a copy of many tables), return that result and fill one of these.
using CFleetErrors = QList<CVelmoraError>;
