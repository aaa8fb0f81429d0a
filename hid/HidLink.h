#pragma once

#include "hid/HidBackend.h"

#include <QObject>
#include <QStringList>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace lt {

// The program's link to the radio over USB HID: finds the radio among the
// attached HID devices by its product and manufacturer strings, sends
// protocol messages as output reports and collects the payloads of input
// reports in ReceiveBuffer. It never interprets what it receives; the
// transfer engine examines the buffer as each report arrives and on its own
// timer, and clears it.
//
// The link claims the devices from a discovery (HidCtlDeviceChange) until
// releaseDevices, as long as a transfer dialog or a command-line run lasts;
// meanwhile it follows the backend: every devicesChanged reruns discovery,
// also in the middle of a transfer. Released, it holds no device and ignores
// the backend, so other programs can reach the radio.
class HidLink : public QObject {
    Q_OBJECT
public:
    static constexpr std::size_t kReceiveBufferSize = 255;
    // The longest message the link stages; the protocol's longest is 301.
    static constexpr std::size_t kMaxMessageLength = 512;
    static constexpr std::size_t kReportPayload = 64;
    static constexpr std::size_t kChunkPayload = 61;
    static constexpr uint8_t kChunkTag = 0x4D;

    // The strings the radio itself reports; matched exactly, case-sensitive.
    static const QString kRadioProduct;
    static const QString kRadioManufacturer;
    // A device that names itself as the radio does.
    static bool IsRadio(const HidDeviceInfo& info) { return info.product == kRadioProduct && info.manufacturer == kRadioManufacturer; }

    explicit HidLink(HidBackend& backend, QObject* parent = nullptr);
    ~HidLink() override;

    // Releases every device, enumerates, lists every device and picks the
    // radio (the last match wins); emits devicesChanged when done.
    void HidCtlDeviceChange();
    // Closes every claimed device (its read thread stops), forgets the radio,
    // empties the list and the receive buffer, and stops following the
    // backend until the next discovery.
    void releaseDevices();

    bool hasRadio() const;
    bool radioOpenReadWrite() const;
    uint16_t outputReportLength() const;
    // Display texts in enumeration order: the product string, or
    // "Device VID=%04X PID=%04X" when the device has none.
    QStringList DevListBox() const;
    // The selected list entry: the first after each refresh, -1 when empty.
    int DevListBoxItemIndex() const;

    // Sends one message: up to 64 bytes as one report, longer ones as 61-byte
    // chunks headed 0x4D, chunk count, chunk index. Every report has exactly
    // the radio's output report length. Without a radio nothing is sent;
    // write failures are not reported (the engine resends). A message longer
    // than kMaxMessageLength is not sent.
    void Agr_HidWrite(const uint8_t* data, uint16_t length);

    // Delivers each input report's payload (ID byte removed) to ShowRead,
    // then tells reportReceived; idempotent, and only for a radio opened with
    // read and write access.
    void attachReceiveHandler();
    // Appends a payload to ReceiveBuffer. Bytes that do not fit are dropped,
    // so ReceiveCount always equals the number of valid bytes held.
    void ShowRead(const uint8_t* payload, uint16_t size);

    std::array<uint8_t, kReceiveBufferSize> ReceiveBuffer{};
    int32_t ReceiveCount = 0;

signals:
    // The device list was rebuilt.
    void devicesChanged();
    // An input report's payload was just added to ReceiveBuffer.
    void reportReceived();

private:
    struct Entry {
        QString text;
        HidDeviceInfo info;
        std::unique_ptr<HidDevice> device;
    };

    void writeReport(const std::vector<uint8_t>& frame);
    void backendChanged();
    void forgetDevices();

    HidBackend& backend_;
    std::vector<Entry> entries_;
    HidDevice* radio_ = nullptr;
    uint16_t outputReportLength_ = 0;
    bool claiming_ = false;
};

} // namespace lt
