#pragma once

#include "hid/HidBackend.h"

#include <QTcpSocket>

#include <memory>
#include <optional>

namespace lt {

class QtTransferClock;
class TransferClock;
class TransferTimer;

struct VirtualHidAddress {
    QString host;
    quint16 port = 0;
};

// A virtual HID device reached over TCP, so that a radio emulator in another
// process looks like an attached device. The emulator listens and introduces
// itself with one JSON line; after it, output reports travel to the emulator
// and input reports back, each as exactly its report length in bytes. The
// device is listed like any other HID device once the introduction has
// arrived, and disappears when the connection drops. The connection stands
// only while the backend is watched (while a transfer dialog or a command-line
// run lasts), like a device node that is open only then. See
// docs/virtual-hid.md.
class VirtualHidBackend : public HidBackend {
    Q_OBJECT
public:
    // Connects once watched; clock drives the reconnect attempts meanwhile
    // (Qt timers when none is given).
    VirtualHidBackend(VirtualHidAddress address, QObject* parent = nullptr, TransferClock* clock = nullptr);
    ~VirtualHidBackend() override;

    // "host:port", as LT4402_VIRTUAL_HID holds it.
    static std::optional<VirtualHidAddress> parseAddress(const QString& hostPort);

    // The introduction has arrived and the connection stands.
    bool isPresent() const { return device_.has_value(); }

    // "tcp:host:port", the path the device is listed under.
    static QString pathOf(const VirtualHidAddress& address);

    std::vector<HidDeviceInfo> enumerate() override;
    std::unique_ptr<HidDevice> open(const HidDeviceInfo& info) override;
    void setWatching(bool on) override;
    bool discovering() const override;

private:
    class Device;
    struct Reader;

    void connectToEmulator();
    void readIncoming();
    bool readIntroduction();
    void dropConnection();

    VirtualHidAddress address_;
    QString path_;
    QTcpSocket socket_;
    QByteArray incoming_;
    std::optional<HidDeviceInfo> device_;
    uint64_t connection_ = 0;  // counts introductions, so devices of an old connection go quiet
    std::weak_ptr<Reader> reader_;
    std::shared_ptr<bool> alive_;
    std::unique_ptr<QtTransferClock> ownClock_;
    std::unique_ptr<TransferTimer> retry_;
};

} // namespace lt
