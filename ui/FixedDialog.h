#pragma once

class QDialog;

namespace lt {

// The program's fixed dialogs: a title bar with only the close box, a size the
// user cannot change, and a place in the middle of the primary screen's
// working area rather than over the window that opened them.
void MakeFixedDialog(QDialog& dialog, int width, int height);

} // namespace lt
