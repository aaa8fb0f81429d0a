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
