#include "codeplug/ChannelSearch.h"

#include "codeplug/CodeplugDump.h"
#include "codeplug/CodeplugModel.h"
#include "codeplug/ValueEncodings.h"

namespace lt {

int FindChannel(const CodeplugModel& model, const QString& text, int after)
{
    const QString wanted = text.trimmed();
    if (wanted.isEmpty())
        return 0;
    for (int step = 1; step <= cp::kChannelCount; ++step) {
        const int n = (after + step - 1) % cp::kChannelCount + 1;
        if (!model.IsChannelUsed(n))
            continue;
        const ChannelRecord channel = model.channel(n);
        if (DecodeGbk(channel.ChName()).contains(wanted, Qt::CaseInsensitive)
            || FreqToText(channel.RxFreq()).contains(wanted) || FreqToText(channel.TxFreq()).contains(wanted))
            return n;
    }
    return 0;
}

} // namespace lt
