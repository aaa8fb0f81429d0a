#pragma once

#include "hid/HidBackend.h"
#include "hid/VirtualHidBackend.h"

#include <map>
#include <memory>
#include <vector>

namespace lt {

// Several backends listed as one: their devices in backend order, each opened
// by the backend that listed it; a change in any of them is a change here.
class CompositeHidBackend : public HidBackend {
    Q_OBJECT
public:
    explicit CompositeHidBackend(std::vector<std::unique_ptr<HidBackend>> backends, QObject* parent = nullptr);

    std::vector<HidDeviceInfo> enumerate() override;
    std::unique_ptr<HidDevice> open(const HidDeviceInfo& info) override;
    void setWatching(bool on) override;
    bool discovering() const override;

private:
    std::vector<std::unique_ptr<HidBackend>> backends_;
    std::map<QString, HidBackend*> owners_;  // device path -> backend that listed it
};

// Another backend narrowed to the one device listed under path: nothing
// else is listed or opened through it.
class SingleDeviceBackend : public HidBackend {
    Q_OBJECT
public:
    SingleDeviceBackend(std::unique_ptr<HidBackend> inner, QString path, QObject* parent = nullptr);

    std::vector<HidDeviceInfo> enumerate() override;
    std::unique_ptr<HidDevice> open(const HidDeviceInfo& info) override;
    void setWatching(bool on) override;
    bool discovering() const override;

private:
    std::unique_ptr<HidBackend> inner_;
    QString path_;
};

// The environment variable that adds virtual devices: a comma-separated list
// of "host:port", one virtual device each.
inline constexpr char kVirtualHidVariable[] = "LT4402_VIRTUAL_HID";

// The addresses LT4402_VIRTUAL_HID lists, in its order; entries that are not
// host:port are left out, a repeated one counts once.
std::vector<VirtualHidAddress> virtualHidAddresses(const QString& variable);

// The program's HID backend: the attached devices through hidapi, plus one
// virtual device over TCP for every address in LT4402_VIRTUAL_HID.
std::unique_ptr<HidBackend> createProgramHidBackend(QObject* parent = nullptr);

// The one device at path, as enumeration lists it: a virtual device for a
// "tcp:host:port" path, otherwise the hidapi device with that path.
std::unique_ptr<HidBackend> createSingleDeviceBackend(const QString& path, QObject* parent = nullptr);

} // namespace lt
