#include "AllAlphabeticPitchClasses.h"

#include "ConstantStorage.h"

#include <new>

namespace vantor
{
namespace MusicTheory
{
namespace
{
using Registry = std::vector<const AlphabeticPitchClass*>;
ConstantStorage<Registry> s_registry;
bool s_bBuilt = false;
}

const Registry& AllAlphabeticPitchClasses::allInstances = s_registry.m_value;

void AllAlphabeticPitchClasses::initAllInstances()
{
    if (s_bBuilt)
        return;
    new (&s_registry.m_value) Registry{&AlphabeticPitchClass::none, &AlphabeticPitchClass::C, &AlphabeticPitchClass::D,
                                       &AlphabeticPitchClass::E,    &AlphabeticPitchClass::F, &AlphabeticPitchClass::G,
                                       &AlphabeticPitchClass::A,    &AlphabeticPitchClass::B};
    s_bBuilt = true;
}

void AllAlphabeticPitchClasses::releaseAllInstances()
{
    if (!s_bBuilt)
        return;
    s_registry.m_value.~Registry();
    s_bBuilt = false;
}

int AllAlphabeticPitchClasses::getNumAlphabeticPitchClasses()
{
    return static_cast<int>(allInstances.size());
}

const AlphabeticPitchClass* AllAlphabeticPitchClasses::findByName(const std::string& name)
{
    for (const AlphabeticPitchClass* pLetter : allInstances)
        if (pLetter->getName() == name)
            return pLetter;
    return nullptr;
}

const AlphabeticPitchClass* AllAlphabeticPitchClasses::findByChromaIndex(int iChromaIndex)
{
    if (iChromaIndex < 0)
        return nullptr;
    for (const AlphabeticPitchClass* pLetter : allInstances)
        if (pLetter->getChromaIndex() == iChromaIndex)
            return pLetter;
    return nullptr;
}

const AlphabeticPitchClass* AllAlphabeticPitchClasses::findByNumStaffPositionsAboveC(int iNumStaffPositions)
{
    if (iNumStaffPositions < 0)
        return nullptr;
    for (const AlphabeticPitchClass* pLetter : allInstances)
        if (pLetter->getNumStaffPositionsAboveC() == iNumStaffPositions)
            return pLetter;
    return nullptr;
}
}
}
