#include "report/LoadReport.h"

#include <cerrno>
#include <cstring>

#include "form/TextFormat.h"
#include "messages/Messages.h"

namespace {

// The common causes in the player's words, the rest in the system's.
std::string SystemCause(int error)
{
    switch (error) {
    case ENOENT: return MessageText(MessageId::CauseNotFound);
    case EACCES:
    case EPERM: return MessageText(MessageId::CauseAccessDenied);
    case EISDIR: return MessageText(MessageId::CauseIsFolder);
    case LoadErrorInUse: return MessageText(MessageId::CauseInUse);
    case LoadErrorNotAFile: return MessageText(MessageId::CauseNotAFile);
    case EIO: return MessageText(MessageId::CauseReadError);
    default: return ComposeText(MessageText(MessageId::CauseOther), std::strerror(error));
    }
}

const char* SystemCauseCode(int error)
{
    switch (error) {
    case ENOENT: return "not-found";
    case EACCES:
    case EPERM: return "access-denied";
    case EISDIR: return "is-a-directory";
    case LoadErrorInUse: return "in-use";
    case LoadErrorNotAFile: return "not-a-file";
    case EIO: return "read-error";
    default: return "system-error";
    }
}

} // namespace

const char* SkipReasonCode(SkipReason reason)
{
    switch (reason) {
    case SkipReason::FullWidthDigits: return "full-width-digits";
    case SkipReason::FullWidthSpace: return "full-width-space";
    case SkipReason::Comma: return "comma";
    case SkipReason::FewerThanSeven: return "fewer-than-seven";
    case SkipReason::NotANumber: return "not-a-number";
    case SkipReason::BeyondSixRows: return "beyond-six-rows";
    case SkipReason::None: break;
    }
    return "";
}

const char* LoadFailureCode(const LoadResult& load)
{
    switch (load.failure) {
    case LoadFailure::None: break;
    case LoadFailure::CannotOpen:
    case LoadFailure::ReadFailed: return SystemCauseCode(load.error);
    case LoadFailure::Utf16: return "utf-16";
    case LoadFailure::NoDataRow: return "no-data-row";
    }
    return "";
}

std::string SkipReasonMessage(SkipReason reason)
{
    switch (reason) {
    case SkipReason::FullWidthDigits: return MessageText(MessageId::SkipFullWidthDigits);
    case SkipReason::FullWidthSpace: return MessageText(MessageId::SkipFullWidthSpace);
    case SkipReason::Comma: return MessageText(MessageId::SkipComma);
    case SkipReason::FewerThanSeven: return MessageText(MessageId::SkipFewerThanSeven);
    case SkipReason::NotANumber: return MessageText(MessageId::SkipNotANumber);
    case SkipReason::BeyondSixRows: return MessageText(MessageId::SkipBeyondSixRows);
    case SkipReason::None: break;
    }
    return {};
}

std::string LoadFailureMessage(const LoadResult& load, std::string_view readCause)
{
    switch (load.failure) {
    case LoadFailure::None: break;
    case LoadFailure::ReadFailed:
        if (!readCause.empty())
            return ComposeText(MessageText(MessageId::CauseBrowser), std::string(readCause).c_str());
        return SystemCause(load.error);
    case LoadFailure::CannotOpen: return SystemCause(load.error);
    case LoadFailure::Utf16: return ComposeText(MessageText(MessageId::CauseUtf16), load.encoding);
    case LoadFailure::NoDataRow: return MessageText(MessageId::CauseNoDataRow);
    }
    return {};
}

std::vector<std::string> LoadReportLines(std::string_view file, const LoadResult& load)
{
    const std::string name(file);
    const auto at = [&](std::uint64_t line) { return ComposeText("%s:%llu: ", name.c_str(), static_cast<unsigned long long>(line)); };
    std::vector<std::string> lines;
    for (int k = 0; k < load.skippedKept; ++k)
        lines.push_back(at(load.skipped[k].line) + std::string(SkipReasonMessage(load.skipped[k].reason)));
    if (load.skippedCount > static_cast<std::uint64_t>(load.skippedKept))
        lines.push_back(name + ": " +
                        std::string(ComposeText(MessageText(MessageId::MoreLinesSkipped),
                                           static_cast<unsigned long long>(load.skippedCount - load.skippedKept))));
    if (load.failure == LoadFailure::None && load.error != 0)
        lines.push_back(at(load.lineCount) +
                        std::string(ComposeText(MessageText(MessageId::ReadUpToHere), SystemCause(load.error).c_str())));
    return lines;
}
