#pragma once

#include "codeplug/CodeplugDiff.h"

#include <QStringList>

#include <optional>
#include <vector>

class QWidget;

namespace lt {

struct Program;
struct TransferEnvironment;

// Edit/"Verify radio": reads the radio's codeplug through the transfer dialog
// into a scratch program (with the program's entered password), so nothing of
// the program changes, and compares it with what writing the program's
// codeplug would send. The differences are listed by field name in a message.
// Returns nothing when the read did not succeed (the transfer dialog has said
// why), otherwise the differences shown.
std::optional<std::vector<FieldDifference>> VerifyRadio(TransferEnvironment& env, Program& program, QWidget* owner);

// The message of a verification: the "holds what writing would send" text, or
// the "differs" text followed by one line per difference (at most maxLines,
// then how many more).
QString VerifyReport(const std::vector<FieldDifference>& differences, int maxLines = 30);

} // namespace lt
