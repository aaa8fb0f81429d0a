#include "hid/HidBackendFactory.h"

#include "hid/HidapiBackend.h"
#include "hid/VirtualHidBackend.h"

#include <algorithm>

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

bool CompositeHidBackend::discovering() const
{
    return std::any_of(backends_.begin(), backends_.end(), [](const auto& backend) { return backend->discovering(); });
}

SingleDeviceBackend::SingleDeviceBackend(std::unique_ptr<HidBackend> inner, QString path, QObject* parent)
    : HidBackend(parent)
    , inner_(std::move(inner))
    , path_(std::move(path))
{
    connect(inner_.get(), &HidBackend::devicesChanged, this, &HidBackend::devicesChanged);
}

std::vector<HidDeviceInfo> SingleDeviceBackend::enumerate()
{
    std::vector<HidDeviceInfo> devices = inner_->enumerate();
    std::erase_if(devices, [this](const HidDeviceInfo& info) { return info.path != path_; });
    return devices;
}

std::unique_ptr<HidDevice> SingleDeviceBackend::open(const HidDeviceInfo& info)
{
    return info.path == path_ ? inner_->open(info) : nullptr;
}

void SingleDeviceBackend::setWatching(bool on)
{
    inner_->setWatching(on);
}

bool SingleDeviceBackend::discovering() const
{
    return inner_->discovering();
}

std::vector<VirtualHidAddress> virtualHidAddresses(const QString& variable)
{
    std::vector<VirtualHidAddress> addresses;
    for (const QString& entry : variable.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const auto address = VirtualHidBackend::parseAddress(entry.trimmed());
        if (!address)
            continue;
        const bool repeated = std::any_of(addresses.begin(), addresses.end(), [&](const VirtualHidAddress& seen) {
            return seen.host == address->host && seen.port == address->port;
        });
        if (!repeated)
            addresses.push_back(*address);
    }
    return addresses;
}

std::unique_ptr<HidBackend> createProgramHidBackend(QObject* parent)
{
    std::vector<std::unique_ptr<HidBackend>> backends;
    backends.push_back(std::make_unique<HidapiBackend>());
    for (const VirtualHidAddress& address : virtualHidAddresses(qEnvironmentVariable(kVirtualHidVariable)))
        backends.push_back(std::make_unique<VirtualHidBackend>(address));
    return std::make_unique<CompositeHidBackend>(std::move(backends), parent);
}

std::unique_ptr<HidBackend> createSingleDeviceBackend(const QString& path, QObject* parent)
{
    const QString tcp = QStringLiteral("tcp:");
    const auto address = path.startsWith(tcp) ? VirtualHidBackend::parseAddress(path.mid(tcp.size())) : std::nullopt;
    std::unique_ptr<HidBackend> inner;
    if (address)
        inner = std::make_unique<VirtualHidBackend>(*address);
    else
        inner = std::make_unique<HidapiBackend>();
    return std::make_unique<SingleDeviceBackend>(std::move(inner), address ? VirtualHidBackend::pathOf(*address) : path, parent);
}

} // namespace lt
