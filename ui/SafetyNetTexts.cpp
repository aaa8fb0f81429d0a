#include "ui/SafetyNetTexts.h"

#include "ui/AppLang.h"

#include <iterator>

namespace lt {

namespace {

const char* const kEnglish[] = {
    "Verify radio",
    "Import CSV…",
    "Export CSV…",
    "The radio holds what writing the codeplug would send.",
    "The radio differs from what writing the codeplug would send in:",
    "Nothing was imported:",
    "These channels cannot be written exactly in CSV:",
    "Cannot read the file.",
    "Cannot write the file.",
    "… and %1 more",
    "Print…",
    "Export PDF…",
    "Compare with file…",
    "Read from radio %1",
    "New codeplug",
    "Page %1 of %2",
    "VFO %1",
    "Compare with %1",
    "Channel",
    "Field",
    "This codeplug",
    "File",
    "The codeplug and the file hold the same.",
    "Cannot print.",
};

const char* const kSimplified[] = {
    "校验电台",
    "导入 CSV…",
    "导出 CSV…",
    "电台中的数据与写入当前数据时一致。",
    "电台中的数据与写入当前数据时不同：",
    "未导入任何数据：",
    "以下信道无法准确写入 CSV：",
    "无法读取文件。",
    "无法写入文件。",
    "… 另有 %1 项",
    "打印…",
    "导出 PDF…",
    "与文件比较…",
    "从电台读取 %1",
    "新数据",
    "第 %1 页，共 %2 页",
    "频率模式 %1",
    "与 %1 比较",
    "信道",
    "项目",
    "当前数据",
    "文件",
    "当前数据与文件相同。",
    "无法打印。",
};

const char* const kTraditional[] = {
    "校驗電台",
    "匯入 CSV…",
    "匯出 CSV…",
    "電台中的數據與寫入當前數據時一致。",
    "電台中的數據與寫入當前數據時不同：",
    "未匯入任何數據：",
    "以下信道無法準確寫入 CSV：",
    "無法讀取文件。",
    "無法寫入文件。",
    "… 另有 %1 項",
    "列印…",
    "匯出 PDF…",
    "與文件比較…",
    "從電台讀取 %1",
    "新數據",
    "第 %1 頁，共 %2 頁",
    "頻率模式 %1",
    "與 %1 比較",
    "信道",
    "項目",
    "當前數據",
    "文件",
    "當前數據與文件相同。",
    "無法列印。",
};

static_assert(std::size(kEnglish) == safety_text::kEntries);
static_assert(std::size(kSimplified) == safety_text::kEntries);
static_assert(std::size(kTraditional) == safety_text::kEntries);

} // namespace

const TextTable& SafetyNetTextTable()
{
    static const TextTable table{kEnglish, kSimplified, kTraditional};
    return table;
}

QString SafetyNetText(int n)
{
    return AppLang().Text(SafetyNetTextTable(), n);
}

} // namespace lt
