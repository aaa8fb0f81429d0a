#include "editor/EditStepNames.h"

#include "editor/ChannelGridModel.h"
#include "ui/SafetyNetTexts.h"

namespace lt {

namespace {

static_assert(safety_text::FirstChannelField + kColName - kColRxFreq + 1 == safety_text::BatchSetOf,
              "one channel field name per grid column 1..12");

QString channels(const EditLabel& label)
{
    if (label.lastChannel <= label.firstChannel)
        return SafetyNetText(safety_text::OneChannel).arg(label.firstChannel);
    return SafetyNetText(safety_text::ChannelRange).arg(label.firstChannel).arg(label.lastChannel);
}

int stepText(EditKind kind)
{
    switch (kind) {
    case EditKind::BatchSet: return safety_text::BatchSetOf;
    case EditKind::Paste: return safety_text::PasteInto;
    case EditKind::Cut: return safety_text::CutOf;
    case EditKind::Delete: return safety_text::DeleteOf;
    case EditKind::InsertEmpty: return safety_text::InsertAt;
    case EditKind::Remove: return safety_text::RemoveOf;
    case EditKind::MoveUp: return safety_text::MoveUpOf;
    case EditKind::MoveDown: return safety_text::MoveDownOf;
    case EditKind::SortByFrequency: return safety_text::SortByFrequencyOf;
    case EditKind::SortByName: return safety_text::SortByNameOf;
    default: return -1;
    }
}

} // namespace

QString EditStepName(const EditLabel& label)
{
    switch (label.kind) {
    case EditKind::ChannelField:
        return SafetyNetText(safety_text::FieldOf)
            .arg(SafetyNetText(safety_text::FirstChannelField + label.detail - kColRxFreq), channels(label));
    case EditKind::VfoControl:
        return SafetyNetText(safety_text::FieldOf)
            .arg(label.caption ? label.caption() : QString(),
                 SafetyNetText(safety_text::VfoSide).arg(label.detail == 0 ? QLatin1Char('A') : QLatin1Char('B')));
    case EditKind::Setting:
        return label.caption ? label.caption() : QString();
    case EditKind::CsvImport:
        return SafetyNetText(safety_text::CsvImportStep);
    case EditKind::RadioPassword:
        return SafetyNetText(safety_text::RadioPasswordStep);
    case EditKind::NewRadioPassword:
        return SafetyNetText(safety_text::NewRadioPasswordStep);
    default:
        return SafetyNetText(stepText(label.kind)).arg(channels(label));
    }
}

} // namespace lt
