#pragma once

#include "codeplug/CodeplugDiff.h"

#include <functional>
#include <optional>
#include <vector>

class QWidget;

namespace lt {

class CodeplugModel;

// File/"Compare with file…": asks for a codeplug file and compares the
// program's codeplug with it by the rules and names of "Verify radio". Equal
// codeplugs are said so in a message; otherwise TCompareDlg lists the
// differences and a double-click on one calls show. A file that is not a
// whole codeplug file is refused with a message. Returns the differences, or
// nothing when no file was compared.
std::optional<std::vector<FieldDifference>> CompareWithFileClick(const CodeplugModel& model, QWidget* owner,
                                                                 const std::function<void(const DifferencePlace&)>& show);

} // namespace lt
