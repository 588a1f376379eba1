#include "AllChordTypes.h"

#include "ConstantStorage.h"
#include "InvalidArgumentException.h"

#include <algorithm>
#include <new>

namespace vantor
{
namespace MusicTheory
{
namespace
{
using Registry = std::vector<const ChordType*>;
ConstantStorage<Registry> s_registry;
bool s_bBuilt = false;

bool hasNumbers(const ChordType& chordType, std::initializer_list<const Interval::Number*> numbers)
{
    return std::all_of(numbers.begin(), numbers.end(),
                       [&chordType](const Interval::Number* pNumber) { return chordType.containsIntervalNumber(*pNumber); });
}

using Number = Interval::Number;
}

const Registry& AllChordTypes::allInstances = s_registry.m_value;

void AllChordTypes::initAllInstances()
{
    if (s_bBuilt)
        return;
    new (&s_registry.m_value) Registry{
        &ChordType::none,         &ChordType::fifth,        &ChordType::major,
        &ChordType::minor,        &ChordType::diminished,   &ChordType::augmented,
        &ChordType::sus2,         &ChordType::sus4,         &ChordType::majorSeventh,
        &ChordType::minorSeventh, &ChordType::seventh,      &ChordType::diminishedSeventh,
        &ChordType::halfDiminishedSeventh, &ChordType::majorSixth, &ChordType::minorSixth,
        &ChordType::ninth,        &ChordType::majorNinth,   &ChordType::minorNinth};
    s_bBuilt = true;
}

void AllChordTypes::releaseAllInstances()
{
    if (!s_bBuilt)
        return;
    s_registry.m_value.~Registry();
    s_bBuilt = false;
}

int AllChordTypes::getNumChordTypes()
{
    return static_cast<int>(allInstances.size());
}

const ChordType* AllChordTypes::getChordType(int iIndex)
{
    if (iIndex < 0 || iIndex >= getNumChordTypes())
        return nullptr;
    return allInstances[static_cast<std::size_t>(iIndex)];
}

const ChordType* AllChordTypes::findChordType(const std::vector<Interval>& intervals)
{
    for (const ChordType* pChordType : allInstances)
    {
        if (pChordType->getNumIntervals() != static_cast<int>(intervals.size()))
            continue;
        // Both directions, so that a list with a repeated interval matches nothing.
        const bool bListInType = std::all_of(intervals.begin(), intervals.end(), [pChordType](const Interval& interval) {
            return pChordType->containsInterval(interval);
        });
        const bool bTypeInList =
            std::all_of(pChordType->getIntervals().begin(), pChordType->getIntervals().end(),
                        [&intervals](const Interval& interval) {
                            return std::find(intervals.begin(), intervals.end(), interval) != intervals.end();
                        });
        if (bListInType && bTypeInList)
            return pChordType;
    }
    return nullptr;
}

std::vector<const ChordType*> AllChordTypes::list(Predicate pfPredicate)
{
    if (pfPredicate == nullptr)
        throw InvalidArgumentException("pfPredicate", "'pfPredicate' must not be null");
    std::vector<const ChordType*> selected;
    for (const ChordType* pChordType : allInstances)
        if (pfPredicate(*pChordType))
            selected.push_back(pChordType);
    return selected;
}

std::vector<const ChordType*> AllChordTypes::list(TypeGroupFlags eFlags)
{
    struct Group
    {
        int iBit;
        Predicate pfPredicate;
    };
    const Group aGroups[] = {{majorMinorTypes, isMajorMinor}, {dyadTypes, isDyad},   {triadTypes, isTriad},
                             {suspendedTypes, isSuspended},   {sixthTypes, isSixth}, {seventhTypes, isSeventh},
                             {ninthTypes, isNinth}};
    std::vector<const ChordType*> selected;
    for (const ChordType* pChordType : allInstances)
    {
        const bool bSelected = std::any_of(std::begin(aGroups), std::end(aGroups), [&](const Group& group) {
            return (eFlags & group.iBit) != 0 && group.pfPredicate(*pChordType);
        });
        if (bSelected)
            selected.push_back(pChordType);
    }
    return selected;
}

bool AllChordTypes::isMajorMinor(const ChordType& chordType)
{
    return chordType == ChordType::major || chordType == ChordType::minor;
}

bool AllChordTypes::isDyad(const ChordType& chordType)
{
    return chordType.getNumIntervals() == 2;
}

bool AllChordTypes::isTriad(const ChordType& chordType)
{
    return chordType.getNumIntervals() == 3 && hasNumbers(chordType, {&Number::unison, &Number::third, &Number::fifth});
}

bool AllChordTypes::isSuspended(const ChordType& chordType)
{
    return chordType.getNumIntervals() == 3 && hasNumbers(chordType, {&Number::unison, &Number::fifth}) &&
           !chordType.containsIntervalNumber(Number::third);
}

bool AllChordTypes::isSixth(const ChordType& chordType)
{
    return chordType.getNumIntervals() == 4 &&
           hasNumbers(chordType, {&Number::unison, &Number::third, &Number::fifth, &Number::sixth});
}

bool AllChordTypes::isSeventh(const ChordType& chordType)
{
    return chordType.getNumIntervals() == 4 &&
           hasNumbers(chordType, {&Number::unison, &Number::third, &Number::fifth, &Number::seventh});
}

bool AllChordTypes::isNinth(const ChordType& chordType)
{
    if (chordType.getNumIntervals() == 4)
        return hasNumbers(chordType, {&Number::unison, &Number::third, &Number::fifth, &Number::ninth});
    return chordType.getNumIntervals() == 5 &&
           hasNumbers(chordType, {&Number::unison, &Number::third, &Number::fifth, &Number::seventh, &Number::ninth});
}

bool AllChordTypes::isTriadOrSeventh(const ChordType& chordType)
{
    return isTriad(chordType) || isSeventh(chordType);
}

bool AllChordTypes::isTriadSixthOrSeventh(const ChordType& chordType)
{
    return isTriad(chordType) || isSixth(chordType) || isSeventh(chordType);
}

bool AllChordTypes::isTriadsSeventhOrNinth(const ChordType& chordType)
{
    return isTriad(chordType) || isSeventh(chordType) || isNinth(chordType);
}

bool AllChordTypes::isDyadTriadSixthAndSevenths(const ChordType& chordType)
{
    return isDyad(chordType) || isTriad(chordType) || isSixth(chordType) || isSeventh(chordType);
}

bool AllChordTypes::isAny(const ChordType&)
{
    return true;
}
}
}
