#pragma once

#include "hid/HidBackend.h"

#include <QString>

#include <memory>
#include <vector>

namespace lt {

class QtTransferClock;
class TransferClock;
class TransferTimer;

// The attached USB HID devices through hidapi (hidraw). hidapi reports no
// arrival or removal, so while watching the backend enumerates about once a
// second and reports a changed device set.
class HidapiBackend : public HidBackend {
    Q_OBJECT
public:
    static constexpr uint16_t kDefaultReportLength = 65;

    // clock drives the polling (Qt timers when none is given).
    explicit HidapiBackend(QObject* parent = nullptr, TransferClock* clock = nullptr);
    ~HidapiBackend() override;

    std::vector<HidDeviceInfo> enumerate() override;
    std::unique_ptr<HidDevice> open(const HidDeviceInfo& info) override;
    void setWatching(bool on) override;

private:
    struct Seen {
        QString path;
        uint16_t vendorId, productId;
        bool operator==(const Seen&) const = default;
    };
    std::vector<Seen> snapshot() const;
    void poll();

    std::unique_ptr<QtTransferClock> ownClock_;
    std::unique_ptr<TransferTimer> poll_;
    std::vector<Seen> seen_;
};

} // namespace lt
