#pragma once

#include "hid/HidBackend.h"
#include "hid/HidLink.h"
#include "hid/TransferClock.h"
#include "program/Program.h"
#include "transfer/TransferEngine.h"

#include <QByteArray>

#include <functional>
#include <memory>
#include <vector>

namespace lt::test {

// A radio the test answers by hand: it records every message with the virtual
// time it went out, and a reply function (or the test itself) decides what
// comes back.
class ScriptedRadio : public HidBackend {
public:
    struct Sent {
        int64_t at;
        QByteArray message; // the report payload, zero-padded to 64 bytes
    };

    explicit ScriptedRadio(TransferClock& clock) : clock_(clock) {}

    std::vector<HidDeviceInfo> enumerate() override
    {
        if (!present)
            return {};
        HidDeviceInfo radio;
        radio.path = QStringLiteral("scripted");
        radio.product = HidLink::kRadioProduct;
        radio.manufacturer = HidLink::kRadioManufacturer;
        radio.inputReportLength = 65;
        radio.outputReportLength = 65;
        return {radio};
    }

    std::unique_ptr<HidDevice> open(const HidDeviceInfo&) override { return std::make_unique<Device>(*this); }

    // Delivers one input report carrying payload (zero-padded to 64 bytes).
    void reply(const QByteArray& payload)
    {
        if (reader_)
            reader_(QByteArray(1, '\0') + payload.leftJustified(64, '\0', true));
    }

    // Answers every message after latencyMs; an empty answer means silence.
    std::function<QByteArray(const QByteArray& message)> respond;
    int latencyMs = 1;
    bool present = true;
    std::vector<Sent> sent;

private:
    class Device : public HidDevice {
    public:
        explicit Device(ScriptedRadio& radio) : radio_(radio) {}
        bool canReadWrite() const override { return true; }
        bool writeReport(const uint8_t* report, std::size_t length) override
        {
            const QByteArray message(reinterpret_cast<const char*>(report) + 1, static_cast<qsizetype>(length - 1));
            radio_.sent.push_back({radio_.clock_.nowMs(), message});
            if (radio_.respond) {
                const QByteArray answer = radio_.respond(message);
                if (!answer.isEmpty())
                    radio_.clock_.callLater(radio_.latencyMs, [radio = &radio_, answer] { radio->reply(answer); });
            }
            return true;
        }
        void startReading(std::function<void(const QByteArray&)> onReport) override
        {
            radio_.reader_ = std::move(onReport);
        }

    private:
        ScriptedRadio& radio_;
    };

    TransferClock& clock_;
    std::function<void(const QByteArray&)> reader_;
};

inline bool StartsWith(const QByteArray& message, const char* prefix)
{
    return message.startsWith(QByteArray(prefix));
}

// A cooperative radio: "S" to the link request, an erased password record,
// 0x06 to every write and zeros to every read.
inline QByteArray WillingRadio(const QByteArray& message)
{
    if (StartsWith(message, "PROGR81"))
        return "S";
    if (message.startsWith('W'))
        return QByteArray(1, 0x06);
    if (message.startsWith('R')) {
        const int length = uint8_t(message[3]);
        const bool password = uint8_t(message[1]) == 0xC0;
        return QByteArray("W") + message.mid(1, 3) + QByteArray(length, password ? char(0xFF) : char(0));
    }
    return {};
}

} // namespace lt::test
