#pragma once

#include <QString>
#include <array>

namespace lt {

// Settings kept in _config.ini. The band limits are not here: they live with
// the codeplug (CodeplugModel::bands), since a read from the radio replaces them
// and the band clamps use them; the configuration file reads and writes them
// there.
struct ProgramSettings {
    static constexpr int kGridRows = 241;
    static constexpr int kGridColumns = 13;

    int Port = 1;
    int Language = 1; // 0 English, 1 Simplified Chinese, 2 Traditional Chinese
    bool AutoSeachPort = true;
    std::array<int, kGridRows> rowHeights;
    std::array<int, kGridColumns> columnWidths{35, 80, 80, 80, 80, 70, 70, 70, 80, 85, 70, 80, 80};
    QString appName = QStringLiteral(" ");  // name texts of the current language; shown nowhere
    QString company = QStringLiteral(" ");

    // Ports COM1..COM9 that could be opened at start-up; 0 when no scan ran.
    std::array<int, 9> SerialPortList{};
    int SerialPortCount = 0;

    ProgramSettings() { rowHeights.fill(20); }
};

} // namespace lt
