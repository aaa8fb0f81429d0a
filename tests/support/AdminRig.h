#pragma once

#include "support/RadioRig.h"
#include "support/TransferDialogDriver.h"
#include "transfer/DownloadOperations.h"

#include <memory>

namespace lt::test {

// The program side of every administration run, with the downloads that the
// update dialog registers as well.
struct AdminRig : RadioRig {
    AdminRig() { RegisterDownloadOperations(env.operations, download); }

    std::shared_ptr<DownloadSource> download = std::make_shared<DownloadSource>();
};

// The administrator closes every question that a test does not answer.
struct ScriptedUser : TransferDialogDriver {
    explicit ScriptedUser(VirtualClock& clock) : TransferDialogDriver(clock) { defaultResult = mrCancel; }
};

} // namespace lt::test
