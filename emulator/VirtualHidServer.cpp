#include "emulator/VirtualHidServer.h"

#include "emulator/LoopbackHidBackend.h"
#include "emulator/RadioEmulator.h"
#include "hid/TransferClock.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QTcpSocket>

#include <memory>

namespace lt {

VirtualHidServer::VirtualHidServer(RadioEmulator& emulator, TransferClock& clock, QObject* parent)
    : QObject(parent)
    , identity(LoopbackHidBackend::radioDeviceInfo())
    , emulator_(emulator)
    , clock_(clock)
{
    connect(&server_, &QTcpServer::newConnection, this, &VirtualHidServer::acceptConnection);
}

bool VirtualHidServer::listen(const QHostAddress& address, quint16 port)
{
    return server_.listen(address, port);
}

QByteArray VirtualHidServer::introduction() const
{
    const QJsonObject object{
        {QStringLiteral("vendor_id"), identity.vendorId},
        {QStringLiteral("product_id"), identity.productId},
        {QStringLiteral("product"), identity.product},
        {QStringLiteral("manufacturer"), identity.manufacturer},
        {QStringLiteral("input_report_length"), identity.inputReportLength},
        {QStringLiteral("output_report_length"), identity.outputReportLength},
    };
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

void VirtualHidServer::acceptConnection()
{
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        if (unplugged_) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        auto pending = std::make_shared<QByteArray>();
        connect(socket, &QTcpSocket::readyRead, this, [this, socket, pending] { serve(socket, *pending); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            socket->deleteLater();
            emit clientDisconnected();
        });
        socket->write(introduction());
        emit clientConnected();
    }
}

void VirtualHidServer::serve(QTcpSocket* socket, QByteArray& pending)
{
    pending += socket->readAll();
    const int length = identity.outputReportLength;
    while (!unplugged_ && length > 0 && pending.size() >= length) {
        const QByteArray report = pending.left(length);
        pending.remove(0, length);

        const RadioEmulator::Response response = emulator_.handleReport(report, static_cast<std::size_t>(length), clock_.nowMs());
        if (response.reply.isEmpty() && !response.disconnect)
            continue;
        if (response.disconnect)
            unplugged_ = true;
        const auto reports = RadioEmulator::toInputReports(response.reply, identity.inputReportLength);
        clock_.callLater(emulator_.faults.latencyMs, [target = QPointer<QTcpSocket>(socket), reports, disconnect = response.disconnect] {
            if (!target)
                return;
            for (const QByteArray& input : reports)
                target->write(input);
            target->flush();
            if (disconnect)
                target->disconnectFromHost();
        });
    }
}

} // namespace lt
