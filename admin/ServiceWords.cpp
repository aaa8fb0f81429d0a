#include "admin/ServiceWords.h"

namespace lt {

std::optional<ServiceDialog> ServiceDialogFor(const QString& word)
{
    static const struct {
        QString word;
        ServiceDialog dialog;
    } kWords[] = {
        {QStringLiteral("qf37"), ServiceDialog::Calibration},
        {QStringLiteral("qfmorl"), ServiceDialog::BandLimits},
        {QStringLiteral("relkin"), ServiceDialog::Update},
        {QStringLiteral("qfnit"), ServiceDialog::CustomerId},
    };
    for (const auto& entry : kWords)
        if (word == entry.word)
            return entry.dialog;
    return std::nullopt;
}

} // namespace lt
