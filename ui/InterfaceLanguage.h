#pragma once

namespace lt {

// Sets the program's interface language (0 English, 1 Simplified Chinese,
// 2 Traditional Chinese, anything else: the system's): the program-wide
// language object every text table lookup uses, and Qt's own texts with it
// (the file dialogs and their overwrite question, the buttons of the error
// report), from Qt's translations for that language when they are installed.
void SetProgramLanguage(int language);

} // namespace lt
