#pragma once

#include "codeplug/CodeplugDiff.h"

#include <QString>

namespace lt {

// Where a difference is, as the window names it in the interface language:
// "信道 12 RxFreq", "频率模式 B RxFreq", "SQL". The field's own name stays the
// program's, as the command-line tool prints it.
QString DifferenceName(const FieldDifference& difference);

} // namespace lt
