#include "AllDiatonicScales.h"

#include "ConstantStorage.h"
#include "InvalidArgumentException.h"
#include "OutOfRangeException.h"

#include <algorithm>
#include <new>

namespace vantor
{
namespace MusicTheory
{
namespace
{
using Registry = std::vector<const DiatonicScale*>;
ConstantStorage<Registry> s_registry;
bool s_bBuilt = false;
}

const Registry& AllDiatonicScales::allInstances = s_registry.m_value;

void AllDiatonicScales::initAllInstances()
{
    if (s_bBuilt)
        return;
    new (&s_registry.m_value) Registry{&DiatonicScale::major, &DiatonicScale::aeolicMinor,
                                       &DiatonicScale::harmonicMinor, &DiatonicScale::melodicMinor};
    s_bBuilt = true;
}

void AllDiatonicScales::releaseAllInstances()
{
    if (!s_bBuilt)
        return;
    s_registry.m_value.~Registry();
    s_bBuilt = false;
}

int AllDiatonicScales::getNumInstances()
{
    return static_cast<int>(allInstances.size());
}

const DiatonicScale* AllDiatonicScales::getInstance(int iIndex)
{
    if (iIndex < 0 || iIndex >= getNumInstances())
        throw OutOfRangeException("iIndex", "");
    return allInstances[static_cast<std::size_t>(iIndex)];
}

std::vector<const DiatonicScale*> AllDiatonicScales::list(Predicate pfPredicate)
{
    if (pfPredicate == nullptr)
        throw InvalidArgumentException("pfPredicate", "'pfPredicate' must not be null");
    std::vector<const DiatonicScale*> selected;
    for (const DiatonicScale* pScale : allInstances)
        if (pfPredicate(*pScale))
            selected.push_back(pScale);
    return selected;
}

bool AllDiatonicScales::selectAll(const DiatonicScale&)
{
    return true;
}

bool AllDiatonicScales::selectMajorMinor(const DiatonicScale& scale)
{
    return std::any_of(allInstances.begin(), allInstances.end(),
                       [&scale](const DiatonicScale* pScale) { return *pScale == scale; });
}

bool AllDiatonicScales::selectMajorAndAeolicMinor(const DiatonicScale& scale)
{
    return scale == DiatonicScale::major || scale == DiatonicScale::aeolicMinor;
}
}
}
