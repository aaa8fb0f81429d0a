#include "ui/AddedTexts.h"

#include "ui/AppLang.h"

#include <algorithm>
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
    {Added::Undo, "Undo", "撤销", "復原"},
    {Added::UndoStep, "Undo %1", "撤销%1", "復原%1"},
    {Added::Redo, "Redo", "重做", "重做"},
    {Added::RedoStep, "Redo %1", "重做%1", "重做%1"},
    {Added::Cut, "Cut", "剪切", "剪下"},
    {Added::Copy, "Copy", "复制", "複製"},
    {Added::Paste, "Paste", "粘贴", "貼上"},
    {Added::DeleteChannels, "Delete", "删除", "刪除"},
    {Added::InsertChannel, "Insert empty channel", "插入空信道", "插入空信道"},
    {Added::RemoveChannels, "Remove channel", "移除信道", "移除信道"},
    {Added::MoveUp, "Move up", "上移", "上移"},
    {Added::MoveDown, "Move down", "下移", "下移"},
    {Added::SortByFrequency, "Sort by frequency", "按频率排序", "按頻率排序"},
    {Added::SortByName, "Sort by name", "按名称排序", "按名稱排序"},
    {Added::Find, "Find…", "查找…", "尋找…"},
    {Added::FindNext, "Find next", "查找下一个", "尋找下一個"},
    {Added::GoToChannel, "Go to channel…", "转到信道…", "跳至信道…"},
    {Added::OneChannel, "channel %1", "信道 %1", "信道 %1"},
    {Added::ChannelRange, "channels %1–%2", "信道 %1-%2", "信道 %1-%2"},
    {Added::FieldOf, "%1 of %2", "%2的%1", "%2的%1"},
    {Added::RxFrequencyField, "receive frequency", "接收频率", "接收頻率"},
    {Added::TxFrequencyField, "transmit frequency", "发射频率", "發射頻率"},
    {Added::DecodeToneField, "decode tone", "亚音频解码", "亞音頻解碼"},
    {Added::EncodeToneField, "encode tone", "亚音频编码", "亞音頻編碼"},
    {Added::PowerField, "power", "发射功率", "發射功率"},
    {Added::BandwidthField, "bandwidth", "宽/窄带", "寬/窄帶"},
    {Added::ScanField, "scan", "扫描添加", "掃描添加"},
    {Added::BusyLockField, "busy lock-out", "遇忙禁发", "遇忙禁發"},
    {Added::SpecialDcsField, "special DCS", "特殊DCS", "特殊DCS"},
    {Added::CompanderField, "compander", "压扩", "壓擴"},
    {Added::ScramblerField, "scrambler", "扰频", "擾頻"},
    {Added::NameField, "name", "信道别名", "信道別名"},
    {Added::BatchSetOf, "batch set of %1", "%1的批量设置", "%1的批量設置"},
    {Added::CsvImportStep, "CSV import", "CSV 导入", "CSV 匯入"},
    {Added::PasteInto, "paste into %1", "粘贴到%1", "貼上到%1"},
    {Added::CutOf, "cut of %1", "剪切%1", "剪下%1"},
    {Added::DeleteOf, "deletion of %1", "删除%1", "刪除%1"},
    {Added::InsertAt, "insertion at %1", "在%1插入空信道", "在%1插入空信道"},
    {Added::RemoveOf, "removal of %1", "移除%1", "移除%1"},
    {Added::MoveUpOf, "move of %1 up", "上移%1", "上移%1"},
    {Added::MoveDownOf, "move of %1 down", "下移%1", "下移%1"},
    {Added::SortByFrequencyOf, "sort of %1 by frequency", "%1按频率排序", "%1按頻率排序"},
    {Added::SortByNameOf, "sort of %1 by name", "%1按名称排序", "%1按名稱排序"},
    {Added::RadioPasswordStep, "radio password", "电台密码", "電台密碼"},
    {Added::NewRadioPasswordStep, "new radio password", "新电台密码", "新電台密碼"},
    {Added::InsertRefused, "Channel 240 is in use, so no channel can be inserted.", "信道 240 已使用，无法插入信道。", "信道 240 已使用，無法插入信道。"},
    {Added::PastePastEnd, "The clipboard holds %1 channels; pasted from channel %2 on they would run past channel 240. Nothing was pasted.", "剪贴板中有 %1 个信道，从信道 %2 起粘贴会超出信道 240。未粘贴任何数据。", "剪貼簿中有 %1 個信道，從信道 %2 起貼上會超出信道 240。未貼上任何數據。"},
    {Added::NothingPasted, "Nothing was pasted:", "未粘贴任何数据：", "未貼上任何數據："},
    {Added::NoChannelsToPaste, "The clipboard holds no channels.", "剪贴板中没有信道。", "剪貼簿中沒有信道。"},
    {Added::FindPrompt, "Name or frequency:", "信道别名或频率：", "信道別名或頻率："},
    {Added::NotFound, "No channel in use matches \"%1\".", "没有与“%1”相符的已用信道。", "沒有與「%1」相符的已用信道。"},
    {Added::GoToPrompt, "Channel (1–240):", "信道（1-240）：", "信道（1-240）："},
    {Added::RecoveryOffer, "The program did not end normally. A copy of the codeplug with its unsaved changes was kept at %1. Restore it?", "程序上次未正常结束。已于 %1 保存了含未保存修改的数据副本。是否恢复？", "程式上次未正常結束。已於 %1 保存了含未儲存修改的數據副本。是否恢復？"},
    {Added::Restore, "Restore", "恢复", "恢復"},
    {Added::Discard, "Discard", "放弃", "放棄"},
    {Added::RecoveryUnreadable, "The kept copy of the codeplug cannot be read; it was deleted.", "保存的数据副本无法读取，已删除。", "保存的數據副本無法讀取，已刪除。"},
    {Added::FindTitle, "Find", "查找", "尋找"},
    {Added::GoToTitle, "Go to channel", "转到信道", "跳至信道"},
    {Added::CsvNulByte, "a field holds a NUL byte", "字段中含有 NUL 字节", "欄位中含有 NUL 字節"},
    {Added::CsvTextAfterQuote, "text after the closing quote of a field", "字段的结束引号后还有文字", "欄位的結束引號後還有文字"},
    {Added::CsvStrayQuote, "a quote inside a field that does not start with one", "不以引号开头的字段中含有引号", "不以引號開頭的欄位中含有引號"},
    {Added::CsvUnclosedQuote, "the quoted field that starts on this line is never closed", "从此行开始的引号字段没有结束引号", "從此行開始的引號欄位沒有結束引號"},
    {Added::CsvNoHeader, "the file has no header line", "文件没有标题行", "文件沒有標題行"},
    {Added::CsvNoSuchColumn, "the header has no such column", "标题行中没有此列", "標題行中沒有此欄"},
    {Added::CsvChannelTwice, "channel %1 is already on line %2", "信道 %1 已在第 %2 行", "信道 %1 已在第 %2 行"},
    {Added::CsvNoFrequency, "a frequency in MHz is required", "必须填写频率（MHz）", "必須填寫頻率（MHz）"},
    {Added::CsvNotFrequency, "%1 is not a frequency in MHz with at most six decimals", "%1 不是最多六位小数的频率（MHz）", "%1 不是最多六位小數的頻率（MHz）"},
    {Added::CsvNotCtcss, "%1 is not a CTCSS tone from 30.0 to 260.0 Hz in tenths", "%1 不是 30.0 至 260.0 Hz、精确到 0.1 Hz 的 CTCSS 亚音", "%1 不是 30.0 至 260.0 Hz、精確到 0.1 Hz 的 CTCSS 亞音"},
    {Added::CsvNotDcs, "%1 is not a DCS code of up to three octal digits", "%1 不是最多三位八进制数字的 DCS 码", "%1 不是最多三位八進制數字的 DCS 碼"},
    {Added::CsvNotPolarity, "%1 is not one of NN, NR, RN, RR", "%1 不是 NN、NR、RN、RR 之一", "%1 不是 NN、NR、RN、RR 之一"},
    {Added::CsvNotToneMode, "%1 is not one of \"\", Tone, TSQL, DTCS, Cross", "%1 不是 \"\"、Tone、TSQL、DTCS、Cross 之一", "%1 不是 \"\"、Tone、TSQL、DTCS、Cross 之一"},
    {Added::CsvNotEitherOf, "%1 is not %2 or %3", "%1 不是 %2 或 %3", "%1 不是 %2 或 %3"},
    {Added::CsvNotEmptyOr, "%1 is not empty or %2", "%1 不是空白或 %2", "%1 不是空白或 %2"},
    {Added::CsvNotChannelNumber, "%1 is not a channel number from 1 to %2", "%1 不是 1 至 %2 的信道号", "%1 不是 1 至 %2 的信道號"},
    {Added::CsvNameNotShowable, "%1 has characters the radio cannot show", "%1 含有电台无法显示的字符", "%1 含有電台無法顯示的字元"},
    {Added::CsvNameTooLong, "%1 is longer than %2 bytes", "%1 超过 %2 个字节", "%1 超過 %2 個字節"},
    {Added::CsvFrequencyOutsideBands, "%1 MHz is outside the bands %2 or %3 MHz", "%1 MHz 不在频段 %2 或 %3 MHz 之内", "%1 MHz 不在頻段 %2 或 %3 MHz 之內"},
    {Added::CsvTransmitOutsideBands, "the transmit frequency is outside the bands %1 or %2 MHz", "发射频率不在频段 %1 或 %2 MHz 之内", "發射頻率不在頻段 %1 或 %2 MHz 之內"},
    {Added::CsvNotDuplex, "%1 is not one of \"\", +, -, split, off", "%1 不是 \"\"、+、-、split、off 之一", "%1 不是 \"\"、+、-、split、off 之一"},
    {Added::CsvNotStep, "%1 is not a step in kHz", "%1 不是以 kHz 为单位的步进", "%1 不是以 kHz 為單位的步進"},
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

QString MessageLines(const QStringList& lines, int maxLines, int leftOut)
{
    QString text = lines.mid(0, maxLines).join(QLatin1Char('\n'));
    const qsizetype more = std::max<qsizetype>(lines.size() - maxLines, 0) + leftOut;
    if (more > 0)
        text += QLatin1Char('\n') + AddedText(Added::MoreLines).arg(more);
    return text;
}

} // namespace lt
