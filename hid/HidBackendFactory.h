#pragma once

#include "hid/HidBackend.h"

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

private:
    std::vector<std::unique_ptr<HidBackend>> backends_;
    std::map<QString, HidBackend*> owners_;  // device path -> backend that listed it
};

// The environment variable that adds the virtual device ("host:port").
inline constexpr char kVirtualHidVariable[] = "LT4402_VIRTUAL_HID";

// The program's HID backend: the attached devices through hidapi, plus the
// virtual device over TCP when LT4402_VIRTUAL_HID holds host:port.
std::unique_ptr<HidBackend> createProgramHidBackend(QObject* parent = nullptr);

} // namespace lt
