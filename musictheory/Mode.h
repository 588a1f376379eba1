#pragma once

#include "CatalogueInitializer.h"
#include "ChordType.h"
#include "Interval.h"
#include "NumeralChord.h"
#include "Scale.h"

#include <string>
#include <vector>

namespace vantor
{
namespace MusicTheory
{
/// A seven-degree scale (degrees I to VII in order) that names the chords on its degrees.
class Mode : public Scale
{
public:
    static const Mode& ionian;
    static const Mode& dorian;
    static const Mode& phrygian;
    static const Mode& lydian;
    static const Mode& mixolydian;
    static const Mode& aeolian;
    static const Mode& locrian;

    Mode(const std::string& shorthand, Numeral n1, Numeral n2, Numeral n3, Numeral n4, Numeral n5, Numeral n6,
         Numeral n7);

    Numeral getRoot() const;
    Numeral getNumeralAt(const ScaleDegree& degree) const;
    /// The registered chord type of iNumThirds stacked thirds on the degree; none for
    /// 0 or fewer; throws InvalidArgumentException() when no chord type matches.
    ChordType getChordTypeAt(const ScaleDegree& degree, int iNumThirds) const;
    NumeralChord getTriadAt(const ScaleDegree& degree) const;
    NumeralChord getTetradAt(const ScaleDegree& degree) const;
    /// The ninth, eleventh and thirteenth above the degree that lie no minor ninth above
    /// a tone of its triad.
    std::vector<Interval> getTensions(const ScaleDegree& degree) const;
};
}
}
