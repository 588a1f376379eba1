#pragma once

#include "CatalogueInitializer.h"
#include "ClefType.h"
#include "Pitch.h"

namespace vantor
{
namespace MusicTheory
{
/// A clef symbol on one line of a staff; lines count from 0 at the bottom.
class Clef
{
public:
    static const Clef& FrenchViolin;
    static const Clef& Treble;
    static const Clef& Soprano;
    static const Clef& MezzoSoprano;
    static const Clef& Alto;
    static const Clef& Tenor;
    static const Clef& BaritoneC;
    static const Clef& BaritoneF;
    static const Clef& Bass;
    static const Clef& Subbass;

    Clef(const ClefType& type, int iReferenceStaffLine);
    Clef(const ClefType& type, int iReferenceStaffLine, int iNumStaffLines);

    ClefType getType() const;
    int getReferenceStaffLine() const;
    int getNumStaffLines() const;
    /// Any line: below 0 and above the top line give ledger-line pitches. Throws
    /// InvalidArgumentException when the pitch would lie below octave -1.
    Pitch getPitchForStaffLine(int iStaffLine) const;

    bool operator==(const Clef& other) const;
    bool operator!=(const Clef& other) const;

private:
    ClefType m_type;
    int m_iReferenceStaffLine;
    int m_iNumStaffLines;
};
}
}
