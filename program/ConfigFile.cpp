#include "program/ConfigFile.h"

#include "codeplug/CodeplugModel.h"
#include "program/ProgramSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

// The file holds ASCII only; its bytes are taken as they are.
#define SI_NO_CONVERSION
#include <SimpleIni.h>

#include <stdexcept>
#include <string>

#include <unistd.h>

namespace lt {

namespace {

constexpr const char* kConfig = "config";
constexpr const char* kControl = "control";
constexpr const char* kBand = "Band";
constexpr const char* kNameSections[] = {"chs", "cht", "eng"};
constexpr const char* kNameKeys[] = {"AppName", "Company"};
constexpr const char* kCreatedNameText = " ";

std::string rowKey(int row) { return "ChSG_Row" + std::to_string(row); }
std::string columnKey(int column) { return "ChSG_Col" + std::to_string(column); }

// Section of the name texts of an interface language: 1 Simplified, 2
// Traditional, anything else English.
const char* nameSection(int language)
{
    return language == 1 ? "chs" : language == 2 ? "cht" : "eng";
}

void setNumber(CSimpleIniA& ini, const char* section, const std::string& key, long value)
{
    ini.SetLongValue(section, key.c_str(), value);
}

void putValues(CSimpleIniA& ini, const ProgramSettings& settings, const BandLimits& bands)
{
    setNumber(ini, kConfig, "Port", settings.Port);
    setNumber(ini, kConfig, "Language", settings.Language);
    setNumber(ini, kConfig, "AutoSeachPort", settings.AutoSeachPort ? 1 : 0);
    for (int row = 0; row < ProgramSettings::kGridRows; ++row)
        setNumber(ini, kControl, rowKey(row), settings.rowHeights[row]);
    for (int column = 0; column < ProgramSettings::kGridColumns; ++column)
        setNumber(ini, kControl, columnKey(column), settings.columnWidths[column]);
    // Limits are unsigned 32-bit; long holds them on every platform we build.
    setNumber(ini, kBand, "U band min", static_cast<long>(bands.UBandMin));
    setNumber(ini, kBand, "U band max", static_cast<long>(bands.UBandMax));
    setNumber(ini, kBand, "V band min", static_cast<long>(bands.VBandMin));
    setNumber(ini, kBand, "V band max", static_cast<long>(bands.VBandMax));
}

void save(CSimpleIniA& ini, const QString& path)
{
    std::string text;
    if (ini.Save(text) < 0)
        throw ConfigWriteError(path, QString());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.data(), static_cast<qint64>(text.size())) < 0
        || !file.commit())
        throw ConfigWriteError(path, file.errorString());
}

void load(CSimpleIniA& ini, const QString& path)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray text = file.readAll();
        ini.LoadData(text.constData(), static_cast<size_t>(text.size()));
    }
}

// The name texts are created as one space. SimpleIni trims the values it
// reads, so they come back empty; an INI value reads the same blank or empty,
// and the file keeps them as they were created.
void keepNameTextsAsCreated(CSimpleIniA& ini)
{
    for (const char* section : kNameSections) {
        for (const char* key : kNameKeys) {
            const char* value = ini.GetValue(section, key);
            if (value && *value == '\0')
                ini.SetValue(section, key, kCreatedNameText);
        }
    }
}

// key=value without spaces, one value per key, as the file has always been.
void configure(CSimpleIniA& ini)
{
    ini.SetSpaces(false);
    ini.SetMultiKey(false);
}

uint32_t readLimit(const CSimpleIniA& ini, const char* key, uint32_t fallback)
{
    return static_cast<uint32_t>(ini.GetLongValue(kBand, key, static_cast<long>(fallback)));
}

} // namespace

ConfigWriteError::ConfigWriteError(const QString& path, const QString& reason)
    : std::runtime_error(QStringLiteral("Cannot write the configuration file %1: %2")
                             .arg(QDir::toNativeSeparators(path), reason)
                             .toStdString())
    , path_(path)
    , reason_(reason)
{
}

QString ConfigFilePath()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QFileInfo folder(programFolder);
    if (folder.isDir() && folder.isWritable())
        return QDir(programFolder).filePath(QStringLiteral("_config.ini"));
    const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(userFolder);
    return QDir(userFolder).filePath(QStringLiteral("_config.ini"));
}

bool ReadConfigFile(const QString& path, ProgramSettings& settings, BandLimits& bands)
{
    const ProgramSettings builtIn;
    const BandLimits builtInBands;
    if (!QFileInfo::exists(path)) {
        settings = builtIn;
        bands = builtInBands;
        return false;
    }

    CSimpleIniA ini;
    configure(ini);
    load(ini, path);
    settings.Port = static_cast<int>(ini.GetLongValue(kConfig, "Port", builtIn.Port));
    settings.Language = static_cast<int>(ini.GetLongValue(kConfig, "Language", builtIn.Language));
    settings.AutoSeachPort = ini.GetLongValue(kConfig, "AutoSeachPort", builtIn.AutoSeachPort ? 1 : 0) != 0;
    for (int row = 0; row < ProgramSettings::kGridRows; ++row)
        settings.rowHeights[row] =
            static_cast<int>(ini.GetLongValue(kControl, rowKey(row).c_str(), builtIn.rowHeights[row]));
    for (int column = 0; column < ProgramSettings::kGridColumns; ++column)
        settings.columnWidths[column] = static_cast<int>(ini.GetLongValue(kControl, columnKey(column).c_str(), 0));
    bands.UBandMin = readLimit(ini, "U band min", builtInBands.UBandMin);
    bands.UBandMax = readLimit(ini, "U band max", builtInBands.UBandMax);
    bands.VBandMin = readLimit(ini, "V band min", builtInBands.VBandMin);
    bands.VBandMax = readLimit(ini, "V band max", builtInBands.VBandMax);
    const char* names = nameSection(settings.Language);
    settings.appName = QString::fromUtf8(ini.GetValue(names, "AppName", kCreatedNameText));
    settings.company = QString::fromUtf8(ini.GetValue(names, "Company", kCreatedNameText));
    return true;
}

void CreateConfigFile(const QString& path, const ProgramSettings& settings, const BandLimits& bands)
{
    CSimpleIniA ini;
    configure(ini);
    putValues(ini, settings, bands);
    for (const char* section : kNameSections) {
        for (const char* key : kNameKeys)
            ini.SetValue(section, key, kCreatedNameText);
    }
    save(ini, path);
}

void WriteConfigFile(const QString& path, const ProgramSettings& settings, const BandLimits& bands)
{
    CSimpleIniA ini;
    configure(ini);
    load(ini, path);
    keepNameTextsAsCreated(ini);
    putValues(ini, settings, bands);
    save(ini, path);
}

void ScanSerialPorts(ProgramSettings& settings)
{
    // COMn is the n-th serial device. A port counts when its device node can
    // be opened for reading and writing and the kernel has a UART behind it;
    // asking sysfs instead of opening the node keeps DTR/RTS untouched and
    // cannot block on a modem line.
    settings.SerialPortList.fill(0);
    settings.SerialPortCount = 0;
    for (int n = 1; n <= 9; ++n) {
        const QString device = QStringLiteral("/dev/ttyS%1").arg(n - 1);
        if (::access(QFile::encodeName(device).constData(), R_OK | W_OK) != 0)
            continue;
        QFile type(QStringLiteral("/sys/class/tty/ttyS%1/type").arg(n - 1));
        if (!type.open(QIODevice::ReadOnly) || type.readAll().trimmed() == "0")
            continue;
        settings.SerialPortList[static_cast<std::size_t>(settings.SerialPortCount++)] = n;
    }
}

} // namespace lt
