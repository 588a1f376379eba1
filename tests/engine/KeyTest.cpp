#include "Key.h"


#include <gtest/gtest.h>

#include <initializer_list>

namespace
{
using vantor::MusicTheory::KeyType;
using vantor::MusicTheory::PitchClass;

Vector<float> chromaOf(std::initializer_list<int> pitchClasses)
{
    Vector<float> chroma(12);
    for (int pc : pitchClasses)
        chroma[pc] = 1.f / static_cast<float>(pitchClasses.size());
    return chroma;
}
}

TEST(KeyTemplate, HarmonicWeightingOfAUnitProfile)
{
    // A profile with 1 at the tonic only shows the weights themselves, plus the
    // profile's own value: 2.75 at 0, 0.2 at the major third, 0.5 at the fifth.
    float afUnit[12] = {1};
    Key::ChromaTemplateType unit(afUnit, afUnit);
    unit.applyExponentialWeighting();
    const float afExpected[12] = {2.75f, 0, 0, 0, 0.2f, 0, 0, 0.5f, 0, 0, 0, 0};
    for (int i = 0; i < 12; ++i)
    {
        EXPECT_FLOAT_EQ(unit.majorProfile[i], afExpected[i]) << i;
        EXPECT_FLOAT_EQ(unit.minorProfile[i], afExpected[i]) << i;
    }
}

TEST(KeyTemplate, TemplatesOfC)
{
    struct Case
    {
        const KeyType* pKeyType;
        KeyraIf::GenreType eGenre;
        float afValues[12];
    };
    const Case cases[] = {
        {&KeyType::major, KeyraIf::electronic,
         {0.1883f, 0.0071f, 0.1174f, 0.0056f, 0.1462f, 0.1086f, 0.0206f, 0.1684f, 0.0085f, 0.1218f, 0.0000f, 0.1076f}},
        {&KeyType::minor, KeyraIf::electronic,
         {0.1702f, 0.0000f, 0.1085f, 0.1485f, 0.0108f, 0.0970f, 0.0195f, 0.1475f, 0.0933f, 0.0210f, 0.1012f, 0.0824f}},
        {&KeyType::major, KeyraIf::general,
         {0.1386f, 0.0564f, 0.0876f, 0.0567f, 0.1050f, 0.0890f, 0.0629f, 0.1242f, 0.0594f, 0.0876f, 0.0553f, 0.0773f}},
        {&KeyType::minor, KeyraIf::general,
         {0.1300f, 0.0598f, 0.0829f, 0.1134f, 0.0636f, 0.0776f, 0.0604f, 0.1127f, 0.0834f, 0.0642f, 0.0806f, 0.0714f}},
    };
    for (const Case& c : cases)
    {
        const Key key(PitchClass::C, *c.pKeyType);
        const Vector<float>& t = key.getTemplate(c.eGenre);
        for (int i = 0; i < 12; ++i)
            EXPECT_NEAR(t[i], c.afValues[i], 0.00005f) << "genre " << c.eGenre << " index " << i;
        EXPECT_NEAR(t.getSum(), 1.f, 1e-6f);
    }
}

TEST(KeyTemplate, TranspositionIsRotation)
{
    const Key c(PitchClass::C, KeyType::major);
    const Key g(PitchClass::G, KeyType::major);
    for (KeyraIf::GenreType eGenre : {KeyraIf::electronic, KeyraIf::general})
        for (int i = 0; i < 12; ++i)
            EXPECT_NEAR(g.getTemplate(eGenre)[(i + 7) % 12], c.getTemplate(eGenre)[i], 1e-6f);
}

TEST(KeyTemplate, ZeroChromaScores)
{
    const Vector<float> zero(12);
    struct Case { const PitchClass* pRoot; const KeyType* pType; KeyraIf::GenreType eGenre; float fScore; };
    const Case cases[] = {
        {&PitchClass::C, &KeyType::major, KeyraIf::electronic, 0.3954f},
        {&PitchClass::FSharp, &KeyType::major, KeyraIf::electronic, 0.3954f},
        {&PitchClass::A, &KeyType::minor, KeyraIf::electronic, 0.4260f},
        {&PitchClass::EFlat, &KeyType::major, KeyraIf::general, 0.4857f},
        {&PitchClass::B, &KeyType::minor, KeyraIf::general, 0.4916f},
    };
    for (const Case& c : cases)
    {
        const Key key(*c.pRoot, *c.pType);
        EXPECT_EQ(key.computeTonicChordWeight(zero), 0.f);
        EXPECT_NEAR(key.computeProbability(zero, c.eGenre), c.fScore, 0.00005f);
    }
}

TEST(KeyTemplate, TonicChordWeight)
{
    const Vector<float> ceg = chromaOf({0, 4, 7});
    EXPECT_NEAR(Key(PitchClass::C, KeyType::major).computeTonicChordWeight(ceg), 1.75f / 3.f, 1e-6f);
    EXPECT_NEAR(Key(PitchClass::C, KeyType::minor).computeTonicChordWeight(ceg), 1.25f / 3.f, 1e-6f);
}

TEST(KeyTemplate, CopiesScoreLikeTheSource)
{
    const Key source(PitchClass::EFlat, KeyType::minor);
    const Key copy(source);
    Key assigned(PitchClass::C, KeyType::major);
    assigned = source;
    assigned = assigned;
    const Vector<float> chroma = chromaOf({3, 6, 10, 1});
    for (KeyraIf::GenreType eGenre : {KeyraIf::electronic, KeyraIf::general})
    {
        EXPECT_EQ(copy.computeProbability(chroma, eGenre), source.computeProbability(chroma, eGenre));
        EXPECT_EQ(assigned.computeProbability(chroma, eGenre), source.computeProbability(chroma, eGenre));
    }
}

TEST(KeyTemplate, RejectsUnknownGenre)
{
    const Key key(PitchClass::C, KeyType::major);
    EXPECT_THROW(key.computeProbability(Vector<float>(12), static_cast<KeyraIf::GenreType>(2)), std::invalid_argument);
    EXPECT_THROW(key.computeProbability(Vector<float>(12), static_cast<KeyraIf::GenreType>(-1)), std::invalid_argument);
}

TEST(KeyTemplate, NamedProfilesAreTheTables)
{
    Vector<float> v(12);
    Key::ChromaTemplateType::temperley.getMinor(v);
    EXPECT_EQ(v[3], 4.5f);
    Key::ChromaTemplateType::diatonic.getMinor(v);
    EXPECT_EQ(v[10], 0.8f);
    Key::ChromaTemplateType::modifiedKrumhansl.getMinor(v);
    EXPECT_EQ(v[7], 5.19f);
    Key::ChromaTemplateType::diatonicKrumhansl.getMajor(v);
    EXPECT_EQ(v[1], 0.f);
    EXPECT_EQ(v[0], 6.35f);
}
