#pragma once

namespace lt {

struct Program;

// The main window as the dialogs opened from it see it: the program it holds,
// its full refresh and its configuration file. A service dialog that changes
// many values at once acts on the window through this, without depending on
// the window itself.
class ProgramWindow {
public:
    virtual Program& program() = 0;
    // Fills every text and list in the current language and shows every value
    // of the codeplug.
    virtual void FullRefresh() = 0;
    // Collects the grid sizes and writes the whole configuration file.
    virtual void WriteConfiguration() = 0;

protected:
    ~ProgramWindow() = default;
};

} // namespace lt
