#include "transfer/TransferEnvironment.h"

#include <stdexcept>

namespace lt {

namespace {
TransferEnvironment* installed = nullptr;
} // namespace

ProgramTransferEnvironment::ProgramTransferEnvironment(TransferEnvironment& env)
    : previous_(installed)
{
    installed = &env;
}

ProgramTransferEnvironment::~ProgramTransferEnvironment()
{
    installed = previous_;
}

TransferEnvironment& ProgramTransferEnvironment::current()
{
    if (!installed)
        throw std::logic_error("no transfer environment installed");
    return *installed;
}

} // namespace lt
