#include "app/EstimateHandOffMenu.h"

#include <memory>
#include <new>

#include "app/WindowState.h"
#include "estimator/DebugTrace.h"
#include "estimator/EstimateHandOff.h"
#include "resources/resource.h"

namespace {

// The rows on screen, estimated or not, estimated as the report estimates
// them: on a state of their own (about 130 KB), untraced, so that the
// process's estimator, the result labels and the marks stay as they are.
// No estimate when there is no memory for the state.
Estimate RowsOnScreenEstimate(const WindowState& state)
{
    const std::unique_ptr<EstimatorState> estimator(new (std::nothrow) EstimatorState);
    if (!estimator)
        return Estimate{};
    const TraceScope silence;
    return EstimateRows(state.form, *estimator);
}

} // namespace

void UpdateHandOffItems(const WindowState& state, HMENU popup)
{
    // The submenu, not "ファイル" or "解析", whose opening needs no estimate.
    if (GetMenuItemID(popup, 0) != IDM_HANDOFF_SLASH)
        return;
    const Estimate estimate = RowsOnScreenEstimate(state);
    for (int attribute = 0; attribute < AttributeKindCount; ++attribute)
        EnableMenuItem(popup, IDM_HANDOFF_SLASH + attribute,
                       MF_BYCOMMAND | (CanHandOffEstimate(estimate, attribute) ? MF_ENABLED : MF_GRAYED));
}

// The items' IDs follow the attributes' order.
void HandOffToCalculator(WindowState& state, int id)
{
    HandOffEstimate(state.form, RowsOnScreenEstimate(state), id - IDM_HANDOFF_SLASH);
}
