// The one table of every sentence the program shows, writes or prints, in
// Japanese: the result labels' sentences, the report's headings and
// sentences, the reasons for skipped lines, the causes of a failed load,
// the calculator's figures' names, the window's boxes and the page's
// headings and captions. Control captions stand in the control map, menu
// and dialog texts in the resource script. A translation adds a column,
// not a second copy. Texts with a printf conversion are formats.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

enum class MessageId : std::uint8_t {
    // The estimation's result labels
    ResultAttributeMissing, // %d: the row
    ResultNoData,
    ResultNoSolution,
    ResultSuccess,     // %d observations, %d of them reproduced
    ResultPartial,     // the same
    ResultMore,        // %d: the candidates tied with the chosen one
    Unknown,           // a rate or a damage the estimate does not know
    // The calculator's three figures, as torume names them
    FigureCritical,
    FigureAverage,
    FigureMinimum,
    // The report
    CandidatesHeading,
    CandidatesColumns,
    DiagnosisHeading,
    RowConflicts,      // %d: the row
    RowMistyped,       // %d: the row
    DefenseCaption,    // "防御": the label lines of the report
    RatesCaption,
    PredictedCaption,
    FurtherDefense,    // a further candidate's line: its defense, then its rates
    FurtherRates,
    // The report: the estimate put to use
    AttacksHeading,
    AttacksColumns,
    AdviceHeading,
    AdviceRemaining,   // %lld: the enemies that still fit
    AdviceMove,        // %d rank, %d attacker's row, %d technique's row, %s the move, %s expected, %lld worst
    AdviceMoveValues,  // %d attack, %d strength, %d charm, %d power, %s attribute
    AdvicePinned,
    AdviceCannotSplit,
    AdviceLeft,        // %s: the defenses and rate steps left
    HandOffNoRate,     // %s: the attribute whose rate the estimate lacks
    // Skipped lines
    SkipFullWidthDigits,
    SkipFullWidthSpace,
    SkipComma,
    SkipFewerThanSeven,
    SkipNotANumber,
    SkipBeyondSixRows,
    MoreLinesSkipped,  // %llu: the count
    ReadUpToHere,      // %s: why reading stopped
    // A failed load
    LoadFailed,        // the window's box
    CauseUtf16,        // %s: UTF-16LE or UTF-16BE
    CauseNoDataRow,
    CauseNotFound,
    CauseAccessDenied,
    CauseIsFolder,
    CauseInUse,        // another program holds the file
    CauseNotAFile,     // a device or a pipe
    CauseReadError,
    CauseOther,        // %s: the system's own words
    CauseBrowser,      // %s: the browser's own words
    CauseNoMatch,      // a file pattern that matches nothing
    // The window's boxes
    ExitQuestion,
    ExitCaption,
    FailureCaption,    // a load or a save that failed
    ClipboardBusy,
    ClipboardBusyCaption,
    SaveFailed,        // the path and Windows' words follow on lines of their own
    SystemErrorNumber, // %lu: an error Windows has no words for
    // Saving the rows
    SavedFileName,     // the name a save offers first
    NothingToSave,     // no row has a damage of 1 or more: such a file would only fail to load
    // The page
    PageDiagnosisHeading,
    PageChartHeading,
    PageChartLabel,
    PageChartRow,      // %d: the row
    PageChartAgreement,
    PageChartDefense,  // %d: the defense
    PageChartHit,      // %d row, %d defense, %s the rates
    PageChartShare,    // %d defense, %d rows, %d of them
    PageCandidatesHeading,
    PageCandidateColumns, // the table's headers, separated by tabs
    PageShareLink,
    PagePasteHeading,
    PagePasteHelp,
    PagePasteButton,
    PagePastedName,
    // The page: what a first visit reads, and the format one click away
    PageHeading,
    PageHowToWhat,
    PageHowToInput,
    PageFormatHeading,
    PageFormatText,    // lines separated by LF
    PageUnusedRow,     // why a row with damage 0 looks unused
    // The page: accessible names and what is announced
    PageRowColumns,    // the rows' column names, separated by tabs
    PageRowFieldName,  // %d: the row, %s: the column
    PageCalcFields,    // the calculator's fields left to right, separated by tabs
    PageSpellFields,   // the same in spell mode
    PageCalcAnnounce,  // %s critical, %s average, %s minimum
    PageEstimateAnnounce, // %s: the estimate on one line
    PageChartColumns,  // the chart's table: row, defenses, separated by tabs
    PageChartRange,    // %d to %d
    PageChartEntry,    // %d defense, %d rows, %d of them
    // The page: the share link, kept rows, loads and pastes, updates
    PageShareCopy,
    PageShareCopied,
    PageShareCopyFailed,
    PageLinkOpened,
    PageLinkUndo,
    PageLinkUndone,
    PageLinkMalformed,
    PageLoadFilled,    // %s: the file, %d: rows filled
    PagePasteFilled,   // %d: the first row, %d: rows filled
    PagePasteUnread,   // %d: cells neither numbers nor list items
    PagePasteBeyond,   // %d: lines below the sixth row
    PageStatusClose,
    PageOfflineReady,
    PageUpdateReady,
    // The page: long loads, storage that refuses the state, a restarted core
    PageLoadProgress,  // %.1f MB read, %.1f MB the file's size
    PageLoadCancel,    // the button that cancels a load
    PageLoadCancelled, // %s: the file
    PageLoadStalled,   // why a load failed: the browser stopped delivering the file
    PageNotKept,
    PageCoreRestarted,
    // The page: the estimate put to use
    PageHandOffCaption, // over the buttons that hand the estimate to the calculator, one per attribute
    // The page as search results and an installed app name it, and without script
    PageDescription,
    PageShortName,     // the installed app's name under its icon
    PageNoScript,
    // The page: numbers entering fields, rows still being typed, undo and clearing
    PageEntryRefused,  // beside a field that refused a text
    PageRowIncomplete, // %d: the row, %s: the fields still blank
    PageNameSeparator, // between the names of those fields
    PageClearTable,    // the menu's command that clears the rows for a new enemy
    PageCleared,
    PageUndone,
    PageRedo,
    PageRedone,
    // The page: the system's share sheet, a newer state kept by another tab
    PageShareSend,       // the share button where it opens the share sheet
    PageShareTitle,      // the title the share sheet gives the link
    PageOtherTabChanged,
    PageOtherTabOpen,    // the notice's button that opens the other tab's state
    PageOtherTabOpened,
    Count
};

// The text, in UTF-8 as every text inside the program.
const char* MessageText(MessageId id);

