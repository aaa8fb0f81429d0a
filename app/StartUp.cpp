#include "app/StartUp.h"

#include "program/ConfigFile.h"
#include "program/Program.h"
#include "ui/ErrorReportText.h"
#include "ui/InterfaceLanguage.h"
#include "ui/ModalSeam.h"

#include <optional>

namespace lt {

void LoadProgramState(Program& program, const QString& configPath)
{
    std::optional<ConfigWriteError> notCreated;
    if (ReadConfigFile(configPath, program.settings, program.model.bands)) {
        ScanSerialPorts(program.settings);
    } else {
        try {
            CreateConfigFile(configPath, program.settings, program.model.bands);
        } catch (const ConfigWriteError& error) {
            notCreated = error;
        }
    }
    program.model.SetCodeplugDefaults();
    program.settings.Port = 1;
    program.calibration.SetCalibrationDefaults();
    program.model.updateOffsetMax();
    SetProgramLanguage(program.settings.Language);
    if (notCreated)
        showErrorReport(ErrorReportText(*notCreated));
}

} // namespace lt
