#include "messages/Messages.h"

#include <array>

#include "resources/ResourceText.h"

namespace {

struct Message {
    MessageId id;
    const char* japanese;
};

// In MessageId's order, which the check below holds it to.
constexpr Message Messages[] = {
    {MessageId::ResultAttributeMissing, "%d行目の属性が選択されていません"},
    {MessageId::ResultNoData, "有効なデータがありません"},
    {MessageId::ResultNoSolution, "解が見つかりません"},
    {MessageId::ResultSuccess, "計算成功 %dデータ中 %dデータ再現"},
    {MessageId::ResultPartial, "計算一部成功 %dデータ中 %dデータ再現"},
    {MessageId::ResultMore, "他候補が%d 個あります、最大3候補まで表示します"},
    {MessageId::Unknown, "不明"},
    {MessageId::FigureCritical, "クリティカル"},
    {MessageId::FigureAverage, "非クリ平均"},
    {MessageId::FigureMinimum, "非クリ最低"},
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
    {MessageId::AttacksHeading, "この敵への攻撃 (強い順、推定した防御と倍率で計算):"},
    {MessageId::AttacksColumns, "  攻撃  腕力  魅力  技威力  属性  クリティカル  非クリ平均  非クリ最低"},
    {MessageId::AdviceHeading, "次に記録する攻撃:"},
    {MessageId::AdviceRemaining, "  いま当てはまる敵の防御と倍率: %lld 通り"},
    {MessageId::AdviceMove, "  %d. %d行目の攻撃者で %d行目の技 (%s): 記録すると残りは平均 %s 通り、多くて %lld 通り"},
    {MessageId::AdviceMoveValues, "攻撃 %d 腕力 %d 魅力 %d、技威力 %d %s"},
    {MessageId::AdvicePinned, "  敵の防御と倍率は、記録した属性について 1 通りに決まっています。"},
    {MessageId::AdviceCannotSplit,
     "  どの攻撃を記録しても絞れません。攻撃と防御の差は 50 で頭打ちになるため、攻撃が残った防御より高すぎると"
     "ダメージが同じになります。攻撃の低い攻撃者で記録すれば絞れます。"},
    {MessageId::AdviceLeft, "  残っている防御と倍率: %s"},
    {MessageId::HandOffNoRate, "推定値には %s の倍率がありません"},
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
    {MessageId::CauseInUse, "ほかのプログラムがファイルを使用中です"},
    {MessageId::CauseNotAFile, "ディスク上のファイルではありません (デバイスやパイプは読み込めません)"},
    {MessageId::CauseReadError, "読み込み中にエラーが起きました"},
    {MessageId::CauseOther, "ファイルを読めません (%s)"},
    {MessageId::CauseBrowser, "ブラウザーがファイルを読めませんでした (%s)"},
    {MessageId::CauseNoMatch, "パターンに合うファイルがありません"},
    {MessageId::ExitQuestion, "終了しますか？"},
    {MessageId::ExitCaption, "確認"},
    {MessageId::FailureCaption, "error!!"},
    {MessageId::ClipboardBusy, "クリップボードが他のプログラムに使われているため、コピーできませんでした。"},
    {MessageId::ClipboardBusyCaption, "コピー失敗"},
    {MessageId::SaveFailed, "観測データを保存できませんでした。"},
    {MessageId::SystemErrorNumber, "エラー %lu"},
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
    {MessageId::PageHeading, TEXT_PRODUCT_NAME},
    {MessageId::PageHowToWhat,
     "クリダメは、敵に与えたクリティカルのダメージです。戦闘で見たクリダメを、そのときの攻撃・技威力・属性などと一緒に入力すると、敵の防御と属性倍率を推定します。"},
    {MessageId::PageHowToInput,
     "下の表に1行に1回ずつ、最大6行まで入力するか、ファイル読み込み・ドロップ・貼り付け (表計算ソフトの行もそのまま) で入れてください。クリダメが 0 の行は使いません。"},
    {MessageId::PageFormatHeading, "ファイルの形式"},
    {MessageId::PageFormatText,
     "1行に1回のクリティカルを、7つの整数を空白かタブで区切って書きます:\n"
     "クリダメ 攻撃 技威力 属性 腕力 魅力 連携数\n"
     "属性は 0 斬、1 打、2 突。連携数は 0 か 1 で連携無し、2～5 でその数の連携。\n"
     "# で始まる行はコメントです。シフト JIS か UTF-8 で保存してください。\n"
     "例:\n"
     "# クリダメ 攻撃 技威力 属性 腕力 魅力 連携数\n"
     "1208 50 300 0 10 10 0\n"
     "1776 45 320 2 10 10 3"},
    {MessageId::PageUnusedRow, "クリダメが 0 の行は推定に使いません"},
    {MessageId::PageRowColumns, "クリダメ\t攻撃\t技威力\t属性\t腕力\t魅力\t連携数"},
    {MessageId::PageRowFieldName, "%d行目 %s"},
    {MessageId::PageCalcFields, "攻撃\t技威力\t腕力\t魅力\t敵防御\t属性倍率\t複属性"},
    {MessageId::PageSpellFields, "術適正\t術威力\t知力\t愛\t敵防御\t属性倍率\t複属性"},
    {MessageId::PageCalcAnnounce, "ダメージ計算: クリティカル %s、非クリ平均 %s、非クリ最低 %s"},
    {MessageId::PageEstimateAnnounce, "敵防御自動推定: %s"},
    {MessageId::PageChartColumns, "行\t再現する防御値"},
    {MessageId::PageChartRange, "%d～%d"},
    {MessageId::PageChartEntry, "%d (%d/%d行)"},
    {MessageId::PageShareCopy, "共有リンクをコピー"},
    {MessageId::PageShareCopied, "共有リンクをコピーしました"},
    {MessageId::PageShareCopyFailed, "コピーできませんでした。下のリンクを長押しか右クリックしてコピーしてください"},
    {MessageId::PageLinkOpened, "共有リンクの入力を開きました。それまでの入力は「元に戻す」で戻せます"},
    {MessageId::PageLinkUndo, "元に戻す"},
    {MessageId::PageLinkUndone, "共有リンクを開く前の入力に戻しました"},
    {MessageId::PageLinkMalformed, "共有リンクが壊れているため開けませんでした。入力はそのままです"},
    {MessageId::PageLoadFilled, "%s: %d 行を読み込みました"},
    {MessageId::PagePasteFilled, "%d行目から %d 行に貼り付けました"},
    {MessageId::PagePasteUnread, "数字でも項目名でもないセル %d 個は入力しませんでした"},
    {MessageId::PagePasteBeyond, "6行目より下に入りきらない %d 行は使いません"},
    {MessageId::PageStatusClose, "閉じる"},
    {MessageId::PageOfflineReady, "このページはオフラインでも使えます"},
    {MessageId::PageUpdateReady, "新しい版を取得しました。次にページを開き直したときから使われます"},
    {MessageId::PageLoadProgress, "読み込み中: %.1f / %.1f MB"},
    {MessageId::PageLoadCancel, "中止"},
    {MessageId::PageLoadCancelled, "%s: 読み込みを中止しました。入力はそのままです"},
    {MessageId::PageLoadStalled, "ブラウザーからファイルの続きが届かなくなったため、読み込みをやめました"},
    {MessageId::PageNotKept, "ブラウザーの保存領域に書き込めないため、今の入力は次にページを開いたときに戻りません"},
    {MessageId::PageCoreRestarted, "計算部が異常終了したため再起動し、最後に反映された入力に戻しました"},
    {MessageId::PageHandOffCaption, "推定値を計算パネルへ"},
    {MessageId::PageDescription,
     "トルメのダメージ計算と、観測したクリティカルのダメージから敵の防御と属性倍率を推定する計算機。Windows 版と同じ結果を、スマホでもオフラインでも。"},
    {MessageId::PageShortName, "トルメ計算機"},
    {MessageId::PageNoScript, "このページには JavaScript と WebAssembly が必要です。"},
    {MessageId::PageEntryRefused, "数字として読めないので入力しませんでした"},
    {MessageId::PageRowIncomplete, "%d行目: %sが未入力です。入力すると推定します"},
    {MessageId::PageNameSeparator, "・"},
    {MessageId::PageClearTable, "表をクリア"},
    {MessageId::PageCleared, "観測の表と、計算パネルの敵の値 (敵防御・属性倍率・複属性・防低下) をクリアしました"},
    {MessageId::PageUndone, "元に戻しました"},
    {MessageId::PageRedo, "やり直す"},
    {MessageId::PageRedone, "やり直しました"},
    {MessageId::PageShareSend, "共有リンクを送る"},
    {MessageId::PageShareTitle, TEXT_PRODUCT_NAME "の入力"},
    {MessageId::PageOtherTabChanged,
     "別のタブで入力が変わりました。次にページを開いたときに戻るのは、最後に入力を変えたタブの入力です"},
    {MessageId::PageOtherTabOpen, "別のタブの入力を開く"},
    {MessageId::PageOtherTabOpened, "別のタブの入力を開きました"},
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
