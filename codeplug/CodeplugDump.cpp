#include "codeplug/CodeplugDump.h"

#include "codeplug/CodeplugModel.h"
#include "codeplug/ValueEncodings.h"

#include <QJsonArray>
#include <QStringDecoder>

#include <algorithm>

namespace lt {

namespace {

bool allZero(std::span<const uint8_t> bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == 0; });
}

QString hex(std::span<const uint8_t> bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())).toHex(' ');
}

QString mhz(uint32_t hz)
{
    return QString::number(hz / 1e6, 'f', 6);
}

// The fields of a channel record (or frequency-mode side) by name.
QJsonObject recordJson(const ChannelRecord& r, bool withName)
{
    QJsonObject o;
    o[QStringLiteral("RxFreq")] = static_cast<qint64>(r.RxFreq());
    o[QStringLiteral("TxFreq")] = static_cast<qint64>(r.TxFreq());
    o[QStringLiteral("RxTone")] = ToneToText(r.RxToneCode(), r.RxToneType());
    o[QStringLiteral("RxToneCode")] = r.RxToneCode();
    o[QStringLiteral("RxToneType")] = r.RxToneType();
    o[QStringLiteral("TxTone")] = ToneToText(r.TxToneCode(), r.TxToneType());
    o[QStringLiteral("TxToneCode")] = r.TxToneCode();
    o[QStringLiteral("TxToneType")] = r.TxToneType();
    o[QStringLiteral("Ch_SquelchMode")] = r.Ch_SquelchMode();
    o[QStringLiteral("ChInfor_BusyFit")] = r.ChInfor_BusyFit();
    o[QStringLiteral("ChInfor_Dtmf")] = r.ChInfor_Dtmf();
    o[QStringLiteral("ChInfor_Comp")] = r.ChInfor_Comp();
    o[QStringLiteral("ChInfor_JiaMi")] = r.ChInfor_JiaMi();
    o[QStringLiteral("ChInfor_Bandwidth")] = r.ChInfor_Bandwidth();
    o[QStringLiteral("ChInfor_Pow")] = r.ChInfor_Pow();
    o[QStringLiteral("ChInfor_SCN")] = r.ChInfor_SCN();
    o[QStringLiteral("ChInfor_Scr")] = r.ChInfor_Scr();
    o[QStringLiteral("OffsetDir")] = r.OffsetDir();
    if (withName)
        o[QStringLiteral("ChName")] = DecodeGbk(r.ChName());
    return o;
}

QJsonValue fieldJson(const CodeplugModel& model, const cp::Field& field)
{
    switch (field.kind) {
    case cp::FieldKind::Number:
        return static_cast<qint64>(model.get(field));
    case cp::FieldKind::Text:
        return DecodeGbk(model.text(field));
    case cp::FieldKind::Digits:
        return CodesToDtmf(model.digitCodes(field));
    case cp::FieldKind::Bytes:
    case cp::FieldKind::Reserved:
        break;
    }
    return hex(model.bytes(field));
}

QString recordLine(const ChannelRecord& r)
{
    return QStringLiteral("Rx %1 Tx %2 decode %3 encode %4 power %5 %6 busy %7 comp %8 special-DCS %9 scrambler %10 offset-dir %11")
        .arg(FreqToText(r.RxFreq()), FreqToText(r.TxFreq()), ToneToText(r.RxToneCode(), r.RxToneType()),
             ToneToText(r.TxToneCode(), r.TxToneType()), r.ChInfor_Pow() ? QStringLiteral("high") : QStringLiteral("low"),
             r.ChInfor_Bandwidth() ? QStringLiteral("wide") : QStringLiteral("narrow"))
        .arg(r.ChInfor_BusyFit())
        .arg(r.ChInfor_Comp())
        .arg(r.ChInfor_JiaMi())
        .arg(r.ChInfor_Scr())
        .arg(r.OffsetDir());
}

QJsonArray addressBookJson(const CodeplugModel& model)
{
    QJsonArray book;
    const auto bytes = model.bytes(cp::AddrBook);
    for (int i = 1; i < cp::addr::kEntries; ++i) {
        if (!model.IsAddrBookEntryUsed(i))
            continue;
        const uint8_t* entry = bytes.data() + static_cast<std::size_t>(i) * cp::addr::kSize;
        const int count = std::min<int>(entry[cp::addr::IdCount], 10);
        QByteArray name(reinterpret_cast<const char*>(entry + cp::addr::Name), 6);
        name.truncate(name.indexOf('\0') < 0 ? name.size() : name.indexOf('\0'));
        QJsonObject o;
        o[QStringLiteral("entry")] = i;
        o[QStringLiteral("D_AddrBook_id")] = CodesToDtmf(entry + cp::addr::Id, count);
        o[QStringLiteral("D_AddrBook_name")] = DecodeGbk(name);
        book.append(o);
    }
    return book;
}

} // namespace

QString DecodeGbk(const QByteArray& bytes)
{
    QStringDecoder decoder("GBK");
    return decoder.isValid() ? decoder.decode(bytes) : QString::fromLatin1(bytes);
}

QString FieldValueText(const CodeplugModel& model, const cp::Field& field)
{
    const QJsonValue value = fieldJson(model, field);
    if (!value.isString())
        return QString::number(value.toInteger());
    return field.kind == cp::FieldKind::Bytes ? value.toString() : QLatin1Char('"') + value.toString() + QLatin1Char('"');
}

QJsonObject DumpCodeplugJson(const CodeplugModel& model)
{
    QJsonObject fields;
    for (const cp::Field& field : cp::kAllFields) {
        if (field.kind == cp::FieldKind::Reserved) {
            if (!allZero(model.bytes(field)))
                fields[QStringLiteral("reserved@%1").arg(field.offset)] = hex(model.bytes(field));
            continue;
        }
        if (field.offset == cp::Channels.offset || field.offset == cp::VfoA.offset
            || field.offset == cp::VfoB.offset || field.offset == cp::AddrBook.offset)
            continue;
        fields[QLatin1String(field.name)] = fieldJson(model, field);
    }
    QJsonArray channels;
    for (int n = 1; n <= cp::kChannelCount; ++n) {
        if (!model.IsChannelUsed(n))
            continue;
        QJsonObject channel = recordJson(model.channel(n), true);
        channel[QStringLiteral("channel")] = n;
        channels.append(channel);
    }
    QJsonObject dump;
    dump[QStringLiteral("fields")] = fields;
    dump[QStringLiteral("vfoA")] = recordJson(model.vfoA(), false);
    dump[QStringLiteral("vfoB")] = recordJson(model.vfoB(), false);
    dump[QStringLiteral("addressBook")] = addressBookJson(model);
    dump[QStringLiteral("channels")] = channels;
    return dump;
}

QString DumpCodeplugText(const CodeplugModel& model)
{
    QString out;
    const auto line = [&out](const QString& name, const QString& value) { out += name + QStringLiteral(": ") + value + QLatin1Char('\n'); };
    const QJsonArray book = addressBookJson(model);
    for (const cp::Field& field : cp::kAllFields) {
        if (field.kind == cp::FieldKind::Reserved) {
            if (!allZero(model.bytes(field)))
                line(QStringLiteral("reserved@%1").arg(field.offset), hex(model.bytes(field)));
        } else if (field.offset == cp::Channels.offset) {
            line(QLatin1String(field.name), QStringLiteral("%1 in use (table below)").arg(model.UsedChannelCount()));
        } else if (field.offset == cp::VfoA.offset) {
            line(QLatin1String(field.name), recordLine(model.vfoA()));
        } else if (field.offset == cp::VfoB.offset) {
            line(QLatin1String(field.name), recordLine(model.vfoB()));
        } else if (field.offset == cp::AddrBook.offset) {
            line(QLatin1String(field.name), QStringLiteral("%1 entries in use").arg(book.size()));
            for (const QJsonValue& entry : book) {
                const QJsonObject o = entry.toObject();
                line(QStringLiteral("  entry %1").arg(o[QStringLiteral("entry")].toInt()),
                     o[QStringLiteral("D_AddrBook_id")].toString() + QLatin1Char(' ') + o[QStringLiteral("D_AddrBook_name")].toString());
            }
        } else {
            line(QLatin1String(field.name), FieldValueText(model, field));
        }
    }

    out += QLatin1Char('\n');
    const auto row = [](const QStringList& cells) {
        constexpr int widths[] = {4, 11, 11, 7, 7, 5, 6, 4, 4, 4, 4, 4, 3};
        QString text;
        for (int i = 0; i < cells.size(); ++i)
            text += i < static_cast<int>(std::size(widths)) ? cells[i].leftJustified(widths[i]) + QLatin1Char(' ') : cells[i];
        return text + QLatin1Char('\n');
    };
    out += row({QStringLiteral("No"), QStringLiteral("RxFreq"), QStringLiteral("TxFreq"), QStringLiteral("Decode"),
                QStringLiteral("Encode"), QStringLiteral("Power"), QStringLiteral("Band"), QStringLiteral("Scan"),
                QStringLiteral("Sql"), QStringLiteral("Busy"), QStringLiteral("DTMF"), QStringLiteral("Comp"),
                QStringLiteral("Scr"), QStringLiteral("Name")});
    for (int n = 1; n <= cp::kChannelCount; ++n) {
        if (!model.IsChannelUsed(n))
            continue;
        const ChannelRecord r = model.channel(n);
        out += row({QString::number(n), mhz(r.RxFreq()), mhz(r.TxFreq()), ToneToText(r.RxToneCode(), r.RxToneType()),
                    ToneToText(r.TxToneCode(), r.TxToneType()), r.ChInfor_Pow() ? QStringLiteral("High") : QStringLiteral("Low"),
                    r.ChInfor_Bandwidth() ? QStringLiteral("Wide") : QStringLiteral("Narrow"),
                    r.ChInfor_SCN() ? QStringLiteral("Add") : QStringLiteral("Del"), QString::number(r.Ch_SquelchMode()),
                    QString::number(r.ChInfor_BusyFit()), QString::number(r.ChInfor_Dtmf()), QString::number(r.ChInfor_Comp()),
                    QString::number(r.ChInfor_Scr()), DecodeGbk(r.ChName())});
    }
    return out;
}

} // namespace lt
