#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>
#include <array>

namespace lt {

class CodeplugModel;
struct BandLimits;

// The band label of the channel page: "U: 400.00000~470.00000     V: 136.00000~174.00000".
QString BandLabelText(const BandLimits& bands);

// Grid columns 1..12 of the channel grid; column 0 holds the channel numbers.
enum ChannelGridColumn {
    kColNumber = 0,
    kColRxFreq = 1,
    kColTxFreq = 2,
    kColDecodeTone = 3,
    kColEncodeTone = 4,
    kColPower = 5,
    kColBandwidth = 6,
    kColScan = 7,
    kColBusyLock = 8,
    kColSpecialDcs = 9,
    kColCompander = 10,
    kColScrambler = 11,
    kColName = 12,
};
inline constexpr int kGridColumns = 13;
inline constexpr int kGridRows = 241;
inline constexpr int kFirstListColumn = kColPower;
inline constexpr int kListColumns = kColScrambler - kColPower + 1;

// Background of the odd grid rows, fixed cells included.
inline constexpr unsigned kOddRowColour = 0xC0DCC0; // RGB(192, 220, 192)
inline bool IsOddGridRow(int row) { return row % 2 == 1; }

// The interface texts of the grid in the current language.
struct ChannelGridTexts {
    std::array<QString, kGridColumns> headers;
    // Items of the list editors of columns 5..11; item index = stored value.
    std::array<QStringList, kListColumns> lists;
    QString scramble;    // scrambler values beyond the list: "scramble 12"
    QString nonstandard; // mark of a tone outside the standard tables

    static ChannelGridTexts current();
};

// The channel grid's view of the codeplug. Model row r - 1 is channel r and
// model column c - 1 is grid column c; the channel numbers of grid column 0 are
// the vertical header, the captions of grid row 0 the horizontal header. A
// channel that is not in use shows blank cells; one in use shows its values.
class ChannelGridModel : public QAbstractTableModel {
public:
    ChannelGridModel(CodeplugModel& model, QObject* parent);

    void setTexts(ChannelGridTexts texts);
    const ChannelGridTexts& texts() const { return texts_; }

    // Grid coordinates: column 0..12, row 1..240.
    QString cellText(int column, int row) const;
    // The hint of a decode or encode tone cell of an in-use channel whose tone
    // is not in the standard tables; empty otherwise.
    QString toneHint(int column, int row) const;
    QModelIndex gridIndex(int column, int row) const { return index(row - 1, column - 1); }

    void rowChanged(int row);
    void allChanged();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QString listText(int column, unsigned value) const;

    CodeplugModel& model_;
    ChannelGridTexts texts_;
};

} // namespace lt
