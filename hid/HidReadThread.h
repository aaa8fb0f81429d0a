#pragma once

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

class QObject;

namespace lt {

// Reads a device's input reports on a thread of its own and hands each one to
// the thread that created the reader (the UI thread), waiting until it has
// been handled: reports reach the handler one at a time, in arrival order, and
// the program's state needs no locks.
class HidReadThread {
public:
    // Reads one report into buffer: the byte count, 0 when nothing arrived
    // within timeoutMs, negative when the device failed (reading stops).
    using ReadReport = std::function<int(uint8_t* buffer, std::size_t size, int timeoutMs)>;

    // prefixZero puts a 0 report ID before every report, for devices whose
    // reports come without one.
    HidReadThread(ReadReport read, std::size_t reportLength, bool prefixZero,
        std::function<void(const QByteArray& report)> onReport);
    // Stops and joins the thread; no report is handled afterwards. The reader
    // may go while its handler runs (the handler may run a nested event loop
    // in which the device is released).
    ~HidReadThread();

    HidReadThread(const HidReadThread&) = delete;
    HidReadThread& operator=(const HidReadThread&) = delete;

    // False once a failed read has ended the thread.
    bool reading() const;

    // How long one read waits before the thread looks whether it must stop.
    static constexpr int kReadWaitMs = 100;

private:
    struct Shared;

    void run();
    void handOver(const QByteArray& report);

    ReadReport read_;
    std::size_t reportLength_;
    bool prefixZero_;
    std::shared_ptr<Shared> shared_;
    QObject* receiver_;
    std::thread thread_;
};

} // namespace lt
