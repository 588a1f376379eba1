#include "CatalogueInitializer.h"

#include "AllAlphabeticPitchClasses.h"
#include "AllChordTypes.h"
#include "AllDiatonicScales.h"
#include "AlphabeticPitchClass.h"
#include "ChordType.h"
#include "ChromaticScale.h"
#include "Clef.h"
#include "ClefType.h"
#include "ConstantStorage.h"
#include "DiatonicScale.h"
#include "Helpers.h"
#include "Interval.h"
#include "KeyType.h"
#include "Mode.h"
#include "Numeral.h"
#include "PentatonicScale.h"
#include "Pitch.h"
#include "PitchClass.h"
#include "ScaleDegree.h"

#include <cassert>
#include <new>
#include <utility>

// Every named constant of the library lives here, in static storage that needs no
// dynamic initialisation. The first CatalogueInitializer builds them in the order below
// (later groups are built from the values of earlier ones); the last one destroys them
// in reverse order.

namespace vantor
{
namespace MusicTheory
{
namespace
{
struct BuiltConstant
{
    void* pObject;
    void (*pfDestroy)(void*);
};

constexpr int kiMaxNumConstants = 148;
BuiltConstant s_aBuiltConstants[kiMaxNumConstants];
int s_iNumBuiltConstants = 0;
int s_iNumInitializers = 0;

template <typename T, typename... Args>
void build(ConstantStorage<T>& storage, Args&&... args)
{
    assert(s_iNumBuiltConstants < kiMaxNumConstants);
    T* pObject = new (&storage.m_value) T(std::forward<Args>(args)...);
    s_aBuiltConstants[s_iNumBuiltConstants++] = {pObject, [](void* p) { static_cast<T*>(p)->~T(); }};
}

ConstantStorage<Interval::Number> s_number_none;
ConstantStorage<Interval::Number> s_number_unison;
ConstantStorage<Interval::Number> s_number_second;
ConstantStorage<Interval::Number> s_number_third;
ConstantStorage<Interval::Number> s_number_fourth;
ConstantStorage<Interval::Number> s_number_fifth;
ConstantStorage<Interval::Number> s_number_sixth;
ConstantStorage<Interval::Number> s_number_seventh;
ConstantStorage<Interval::Number> s_number_octave;
ConstantStorage<Interval::Number> s_number_ninth;
ConstantStorage<Interval::Number> s_number_tenth;
ConstantStorage<Interval::Number> s_number_eleventh;
ConstantStorage<Interval::Number> s_number_twelfth;
ConstantStorage<Interval::Number> s_number_thirteenth;
ConstantStorage<Interval> s_interval_unison;
ConstantStorage<Interval> s_interval_minorSecond;
ConstantStorage<Interval> s_interval_majorSecond;
ConstantStorage<Interval> s_interval_minorThird;
ConstantStorage<Interval> s_interval_majorThird;
ConstantStorage<Interval> s_interval_diminishedFourth;
ConstantStorage<Interval> s_interval_perfectFourth;
ConstantStorage<Interval> s_interval_augmentedFourth;
ConstantStorage<Interval> s_interval_diminishedFifth;
ConstantStorage<Interval> s_interval_perfectFifth;
ConstantStorage<Interval> s_interval_augmentedFifth;
ConstantStorage<Interval> s_interval_minorSixth;
ConstantStorage<Interval> s_interval_majorSixth;
ConstantStorage<Interval> s_interval_diminishedSeventh;
ConstantStorage<Interval> s_interval_minorSeventh;
ConstantStorage<Interval> s_interval_majorSeventh;
ConstantStorage<Interval> s_interval_octave;
ConstantStorage<Interval> s_interval_minorNinth;
ConstantStorage<Interval> s_interval_majorNinth;
ConstantStorage<Interval> s_interval_perfectEleventh;
ConstantStorage<Interval> s_interval_augmentedEleventh;
ConstantStorage<Interval> s_interval_minorThirteenth;
ConstantStorage<Interval> s_interval_majorThirteenth;
ConstantStorage<AlphabeticPitchClass> s_letter_none;
ConstantStorage<AlphabeticPitchClass> s_letter_C;
ConstantStorage<AlphabeticPitchClass> s_letter_D;
ConstantStorage<AlphabeticPitchClass> s_letter_E;
ConstantStorage<AlphabeticPitchClass> s_letter_F;
ConstantStorage<AlphabeticPitchClass> s_letter_G;
ConstantStorage<AlphabeticPitchClass> s_letter_A;
ConstantStorage<AlphabeticPitchClass> s_letter_B;
ConstantStorage<PitchClass> s_pitchClass_none;
ConstantStorage<PitchClass> s_pitchClass_CDoubleFlat;
ConstantStorage<PitchClass> s_pitchClass_CFlat;
ConstantStorage<PitchClass> s_pitchClass_C;
ConstantStorage<PitchClass> s_pitchClass_CSharp;
ConstantStorage<PitchClass> s_pitchClass_CDoubleSharp;
ConstantStorage<PitchClass> s_pitchClass_DDoubleFlat;
ConstantStorage<PitchClass> s_pitchClass_DFlat;
ConstantStorage<PitchClass> s_pitchClass_D;
ConstantStorage<PitchClass> s_pitchClass_DSharp;
ConstantStorage<PitchClass> s_pitchClass_DDoubleSharp;
ConstantStorage<PitchClass> s_pitchClass_EDoubleFlat;
ConstantStorage<PitchClass> s_pitchClass_EFlat;
ConstantStorage<PitchClass> s_pitchClass_E;
ConstantStorage<PitchClass> s_pitchClass_ESharp;
ConstantStorage<PitchClass> s_pitchClass_EDoubleSharp;
ConstantStorage<PitchClass> s_pitchClass_FDoubleFlat;
ConstantStorage<PitchClass> s_pitchClass_FFlat;
ConstantStorage<PitchClass> s_pitchClass_F;
ConstantStorage<PitchClass> s_pitchClass_FSharp;
ConstantStorage<PitchClass> s_pitchClass_FDoubleSharp;
ConstantStorage<PitchClass> s_pitchClass_GDoubleFlat;
ConstantStorage<PitchClass> s_pitchClass_GFlat;
ConstantStorage<PitchClass> s_pitchClass_G;
ConstantStorage<PitchClass> s_pitchClass_GSharp;
ConstantStorage<PitchClass> s_pitchClass_GDoubleSharp;
ConstantStorage<PitchClass> s_pitchClass_ADoubleFlat;
ConstantStorage<PitchClass> s_pitchClass_AFlat;
ConstantStorage<PitchClass> s_pitchClass_A;
ConstantStorage<PitchClass> s_pitchClass_ASharp;
ConstantStorage<PitchClass> s_pitchClass_ADoubleSharp;
ConstantStorage<PitchClass> s_pitchClass_BDoubleFlat;
ConstantStorage<PitchClass> s_pitchClass_BFlat;
ConstantStorage<PitchClass> s_pitchClass_B;
ConstantStorage<PitchClass> s_pitchClass_BSharp;
ConstantStorage<PitchClass> s_pitchClass_BDoubleSharp;
ConstantStorage<ChordType> s_chordType_none;
ConstantStorage<ChordType> s_chordType_fifth;
ConstantStorage<ChordType> s_chordType_major;
ConstantStorage<ChordType> s_chordType_minor;
ConstantStorage<ChordType> s_chordType_diminished;
ConstantStorage<ChordType> s_chordType_augmented;
ConstantStorage<ChordType> s_chordType_sus2;
ConstantStorage<ChordType> s_chordType_sus4;
ConstantStorage<ChordType> s_chordType_majorSeventh;
ConstantStorage<ChordType> s_chordType_minorSeventh;
ConstantStorage<ChordType> s_chordType_seventh;
ConstantStorage<ChordType> s_chordType_diminishedSeventh;
ConstantStorage<ChordType> s_chordType_halfDiminishedSeventh;
ConstantStorage<ChordType> s_chordType_majorSixth;
ConstantStorage<ChordType> s_chordType_minorSixth;
ConstantStorage<ChordType> s_chordType_ninth;
ConstantStorage<ChordType> s_chordType_majorNinth;
ConstantStorage<ChordType> s_chordType_minorNinth;
ConstantStorage<ScaleDegree> s_degree_I;
ConstantStorage<ScaleDegree> s_degree_II;
ConstantStorage<ScaleDegree> s_degree_III;
ConstantStorage<ScaleDegree> s_degree_IV;
ConstantStorage<ScaleDegree> s_degree_V;
ConstantStorage<ScaleDegree> s_degree_VI;
ConstantStorage<ScaleDegree> s_degree_VII;
ConstantStorage<Numeral> s_numeral_I;
ConstantStorage<Numeral> s_numeral_IIFlat;
ConstantStorage<Numeral> s_numeral_II;
ConstantStorage<Numeral> s_numeral_IIIFlat;
ConstantStorage<Numeral> s_numeral_III;
ConstantStorage<Numeral> s_numeral_IV;
ConstantStorage<Numeral> s_numeral_IVSharp;
ConstantStorage<Numeral> s_numeral_VFlat;
ConstantStorage<Numeral> s_numeral_V;
ConstantStorage<Numeral> s_numeral_VIFlat;
ConstantStorage<Numeral> s_numeral_VI;
ConstantStorage<Numeral> s_numeral_VIIFlat;
ConstantStorage<Numeral> s_numeral_VII;
ConstantStorage<Mode> s_mode_ionian;
ConstantStorage<Mode> s_mode_dorian;
ConstantStorage<Mode> s_mode_phrygian;
ConstantStorage<Mode> s_mode_lydian;
ConstantStorage<Mode> s_mode_mixolydian;
ConstantStorage<Mode> s_mode_aeolian;
ConstantStorage<Mode> s_mode_locrian;
ConstantStorage<DiatonicScale> s_diatonicScale_major;
ConstantStorage<DiatonicScale> s_diatonicScale_aeolicMinor;
ConstantStorage<DiatonicScale> s_diatonicScale_harmonicMinor;
ConstantStorage<DiatonicScale> s_diatonicScale_melodicMinor;
ConstantStorage<PentatonicScale> s_pentatonicScale_major;
ConstantStorage<PentatonicScale> s_pentatonicScale_minor;
ConstantStorage<ChromaticScale> s_chromaticScale_chromatic;
ConstantStorage<KeyType> s_keyType_major;
ConstantStorage<KeyType> s_keyType_minor;
ConstantStorage<ClefType> s_clefType_G;
ConstantStorage<ClefType> s_clefType_C;
ConstantStorage<ClefType> s_clefType_F;
ConstantStorage<Clef> s_clef_FrenchViolin;
ConstantStorage<Clef> s_clef_Treble;
ConstantStorage<Clef> s_clef_Soprano;
ConstantStorage<Clef> s_clef_MezzoSoprano;
ConstantStorage<Clef> s_clef_Alto;
ConstantStorage<Clef> s_clef_Tenor;
ConstantStorage<Clef> s_clef_BaritoneC;
ConstantStorage<Clef> s_clef_BaritoneF;
ConstantStorage<Clef> s_clef_Bass;
ConstantStorage<Clef> s_clef_Subbass;
}

const Interval::Number& Interval::Number::none = s_number_none.m_value;
const Interval::Number& Interval::Number::unison = s_number_unison.m_value;
const Interval::Number& Interval::Number::second = s_number_second.m_value;
const Interval::Number& Interval::Number::third = s_number_third.m_value;
const Interval::Number& Interval::Number::fourth = s_number_fourth.m_value;
const Interval::Number& Interval::Number::fifth = s_number_fifth.m_value;
const Interval::Number& Interval::Number::sixth = s_number_sixth.m_value;
const Interval::Number& Interval::Number::seventh = s_number_seventh.m_value;
const Interval::Number& Interval::Number::octave = s_number_octave.m_value;
const Interval::Number& Interval::Number::ninth = s_number_ninth.m_value;
const Interval::Number& Interval::Number::tenth = s_number_tenth.m_value;
const Interval::Number& Interval::Number::eleventh = s_number_eleventh.m_value;
const Interval::Number& Interval::Number::twelfth = s_number_twelfth.m_value;
const Interval::Number& Interval::Number::thirteenth = s_number_thirteenth.m_value;
const Interval& Interval::unison = s_interval_unison.m_value;
const Interval& Interval::minorSecond = s_interval_minorSecond.m_value;
const Interval& Interval::majorSecond = s_interval_majorSecond.m_value;
const Interval& Interval::minorThird = s_interval_minorThird.m_value;
const Interval& Interval::majorThird = s_interval_majorThird.m_value;
const Interval& Interval::diminishedFourth = s_interval_diminishedFourth.m_value;
const Interval& Interval::perfectFourth = s_interval_perfectFourth.m_value;
const Interval& Interval::augmentedFourth = s_interval_augmentedFourth.m_value;
const Interval& Interval::diminishedFifth = s_interval_diminishedFifth.m_value;
const Interval& Interval::perfectFifth = s_interval_perfectFifth.m_value;
const Interval& Interval::augmentedFifth = s_interval_augmentedFifth.m_value;
const Interval& Interval::minorSixth = s_interval_minorSixth.m_value;
const Interval& Interval::majorSixth = s_interval_majorSixth.m_value;
const Interval& Interval::diminishedSeventh = s_interval_diminishedSeventh.m_value;
const Interval& Interval::minorSeventh = s_interval_minorSeventh.m_value;
const Interval& Interval::majorSeventh = s_interval_majorSeventh.m_value;
const Interval& Interval::octave = s_interval_octave.m_value;
const Interval& Interval::minorNinth = s_interval_minorNinth.m_value;
const Interval& Interval::majorNinth = s_interval_majorNinth.m_value;
const Interval& Interval::perfectEleventh = s_interval_perfectEleventh.m_value;
const Interval& Interval::augmentedEleventh = s_interval_augmentedEleventh.m_value;
const Interval& Interval::minorThirteenth = s_interval_minorThirteenth.m_value;
const Interval& Interval::majorThirteenth = s_interval_majorThirteenth.m_value;
const AlphabeticPitchClass& AlphabeticPitchClass::none = s_letter_none.m_value;
const AlphabeticPitchClass& AlphabeticPitchClass::C = s_letter_C.m_value;
const AlphabeticPitchClass& AlphabeticPitchClass::D = s_letter_D.m_value;
const AlphabeticPitchClass& AlphabeticPitchClass::E = s_letter_E.m_value;
const AlphabeticPitchClass& AlphabeticPitchClass::F = s_letter_F.m_value;
const AlphabeticPitchClass& AlphabeticPitchClass::G = s_letter_G.m_value;
const AlphabeticPitchClass& AlphabeticPitchClass::A = s_letter_A.m_value;
const AlphabeticPitchClass& AlphabeticPitchClass::B = s_letter_B.m_value;
const PitchClass& PitchClass::none = s_pitchClass_none.m_value;
const PitchClass& PitchClass::CDoubleFlat = s_pitchClass_CDoubleFlat.m_value;
const PitchClass& PitchClass::CFlat = s_pitchClass_CFlat.m_value;
const PitchClass& PitchClass::C = s_pitchClass_C.m_value;
const PitchClass& PitchClass::CSharp = s_pitchClass_CSharp.m_value;
const PitchClass& PitchClass::CDoubleSharp = s_pitchClass_CDoubleSharp.m_value;
const PitchClass& PitchClass::DDoubleFlat = s_pitchClass_DDoubleFlat.m_value;
const PitchClass& PitchClass::DFlat = s_pitchClass_DFlat.m_value;
const PitchClass& PitchClass::D = s_pitchClass_D.m_value;
const PitchClass& PitchClass::DSharp = s_pitchClass_DSharp.m_value;
const PitchClass& PitchClass::DDoubleSharp = s_pitchClass_DDoubleSharp.m_value;
const PitchClass& PitchClass::EDoubleFlat = s_pitchClass_EDoubleFlat.m_value;
const PitchClass& PitchClass::EFlat = s_pitchClass_EFlat.m_value;
const PitchClass& PitchClass::E = s_pitchClass_E.m_value;
const PitchClass& PitchClass::ESharp = s_pitchClass_ESharp.m_value;
const PitchClass& PitchClass::EDoubleSharp = s_pitchClass_EDoubleSharp.m_value;
const PitchClass& PitchClass::FDoubleFlat = s_pitchClass_FDoubleFlat.m_value;
const PitchClass& PitchClass::FFlat = s_pitchClass_FFlat.m_value;
const PitchClass& PitchClass::F = s_pitchClass_F.m_value;
const PitchClass& PitchClass::FSharp = s_pitchClass_FSharp.m_value;
const PitchClass& PitchClass::FDoubleSharp = s_pitchClass_FDoubleSharp.m_value;
const PitchClass& PitchClass::GDoubleFlat = s_pitchClass_GDoubleFlat.m_value;
const PitchClass& PitchClass::GFlat = s_pitchClass_GFlat.m_value;
const PitchClass& PitchClass::G = s_pitchClass_G.m_value;
const PitchClass& PitchClass::GSharp = s_pitchClass_GSharp.m_value;
const PitchClass& PitchClass::GDoubleSharp = s_pitchClass_GDoubleSharp.m_value;
const PitchClass& PitchClass::ADoubleFlat = s_pitchClass_ADoubleFlat.m_value;
const PitchClass& PitchClass::AFlat = s_pitchClass_AFlat.m_value;
const PitchClass& PitchClass::A = s_pitchClass_A.m_value;
const PitchClass& PitchClass::ASharp = s_pitchClass_ASharp.m_value;
const PitchClass& PitchClass::ADoubleSharp = s_pitchClass_ADoubleSharp.m_value;
const PitchClass& PitchClass::BDoubleFlat = s_pitchClass_BDoubleFlat.m_value;
const PitchClass& PitchClass::BFlat = s_pitchClass_BFlat.m_value;
const PitchClass& PitchClass::B = s_pitchClass_B.m_value;
const PitchClass& PitchClass::BSharp = s_pitchClass_BSharp.m_value;
const PitchClass& PitchClass::BDoubleSharp = s_pitchClass_BDoubleSharp.m_value;
const ChordType& ChordType::none = s_chordType_none.m_value;
const ChordType& ChordType::fifth = s_chordType_fifth.m_value;
const ChordType& ChordType::major = s_chordType_major.m_value;
const ChordType& ChordType::minor = s_chordType_minor.m_value;
const ChordType& ChordType::diminished = s_chordType_diminished.m_value;
const ChordType& ChordType::augmented = s_chordType_augmented.m_value;
const ChordType& ChordType::sus2 = s_chordType_sus2.m_value;
const ChordType& ChordType::sus4 = s_chordType_sus4.m_value;
const ChordType& ChordType::majorSeventh = s_chordType_majorSeventh.m_value;
const ChordType& ChordType::minorSeventh = s_chordType_minorSeventh.m_value;
const ChordType& ChordType::seventh = s_chordType_seventh.m_value;
const ChordType& ChordType::diminishedSeventh = s_chordType_diminishedSeventh.m_value;
const ChordType& ChordType::halfDiminishedSeventh = s_chordType_halfDiminishedSeventh.m_value;
const ChordType& ChordType::majorSixth = s_chordType_majorSixth.m_value;
const ChordType& ChordType::minorSixth = s_chordType_minorSixth.m_value;
const ChordType& ChordType::ninth = s_chordType_ninth.m_value;
const ChordType& ChordType::majorNinth = s_chordType_majorNinth.m_value;
const ChordType& ChordType::minorNinth = s_chordType_minorNinth.m_value;
const ScaleDegree& ScaleDegree::I = s_degree_I.m_value;
const ScaleDegree& ScaleDegree::II = s_degree_II.m_value;
const ScaleDegree& ScaleDegree::III = s_degree_III.m_value;
const ScaleDegree& ScaleDegree::IV = s_degree_IV.m_value;
const ScaleDegree& ScaleDegree::V = s_degree_V.m_value;
const ScaleDegree& ScaleDegree::VI = s_degree_VI.m_value;
const ScaleDegree& ScaleDegree::VII = s_degree_VII.m_value;
const Numeral& Numeral::I = s_numeral_I.m_value;
const Numeral& Numeral::IIFlat = s_numeral_IIFlat.m_value;
const Numeral& Numeral::II = s_numeral_II.m_value;
const Numeral& Numeral::IIIFlat = s_numeral_IIIFlat.m_value;
const Numeral& Numeral::III = s_numeral_III.m_value;
const Numeral& Numeral::IV = s_numeral_IV.m_value;
const Numeral& Numeral::IVSharp = s_numeral_IVSharp.m_value;
const Numeral& Numeral::VFlat = s_numeral_VFlat.m_value;
const Numeral& Numeral::V = s_numeral_V.m_value;
const Numeral& Numeral::VIFlat = s_numeral_VIFlat.m_value;
const Numeral& Numeral::VI = s_numeral_VI.m_value;
const Numeral& Numeral::VIIFlat = s_numeral_VIIFlat.m_value;
const Numeral& Numeral::VII = s_numeral_VII.m_value;
const Mode& Mode::ionian = s_mode_ionian.m_value;
const Mode& Mode::dorian = s_mode_dorian.m_value;
const Mode& Mode::phrygian = s_mode_phrygian.m_value;
const Mode& Mode::lydian = s_mode_lydian.m_value;
const Mode& Mode::mixolydian = s_mode_mixolydian.m_value;
const Mode& Mode::aeolian = s_mode_aeolian.m_value;
const Mode& Mode::locrian = s_mode_locrian.m_value;
const DiatonicScale& DiatonicScale::major = s_diatonicScale_major.m_value;
const DiatonicScale& DiatonicScale::aeolicMinor = s_diatonicScale_aeolicMinor.m_value;
const DiatonicScale& DiatonicScale::harmonicMinor = s_diatonicScale_harmonicMinor.m_value;
const DiatonicScale& DiatonicScale::melodicMinor = s_diatonicScale_melodicMinor.m_value;
const PentatonicScale& PentatonicScale::major = s_pentatonicScale_major.m_value;
const PentatonicScale& PentatonicScale::minor = s_pentatonicScale_minor.m_value;
const ChromaticScale& ChromaticScale::chromatic = s_chromaticScale_chromatic.m_value;
const KeyType& KeyType::major = s_keyType_major.m_value;
const KeyType& KeyType::minor = s_keyType_minor.m_value;
const ClefType& ClefType::G = s_clefType_G.m_value;
const ClefType& ClefType::C = s_clefType_C.m_value;
const ClefType& ClefType::F = s_clefType_F.m_value;
const Clef& Clef::FrenchViolin = s_clef_FrenchViolin.m_value;
const Clef& Clef::Treble = s_clef_Treble.m_value;
const Clef& Clef::Soprano = s_clef_Soprano.m_value;
const Clef& Clef::MezzoSoprano = s_clef_MezzoSoprano.m_value;
const Clef& Clef::Alto = s_clef_Alto.m_value;
const Clef& Clef::Tenor = s_clef_Tenor.m_value;
const Clef& Clef::BaritoneC = s_clef_BaritoneC.m_value;
const Clef& Clef::BaritoneF = s_clef_BaritoneF.m_value;
const Clef& Clef::Bass = s_clef_Bass.m_value;
const Clef& Clef::Subbass = s_clef_Subbass.m_value;

CatalogueInitializer::CatalogueInitializer()
{
    if (s_iNumInitializers++ > 0)
        return;
    build(s_number_none, 0);
    build(s_number_unison, 1);
    build(s_number_second, 2);
    build(s_number_third, 3);
    build(s_number_fourth, 4);
    build(s_number_fifth, 5);
    build(s_number_sixth, 6);
    build(s_number_seventh, 7);
    build(s_number_octave, 8);
    build(s_number_ninth, 9);
    build(s_number_tenth, 10);
    build(s_number_eleventh, 11);
    build(s_number_twelfth, 12);
    build(s_number_thirteenth, 13);

    build(s_interval_unison, Interval::Number::unison, 0);
    build(s_interval_minorSecond, Interval::Number::second, 1);
    build(s_interval_majorSecond, Interval::Number::second, 2);
    build(s_interval_minorThird, Interval::Number::third, 3);
    build(s_interval_majorThird, Interval::Number::third, 4);
    build(s_interval_diminishedFourth, Interval::Number::fourth, 4);
    build(s_interval_perfectFourth, Interval::Number::fourth, 5);
    build(s_interval_augmentedFourth, Interval::Number::fourth, 6);
    build(s_interval_diminishedFifth, Interval::Number::fifth, 6);
    build(s_interval_perfectFifth, Interval::Number::fifth, 7);
    build(s_interval_augmentedFifth, Interval::Number::fifth, 8);
    build(s_interval_minorSixth, Interval::Number::sixth, 8);
    build(s_interval_majorSixth, Interval::Number::sixth, 9);
    build(s_interval_diminishedSeventh, Interval::Number::seventh, 9);
    build(s_interval_minorSeventh, Interval::Number::seventh, 10);
    build(s_interval_majorSeventh, Interval::Number::seventh, 11);
    build(s_interval_octave, Interval::Number::octave, 12);
    build(s_interval_minorNinth, Interval::Number::ninth, 13);
    build(s_interval_majorNinth, Interval::Number::ninth, 14);
    build(s_interval_perfectEleventh, Interval::Number::eleventh, 17);
    build(s_interval_augmentedEleventh, Interval::Number::eleventh, 18);
    build(s_interval_minorThirteenth, Interval::Number::thirteenth, 20);
    build(s_interval_majorThirteenth, Interval::Number::thirteenth, 21);

    build(s_letter_none, -1);
    build(s_letter_C, 0);
    build(s_letter_D, 1);
    build(s_letter_E, 2);
    build(s_letter_F, 3);
    build(s_letter_G, 4);
    build(s_letter_A, 5);
    build(s_letter_B, 6);

    build(s_pitchClass_none, AlphabeticPitchClass::none, 0);
    build(s_pitchClass_CDoubleFlat, AlphabeticPitchClass::C, -2);
    build(s_pitchClass_CFlat, AlphabeticPitchClass::C, -1);
    build(s_pitchClass_C, AlphabeticPitchClass::C, 0);
    build(s_pitchClass_CSharp, AlphabeticPitchClass::C, 1);
    build(s_pitchClass_CDoubleSharp, AlphabeticPitchClass::C, 2);
    build(s_pitchClass_DDoubleFlat, AlphabeticPitchClass::D, -2);
    build(s_pitchClass_DFlat, AlphabeticPitchClass::D, -1);
    build(s_pitchClass_D, AlphabeticPitchClass::D, 0);
    build(s_pitchClass_DSharp, AlphabeticPitchClass::D, 1);
    build(s_pitchClass_DDoubleSharp, AlphabeticPitchClass::D, 2);
    build(s_pitchClass_EDoubleFlat, AlphabeticPitchClass::E, -2);
    build(s_pitchClass_EFlat, AlphabeticPitchClass::E, -1);
    build(s_pitchClass_E, AlphabeticPitchClass::E, 0);
    build(s_pitchClass_ESharp, AlphabeticPitchClass::E, 1);
    build(s_pitchClass_EDoubleSharp, AlphabeticPitchClass::E, 2);
    build(s_pitchClass_FDoubleFlat, AlphabeticPitchClass::F, -2);
    build(s_pitchClass_FFlat, AlphabeticPitchClass::F, -1);
    build(s_pitchClass_F, AlphabeticPitchClass::F, 0);
    build(s_pitchClass_FSharp, AlphabeticPitchClass::F, 1);
    build(s_pitchClass_FDoubleSharp, AlphabeticPitchClass::F, 2);
    build(s_pitchClass_GDoubleFlat, AlphabeticPitchClass::G, -2);
    build(s_pitchClass_GFlat, AlphabeticPitchClass::G, -1);
    build(s_pitchClass_G, AlphabeticPitchClass::G, 0);
    build(s_pitchClass_GSharp, AlphabeticPitchClass::G, 1);
    build(s_pitchClass_GDoubleSharp, AlphabeticPitchClass::G, 2);
    build(s_pitchClass_ADoubleFlat, AlphabeticPitchClass::A, -2);
    build(s_pitchClass_AFlat, AlphabeticPitchClass::A, -1);
    build(s_pitchClass_A, AlphabeticPitchClass::A, 0);
    build(s_pitchClass_ASharp, AlphabeticPitchClass::A, 1);
    build(s_pitchClass_ADoubleSharp, AlphabeticPitchClass::A, 2);
    build(s_pitchClass_BDoubleFlat, AlphabeticPitchClass::B, -2);
    build(s_pitchClass_BFlat, AlphabeticPitchClass::B, -1);
    build(s_pitchClass_B, AlphabeticPitchClass::B, 0);
    build(s_pitchClass_BSharp, AlphabeticPitchClass::B, 1);
    build(s_pitchClass_BDoubleSharp, AlphabeticPitchClass::B, 2);
    AllAlphabeticPitchClasses::initAllInstances();

    build(s_chordType_none, "N");
    build(s_chordType_fifth, "5", createStdVector(Interval::unison, Interval::perfectFifth));
    build(s_chordType_major, "maj", createStdVector(Interval::unison, Interval::majorThird, Interval::perfectFifth));
    build(s_chordType_minor, "min", createStdVector(Interval::unison, Interval::minorThird, Interval::perfectFifth));
    build(s_chordType_diminished, "dim", createStdVector(Interval::unison, Interval::minorThird, Interval::diminishedFifth));
    build(s_chordType_augmented, "aug", createStdVector(Interval::unison, Interval::majorThird, Interval::augmentedFifth));
    build(s_chordType_sus2, "sus2", createStdVector(Interval::unison, Interval::majorSecond, Interval::perfectFifth));
    build(s_chordType_sus4, "sus4", createStdVector(Interval::unison, Interval::perfectFourth, Interval::perfectFifth));
    build(s_chordType_majorSeventh, "maj7", createStdVector(Interval::unison, Interval::majorThird, Interval::perfectFifth, Interval::majorSeventh));
    build(s_chordType_minorSeventh, "min7", createStdVector(Interval::unison, Interval::minorThird, Interval::perfectFifth, Interval::minorSeventh));
    build(s_chordType_seventh, "7", createStdVector(Interval::unison, Interval::majorThird, Interval::perfectFifth, Interval::minorSeventh));
    build(s_chordType_diminishedSeventh, "dim7", createStdVector(Interval::unison, Interval::minorThird, Interval::diminishedFifth, Interval::diminishedSeventh));
    build(s_chordType_halfDiminishedSeventh, "hdim7", createStdVector(Interval::unison, Interval::minorThird, Interval::diminishedFifth, Interval::minorSeventh));
    build(s_chordType_majorSixth, "maj6", createStdVector(Interval::unison, Interval::majorThird, Interval::perfectFifth, Interval::majorSixth));
    build(s_chordType_minorSixth, "min6", createStdVector(Interval::unison, Interval::minorThird, Interval::perfectFifth, Interval::majorSixth));
    build(s_chordType_ninth, "9", createStdVector(Interval::unison, Interval::majorThird, Interval::perfectFifth, Interval::minorSeventh, Interval::majorNinth));
    build(s_chordType_majorNinth, "maj9", createStdVector(Interval::unison, Interval::majorThird, Interval::perfectFifth, Interval::majorSeventh, Interval::majorNinth));
    build(s_chordType_minorNinth, "min9", createStdVector(Interval::unison, Interval::minorThird, Interval::perfectFifth, Interval::minorSeventh, Interval::majorNinth));
    AllChordTypes::initAllInstances();

    build(s_degree_I, 1);
    build(s_degree_II, 2);
    build(s_degree_III, 3);
    build(s_degree_IV, 4);
    build(s_degree_V, 5);
    build(s_degree_VI, 6);
    build(s_degree_VII, 7);

    build(s_numeral_I, ScaleDegree::I, 0);
    build(s_numeral_IIFlat, ScaleDegree::II, 1);
    build(s_numeral_II, ScaleDegree::II, 2);
    build(s_numeral_IIIFlat, ScaleDegree::III, 3);
    build(s_numeral_III, ScaleDegree::III, 4);
    build(s_numeral_IV, ScaleDegree::IV, 5);
    build(s_numeral_IVSharp, ScaleDegree::IV, 6);
    build(s_numeral_VFlat, ScaleDegree::V, 6);
    build(s_numeral_V, ScaleDegree::V, 7);
    build(s_numeral_VIFlat, ScaleDegree::VI, 8);
    build(s_numeral_VI, ScaleDegree::VI, 9);
    build(s_numeral_VIIFlat, ScaleDegree::VII, 10);
    build(s_numeral_VII, ScaleDegree::VII, 11);

    build(s_mode_ionian, "ionian", Numeral::I, Numeral::II, Numeral::III, Numeral::IV, Numeral::V, Numeral::VI, Numeral::VII);
    build(s_mode_dorian, "dorian", Numeral::I, Numeral::II, Numeral::IIIFlat, Numeral::IV, Numeral::V, Numeral::VI, Numeral::VIIFlat);
    build(s_mode_phrygian, "phrygian", Numeral::I, Numeral::IIFlat, Numeral::IIIFlat, Numeral::IV, Numeral::V, Numeral::VIFlat, Numeral::VIIFlat);
    build(s_mode_lydian, "lydian", Numeral::I, Numeral::II, Numeral::III, Numeral::IVSharp, Numeral::V, Numeral::VI, Numeral::VII);
    build(s_mode_mixolydian, "mixolydian", Numeral::I, Numeral::II, Numeral::III, Numeral::IV, Numeral::V, Numeral::VI, Numeral::VIIFlat);
    build(s_mode_aeolian, "aeolian", Numeral::I, Numeral::II, Numeral::IIIFlat, Numeral::IV, Numeral::V, Numeral::VIFlat, Numeral::VIIFlat);
    build(s_mode_locrian, "locrian", Numeral::I, Numeral::IIFlat, Numeral::IIIFlat, Numeral::IV, Numeral::VFlat, Numeral::VIFlat, Numeral::VIIFlat);

    build(s_diatonicScale_major, "maj", Numeral::I, Numeral::II, Numeral::III, Numeral::IV, Numeral::V, Numeral::VI, Numeral::VII);
    build(s_diatonicScale_aeolicMinor, "min", Numeral::I, Numeral::II, Numeral::IIIFlat, Numeral::IV, Numeral::V, Numeral::VIFlat, Numeral::VIIFlat);
    build(s_diatonicScale_harmonicMinor, "harmmin", Numeral::I, Numeral::II, Numeral::IIIFlat, Numeral::IV, Numeral::V, Numeral::VIFlat, Numeral::VII);
    build(s_diatonicScale_melodicMinor, "melomin", Numeral::I, Numeral::II, Numeral::IIIFlat, Numeral::IV, Numeral::V, Numeral::VI, Numeral::VII);

    build(s_pentatonicScale_major, "pentMaj", Numeral::I, Numeral::II, Numeral::III, Numeral::V, Numeral::VI);
    build(s_pentatonicScale_minor, "pentMin", Numeral::I, Numeral::II, Numeral::IIIFlat, Numeral::V, Numeral::VIFlat);

    build(s_chromaticScale_chromatic);
    AllDiatonicScales::initAllInstances();

    build(s_keyType_major, "maj", DiatonicScale::major);
    build(s_keyType_minor, "min", DiatonicScale::aeolicMinor);

    build(s_clefType_G, Pitch(PitchClass::G, 4));
    build(s_clefType_C, Pitch(PitchClass::C, 4));
    build(s_clefType_F, Pitch(PitchClass::F, 3));

    build(s_clef_FrenchViolin, ClefType::G, 0);
    build(s_clef_Treble, ClefType::G, 1);
    build(s_clef_Soprano, ClefType::C, 0);
    build(s_clef_MezzoSoprano, ClefType::C, 1);
    build(s_clef_Alto, ClefType::C, 2);
    build(s_clef_Tenor, ClefType::C, 3);
    build(s_clef_BaritoneC, ClefType::C, 4);
    build(s_clef_BaritoneF, ClefType::F, 2);
    build(s_clef_Bass, ClefType::F, 3);
    build(s_clef_Subbass, ClefType::F, 4);
}

CatalogueInitializer::~CatalogueInitializer()
{
    if (--s_iNumInitializers > 0)
        return;
    AllDiatonicScales::releaseAllInstances();
    AllChordTypes::releaseAllInstances();
    AllAlphabeticPitchClasses::releaseAllInstances();
    while (s_iNumBuiltConstants > 0)
    {
        const BuiltConstant& constant = s_aBuiltConstants[--s_iNumBuiltConstants];
        constant.pfDestroy(constant.pObject);
    }
}
}
}
