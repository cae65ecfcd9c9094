#include "web/EditCommand.h"

#include "form/ControlIds.h"
#include "form/ControlMap.h"

namespace {

bool Holds(const ControlDef& frame, const ControlDef& def)
{
    return def.x >= frame.x && def.x < frame.x + frame.width && def.y >= frame.y && def.y < frame.y + frame.height;
}

} // namespace

int RecomputeCommandOf(int id)
{
    const ControlDef* def = FindControlDef(id);
    if (!def || (def->kind != ControlKind::Edit && def->kind != ControlKind::Combo && def->kind != ControlKind::Check))
        return 0;
    if (id == IDC_SPELL_MODE)
        return IDC_CALC_RUN;
    for (const ControlDef& frame : ControlMap) {
        if (frame.kind != ControlKind::Group || !Holds(frame, *def))
            continue;
        for (const ControlDef& button : ControlMap)
            if (button.kind == ControlKind::Button && Holds(frame, button))
                return button.id;
    }
    return 0;
}
