#include "calibrationui/AdjustmentTexts.h"

#include <iterator>

namespace lt {

namespace {

// Entries 2 to 21 hold nothing the editor shows; they stay empty so that the
// others keep their numbers.
#define LT_UNUSED_ENTRIES "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", ""

const char* const kEnglish[] = {"OK", "Cancel", LT_UNUSED_ENTRIES, "Open", "Save", "Clear all data ?"};
const char* const kSimplified[] = {"确认", "取消", LT_UNUSED_ENTRIES, "打开", "保存", "清除所有数据？"};
const char* const kTraditional[] = {"確認", "取消", LT_UNUSED_ENTRIES, "打開", "保存", "清除所有數據？"};

#undef LT_UNUSED_ENTRIES

static_assert(std::size(kEnglish) == adjustment_text::kEntries);
static_assert(std::size(kSimplified) == adjustment_text::kEntries);
static_assert(std::size(kTraditional) == adjustment_text::kEntries);

} // namespace

const TextTable& AdjustmentTextTable()
{
    static const TextTable table{kEnglish, kSimplified, kTraditional};
    return table;
}

} // namespace lt
