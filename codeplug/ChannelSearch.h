#pragma once

#include <QString>

namespace lt {

class CodeplugModel;

// Find in the channel grid: the next channel in use after channel `after`
// (going round from 240 to 1, `after` itself coming last) whose name holds the
// text, case not counting, or whose receive or transmit frequency as the grid
// shows it (438.50000) holds it. 0 when none does or the text is empty.
int FindChannel(const CodeplugModel& model, const QString& text, int after);

} // namespace lt
