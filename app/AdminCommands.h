#pragma once

namespace lt {

class TForm1;
struct TransferEnvironment;

// Gives the main window its password and Adjustment commands and registers
// the download operations. The chosen download file lives as long as the
// window's commands do; env must outlive the window.
void InstallAdminCommands(TForm1& mainWindow, TransferEnvironment& env);

} // namespace lt
