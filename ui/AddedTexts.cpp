#include "ui/AddedTexts.h"

#include "ui/AppLang.h"

#include <array>
#include <cstddef>
#include <iterator>

namespace lt {

namespace {

struct Entry {
    Added name;
    const char* english;
    const char* simplified;
    const char* traditional;
};

constexpr Entry kEntries[] = {
    {Added::VerifyRadio, "Verify radio", "校验电台", "校驗電台"},
    {Added::ImportCsv, "Import CSV…", "导入 CSV…", "匯入 CSV…"},
    {Added::ExportCsv, "Export CSV…", "导出 CSV…", "匯出 CSV…"},
    {Added::RadioMatches, "The radio holds what writing the codeplug would send.",
     "电台中的数据与写入当前数据时一致。", "電台中的數據與寫入當前數據時一致。"},
    {Added::RadioDiffers, "The radio differs from what writing the codeplug would send in:",
     "电台中的数据与写入当前数据时不同：", "電台中的數據與寫入當前數據時不同："},
    {Added::FieldDiffers, "%1: file %2, radio %3", "%1：文件 %2，电台 %3", "%1：文件 %2，電台 %3"},
    {Added::NothingImported, "Nothing was imported:", "未导入任何数据：", "未匯入任何數據："},
    {Added::CsvErrorInLine, "line %1: %2", "第 %1 行：%2", "第 %1 行：%2"},
    {Added::CsvErrorInColumn, "line %1, column %2: %3", "第 %1 行，%2 列：%3", "第 %1 行，%2 列：%3"},
    {Added::InexactChannels, "These channels cannot be written exactly in CSV:", "以下信道无法准确写入 CSV：",
     "以下信道無法準確寫入 CSV："},
    {Added::CannotReadFile, "Cannot read the file.", "无法读取文件。", "無法讀取文件。"},
    {Added::CannotWriteFile, "Cannot write the file.", "无法写入文件。", "無法寫入文件。"},
    {Added::MoreLines, "… and %1 more", "… 另有 %1 项", "… 另有 %1 項"},
    {Added::CannotSaveFile, "Cannot save %1: %2", "无法保存 %1：%2", "無法保存 %1：%2"},
    {Added::ShortCalibrationFile, "%1 holds %2 bytes; a calibration file holds %3. The file was not opened.",
     "%1 只有 %2 字节，校准文件应有 %3 字节。文件未打开。", "%1 只有 %2 字節，校準文件應有 %3 字節。文件未打開。"},
    {Added::BackupNotKept, "The codeplug read from the radio could not be kept as a backup in %1: %2",
     "从电台读取的数据未能备份到 %1：%2", "從電台讀取的數據未能備份到 %1：%2"},
    {Added::ConfigNotWritten, "Cannot write the configuration file %1: %2", "无法写入配置文件 %1：%2",
     "無法寫入配置文件 %1：%2"},
    {Added::NotAFloat, "'%1' is not a valid floating point value", "“%1”不是有效的数值", "“%1”不是有效的數值"},
    {Added::NotAnInteger, "'%1' is not a valid integer value", "“%1”不是有效的整数", "“%1”不是有效的整數"},
    {Added::UnexpectedError, "Unexpected error", "意外错误", "意外錯誤"},
    {Added::Print, "Print…", "打印…", "列印…"},
    {Added::ExportPdf, "Export PDF…", "导出 PDF…", "匯出 PDF…"},
    {Added::CompareWithFile, "Compare with file…", "与文件比较…", "與文件比較…"},
    {Added::ReadFromRadioAt, "Read from radio %1", "从电台读取 %1", "從電台讀取 %1"},
    {Added::NewCodeplug, "New codeplug", "新数据", "新數據"},
    {Added::PageOf, "Page %1 of %2", "第 %1 页，共 %2 页", "第 %1 頁，共 %2 頁"},
    {Added::VfoSide, "VFO %1", "频率模式 %1", "頻率模式 %1"},
    {Added::CompareTitle, "Compare with %1", "与 %1 比较", "與 %1 比較"},
    {Added::ChannelColumn, "Channel", "信道", "信道"},
    {Added::FieldColumn, "Field", "项目", "項目"},
    {Added::ThisCodeplugColumn, "This codeplug", "当前数据", "當前數據"},
    {Added::FileColumn, "File", "文件", "文件"},
    {Added::CodeplugsEqual, "The codeplug and the file hold the same.", "当前数据与文件相同。", "當前數據與文件相同。"},
    {Added::CannotPrint, "Cannot print.", "无法打印。", "無法列印。"},
};

constexpr std::size_t kCount = static_cast<std::size_t>(Added::kCount);
static_assert(std::size(kEntries) == kCount, "every name has an entry");

constexpr bool entriesInNameOrder()
{
    for (std::size_t i = 0; i < kCount; ++i) {
        if (kEntries[i].name != static_cast<Added>(i))
            return false;
    }
    return true;
}
static_assert(entriesInNameOrder(), "entry n of the table is the text of name n");

template <const char* Entry::*Language>
constexpr std::array<const char*, kCount> column()
{
    std::array<const char*, kCount> texts{};
    for (std::size_t i = 0; i < kCount; ++i)
        texts[i] = kEntries[i].*Language;
    return texts;
}

constexpr std::array<const char*, kCount> kEnglish = column<&Entry::english>();
constexpr std::array<const char*, kCount> kSimplified = column<&Entry::simplified>();
constexpr std::array<const char*, kCount> kTraditional = column<&Entry::traditional>();

} // namespace

const TextTable& AddedTextTable()
{
    static const TextTable table{kEnglish, kSimplified, kTraditional};
    return table;
}

QString AddedText(Added entry)
{
    return AppLang().Text(AddedTextTable(), static_cast<int>(entry));
}

} // namespace lt
