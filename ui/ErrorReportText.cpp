#include "ui/ErrorReportText.h"

#include "codeplug/ConversionError.h"
#include "program/ConfigFile.h"
#include "ui/AddedTexts.h"

#include <QDir>

namespace lt {

QString ErrorReportText(const std::exception& error)
{
    if (const auto* conversion = dynamic_cast<const ConversionError*>(&error)) {
        const Added entry = conversion->expected() == ConversionError::Expected::Float ? Added::NotAFloat
                                                                                        : Added::NotAnInteger;
        return AddedText(entry).arg(QString::fromStdString(conversion->text()));
    }
    if (const auto* config = dynamic_cast<const ConfigWriteError*>(&error))
        return AddedText(Added::ConfigNotWritten).arg(QDir::toNativeSeparators(config->path()), config->reason());
    return QString::fromUtf8(error.what());
}

} // namespace lt
