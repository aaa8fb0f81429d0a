#include "editor/ChannelGridModel.h"

#include "codeplug/CodeplugModel.h"
#include "codeplug/TextEntryRules.h"
#include "codeplug/ValueEncodings.h"
#include "ui/AppLang.h"

#include <QBrush>
#include <QColor>

namespace lt {

namespace {

constexpr int kChannels = kGridRows - 1;
constexpr std::array<int, kGridColumns> kHeaderTexts = {15, 16, 17, 18, 19, 20, 21, 22, 23, 291, 69, 299, 24};

QStringList numbered(const QString& off, const QString& name, int count)
{
    QStringList items{off};
    for (int n = 1; n <= count; ++n)
        items << name + QLatin1Char(' ') + QString::number(n);
    return items;
}

} // namespace

QString BandLabelText(const BandLimits& bands)
{
    return QStringLiteral("U: ") + FreqToText(bands.UBandMin) + QLatin1Char('~') + FreqToText(bands.UBandMax)
           + QStringLiteral("     V: ") + FreqToText(bands.VBandMin) + QLatin1Char('~') + FreqToText(bands.VBandMax);
}

ChannelGridTexts ChannelGridTexts::current()
{
    ChannelGridTexts texts;
    for (int c = 0; c < kGridColumns; ++c)
        texts.headers[c] = MainText(kHeaderTexts[c]);
    texts.lists = {
        QStringList{MainText(27), MainText(26)},               // power: low, high
        QStringList{MainText(29), MainText(28)},               // bandwidth: narrow, wide
        QStringList{MainText(31), MainText(30)},               // scan: delete, add
        QStringList{MainText(32), MainText(34), MainText(33)}, // busy lock: off, signalling, carrier
        numbered(MainText(202), MainText(291), 3),             // special DCS
        QStringList{MainText(202), MainText(201)},             // compander: off, on
        numbered(MainText(202), MainText(299), 8),             // scrambler
    };
    texts.scramble = MainText(299);
    texts.nonstandard = MainText(251);
    return texts;
}

ChannelGridModel::ChannelGridModel(CodeplugModel& model, QObject* parent)
    : QAbstractTableModel(parent)
    , model_(model)
{
}

void ChannelGridModel::setTexts(ChannelGridTexts texts)
{
    texts_ = std::move(texts);
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

QString ChannelGridModel::listText(int column, unsigned value) const
{
    const QStringList& items = texts_.lists[column - kFirstListColumn];
    if (value < static_cast<unsigned>(items.size()))
        return items[value];
    if (column == kColScrambler)
        return texts_.scramble + QLatin1Char(' ') + QString::number(value);
    return {};
}

QString ChannelGridModel::cellText(int column, int row) const
{
    if (row < 1 || row > kChannels)
        return {};
    if (column == kColNumber)
        return QString::number(row);
    if (!model_.IsChannelUsed(row))
        return {};
    const ChannelRecord channel = model_.channel(row);
    switch (column) {
    case kColRxFreq: return FreqToText(channel.RxFreq());
    case kColTxFreq: return FreqToText(channel.TxFreq());
    case kColDecodeTone: return ToneToText(channel.RxToneCode(), channel.RxToneType());
    case kColEncodeTone: return ToneToText(channel.TxToneCode(), channel.TxToneType());
    case kColPower: return listText(column, channel.ChInfor_Pow());
    case kColBandwidth: return listText(column, channel.ChInfor_Bandwidth());
    case kColScan: return listText(column, channel.ChInfor_SCN());
    case kColBusyLock: return listText(column, channel.ChInfor_BusyFit());
    case kColSpecialDcs: return listText(column, channel.ChInfor_JiaMi());
    case kColCompander: return listText(column, channel.ChInfor_Comp());
    case kColScrambler: return listText(column, channel.ChInfor_Scr());
    case kColName: return FromGbk(channel.ChName());
    default: return {};
    }
}

QString ChannelGridModel::toneHint(int column, int row) const
{
    if ((column != kColDecodeTone && column != kColEncodeTone) || row < 1 || row > kChannels || !model_.IsChannelUsed(row))
        return {};
    const ChannelRecord channel = model_.channel(row);
    const bool standard = column == kColDecodeTone ? IsStandardTone(channel.RxToneCode(), channel.RxToneType())
                                                   : IsStandardTone(channel.TxToneCode(), channel.TxToneType());
    return standard ? QString() : texts_.nonstandard;
}

void ChannelGridModel::rowChanged(int row)
{
    emit dataChanged(gridIndex(1, row), gridIndex(kGridColumns - 1, row));
}

void ChannelGridModel::allChanged()
{
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
}

int ChannelGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kChannels;
}

int ChannelGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kGridColumns - 1;
}

QVariant ChannelGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int column = index.column() + 1;
    const int row = index.row() + 1;
    switch (role) {
    case Qt::DisplayRole: return cellText(column, row);
    case Qt::ToolTipRole: return toneHint(column, row);
    case Qt::TextAlignmentRole: return int(Qt::AlignCenter);
    default: return {};
    }
}

QVariant ChannelGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (role == Qt::DisplayRole && section + 1 < kGridColumns)
            return texts_.headers[section + 1];
        return {};
    }
    const int row = section + 1;
    if (role == Qt::DisplayRole)
        return QString::number(row);
    if (role == Qt::BackgroundRole && IsOddGridRow(row))
        return QBrush(QColor::fromRgb(kOddRowColour));
    return {};
}

Qt::ItemFlags ChannelGridModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

} // namespace lt
