#include "EarlyStatics.h"

#include "MusicTheory.h"

using namespace vantor::MusicTheory;

namespace
{
EarlyStatics computeEarlyStatics()
{
    const Key key(PitchClass::EFlat, KeyType::minor);
    const Chord tonic(key.getRoot(), ChordType::minor);
    EarlyStatics statics;
    statics.sKeyName = key.getName();
    statics.sRelativeKeyName = key.getRelativeKey().getName();
    statics.sTonicTriadName = key.getTriadAt(ScaleDegree::I).getName();
    for (int i = 0; i < tonic.getNumPitchClasses(); ++i)
        statics.tonicTriadPitchClasses.push_back(tonic.getPitchClass(i).getName());
    statics.iPerfectFifthSemitones = Interval::perfectFifth.getNumSemitones();
    statics.iNumChordTypes = AllChordTypes::getNumChordTypes();
    statics.sTrebleBottomLine = Clef::Treble.getPitchForStaffLine(0).getName();
    return statics;
}

const EarlyStatics s_earlyStatics = computeEarlyStatics();
}

const EarlyStatics& getEarlyStatics()
{
    return s_earlyStatics;
}
