#include "editor/EditStepNames.h"

#include "editor/ChannelGridModel.h"
#include "ui/AddedTexts.h"

#include <optional>

namespace lt {

namespace {

static_assert(static_cast<int>(Added::NameField) - static_cast<int>(Added::RxFrequencyField) == kColName - kColRxFreq,
              "one channel field name per grid column 1..12");

QString channelField(int column)
{
    return AddedText(static_cast<Added>(static_cast<int>(Added::RxFrequencyField) + column - kColRxFreq));
}

QString channels(const EditLabel& label)
{
    if (label.lastChannel <= label.firstChannel)
        return AddedText(Added::OneChannel).arg(label.firstChannel);
    return AddedText(Added::ChannelRange).arg(label.firstChannel).arg(label.lastChannel);
}

std::optional<Added> stepText(EditKind kind)
{
    switch (kind) {
    case EditKind::BatchSet: return Added::BatchSetOf;
    case EditKind::Paste: return Added::PasteInto;
    case EditKind::Cut: return Added::CutOf;
    case EditKind::Delete: return Added::DeleteOf;
    case EditKind::InsertEmpty: return Added::InsertAt;
    case EditKind::Remove: return Added::RemoveOf;
    case EditKind::MoveUp: return Added::MoveUpOf;
    case EditKind::MoveDown: return Added::MoveDownOf;
    case EditKind::SortByFrequency: return Added::SortByFrequencyOf;
    case EditKind::SortByName: return Added::SortByNameOf;
    default: return std::nullopt;
    }
}

} // namespace

QString EditStepName(const EditLabel& label)
{
    switch (label.kind) {
    case EditKind::ChannelField:
        return AddedText(Added::FieldOf)
            .arg(channelField(label.detail), channels(label));
    case EditKind::VfoControl:
        return AddedText(Added::FieldOf)
            .arg(label.caption ? label.caption() : QString(),
                 AddedText(Added::VfoSide).arg(label.detail == 0 ? QLatin1Char('A') : QLatin1Char('B')));
    case EditKind::Setting:
        return label.caption ? label.caption() : QString();
    case EditKind::CsvImport:
        return AddedText(Added::CsvImportStep);
    case EditKind::RadioPassword:
        return AddedText(Added::RadioPasswordStep);
    case EditKind::NewRadioPassword:
        return AddedText(Added::NewRadioPasswordStep);
    default:
        if (const std::optional<Added> text = stepText(label.kind))
            return AddedText(*text).arg(channels(label));
        return {};
    }
}

} // namespace lt
