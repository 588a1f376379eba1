#include "ExpectThrow.h"
#include "MusicTheory.h"
#include "Printers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vantor::MusicTheory;

namespace
{
const char* const kNoneText = "Operation is not defined on AlphabeticPitchClass::none.";

std::string tonesOf(const Chord& chord)
{
    std::string sTones;
    for (int i = 0; i < chord.getNumPitchClasses(); ++i)
        sTones += (i > 0 ? " " : "") + chord.getPitchClass(i).getName();
    return sTones;
}

std::string scaleOf(const Key& key)
{
    std::string sScale;
    for (int iDegree = 1; iDegree <= 7; ++iDegree)
        sScale += (iDegree > 1 ? " " : "") + key.getPitchClassAt(ScaleDegree(iDegree)).getName();
    return sScale;
}

// A key that carries data of its own, as the key-recognition templates do.
class WeightedKey : public Key
{
public:
    WeightedKey(const PitchClass& root, const KeyType& keyType, float fWeight) : Key(root, keyType), m_fWeight(fWeight) {}
    float getWeight() const { return m_fWeight; }

private:
    float m_fWeight;
};
}

TEST(KeyType, ConstantsAndEquality)
{
    EXPECT_EQ(KeyType::major.getShorthand(), "maj");
    EXPECT_EQ(KeyType::minor.getShorthand(), "min");
    EXPECT_EQ(KeyType::major.getScale(), DiatonicScale::major);
    EXPECT_EQ(KeyType::minor.getScale(), DiatonicScale::aeolicMinor);
    EXPECT_NE(KeyType::major, KeyType::minor);
    EXPECT_NE(KeyType("ionian", DiatonicScale::major), KeyType::major);
    EXPECT_EQ(KeyType("min", DiatonicScale::aeolicMinor), KeyType::minor);
    EXPECT_NE(KeyType("min", DiatonicScale::harmonicMinor), KeyType::minor);
}

TEST(Key, RelativeParallelAndTonicTriadOfAll24Keys)
{
    struct Case
    {
        const PitchClass& root;
        bool bMajor;
        const char* pcName;
        const char* pcRelative;
        const char* pcTonicTones;
    };
    const Case aCases[] = {
        {PitchClass::C, true, "C:maj", "A:min", "C E G"},         {PitchClass::DFlat, true, "Db:maj", "Bb:min", "Db F Ab"},
        {PitchClass::D, true, "D:maj", "B:min", "D F# A"},        {PitchClass::EFlat, true, "Eb:maj", "C:min", "Eb G Bb"},
        {PitchClass::E, true, "E:maj", "C#:min", "E G# B"},       {PitchClass::F, true, "F:maj", "D:min", "F A C"},
        {PitchClass::GFlat, true, "Gb:maj", "Eb:min", "Gb Bb Db"}, {PitchClass::G, true, "G:maj", "E:min", "G B D"},
        {PitchClass::AFlat, true, "Ab:maj", "F:min", "Ab C Eb"},  {PitchClass::A, true, "A:maj", "F#:min", "A C# E"},
        {PitchClass::BFlat, true, "Bb:maj", "G:min", "Bb D F"},   {PitchClass::B, true, "B:maj", "G#:min", "B D# F#"},
        {PitchClass::C, false, "C:min", "Eb:maj", "C Eb G"},      {PitchClass::DFlat, false, "Db:min", "Fb:maj", "Db Fb Ab"},
        {PitchClass::D, false, "D:min", "F:maj", "D F A"},        {PitchClass::EFlat, false, "Eb:min", "Gb:maj", "Eb Gb Bb"},
        {PitchClass::E, false, "E:min", "G:maj", "E G B"},        {PitchClass::F, false, "F:min", "Ab:maj", "F Ab C"},
        {PitchClass::GFlat, false, "Gb:min", "Bbb:maj", "Gb Bbb Db"}, {PitchClass::G, false, "G:min", "Bb:maj", "G Bb D"},
        {PitchClass::AFlat, false, "Ab:min", "Cb:maj", "Ab Cb Eb"}, {PitchClass::A, false, "A:min", "C:maj", "A C E"},
        {PitchClass::BFlat, false, "Bb:min", "Db:maj", "Bb Db F"}, {PitchClass::B, false, "B:min", "D:maj", "B D F#"}};
    for (const Case& c : aCases)
    {
        const KeyType& keyType = c.bMajor ? KeyType::major : KeyType::minor;
        const KeyType& otherType = c.bMajor ? KeyType::minor : KeyType::major;
        const Key key(c.root, keyType);
        EXPECT_EQ(key.getName(), c.pcName);
        EXPECT_EQ(key.getNumPitches(), 7);
        EXPECT_EQ(key.getRelativeKey().getName(), c.pcRelative);
        EXPECT_EQ(key.getRelativeKey().getKeyType(), otherType) << c.pcName;
        EXPECT_EQ(key.getRelativeKey().getRelativeKey(), key) << c.pcName;
        EXPECT_EQ(key.getParallelKey(), Key(c.root, otherType)) << c.pcName;
        EXPECT_EQ(key.getParallelKey().getParallelKey(), key) << c.pcName;

        const Chord tonic(key.getRoot(), c.bMajor ? ChordType::major : ChordType::minor);
        EXPECT_EQ(tonesOf(tonic), c.pcTonicTones) << c.pcName;
        EXPECT_EQ(key.getTriadAt(ScaleDegree::I), tonic) << c.pcName;
    }
}

TEST(Key, ScaleSpellings)
{
    struct Case
    {
        Key key;
        const char* pcScale;
    };
    const Case aCases[] = {{Key(PitchClass::C, KeyType::major), "C D E F G A B"},
                           {Key(PitchClass::A, KeyType::minor), "A B C D E F G"},
                           {Key(PitchClass::EFlat, KeyType::major), "Eb F G Ab Bb C D"},
                           {Key(PitchClass::FSharp, KeyType::major), "F# G# A# B C# D# E#"},
                           {Key(PitchClass::EFlat, KeyType::minor), "Eb F Gb Ab Bb Cb Db"},
                           {Key(PitchClass::GSharp, KeyType::minor), "G# A# B C# D# E F#"},
                           {Key(PitchClass::A, KeyType("harmmin", DiatonicScale::harmonicMinor)), "A B C D E F G#"}};
    for (const Case& c : aCases)
        EXPECT_EQ(scaleOf(c.key), c.pcScale) << c.key.getName();
}

TEST(Key, DegreesAndNumeralsOfPitchClasses)
{
    const Key cMajor(PitchClass::C, KeyType::major);
    const Key gMajor(PitchClass::G, KeyType::major);
    EXPECT_EQ(cMajor.getScaleDegreeFor(PitchClass::FSharp), ScaleDegree::IV);
    EXPECT_EQ(cMajor.getScaleDegreeFor(PitchClass::GFlat), ScaleDegree::V);
    EXPECT_EQ(Key(PitchClass::A, KeyType::minor).getScaleDegreeFor(PitchClass::C), ScaleDegree::III);
    EXPECT_EQ(gMajor.getScaleDegreeFor(PitchClass::FSharp), ScaleDegree::VII);
    EXPECT_EQ(gMajor.getScaleDegreeFor(PitchClass::F), ScaleDegree::VII);
    EXPECT_EQ(gMajor.getNumeral(PitchClass::F), Numeral::VIIFlat);
    EXPECT_EQ(cMajor.getNumeral(PitchClass::FSharp), Numeral::IVSharp);
    EXPECT_EQ(cMajor.getNumeral(PitchClass::BFlat), Numeral::VIIFlat);
    EXPECT_EQ(cMajor.getNumeral(PitchClass::C), Numeral::I);
}

TEST(Key, ChordsOnDegrees)
{
    const Key cMajor(PitchClass::C, KeyType::major);
    const Key aMinor(PitchClass::A, KeyType::minor);
    EXPECT_EQ(cMajor.getTriadAt(ScaleDegree::V).getName(), "G:maj");
    EXPECT_EQ(cMajor.getTetradAt(ScaleDegree::VII).getName(), "B:hdim7");
    EXPECT_EQ(aMinor.getTriadAt(ScaleDegree::V).getName(), "E:min");
    EXPECT_EQ(aMinor.getTriadAt(ScaleDegree::VII).getName(), "G:maj");
    EXPECT_EQ(Key(PitchClass::C, KeyType::minor).getChord(NumeralChord(Numeral::V, ChordType::seventh)).getName(), "G:7");
    EXPECT_EQ(Key(PitchClass::EFlat, KeyType::minor).getTetradAt(ScaleDegree::II).getName(), "F:hdim7");

    const Key harmonic(PitchClass::A, KeyType("harmmin", DiatonicScale::harmonicMinor));
    EXPECT_EQ(harmonic.getTriadAt(ScaleDegree::III).getName(), "C:aug");
    EXPECT_THROW_MESSAGE(harmonic.getTetradAt(ScaleDegree::I), InvalidArgumentException,
                         "One or more argument was invalid.");
}

TEST(Key, EqualityAndForeignKeyTypes)
{
    EXPECT_NE(Key(PitchClass::CSharp, KeyType::major), Key(PitchClass::DFlat, KeyType::major));
    EXPECT_NE(Key(PitchClass::C, KeyType::major), Key(PitchClass::C, KeyType::minor));
    EXPECT_EQ(Key(PitchClass::C, KeyType::major), Key(PitchClass::C, KeyType("maj", DiatonicScale::major)));
    // Only KeyType::major itself counts as major; any other key type relates like minor.
    const KeyType fakeMajor("maj", DiatonicScale::harmonicMinor);
    EXPECT_EQ(Key(PitchClass::C, fakeMajor).getRelativeKey(), Key(PitchClass::EFlat, KeyType::major));
    EXPECT_EQ(Key(PitchClass::C, fakeMajor).getParallelKey(), Key(PitchClass::C, KeyType::major));
}

TEST(Key, NoneRootThrowsWhereSpellingIsNeeded)
{
    const Key key(PitchClass::none, KeyType::major);
    EXPECT_EQ(key.getName(), "none:maj");
    EXPECT_THROW_MESSAGE(key.getPitchClassAt(ScaleDegree::II), InvalidOperationException, kNoneText);
    EXPECT_THROW_MESSAGE(key.getTriadAt(ScaleDegree::I), InvalidOperationException, kNoneText);
    EXPECT_THROW_MESSAGE(key.getTetradAt(ScaleDegree::I), InvalidOperationException, kNoneText);
    EXPECT_THROW_MESSAGE(key.getChord(Mode::ionian.getTriadAt(ScaleDegree::I)), InvalidOperationException, kNoneText);
    EXPECT_THROW_MESSAGE(key.getRelativeKey(), InvalidOperationException, kNoneText);
    EXPECT_THROW_MESSAGE(key.getScaleDegreeFor(PitchClass::C), InvalidOperationException, kNoneText);
    EXPECT_THROW_MESSAGE(key.getNumeral(PitchClass::C), InvalidOperationException, kNoneText);
    EXPECT_EQ(key.getParallelKey(), Key(PitchClass::none, KeyType::minor));
}

TEST(Key, UsableAsCopyableBaseClass)
{
    const WeightedKey source(PitchClass::FSharp, KeyType::minor, 0.25f);
    WeightedKey copy(source);
    EXPECT_EQ(static_cast<const Key&>(copy), source);
    EXPECT_EQ(copy.getWeight(), 0.25f);

    WeightedKey assigned(PitchClass::C, KeyType::major, 1.f);
    assigned = source;
    EXPECT_EQ(assigned.getName(), "F#:min");
    EXPECT_EQ(assigned.getRelativeKey().getName(), "A:maj");
    EXPECT_EQ(assigned.getWeight(), 0.25f);

    std::vector<WeightedKey> keys;
    for (const PitchClass* pRoot : {&PitchClass::C, &PitchClass::DFlat, &PitchClass::D})
        keys.emplace_back(*pRoot, KeyType::major, 1.f);
    EXPECT_EQ(keys[1].getName(), "Db:maj");
}
