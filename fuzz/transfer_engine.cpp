// The transfer engine on a virtual clock, running any operation against a
// radio whose every reply the input may drop, corrupt, cut, double, delay or
// replace, or at whose reply the user closes the transfer dialog.

#include "FuzzSupport.h"
#include "support/EngineRig.h"

#include "codeplug/CodeplugDiff.h"
#include "codeplug/RadioImagePacking.h"
#include "emulator/RadioEmulator.h"
#include "hid/HidLink.h"
#include "hid/TransferClock.h"
#include "program/Program.h"
#include "transfer/CodeplugOperations.h"
#include "transfer/DownloadOperations.h"
#include "transfer/ServiceOperations.h"
#include "transfer/TransferEngine.h"
#include "transfer/TransferEnvironment.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <memory>

namespace {

using namespace lt;

constexpr std::size_t kReportLength = 65;
constexpr int kReplyLatencyMs = 1;
// Longer than the engine's inactivity timeout, so a delay can outlast it.
constexpr int kLongestDelayMs = 7000;
constexpr int kLongestReplacement = 80;
// Every run ends through the engine's own timeout long before this.
constexpr int64_t kRunLimitMs = 30 * 60 * 1000;
constexpr int kStepMs = 10;
constexpr std::size_t kDownloadFileSize = 700;

struct Run {
    int32_t operation;
    int32_t direction;
};
constexpr std::array<Run, 11> kRuns{{
    {op::Codeplug, kDirectionRead},
    {op::Codeplug, kDirectionWrite},
    {op::Calibration, kDirectionRead},
    {op::Calibration, kDirectionWrite},
    {op::RadioPassword, kDirectionWrite},
    {op::RfChipStatus, kDirectionRead},
    {op::CustomerId, kDirectionRead},
    {op::CustomerId, kDirectionWrite},
    {op::WriteAll, kDirectionWrite},
    {op::DataDownload, kDirectionWrite},
    {op::FirmwareUpdate, kDirectionWrite},
}};

enum class Fate { Delivered, Dropped, Corrupted, Cut, Doubled, Delayed, Replaced, DialogClosed, kCount };

// A small codeplug: a few channels and settings away from File/New.
CodeplugModel SmallCodeplug()
{
    CodeplugModel model;
    model.SetCodeplugDefaults();
    for (int n : {1, 2, 77, 240}) {
        model.channel(n).setRxFreq(static_cast<uint32_t>(145000000 + n * 12500));
        model.StringGridAutoFullRow(n);
        model.SetChannelUsed(n, true);
    }
    model.set(cp::SQL, 4);
    return model;
}

// The radio: the emulator answers, then the input decides what becomes of
// the answer on its way back.
class FuzzedRadio : public HidBackend {
public:
    FuzzedRadio(RadioEmulator& emulator, VirtualClock& clock, FuzzedDataProvider& input)
        : emulator_(emulator)
        , clock_(clock)
        , input_(input)
    {
    }

    std::function<void()> closeDialog;
    bool everyReplyDelivered = true;

    std::vector<HidDeviceInfo> enumerate() override
    {
        HidDeviceInfo radio;
        radio.path = QStringLiteral("fuzzed");
        radio.product = HidLink::kRadioProduct;
        radio.manufacturer = HidLink::kRadioManufacturer;
        radio.inputReportLength = kReportLength;
        radio.outputReportLength = kReportLength;
        return {radio};
    }

    std::unique_ptr<HidDevice> open(const HidDeviceInfo&) override { return std::make_unique<Device>(*this); }

private:
    class Device : public HidDevice {
    public:
        explicit Device(FuzzedRadio& radio) : radio_(radio) {}
        bool canReadWrite() const override { return true; }
        bool writeReport(const uint8_t* report, std::size_t length) override
        {
            radio_.answer(QByteArray(reinterpret_cast<const char*>(report), static_cast<qsizetype>(length)));
            return true;
        }
        void startReading(std::function<void(const QByteArray&)> onReport) override { radio_.reader_ = std::move(onReport); }

    private:
        FuzzedRadio& radio_;
    };

    void answer(const QByteArray& report)
    {
        QByteArray reply = emulator_.handleReport(report, kReportLength, clock_.nowMs()).reply;
        if (reply.isEmpty())
            return;
        const Fate fate = input_.remaining_bytes() > 0 ? static_cast<Fate>(input_.ConsumeIntegralInRange<int>(0, static_cast<int>(Fate::kCount) - 1))
                                                       : Fate::Delivered;
        everyReplyDelivered = everyReplyDelivered && fate == Fate::Delivered;
        int delayMs = kReplyLatencyMs;
        int copies = 1;
        switch (fate) {
        case Fate::Delivered:
        case Fate::kCount:
            break;
        case Fate::Dropped:
            return;
        case Fate::Corrupted:
            reply[input_.ConsumeIntegralInRange<qsizetype>(0, reply.size() - 1)] ^= static_cast<char>(input_.ConsumeIntegralInRange<uint8_t>(1, 255));
            break;
        case Fate::Cut:
            reply.truncate(input_.ConsumeIntegralInRange<qsizetype>(0, reply.size() - 1));
            break;
        case Fate::Doubled:
            copies = 2;
            break;
        case Fate::Delayed:
            delayMs = input_.ConsumeIntegralInRange(0, kLongestDelayMs);
            break;
        case Fate::Replaced:
            reply = fuzz::Bytes(input_.ConsumeBytes<uint8_t>(input_.ConsumeIntegralInRange(0, kLongestReplacement)));
            break;
        case Fate::DialogClosed:
            clock_.callLater(0, [this] { closeDialog(); });
            break;
        }
        const std::vector<QByteArray> reports = RadioEmulator::toInputReports(reply, kReportLength);
        clock_.callLater(delayMs, [this, reports, copies] {
            for (int copy = 0; copy < copies; ++copy)
                for (const QByteArray& input : reports)
                    if (reader_)
                        reader_(input);
        });
    }

    RadioEmulator& emulator_;
    VirtualClock& clock_;
    FuzzedDataProvider& input_;
    std::function<void(const QByteArray&)> reader_;
};

// Everything of the program a run could change.
struct Records {
    explicit Records(const Program& program)
        : codeplug(program.model)
        , calibration(program.calibration)
        , customerId(program.customerId)
    {
    }
    bool operator==(const Records&) const = default;

    test::ModelSnapshot codeplug;
    CalibrationData calibration;
    uint8_t customerId;
};

RadioImage MemoryOf(const RadioEmulator& emulator)
{
    RadioImage image;
    std::copy(emulator.memory.begin(), emulator.memory.end(), image.bytes.begin());
    return image;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const CodeplugModel small = SmallCodeplug();
    static const QString downloadFile = [] {
        std::array<uint8_t, kDownloadFileSize> file{};
        for (std::size_t i = 0; i < file.size(); ++i)
            file[i] = static_cast<uint8_t>(i * 7);
        return fuzz::FileHolding(file, QStringLiteral("download.bin"));
    }();
    FuzzedDataProvider input(data, size);
    const Run run = kRuns[input.ConsumeIntegralInRange<std::size_t>(0, kRuns.size() - 1)];

    VirtualClock clock;
    RadioEmulator emulator;
    {
        CodeplugModel radio = small;
        RadioImage image;
        GetDataForWrite(radio, image, test::FixedTime, test::FixedRandom);
        std::copy(image.bytes.begin(), image.bytes.end(), emulator.memory.begin());
    }
    FuzzedRadio backend(emulator, clock, input);
    HidLink link(backend);
    TransferEnvironment env(backend, link, clock);
    Program program;
    program.settings.AutoSeachPort = false;
    program.model = run.direction == kDirectionWrite ? small : CodeplugModel();
    if (run.direction == kDirectionRead)
        program.model.SetCodeplugDefaults();
    program.model.setText(cp::NewPassword, "2468");
    program.customerId = 42;
    // Packing refreshes copies of the tone types in the model; done once
    // here, so that a failed write is seen to change nothing.
    {
        RadioImage ignored;
        GetDataForWrite(program.model, ignored, test::FixedTime, test::FixedRandom);
    }
    auto source = std::make_shared<DownloadSource>();
    source->path = downloadFile;
    RegisterCodeplugOperations(env.operations, program);
    RegisterServiceOperations(env.operations, program, test::FixedRandom);
    RegisterDownloadOperations(env.operations, source);
    if (run.operation == op::DataDownload || run.operation == op::FirmwareUpdate)
        LT_FUZZ_CHECK(source->open());
    link.HidCtlDeviceChange();
    LT_FUZZ_CHECK(link.hasRadio());

    const Records before(program);
    env.state.TransferOperation = run.operation;
    env.state.direction = run.direction;
    const std::unique_ptr<OperationRoutine> routine = env.operations.create(run.operation, run.direction);
    TransferEngine engine(link, clock, env.state, program, *routine);
    backend.closeDialog = [&engine] { engine.FormClose(); };
    engine.ProgramStartClick();
    for (int64_t waited = 0; !engine.outcome() && waited < kRunLimitMs; waited += kStepMs)
        clock.advance(kStepMs);

    // Every run ends, with every timer stopped.
    LT_FUZZ_CHECK(engine.outcome().has_value());
    LT_FUZZ_CHECK(!engine.anyTimerActive());
    const TransferOutcome outcome = *engine.outcome();
    // A radio that answers every time makes every run succeed.
    if (backend.everyReplyDelivered)
        LT_FUZZ_CHECK(outcome == TransferOutcome::Success);
    if (outcome != TransferOutcome::Success) {
        // A failed or closed run changes nothing of the program's.
        LT_FUZZ_CHECK(Records(program) == before);
        return 0;
    }
    if (!backend.everyReplyDelivered)
        return 0;
    // And the run did what it was asked.
    if (run.operation == op::Codeplug)
        LT_FUZZ_CHECK(CompareRadioImages(ImageToWrite(program.model), MemoryOf(emulator)).empty());
    if (run.operation == op::Calibration && run.direction == kDirectionWrite) {
        const CalibrationTransmitArea sent = program.calibration.GetAdjustmentData();
        LT_FUZZ_CHECK(std::equal(sent.begin(), sent.begin() + cal::blk::kSize, emulator.memory.begin() + cal::blk::kRadioAddress));
    }
    if (run.operation == op::CustomerId)
        LT_FUZZ_CHECK(emulator.memory[service::kCustomerIdAddress] == program.customerId);
    return 0;
}
