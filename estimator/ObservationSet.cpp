#include "estimator/ObservationSet.h"

#include "estimator/EstimatorState.h"
#include "form/ControlMap.h"
#include "form/Form.h"

ObservationSet ReadObservationSet(const Form& form)
{
    ObservationSet set{};
    for (int r = 0; r < ObservationRowCount; ++r) {
        const ObservationRow ids = ObservationRowIds(r);
        const std::int32_t damage = form.GetNumber(ids.damage);
        if (damage <= 0)
            continue;
        set.rows[set.count++] = {r + 1,
                                 damage,
                                 form.GetNumber(ids.attack),
                                 form.GetNumber(ids.power),
                                 form.GetSelection(ids.attribute),
                                 form.GetNumber(ids.strength),
                                 form.GetNumber(ids.charm),
                                 ChainCountOfItem(form.GetSelection(ids.chain))};
    }
    return set;
}

ObservationSet WithoutRow(const ObservationSet& set, int row)
{
    ObservationSet without{};
    for (int i = 0; i < set.count; ++i)
        if (set.rows[i].row != row)
            without.rows[without.count++] = set.rows[i];
    return without;
}

bool HasAttribute(const ObservedRow& observed)
{
    return observed.attribute >= 0 && observed.attribute < AttributeKindCount;
}

int MissingAttributeRow(const ObservationSet& set)
{
    for (int i = 0; i < set.count; ++i)
        if (!HasAttribute(set.rows[i]))
            return set.rows[i].row;
    return 0;
}
