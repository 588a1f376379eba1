#include "KeyRecognition.h"


#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>
#include <set>

namespace
{
using vantor::MusicTheory::KeyType;
using vantor::MusicTheory::PitchClass;

Vector<float> chromaOf(std::initializer_list<int> pitchClasses, float fLevel = 1.f)
{
    Vector<float> chroma(12);
    for (int pc : pitchClasses)
        chroma[pc] = fLevel;
    return chroma;
}

struct Recognition : ::testing::Test
{
    KeyRecognition recognition;

    std::vector<KeyraResultIf::KeyResult> rank(const Vector<float>& chroma, KeyraIf::GenreType eGenre) const
    {
        auto results = recognition.getSortedKeyResults(chroma, eGenre);
        expectValidRanking(results);
        return results;
    }

    static void expectValidRanking(const std::vector<KeyraResultIf::KeyResult>& results)
    {
        ASSERT_EQ(results.size(), 24u);
        std::set<std::string> names;
        double dSum = 0;
        for (size_t i = 0; i < results.size(); ++i)
        {
            names.insert(results[i].getKey().getName());
            dSum += results[i].getProbability();
            EXPECT_GE(results[i].getProbability(), 0.f);
            if (i > 0)
            {
                EXPECT_LE(results[i].getProbability(), results[i - 1].getProbability());
            }
        }
        EXPECT_EQ(names.size(), 24u);
        EXPECT_NEAR(dSum, 1.0, 1e-5);
    }
};
}

TEST(KeyDictionary, OrderAndIndices)
{
    const KeyDictionary dictionary(Key::ChromaTemplateType::krumhansl);
    EXPECT_EQ(dictionary.size(), 24);
    EXPECT_TRUE(dictionary.getKey(7).getRoot().isEnharmonicEquivalentOf(PitchClass::G));
    EXPECT_TRUE(dictionary.getKey(7).getKeyType() == KeyType::major);
    EXPECT_TRUE(dictionary.getKey(21).getRoot().isEnharmonicEquivalentOf(PitchClass::A));
    EXPECT_TRUE(dictionary.getKey(21).getKeyType() == KeyType::minor);
    EXPECT_EQ(dictionary.getIndex(vantor::MusicTheory::Key(PitchClass::A, KeyType::minor)), 21);
    EXPECT_EQ(dictionary.getIndex(vantor::MusicTheory::Key(PitchClass::EFlat, KeyType::major)), 3);
}

TEST(KeyDictionary, SmoothingMixesFifthsAndRelative)
{
    const KeyDictionary dictionary(Key::ChromaTemplateType::krumhansl);
    for (int iSource : {7, 5, 21, 0})
    {
        Vector<float> scores(24);
        scores[iSource] = 1.f;
        dictionary.smoothOutRelatedKeys(scores);
        // Only C major (0) draws on G major (7), F major (5) and A minor (21) among these.
        const float fExpected = iSource == 0 ? 0.8f : (iSource == 21 ? 0.04f : 0.08f);
        EXPECT_FLOAT_EQ(scores[0], fExpected) << iSource;
    }
}

TEST_F(Recognition, SilenceGivesOneTwelfthToEachMinorKey)
{
    for (KeyraIf::GenreType eGenre : {KeyraIf::electronic, KeyraIf::general})
    {
        for (const auto& result : rank(Vector<float>(12), eGenre))
        {
            const bool bMinor = result.getKey().getType() == KeyraResultIf::Key::minor;
            EXPECT_NEAR(result.getProbability(), bMinor ? 1.f / 12.f : 0.f, 1e-4f) << result.getKey().getName();
        }
    }
}

TEST_F(Recognition, NonFiniteChromaCountsAsSilence)
{
    for (float fBad : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()})
    {
        Vector<float> chroma = chromaOf({0, 4, 7});
        chroma[5] = fBad;
        const auto results = rank(chroma, KeyraIf::general);
        for (const auto& result : results)
            EXPECT_FALSE(std::isnan(result.getProbability()));
        EXPECT_NEAR(results.front().getProbability(), 1.f / 12.f, 1e-4f);
    }
}

TEST_F(Recognition, RankingsOfSimpleChroma)
{
    struct Case
    {
        std::initializer_list<int> pitchClasses;
        KeyraIf::GenreType eGenre;
        const char* pcFirst;
        float fFirst;
        const char* pcSecond;
        float fSecond; // negative: not checked
    };
    const Case cases[] = {
        {{0, 4, 7}, KeyraIf::electronic, "C:maj", 0.84f, "E:min", 0.07f},
        {{0, 4, 7}, KeyraIf::general, "C:maj", 0.84f, "E:min", 0.07f},
        {{0, 4, 9}, KeyraIf::electronic, "A:min", 0.80f, "C:maj", -1},
        {{0, 4, 9}, KeyraIf::general, "A:min", 0.82f, "C:maj", -1},
        {{0, 2, 4, 5, 7, 9, 11}, KeyraIf::electronic, "C:maj", 0.49f, "A:min", 0.24f},
        {{0, 2, 4, 5, 7, 9, 11}, KeyraIf::general, "C:maj", 0.28f, "A:min", 0.18f},
    };
    for (const Case& c : cases)
    {
        const auto results = rank(chromaOf(c.pitchClasses), c.eGenre);
        EXPECT_EQ(results[0].getKey().getName(), c.pcFirst);
        EXPECT_NEAR(results[0].getProbability(), c.fFirst, 0.01f) << c.pcFirst;
        EXPECT_EQ(results[1].getKey().getName(), c.pcSecond);
        if (c.fSecond >= 0)
        {
            EXPECT_NEAR(results[1].getProbability(), c.fSecond, 0.01f) << c.pcSecond;
        }
        EXPECT_EQ(results.back().getProbability(), 0.f);
    }
}

TEST_F(Recognition, ScaleInvariance)
{
    const auto reference = rank(chromaOf({2, 5, 9, 0}, 1.f), KeyraIf::general);
    for (float fLevel : {1e-6f, 0.25f, 1000.f})
    {
        const auto scaled = rank(chromaOf({2, 5, 9, 0}, fLevel), KeyraIf::general);
        for (size_t i = 0; i < reference.size(); ++i)
        {
            EXPECT_EQ(scaled[i].getKey().getName(), reference[i].getKey().getName());
            EXPECT_NEAR(scaled[i].getProbability(), reference[i].getProbability(), 1e-5f);
        }
    }
}

TEST_F(Recognition, RejectsUnknownGenre)
{
    EXPECT_THROW(recognition.getSortedKeyResults(Vector<float>(12), static_cast<KeyraIf::GenreType>(2)),
                 std::invalid_argument);
}

TEST(KeyRecognitionConversions, PitchClassToRoot)
{
    struct Case { const PitchClass* pPitchClass; KeyraResultIf::Key::RootPitchClass eRoot; };
    const Case cases[] = {
        {&PitchClass::C, KeyraResultIf::Key::C},      {&PitchClass::CSharp, KeyraResultIf::Key::Db},
        {&PitchClass::CFlat, KeyraResultIf::Key::B},  {&PitchClass::FSharp, KeyraResultIf::Key::Gb},
        {&PitchClass::BFlat, KeyraResultIf::Key::Bb}, {&PitchClass::B, KeyraResultIf::Key::B},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeyRecognition::convertMusicTheoryPitchClass2RootPitchClassEnum(*c.pPitchClass), c.eRoot);
    EXPECT_EQ(KeyRecognition::convertMusicTheoryKeyType2TypeEnum(KeyType::major), KeyraResultIf::Key::major);
    EXPECT_EQ(KeyRecognition::convertMusicTheoryKeyType2TypeEnum(KeyType::minor), KeyraResultIf::Key::minor);
}
