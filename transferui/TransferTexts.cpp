#include "transferui/TransferTexts.h"

#include <iterator>

namespace lt {

namespace {

const char* const kEnglish[] = {
    "Start", "Cancel", "Communication False", "SUCCESS", "Password Error",
};
const char* const kSimplified[] = {
    "开始", "取消", "无法连接", "成功", "密码验证错误!",
};
const char* const kTraditional[] = {
    "開始", "取消", "無法連接", "成功", "密碼驗證錯誤!",
};

static_assert(std::size(kEnglish) == transfer_text::kEntries);
static_assert(std::size(kSimplified) == transfer_text::kEntries);
static_assert(std::size(kTraditional) == transfer_text::kEntries);

} // namespace

const TextTable& TransferTextTable()
{
    static const TextTable table{kEnglish, kSimplified, kTraditional};
    return table;
}

} // namespace lt
