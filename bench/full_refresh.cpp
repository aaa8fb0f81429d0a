// The main window's full refresh with every memory channel in use: the
// refresh itself, the channel grid's share of it, and the refresh followed by
// painting the window as the user then sees it.
#include "app/MainWindow.h"
#include "editor/ChannelPage.h"
#include "program/Program.h"
#include "ui/AppLang.h"
#include "WidgetBenchmarkMain.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void fillAllChannels(lt::Program& program)
{
    for (int n = 1; n <= 240; ++n) {
        lt::ChannelRecord channel = program.model.channel(n);
        channel.setRxFreq(400000000 + uint32_t(n) * 12500);
        program.model.SetChannelUsed(n, true);
        program.model.StringGridAutoFullRow(n);
        channel.setRxTone(static_cast<uint16_t>(0x2800 + 023), 2);
        channel.setChName(QByteArrayLiteral("CH") + QByteArray::number(n));
    }
}

struct RefreshFixture {
    RefreshFixture()
        : form(program, dir.filePath(QStringLiteral("_config.ini")))
    {
        lt::AppLang().SetInterfaceLanguage(0);
        fillAllChannels(program);
        form.show();
        form.FullRefresh();
        QCoreApplication::processEvents();
    }

    QTemporaryDir dir;
    lt::Program program;
    lt::TForm1 form;
};

void BM_FullRefresh(benchmark::State& state)
{
    RefreshFixture fixture;
    for (auto _ : state)
        fixture.form.FullRefresh();
}
BENCHMARK(BM_FullRefresh)->Unit(benchmark::kMicrosecond);

void BM_FullRefreshAndRepaint(benchmark::State& state)
{
    RefreshFixture fixture;
    for (auto _ : state) {
        fixture.form.FullRefresh();
        fixture.form.repaint();
    }
}
BENCHMARK(BM_FullRefreshAndRepaint)->Unit(benchmark::kMicrosecond);

void BM_ChannelGridRefresh(benchmark::State& state)
{
    RefreshFixture fixture;
    lt::ChannelPage* page = fixture.form.channelPage();
    for (auto _ : state)
        page->refreshGrid();
}
BENCHMARK(BM_ChannelGridRefresh)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return RunWidgetBenchmarks(argc, argv);
}
