#include "hid/HidBackendFactory.h"

#include "hid/HidapiBackend.h"
#include "hid/VirtualHidBackend.h"

namespace lt {

CompositeHidBackend::CompositeHidBackend(std::vector<std::unique_ptr<HidBackend>> backends, QObject* parent)
    : HidBackend(parent)
    , backends_(std::move(backends))
{
    for (const auto& backend : backends_)
        connect(backend.get(), &HidBackend::devicesChanged, this, &HidBackend::devicesChanged);
}

std::vector<HidDeviceInfo> CompositeHidBackend::enumerate()
{
    owners_.clear();
    std::vector<HidDeviceInfo> devices;
    for (const auto& backend : backends_) {
        for (HidDeviceInfo& info : backend->enumerate()) {
            owners_[info.path] = backend.get();
            devices.push_back(std::move(info));
        }
    }
    return devices;
}

std::unique_ptr<HidDevice> CompositeHidBackend::open(const HidDeviceInfo& info)
{
    const auto owner = owners_.find(info.path);
    return owner == owners_.end() ? nullptr : owner->second->open(info);
}

void CompositeHidBackend::setWatching(bool on)
{
    for (const auto& backend : backends_)
        backend->setWatching(on);
}

std::unique_ptr<HidBackend> createProgramHidBackend(QObject* parent)
{
    std::vector<std::unique_ptr<HidBackend>> backends;
    backends.push_back(std::make_unique<HidapiBackend>());
    if (const auto address = VirtualHidBackend::parseAddress(qEnvironmentVariable(kVirtualHidVariable)))
        backends.push_back(std::make_unique<VirtualHidBackend>(*address));
    return std::make_unique<CompositeHidBackend>(std::move(backends), parent);
}

} // namespace lt
