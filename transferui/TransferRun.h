#pragma once

#include <QString>

#include <cstdint>

class QWidget;

namespace lt {

struct Program;
struct TransferEnvironment;

// The dialog title of a run: "Read from radio" / "Write to radio" (main window
// texts 247 / 248) for the codeplug, calibration and status runs, "下载" for
// the downloads, none for the password and customer-ID runs.
QString TransferTitle(int32_t operation, int32_t direction);

// One run with the radio, as every starter makes it: sets the operation and the
// direction, shows the transfer dialog modally and destroys it. True when the
// run succeeded; by then the operation has stored what it read.
bool RunTransfer(TransferEnvironment& env, Program& program, QWidget* owner, int32_t operation, int32_t direction,
                 const QString& title);

} // namespace lt
