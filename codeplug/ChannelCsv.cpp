#include "codeplug/ChannelCsv.h"

#include "codeplug/CodeplugDump.h"
#include "codeplug/CodeplugModel.h"
#include "codeplug/ToneTables.h"
#include "codeplug/ValueEncodings.h"

#include <QStringEncoder>

#include <array>
#include <cmath>
#include <map>
#include <numeric>
#include <optional>

namespace lt {

namespace {

enum Column { Location, Name, Frequency, Duplex, Offset, ToneMode, RTone, CTone, DtcsCode, DtcsPolarity, Mode, TStep, Skip, Power, Comment, kColumnCount };

// Both sides of the radio fall on one side of this: VHF below, UHF above.
constexpr uint32_t kBandDivideHz = 300000000;
constexpr int kHzDecimals = 6;
constexpr uint32_t kHzPerMhz = 1000000;
// CTCSS tones in tenths of a hertz that the tone parser of the editors accepts.
constexpr int kCtcssMin = 300;
constexpr int kCtcssMax = 2600;
constexpr int kDcsDigits = 3;
// Error messages quote a cell up to this many characters.
constexpr qsizetype kQuotedCellMax = 40;

struct Tones {
    Tone rx;
    Tone tx;
};

bool sameTone(const Tone& a, const Tone& b)
{
    return a.type == b.type && (a.type == kToneNone || a.code == b.code);
}

QString mhz(uint32_t hz)
{
    return QStringLiteral("%1.%2").arg(hz / kHzPerMhz).arg(hz % kHzPerMhz, kHzDecimals, 10, QChar('0'));
}

QString ctcssText(const Tone& tone)
{
    return QStringLiteral("%1.%2").arg(tone.code / 10).arg(tone.code % 10);
}

QString dcsText(const Tone& tone)
{
    return QStringLiteral("%1").arg(tone.code - kDcsCodeBase, 3, 8, QChar('0'));
}

QChar polarity(const Tone& tone)
{
    return tone.type == kToneDcsInverted ? QChar('R') : QChar('N');
}

bool isDcs(const Tone& tone)
{
    return tone.type == kToneDcsNormal || tone.type == kToneDcsInverted;
}

// The tone cells of a row; the same rules read them back (toneCellsToTones).
struct ToneCells {
    QString mode, rTone, cTone, dtcs, polarity;
};

ToneCells tonesToCells(const Tones& t)
{
    ToneCells c;
    if (t.rx.type == kToneNone && t.tx.type == kToneNone)
        return c;
    if (t.tx.type == kToneCtcss && t.rx.type == kToneNone) {
        c.mode = QStringLiteral("Tone");
        c.rTone = ctcssText(t.tx);
        return c;
    }
    if (t.tx.type == kToneCtcss && sameTone(t.tx, t.rx)) {
        c.mode = QStringLiteral("TSQL");
        c.rTone = c.cTone = ctcssText(t.tx);
        return c;
    }
    if (isDcs(t.tx) && isDcs(t.rx) && t.tx.code == t.rx.code) {
        c.mode = QStringLiteral("DTCS");
        c.dtcs = dcsText(t.tx);
        c.polarity = QString(polarity(t.tx)) + polarity(t.rx);
        return c;
    }
    c.mode = QStringLiteral("Cross");
    if (t.tx.type == kToneCtcss)
        c.rTone = ctcssText(t.tx);
    if (t.rx.type == kToneCtcss)
        c.cTone = ctcssText(t.rx);
    if (isDcs(t.tx))
        c.dtcs = dcsText(t.tx);
    else if (isDcs(t.rx))
        c.dtcs = dcsText(t.rx);
    c.polarity = QString(polarity(t.tx)) + polarity(t.rx);
    return c;
}

QString csvField(const QString& text, QChar separator)
{
    if (!text.contains(separator) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QLatin1Char('\r')))
        return text;
    QString escaped = text;
    escaped.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

// --- reading -----------------------------------------------------------------

constexpr std::pair<CsvProblem, const char*> kProblemTexts[] = {
    {CsvProblem::NulByte, "a field holds a NUL byte"},
    {CsvProblem::TextAfterQuote, "text after the closing quote of a field"},
    {CsvProblem::StrayQuote, "a quote inside a field that does not start with one"},
    {CsvProblem::UnclosedQuote, "the quoted field that starts on this line is never closed"},
    {CsvProblem::NoHeader, "the file has no header line"},
    {CsvProblem::NoSuchColumn, "the header has no such column"},
    {CsvProblem::ChannelTwice, "channel %1 is already on line %2"},
    {CsvProblem::NoFrequency, "a frequency in MHz is required"},
    {CsvProblem::NotFrequency, "%1 is not a frequency in MHz with at most six decimals"},
    {CsvProblem::NotCtcss, "%1 is not a CTCSS tone from 30.0 to 260.0 Hz in tenths"},
    {CsvProblem::NotDcs, "%1 is not a DCS code of up to three octal digits"},
    {CsvProblem::NotPolarity, "%1 is not one of NN, NR, RN, RR"},
    {CsvProblem::NotToneMode, "%1 is not one of \"\", Tone, TSQL, DTCS, Cross"},
    {CsvProblem::NotEitherOf, "%1 is not %2 or %3"},
    {CsvProblem::NotEmptyOr, "%1 is not empty or %2"},
    {CsvProblem::NotChannelNumber, "%1 is not a channel number from 1 to %2"},
    {CsvProblem::NameNotShowable, "%1 has characters the radio cannot show"},
    {CsvProblem::NameTooLong, "%1 is longer than %2 bytes"},
    {CsvProblem::FrequencyOutsideBands, "%1 MHz is outside the bands %2 or %3 MHz"},
    {CsvProblem::TransmitOutsideBands, "the transmit frequency is outside the bands %1 or %2 MHz"},
    {CsvProblem::NotDuplex, "%1 is not one of \"\", +, -, split, off"},
    {CsvProblem::NotStep, "%1 is not a step in kHz"},
};
static_assert(std::size(kProblemTexts) == static_cast<std::size_t>(CsvProblem::kCount), "every problem has a text");
constexpr bool problemsInOrder()
{
    for (std::size_t i = 0; i < std::size(kProblemTexts); ++i)
        if (kProblemTexts[i].first != static_cast<CsvProblem>(i))
            return false;
    return true;
}
static_assert(problemsInOrder(), "text n is the text of problem n");

// Lists the first errors of an import and counts the others.
void addError(CsvChannels& result, CsvError error)
{
    if (result.errors.size() < static_cast<std::size_t>(kMaxListedCsvErrors))
        result.errors.push_back(std::move(error));
    else
        ++result.unlistedErrors;
}

// A cell as an error message shows it: in quotes, cut after kQuotedCellMax
// characters (never between the two halves of a character).
QString quoted(const QString& cell)
{
    if (cell.size() <= kQuotedCellMax)
        return QLatin1Char('\'') + cell + QLatin1Char('\'');
    qsizetype cut = kQuotedCellMax;
    if (cell[cut - 1].isHighSurrogate())
        --cut;
    return QLatin1Char('\'') + cell.left(cut) + QStringLiteral("...'");
}

struct Record {
    int line;
    QStringList fields;
};

// RFC 4180 records: quoted fields may hold separators, doubled quotes and line
// breaks; each record remembers the line it starts on. A line ends in LF or
// CR LF (a CR elsewhere outside quotes is dropped). What the RFC does not
// allow is an error of the line it is on, one per line; after any, the
// records are not worth reading and none are returned.
std::vector<Record> parseCsv(const QString& text, QChar separator, CsvChannels& result)
{
    enum class State { FieldStart, Unquoted, Quoted, AfterQuote };
    std::vector<Record> records;
    Record current{1, {}};
    QString field;
    State state = State::FieldStart;
    int line = 1;
    int quoteLine = 0;
    int failedLine = 0;
    const auto fail = [&](int at, CsvProblem problem) {
        if (at != failedLine)
            addError(result, {at, {}, problem, {}});
        failedLine = at;
    };
    const auto endField = [&] {
        current.fields << field;
        field.clear();
        state = State::FieldStart;
    };
    const auto endRecord = [&] {
        endField();
        const bool blank = current.fields.size() == 1 && current.fields[0].trimmed().isEmpty();
        if (!blank)
            records.push_back(current);
        current = Record{line, {}};
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isNull()) {
            fail(line, CsvProblem::NulByte);
            continue;
        }
        if (c == QLatin1Char('\r') && state != State::Quoted)
            continue;
        switch (state) {
        case State::Quoted:
            if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                state = State::AfterQuote;
            } else {
                if (c == QLatin1Char('\n'))
                    ++line;
                field += c;
            }
            break;
        case State::FieldStart:
        case State::Unquoted:
        case State::AfterQuote:
            if (c == separator) {
                endField();
            } else if (c == QLatin1Char('\n')) {
                ++line;
                endRecord();
            } else if (state == State::AfterQuote) {
                fail(line, CsvProblem::TextAfterQuote);
            } else if (c == QLatin1Char('"') && state == State::FieldStart) {
                state = State::Quoted;
                quoteLine = line;
            } else if (c == QLatin1Char('"')) {
                fail(line, CsvProblem::StrayQuote);
            } else {
                field += c;
                state = State::Unquoted;
            }
            break;
        }
    }
    if (state == State::Quoted)
        fail(quoteLine, CsvProblem::UnclosedQuote);
    else if (state != State::FieldStart || !current.fields.isEmpty())
        endRecord();
    if (!result.ok())
        records.clear();
    return records;
}

struct Failure {
    QString message;
};

// A decimal megahertz text with at most six decimals, exactly in hertz.
std::optional<uint32_t> parseMhz(const QString& text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('.'));
    if (parts.size() > 2 || parts[0].isEmpty())
        return std::nullopt;
    const QString fraction = parts.size() == 2 ? parts[1] : QString();
    if (fraction.size() > kHzDecimals)
        return std::nullopt;
    for (const QString& part : parts)
        for (const QChar c : part)
            if (!c.isDigit() || c.unicode() > '9')
                return std::nullopt;
    bool ok = false;
    const qulonglong whole = parts[0].toULongLong(&ok);
    if (!ok)
        return std::nullopt;
    const qulonglong hz = whole * kHzPerMhz + (fraction.isEmpty() ? 0 : fraction.leftJustified(kHzDecimals, QChar('0')).toULongLong());
    if (whole > 0xFFFFFFFFull / kHzPerMhz || hz > 0xFFFFFFFFull)
        return std::nullopt;
    return static_cast<uint32_t>(hz);
}

class RowReader {
public:
    RowReader(const std::map<int, int>& columns, const Record& record, CsvChannels& result)
        : columns_(columns)
        , record_(record)
        , result_(result)
    {
    }

    QString cell(Column column) const
    {
        const auto it = columns_.find(column);
        if (it == columns_.end() || it->second >= record_.fields.size())
            return {};
        return record_.fields[it->second].trimmed();
    }

    void fail(Column column, CsvProblem problem, const QStringList& values = {})
    {
        addError(result_, {record_.line, ChannelCsvColumns()[column], problem, values});
        failed_ = true;
    }
    bool failed() const { return failed_; }

    std::optional<uint32_t> frequency(Column column, bool required)
    {
        const QString text = cell(column);
        if (text.isEmpty()) {
            if (required)
                fail(column, CsvProblem::NoFrequency);
            return std::nullopt;
        }
        const auto hz = parseMhz(text);
        if (!hz)
            fail(column, CsvProblem::NotFrequency, {quoted(text)});
        return hz;
    }

    std::optional<Tone> ctcss(Column column)
    {
        const QString text = cell(column);
        bool ok = false;
        const double hz = text.toDouble(&ok);
        const long tenths = std::lround(hz * 10);
        if (!ok || std::abs(hz * 10 - static_cast<double>(tenths)) > 1e-6 || tenths < kCtcssMin || tenths > kCtcssMax) {
            fail(column, CsvProblem::NotCtcss, {quoted(text)});
            return std::nullopt;
        }
        return Tone{static_cast<uint16_t>(tenths), kToneCtcss};
    }

    std::optional<uint16_t> dcsCode()
    {
        const QString text = cell(DtcsCode);
        bool ok = !text.isEmpty() && text.size() <= kDcsDigits;
        int number = 0;
        for (qsizetype i = 0; ok && i < text.size(); ++i) {
            ok = text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('7');
            number = number * 8 + (text[i].unicode() - '0');
        }
        if (!ok) {
            fail(DtcsCode, CsvProblem::NotDcs, {quoted(text)});
            return std::nullopt;
        }
        return static_cast<uint16_t>(kDcsCodeBase + number);
    }

    // The polarity letters, transmit side first.
    std::optional<std::pair<uint8_t, uint8_t>> dcsPolarity()
    {
        QString text = cell(DtcsPolarity);
        if (text.isEmpty())
            text = QStringLiteral("NN");
        const auto type = [](QChar c) -> std::optional<uint8_t> {
            if (c == QLatin1Char('N'))
                return kToneDcsNormal;
            if (c == QLatin1Char('R'))
                return kToneDcsInverted;
            return std::nullopt;
        };
        if (text.size() != 2 || !type(text[0]) || !type(text[1])) {
            fail(DtcsPolarity, CsvProblem::NotPolarity, {quoted(text)});
            return std::nullopt;
        }
        return std::pair{*type(text[0]), *type(text[1])};
    }

    std::optional<Tones> tones()
    {
        const QString mode = cell(ToneMode);
        const Tone none{0, kToneNone};
        if (mode.isEmpty())
            return Tones{none, none};
        if (mode == QLatin1String("Tone")) {
            const auto tx = ctcss(RTone);
            return tx ? std::optional(Tones{none, *tx}) : std::nullopt;
        }
        if (mode == QLatin1String("TSQL")) {
            const auto both = ctcss(CTone);
            return both ? std::optional(Tones{*both, *both}) : std::nullopt;
        }
        if (mode == QLatin1String("DTCS")) {
            const auto code = dcsCode();
            const auto pol = dcsPolarity();
            if (!code || !pol)
                return std::nullopt;
            return Tones{Tone{*code, pol->second}, Tone{*code, pol->first}};
        }
        if (mode == QLatin1String("Cross")) {
            const auto pol = dcsPolarity();
            const bool hasDcs = !cell(DtcsCode).isEmpty();
            const auto code = hasDcs ? dcsCode() : std::optional<uint16_t>();
            if (!pol || (hasDcs && !code))
                return std::nullopt;
            const auto side = [&](Column column, uint8_t dcsType) -> std::optional<Tone> {
                if (!cell(column).isEmpty())
                    return ctcss(column);
                return hasDcs ? Tone{*code, dcsType} : none;
            };
            const auto tx = side(RTone, pol->first);
            const auto rx = side(CTone, pol->second);
            return tx && rx ? std::optional(Tones{*rx, *tx}) : std::nullopt;
        }
        fail(ToneMode, CsvProblem::NotToneMode, {quoted(mode)});
        return std::nullopt;
    }

    // A cell with one of two words, or empty for the first.
    std::optional<bool> choice(Column column, const QString& first, const QString& second, bool emptyIsFirst = true)
    {
        const QString text = cell(column);
        if (text == first || (text.isEmpty() && emptyIsFirst))
            return true;
        if (text == second)
            return false;
        if (first.isEmpty())
            fail(column, CsvProblem::NotEmptyOr, {quoted(text), second});
        else
            fail(column, CsvProblem::NotEitherOf, {quoted(text), first, second});
        return std::nullopt;
    }

private:
    const std::map<int, int>& columns_;
    const Record& record_;
    CsvChannels& result_;
    bool failed_ = false;
};

bool inBands(uint32_t hz, const BandLimits& bands)
{
    return (hz >= bands.VBandMin && hz <= bands.VBandMax) || (hz >= bands.UBandMin && hz <= bands.UBandMax);
}

// The two bands as an error message names them, V first.
QStringList bandTexts(const BandLimits& bands)
{
    return {mhz(bands.VBandMin) + QLatin1Char('-') + mhz(bands.VBandMax), mhz(bands.UBandMin) + QLatin1Char('-') + mhz(bands.UBandMax)};
}

std::optional<CsvChannel> readRow(RowReader& r, const BandLimits& bands, bool locations)
{
    CsvChannel row;
    bool ok = false;
    if (locations) {
        row.location = r.cell(Location).toInt(&ok);
        if (!ok || row.location < 1 || row.location > cp::kChannelCount)
            r.fail(Location, CsvProblem::NotChannelNumber, {quoted(r.cell(Location)), QString::number(cp::kChannelCount)});
    }

    QStringEncoder toGbk("GBK", QStringConverter::Flag::Stateless);
    row.name = toGbk.encode(r.cell(Name));
    if (toGbk.hasError())
        r.fail(Name, CsvProblem::NameNotShowable, {quoted(r.cell(Name))});
    else if (row.name.size() > static_cast<qsizetype>(cp::ch::kNameSize))
        r.fail(Name, CsvProblem::NameTooLong, {quoted(r.cell(Name)), QString::number(cp::ch::kNameSize)});

    if (const auto rx = r.frequency(Frequency, true)) {
        row.rx = *rx;
        if (!inBands(row.rx, bands))
            r.fail(Frequency, CsvProblem::FrequencyOutsideBands, QStringList{mhz(row.rx)} + bandTexts(bands));
    }

    const QString duplex = r.cell(Duplex);
    if (duplex.isEmpty()) {
        row.tx = row.rx;
    } else if (duplex == QLatin1String("off")) {
        row.tx = 0;
    } else if (duplex == QLatin1String("+") || duplex == QLatin1String("-") || duplex == QLatin1String("split")) {
        if (const auto offset = r.frequency(Offset, true)) {
            const int64_t tx = duplex == QLatin1String("split") ? int64_t{*offset}
                               : duplex == QLatin1String("+")   ? int64_t{row.rx} + *offset
                                                                : int64_t{row.rx} - *offset;
            if (tx <= 0 || tx > 0xFFFFFFFFll || !inBands(static_cast<uint32_t>(tx), bands))
                r.fail(Offset, CsvProblem::TransmitOutsideBands, bandTexts(bands));
            else
                row.tx = static_cast<uint32_t>(tx);
        }
    } else {
        r.fail(Duplex, CsvProblem::NotDuplex, {quoted(duplex)});
    }

    if (const auto tones = r.tones()) {
        row.rxTone = tones->rx;
        row.txTone = tones->tx;
    }
    if (const auto wide = r.choice(Mode, QStringLiteral("FM"), QStringLiteral("NFM")))
        row.wide = *wide;
    if (!r.cell(TStep).isEmpty()) {
        r.cell(TStep).toDouble(&ok);
        if (!ok)
            r.fail(TStep, CsvProblem::NotStep, {quoted(r.cell(TStep))});
    }
    if (const auto scan = r.choice(Skip, QString(), QStringLiteral("S")))
        row.scan = *scan;
    if (const auto high = r.choice(Power, QStringLiteral("High"), QStringLiteral("Low")))
        row.high = *high;
    if (r.failed())
        return std::nullopt;
    return row;
}

} // namespace

const QStringList& ChannelCsvColumns()
{
    static const QStringList columns = {
        QStringLiteral("Location"), QStringLiteral("Name"), QStringLiteral("Frequency"), QStringLiteral("Duplex"),
        QStringLiteral("Offset"), QStringLiteral("Tone"), QStringLiteral("rToneFreq"), QStringLiteral("cToneFreq"),
        QStringLiteral("DtcsCode"), QStringLiteral("DtcsPolarity"), QStringLiteral("Mode"), QStringLiteral("TStep"),
        QStringLiteral("Skip"), QStringLiteral("Power"), QStringLiteral("Comment"),
    };
    static_assert(kColumnCount == 15);
    return columns;
}

CsvExport ExportChannelsCsv(const CodeplugModel& model)
{
    std::vector<int> all(cp::kChannelCount);
    std::iota(all.begin(), all.end(), 1);
    return ExportChannels(model, all, QLatin1Char(','));
}

CsvExport ExportChannels(const CodeplugModel& model, const std::vector<int>& channels, QChar separator)
{
    CsvExport result;
    QString text = ChannelCsvColumns().join(separator) + QStringLiteral("\r\n");
    for (const int n : channels) {
        if (!model.IsChannelUsed(n))
            continue;
        const ChannelRecord r = model.channel(n);
        const uint32_t rx = r.RxFreq();
        const uint32_t tx = r.TxFreq();
        QString duplex;
        QString offset;
        if (tx == 0) {
            duplex = QStringLiteral("off");
        } else if (tx != rx) {
            const bool sameBand = (tx < kBandDivideHz) == (rx < kBandDivideHz);
            duplex = !sameBand ? QStringLiteral("split") : tx > rx ? QStringLiteral("+") : QStringLiteral("-");
            offset = mhz(!sameBand ? tx : tx > rx ? tx - rx : rx - tx);
        }
        const Tones tones{Tone{r.RxToneCode(), r.RxToneType()}, Tone{r.TxToneCode(), r.TxToneType()}};
        const ToneCells cells = tonesToCells(tones);

        QStringList row(kColumnCount);
        row[Location] = QString::number(n);
        row[Name] = DecodeGbk(r.ChName());
        row[Frequency] = mhz(rx);
        row[Duplex] = duplex;
        row[Offset] = offset;
        row[ToneMode] = cells.mode;
        row[RTone] = cells.rTone;
        row[CTone] = cells.cTone;
        row[DtcsCode] = cells.dtcs;
        row[DtcsPolarity] = cells.polarity;
        row[Mode] = r.ChInfor_Bandwidth() ? QStringLiteral("FM") : QStringLiteral("NFM");
        row[Skip] = r.ChInfor_SCN() ? QString() : QStringLiteral("S");
        row[Power] = r.ChInfor_Pow() ? QStringLiteral("High") : QStringLiteral("Low");

        // The same rules read the row back: what they do not give back exactly
        // is a channel these columns cannot carry.
        std::map<int, int> identity;
        for (int c = 0; c < kColumnCount; ++c)
            identity[c] = c;
        CsvChannels ignored;
        const Record written{0, row};
        RowReader reader(identity, written, ignored);
        const auto back = reader.tones();
        if (!back || !sameTone(back->rx, tones.rx) || !sameTone(back->tx, tones.tx))
            result.warnings << QStringLiteral("channel %1: decode %2 / encode %3 cannot be written exactly in these columns")
                                   .arg(n)
                                   .arg(ToneToText(tones.rx), ToneToText(tones.tx));

        QStringList fields;
        for (const QString& field : row)
            fields << csvField(field, separator);
        text += fields.join(separator) + QStringLiteral("\r\n");
    }
    result.text = text.toUtf8();
    return result;
}

CsvChannels ReadChannelLines(const QString& text, const ChannelLines& layout, const BandLimits& bands)
{
    CsvChannels result;
    std::vector<Record> records = parseCsv(text, layout.separator, result);
    if (!result.ok())
        return result;
    const QString frequencyColumn = ChannelCsvColumns()[Frequency];
    const bool hasHeader = layout.headerRequired
        || (!records.empty()
            && std::ranges::any_of(records.front().fields, [&](const QString& f) { return f.trimmed() == frequencyColumn; }));
    if (layout.headerRequired && records.empty()) {
        addError(result, {1, {}, CsvProblem::NoHeader, {}});
        return result;
    }

    std::map<int, int> columns;
    if (hasHeader) {
        const Record& header = records.front();
        for (int i = 0; i < header.fields.size(); ++i) {
            const int column = static_cast<int>(ChannelCsvColumns().indexOf(header.fields[i].trimmed()));
            if (column >= 0 && !columns.contains(column))
                columns[column] = i;
        }
        std::vector<Column> required{Frequency};
        if (layout.locations)
            required.insert(required.begin(), Location);
        for (const Column column : required)
            if (!columns.contains(column))
                addError(result, {header.line, ChannelCsvColumns()[column], CsvProblem::NoSuchColumn, {}});
        if (!result.ok())
            return result;
        records.erase(records.begin());
    } else {
        for (int c = 0; c < kColumnCount; ++c)
            columns[c] = c;
    }

    std::map<int, int> firstLine;
    for (const Record& record : records) {
        RowReader reader(columns, record, result);
        const auto row = readRow(reader, bands, layout.locations);
        if (!row)
            continue;
        if (layout.locations) {
            if (const auto seen = firstLine.find(row->location); seen != firstLine.end()) {
                addError(result, {record.line, ChannelCsvColumns()[Location], CsvProblem::ChannelTwice,
                                  {QString::number(row->location), QString::number(seen->second)}});
                continue;
            }
            firstLine[row->location] = record.line;
        }
        result.channels.push_back(*row);
    }
    return result;
}

void ApplyCsvChannel(const CsvChannel& line, int n, bool wasUsed, CodeplugModel& model)
{
    if (!wasUsed)
        model.StringGridAutoFullRow(n);
    ChannelRecord r = model.channel(n);
    r.setRxFreq(line.rx);
    r.setTxFreq(line.tx);
    r.setRxTone(line.rxTone.code, line.rxTone.type);
    r.setTxTone(line.txTone.code, line.txTone.type);
    r.setChInfor_Bandwidth(line.wide ? 1 : 0);
    r.setChInfor_SCN(line.scan ? 1 : 0);
    r.setChInfor_Pow(line.high ? 1 : 0);
    r.setChName(line.name);
    r.refreshToneTypeCopies();
    model.SetChannelUsed(n, true);
}

CsvImport ImportChannelsCsv(const QByteArray& csv, CodeplugModel& model)
{
    QString text = QString::fromUtf8(csv);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    CsvChannels lines = ReadChannelLines(text, ChannelLines{}, model.bands);
    CsvImport result;
    result.errors = std::move(lines.errors);
    result.unlistedErrors = lines.unlistedErrors;
    if (!result.ok())
        return result;

    std::array<bool, cp::kChannelCount + 1> wasUsed{};
    for (int n = 1; n <= cp::kChannelCount; ++n) {
        wasUsed[static_cast<std::size_t>(n)] = model.IsChannelUsed(n);
        model.SetChannelUsed(n, false);
    }
    for (const CsvChannel& line : lines.channels)
        ApplyCsvChannel(line, line.location, wasUsed[static_cast<std::size_t>(line.location)], model);
    result.channels = static_cast<int>(lines.channels.size());
    return result;
}

QString CsvProblemText(CsvProblem problem)
{
    return QString::fromLatin1(kProblemTexts[static_cast<std::size_t>(problem)].second);
}

QString FillCsvValues(const QString& text, const QStringList& values)
{
    // All at once, so a cell that holds "%2" stays as it is.
    switch (values.size()) {
    case 0:
        return text;
    case 1:
        return text.arg(values[0]);
    case 2:
        return text.arg(values[0], values[1]);
    default:
        return text.arg(values[0], values[1], values[2]);
    }
}

QString DescribeCsvError(const CsvError& error)
{
    if (error.column.isEmpty())
        return QStringLiteral("line %1: %2").arg(QString::number(error.line), error.message());
    return QStringLiteral("line %1, column %2: %3").arg(QString::number(error.line), error.column, error.message());
}

} // namespace lt
