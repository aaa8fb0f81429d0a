#pragma once

#include "hid/HidBackend.h"

#include <QByteArray>

#include <memory>
#include <vector>

namespace lt {

class RadioEmulator;
class TransferClock;

// Attaches a RadioEmulator in the same process as if it were a plugged-in
// radio. Replies arrive through the clock after the emulator's latency, so
// tests run whole transfers on a VirtualClock.
class LoopbackHidBackend : public HidBackend {
    Q_OBJECT
public:
    LoopbackHidBackend(RadioEmulator& emulator, TransferClock& clock, QObject* parent = nullptr);
    ~LoopbackHidBackend() override;

    // The identity the radio reports: its strings and 65-byte reports.
    static HidDeviceInfo radioDeviceInfo();

    // The identity enumerated; tests change it to exercise discovery.
    HidDeviceInfo info = radioDeviceInfo();

    std::vector<HidDeviceInfo> enumerate() override;
    std::unique_ptr<HidDevice> open(const HidDeviceInfo& info) override;

    // Plugs the radio in or pulls it out; a change emits devicesChanged. The
    // emulator's disconnect fault pulls it out.
    void setAttached(bool attached);
    bool isAttached() const { return attached_; }

    // The radio sends message unasked (a late answer to a request the program
    // has given up on, a glitch): it reaches the reader at once.
    void sendUnasked(const QByteArray& message);

    // How many opened devices are held right now.
    int openDevices() const { return openDevices_; }

    // Every output report written to the radio, in order.
    std::vector<QByteArray> writtenReports;

private:
    class Device;
    struct Reader;

    void deliver(const QByteArray& report);

    RadioEmulator& emulator_;
    TransferClock& clock_;
    bool attached_ = true;
    int openDevices_ = 0;
    std::shared_ptr<bool> alive_;
    std::weak_ptr<Reader> reader_;
};

} // namespace lt
