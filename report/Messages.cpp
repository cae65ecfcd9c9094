#include "report/Messages.h"

#include <array>

namespace {

struct Message {
    MessageId id;
    const char* japanese;
};

// In MessageId's order, which the check below holds it to.
constexpr Message Messages[] = {
    {MessageId::CandidatesHeading, "候補 (作成順、* 選ばれた候補、= 同点の候補):"},
    {MessageId::CandidatesColumns, "        防御  斬     打     突  ヒット数  再現する行"},
    {MessageId::DiagnosisHeading, "診断:"},
    {MessageId::RowConflicts, "%d行目はほかの行と食い違います。この行を除いた推定:"},
    {MessageId::RowMistyped, "%d行目は防御 0～99 のどの値とどの倍率でもこのダメージになりません。入力の誤りかもしれません。"},
    {MessageId::DefenseCaption, "防御"},
    {MessageId::RatesCaption, "倍率"},
    {MessageId::PredictedCaption, "予測"},
    {MessageId::FurtherDefense, "防御"},
    {MessageId::FurtherRates, "倍率"},
    {MessageId::SkipFullWidthDigits, "全角の数字があります"},
    {MessageId::SkipFullWidthSpace, "全角の空白があります"},
    {MessageId::SkipComma, "数字の間にカンマがあります"},
    {MessageId::SkipFewerThanSeven, "数字が 7 つに足りません"},
    {MessageId::SkipNotANumber, "数字でない文字があります"},
    {MessageId::SkipBeyondSixRows, "7 つ目以降のデータ行なので使いません"},
    {MessageId::MoreLinesSkipped, "ほかに %llu 行を読み飛ばしました"},
    {MessageId::ReadUpToHere, "%s。ここまでを読み込みました"},
    {MessageId::LoadFailed, "file読み込み失敗"},
    {MessageId::CauseUtf16, "%s のテキストです。シフト JIS か UTF-8 で保存してください"},
    {MessageId::CauseNoDataRow, "観測データがありません (クリダメが 1 以上のデータ行がありません)"},
    {MessageId::CauseNotFound, "ファイルが見つかりません"},
    {MessageId::CauseAccessDenied, "ファイルを開く権限がありません"},
    {MessageId::CauseIsFolder, "ファイルではなくフォルダーです"},
    {MessageId::CauseReadError, "読み込み中にエラーが起きました"},
    {MessageId::CauseOther, "ファイルを読めません (%s)"},
    {MessageId::CauseBrowser, "ブラウザーがファイルを読めませんでした (%s)"},
    {MessageId::CauseNoMatch, "パターンに合うファイルがありません"},
    {MessageId::SavedFileName, "観測データ.txt"},
    {MessageId::NothingToSave, "保存する観測がありません。クリダメが 1 以上の行を入力してください。"},
    {MessageId::PageDiagnosisHeading, "再現されない行"},
    {MessageId::PageChartHeading, "各行を再現する防御値 (0～99)"},
    {MessageId::PageChartLabel, "各行を再現する防御値"},
    {MessageId::PageChartRow, "%d行目"},
    {MessageId::PageChartAgreement, "一致"},
    {MessageId::PageChartDefense, "防御 %d"},
    {MessageId::PageChartHit, "%d行目 防御 %d: 倍率 %s"},
    {MessageId::PageChartShare, "防御 %d: %d/%d行"},
    {MessageId::PageCandidatesHeading, "全候補 (作成順、* 選ばれた候補、= 同点の候補)"},
    {MessageId::PageCandidateColumns, "\t防御\t斬倍率\t打倍率\t突倍率\tヒット数\t再現する行"},
    {MessageId::PageShareLink, "この観測データの共有リンク"},
    {MessageId::PagePasteHeading, "観測データを貼り付けて読み込む"},
    {MessageId::PagePasteHelp,
     "ファイルと同じ形式 (1行に ダメージ 攻撃 技威力 属性 腕力 魅力 連携数)。ファイルをこのページにドロップしても読み込めます。"},
    {MessageId::PagePasteButton, "読み込み"},
    {MessageId::PagePastedName, "貼り付け"},
};

constexpr bool InIdOrder()
{
    std::size_t n = 0;
    for (const Message& message : Messages)
        if (static_cast<std::size_t>(message.id) != n++)
            return false;
    return n == static_cast<std::size_t>(MessageId::Count);
}
static_assert(InIdOrder(), "one message for each MessageId, in order");

} // namespace

const char* MessageText(MessageId id)
{
    return Messages[static_cast<std::size_t>(id)].japanese;
}
