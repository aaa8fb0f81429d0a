// Every row operation of the channel grid on all 240 channels, with its step of
// the edit history: the operation and the recording of its step, its undo and
// its redo, each on the codeplug alone; then the same through the main window,
// full refresh included; and the memory the history takes for 1000 steps.
#include "app/MainWindow.h"
#include "codeplug/ChannelClipboard.h"
#include "codeplug/ChannelCsv.h"
#include "codeplug/ChannelRows.h"
#include "editor/ChannelBatchFill.h"
#include "editor/ChannelPage.h"
#include "editor/ChannelRowCommands.h"
#include "emulator/SampleCodeplug.h"
#include "program/Program.h"
#include "ui/AppLang.h"
#include "WidgetBenchmarkMain.h"

#include <QAbstractItemView>
#include <QAction>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <functional>
#include <numeric>
#include <random>

namespace {

using namespace lt;

std::vector<int> AllChannels()
{
    std::vector<int> all(cp::kChannelCount);
    std::iota(all.begin(), all.end(), 1);
    return all;
}

struct Operation {
    const char* name;
    // Channel 240 must be free for an insert; the others start from the
    // sample codeplug with every channel in use.
    bool lastChannelFree;
    std::function<void(CodeplugModel&)> run;
};

const std::vector<Operation>& Operations()
{
    static const std::vector<ChannelSlot> reversed = [] {
        CodeplugModel other;
        FillSampleCodeplug(other);
        std::vector<ChannelSlot> taken = CopyChannels(other, AllChannels());
        std::ranges::reverse(taken);
        return taken;
    }();
    static const QString text = [] {
        CodeplugModel other;
        FillSampleCodeplug(other);
        SortChannels(other, SortKey::Name);
        return ChannelsAsText(other, AllChannels());
    }();
    static const QByteArray csv = [] {
        CodeplugModel other;
        FillSampleCodeplug(other);
        SortChannels(other, SortKey::Frequency);
        return ExportChannelsCsv(other).text;
    }();
    static const std::vector<Operation> operations = {
        {"PasteRaw", false, [](CodeplugModel& m) { PasteChannels(m, 1, reversed); }},
        {"PasteText", false, [](CodeplugModel& m) { PasteChannelText(m, 1, text); }},
        {"Cut", false, [](CodeplugModel& m) { CopyChannels(m, AllChannels()); ChannelsAsText(m, AllChannels()); ClearChannels(m, AllChannels()); }},
        {"Delete", false, [](CodeplugModel& m) { ClearChannels(m, AllChannels()); }},
        {"InsertEmpty", true, [](CodeplugModel& m) { InsertEmptyChannel(m, 1); }},
        {"Remove", false, [](CodeplugModel& m) { RemoveChannels(m, AllChannels()); }},
        {"MoveDown", false, [](CodeplugModel& m) { std::vector<int> a = AllChannels(); a.pop_back(); MoveChannels(m, a, 1); }},
        {"SortByFrequency", false, [](CodeplugModel& m) { SortChannels(m, SortKey::Frequency); }},
        {"SortByName", false, [](CodeplugModel& m) { SortChannels(m, SortKey::Name); }},
        {"BatchSet", false,
         [](CodeplugModel& m) {
             ChannelBatch batch;
             batch.startChannel = 1;
             batch.endChannel = cp::kChannelCount;
             batch.rxStart = batch.txStart = 438000000;
             batch.step = 12500;
             FillChannels(m, batch);
         }},
        {"CsvImport", false, [](CodeplugModel& m) { ImportChannelsCsv(csv, m); }},
    };
    return operations;
}

void Prepare(Program& program, const Operation& operation)
{
    FillSampleCodeplug(program.model);
    if (operation.lastChannelFree)
        program.model.SetChannelUsed(cp::kChannelCount, false);
    program.history.startFresh();
}

enum Phase { Do, Undo, Redo };

// state.range(0): the operation; state.range(1): the phase timed.
void BM_Step(benchmark::State& state)
{
    const Operation& operation = Operations()[static_cast<std::size_t>(state.range(0))];
    const auto phase = static_cast<Phase>(state.range(1));
    state.SetLabel(std::string(operation.name) + (phase == Do ? " + record" : phase == Undo ? " undo" : " redo"));
    Program program;
    for (auto _ : state) {
        state.PauseTiming();
        Prepare(program, operation);
        if (phase != Do) {
            operation.run(program.model);
            program.history.record({EditKind::Paste, 0, 0, 0, {}});
        }
        if (phase == Redo)
            program.history.undo();
        state.ResumeTiming();
        switch (phase) {
        case Do:
            operation.run(program.model);
            program.history.record({EditKind::Paste, 0, 0, 0, {}});
            break;
        case Undo: program.history.undo(); break;
        case Redo: program.history.redo(); break;
        }
    }
}

void StepArguments(benchmark::internal::Benchmark* benchmark)
{
    for (int op = 0; op < static_cast<int>(Operations().size()); ++op)
        for (int phase : {Do, Undo, Redo})
            benchmark->Args({op, phase});
}
BENCHMARK(BM_Step)->Apply(StepArguments)->Iterations(200)->Repetitions(3)->ReportAggregatesOnly()->Unit(benchmark::kMicrosecond);

// What the user waits for: a row command of the grid through the main window
// with its full refresh, then Edit/Undo and Edit/Redo, which refresh as well.
struct WindowFixture {
    WindowFixture()
        : window(program, dir.filePath(QStringLiteral("_config.ini")))
    {
        AppLang().SetInterfaceLanguage(0);
        window.show();
        window.FullRefresh();
    }

    QTemporaryDir dir;
    Program program;
    TForm1 window;
};

void BM_WindowCommand(benchmark::State& state)
{
    static const char* const commands[] = {"MenuEdit_SortByName", "MenuEdit_RemoveChannel", "MenuEdit_Delete"};
    const char* command = commands[state.range(0)];
    const auto phase = static_cast<Phase>(state.range(1));
    state.SetLabel(std::string(command) + (phase == Do ? "" : phase == Undo ? " undo" : " redo"));
    WindowFixture fixture;
    const auto trigger = [&](const char* name) { fixture.window.findChild<QAction*>(QString::fromLatin1(name))->trigger(); };
    for (auto _ : state) {
        state.PauseTiming();
        FillSampleCodeplug(fixture.program.model);
        fixture.window.FullRefresh();
        fixture.program.history.startFresh();
        fixture.window.channelPage()->setCurrentCell(1, 1);
        // Every row selected, so the command takes all 240 channels.
        fixture.window.channelPage()->findChild<QAbstractItemView*>(QStringLiteral("StringGrid1"))->selectAll();
        if (phase != Do)
            trigger(command);
        if (phase == Redo)
            trigger("MenuEdit_Undo");
        state.ResumeTiming();
        trigger(phase == Do ? command : phase == Undo ? "MenuEdit_Undo" : "MenuEdit_Redo");
    }
}
BENCHMARK(BM_WindowCommand)->ArgsProduct({{0, 1, 2}, {Do, Undo, Redo}})->Iterations(30)->Repetitions(3)->ReportAggregatesOnly()->Unit(benchmark::kMicrosecond);

// The memory of 1000 steps: single edits of a channel name, whole-list sorts
// (nearly every record moving), batch sets of every channel (every record
// changing), and a random mix of the row operations.
void BM_HistoryMemory(benchmark::State& state)
{
    static const char* const kinds[] = {"1000 name edits", "1000 sorts of 240 channels", "1000 batch sets of 240 channels",
                                        "1000 mixed row operations"};
    state.SetLabel(kinds[state.range(0)]);
    for (auto _ : state) {
        Program program;
        FillSampleCodeplug(program.model);
        program.history.startFresh();
        std::mt19937 random(1);
        const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
        int steps = 0;
        for (int i = 0; steps < 1000; ++i) {
            CodeplugModel& m = program.model;
            switch (state.range(0)) {
            case 0: m.channel(pick(1, 240)).setChName(QByteArray::number(i)); break;
            case 1: SortChannels(m, i % 2 ? SortKey::Name : SortKey::Frequency); break;
            case 2: {
                ChannelBatch batch;
                batch.startChannel = 1;
                batch.endChannel = cp::kChannelCount;
                batch.rxStart = batch.txStart = 400000000 + static_cast<uint32_t>(pick(0, 4000)) * 12500;
                batch.step = static_cast<uint32_t>(pick(1, 8)) * 6250;
                batch.power = pick(0, 1);
                FillChannels(m, batch);
                break;
            }
            default:
                switch (pick(0, 4)) {
                case 0: RemoveChannels(m, {pick(1, 240)}); break;
                case 1: MoveChannels(m, {pick(2, 239)}, pick(0, 1) ? 1 : -1); break;
                case 2: PasteChannels(m, pick(1, 200), CopyChannels(m, {pick(1, 240), pick(1, 240)})); break;
                case 3: ClearChannels(m, {pick(1, 240)}); break;
                default: m.channel(pick(1, 240)).setRxFreq(static_cast<uint32_t>(pick(400000, 470000)) * 1000); m.SetChannelUsed(pick(1, 240), true); break;
                }
            }
            steps += program.history.record({EditKind::Paste, 0, 0, 0, {}}) ? 1 : 0;
        }
        state.counters["steps"] = program.history.undoSteps();
        state.counters["KiB"] = static_cast<double>(program.history.storedBytes()) / 1024.0;
    }
}
BENCHMARK(BM_HistoryMemory)->DenseRange(0, 3)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunWidgetBenchmarks(argc, argv);
}
