#include "app/StartUp.h"

#include "program/ConfigFile.h"
#include "program/Program.h"

namespace lt {

void LoadProgramState(Program& program, const QString& configPath)
{
    if (ReadConfigFile(configPath, program.settings, program.model.bands))
        ScanSerialPorts(program.settings);
    program.model.SetCodeplugDefaults();
    program.settings.Port = 1;
    program.calibration.SetCalibrationDefaults();
    program.model.updateOffsetMax();
}

} // namespace lt
