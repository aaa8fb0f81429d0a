#pragma once

#include <QString>

#include <optional>

namespace lt {

// The dialogs behind the service-access prompt.
enum class ServiceDialog { Calibration, BandLimits, Update, CustomerId };

// The dialog a word typed into the prompt opens: the whole text must equal one
// of the service words exactly, letter case included.
std::optional<ServiceDialog> ServiceDialogFor(const QString& word);

} // namespace lt
