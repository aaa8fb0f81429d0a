#include "cli/RowVerbs.h"

#include "codeplug/CodeplugModel.h"

#include <numeric>

namespace lt {

namespace {

std::optional<int> channelNumber(const QString& text)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < 1 || n > cp::kChannelCount)
        return std::nullopt;
    return n;
}

QString notAChannel(const QString& text)
{
    return QStringLiteral("'%1' is not a channel number from 1 to %2").arg(text).arg(cp::kChannelCount);
}

} // namespace

bool IsRowVerb(const QString& verb)
{
    return verb == QLatin1String("sort") || verb == QLatin1String("move") || verb == QLatin1String("delete");
}

QString RowVerbUsage(const QString& verb)
{
    if (verb == QLatin1String("sort"))
        return QStringLiteral("sort FILE.kvf --by frequency|name");
    if (verb == QLatin1String("move"))
        return QStringLiteral("move FILE.kvf FROM TO");
    return QStringLiteral("delete FILE.kvf N[-M]");
}

std::optional<RowEdit> ParseRowEdit(const QString& verb, const QStringList& args, QString* error)
{
    RowEdit edit;
    const auto fail = [&](const QString& reason) {
        *error = reason;
        return std::nullopt;
    };
    if (verb == QLatin1String("sort")) {
        QString by;
        if (args.size() == 2 && args[0] == QLatin1String("--by"))
            by = args[1];
        else if (args.size() == 1 && args[0].startsWith(QLatin1String("--by=")))
            by = args[0].mid(5);
        else
            return fail(QStringLiteral("usage: lt4402-cli [OPTIONS] ") + RowVerbUsage(verb));
        if (by != QLatin1String("frequency") && by != QLatin1String("name"))
            return fail(QStringLiteral("--by takes frequency or name, not '%1'").arg(by));
        edit.kind = RowEdit::Sort;
        edit.key = by == QLatin1String("name") ? SortKey::Name : SortKey::Frequency;
        return edit;
    }
    if (verb == QLatin1String("move")) {
        if (args.size() != 2)
            return fail(QStringLiteral("usage: lt4402-cli [OPTIONS] ") + RowVerbUsage(verb));
        const auto from = channelNumber(args[0]);
        const auto to = channelNumber(args[1]);
        if (!from || !to)
            return fail(notAChannel(!from ? args[0] : args[1]));
        edit.kind = RowEdit::Move;
        edit.first = *from;
        edit.last = *to;
        return edit;
    }
    if (args.size() != 1)
        return fail(QStringLiteral("usage: lt4402-cli [OPTIONS] ") + RowVerbUsage(verb));
    const QStringList range = args[0].split(QLatin1Char('-'));
    const auto first = channelNumber(range.value(0));
    const auto last = range.size() == 2 ? channelNumber(range[1]) : first;
    if (range.size() > 2 || !first || !last)
        return fail(QStringLiteral("'%1' is not a channel N or a range N-M of channels from 1 to %2").arg(args[0]).arg(cp::kChannelCount));
    if (*last < *first)
        return fail(QStringLiteral("the range %1 ends before it starts").arg(args[0]));
    edit.kind = RowEdit::Delete;
    edit.first = *first;
    edit.last = *last;
    return edit;
}

QString ApplyRowEdit(const RowEdit& edit, CodeplugModel& model)
{
    switch (edit.kind) {
    case RowEdit::Sort:
        SortChannels(model, edit.key);
        return QStringLiteral("sorted %1 channel(s) in use by %2")
            .arg(model.UsedChannelCount())
            .arg(edit.key == SortKey::Name ? QStringLiteral("name") : QStringLiteral("frequency"));
    case RowEdit::Move:
        MoveChannelTo(model, edit.first, edit.last);
        return QStringLiteral("moved channel %1 to %2").arg(edit.first).arg(edit.last);
    case RowEdit::Delete:
        break;
    }
    std::vector<int> channels(static_cast<std::size_t>(edit.last - edit.first + 1));
    std::iota(channels.begin(), channels.end(), edit.first);
    int wereUsed = 0;
    for (const int n : channels)
        wereUsed += model.IsChannelUsed(n) ? 1 : 0;
    ClearChannels(model, channels);
    return QStringLiteral("deleted %1 channel(s) in use among %2-%3").arg(wereUsed).arg(edit.first).arg(edit.last);
}

} // namespace lt
