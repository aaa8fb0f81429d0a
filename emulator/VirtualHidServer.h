#pragma once

#include "hid/HidBackend.h"

#include <QHostAddress>
#include <QTcpServer>

namespace lt {

class RadioEmulator;
class TransferClock;

// Serves a RadioEmulator as a virtual HID device over TCP (the protocol of
// docs/virtual-hid.md): introduces the device with one JSON line, then takes
// output reports and sends the replies as input reports after the emulator's
// latency. Once the emulator's disconnect fault has fired the radio counts as
// unplugged: the connection is closed and later connections are refused.
class VirtualHidServer : public QObject {
    Q_OBJECT
public:
    VirtualHidServer(RadioEmulator& emulator, TransferClock& clock, QObject* parent = nullptr);

    // The identity sent in the introduction; path is not used.
    HidDeviceInfo identity;

    bool listen(const QHostAddress& address, quint16 port);
    quint16 serverPort() const { return server_.serverPort(); }
    QString errorString() const { return server_.errorString(); }

    // The JSON line that opens every connection.
    QByteArray introduction() const;

signals:
    void clientConnected();
    void clientDisconnected();

private:
    void acceptConnection();
    void serve(QTcpSocket* socket, QByteArray& pending);

    RadioEmulator& emulator_;
    TransferClock& clock_;
    QTcpServer server_;
    bool unplugged_ = false;
};

} // namespace lt
