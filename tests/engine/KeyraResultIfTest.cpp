#include "KeyraResultIfImpl.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
using Key = KeyraResultIf::Key;
using KeyResult = KeyraResultIf::KeyResult;

KeyResult makeResult(Key::RootPitchClass eRoot, Key::Type eType, float fProbability)
{
    return KeyResult(new KeyResult::Impl(Key(new Key::Impl(eRoot, eType)), fProbability));
}

std::unique_ptr<KeyraResultIf> makeEngineResult()
{
    const std::vector<KeyResult> ranked = {makeResult(Key::A, Key::minor, 0.75f),
                                           makeResult(Key::C, Key::major, 0.25f)};
    return std::make_unique<KeyraResultIf>(new KeyraResultIf::Impl(441.5f, ranked));
}
}

TEST(KeyraResultKey, NamesOfAllKeys)
{
    const char* const kRoots[] = {"C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B"};
    for (int r = 0; r < 12; ++r)
    {
        for (Key::Type eType : {Key::major, Key::minor})
        {
            const Key key(new Key::Impl(static_cast<Key::RootPitchClass>(r), eType));
            EXPECT_EQ(key.getName(), std::string(kRoots[r]) + (eType == Key::major ? ":maj" : ":min"));
            EXPECT_EQ(key.getRootPitchClass(), r);
            EXPECT_EQ(key.getType(), eType);
        }
    }
}

TEST(KeyraResultKey, OutOfRangeConversions)
{
    EXPECT_EQ(Key::Impl::convertRootPitchClassToString(static_cast<Key::RootPitchClass>(12)), "B");
    EXPECT_EQ(Key::Impl::convertRootPitchClassToString(static_cast<Key::RootPitchClass>(-1)), "B");
    EXPECT_EQ(Key::Impl::convertTypeToString(static_cast<Key::Type>(2)), "min");
    EXPECT_EQ(Key::Impl().getName(), "C:maj");
}

TEST(KeyraResult, CopiesOutliveTheSource)
{
    auto pSource = makeEngineResult();
    KeyraResultIf copy(*pSource);
    KeyraResultIf assigned;
    assigned = *pSource;
    const KeyResult best = pSource->getKeyResult();
    const Key bestKey = best.getKey();
    pSource.reset();

    for (const KeyraResultIf* p : {&copy, &assigned})
    {
        EXPECT_EQ(p->getTuningFrequencyInHz(), 441.5f);
        const auto all = p->getAllKeyResults();
        ASSERT_EQ(all.size(), 2u);
        EXPECT_EQ(all[0].getKey().getName(), "A:min");
        EXPECT_EQ(all[1].getKey().getName(), "C:maj");
        EXPECT_EQ(all[1].getProbability(), 0.25f);
    }
    EXPECT_EQ(best.getProbability(), 0.75f);
    EXPECT_EQ(bestKey.getName(), "A:min");
}

TEST(KeyraResult, AccessorsReturnIndependentCopies)
{
    const auto pResult = makeEngineResult();
    auto first = pResult->getAllKeyResults();
    const auto second = pResult->getAllKeyResults();
    first[0] = first[1];
    EXPECT_EQ(second[0].getKey().getName(), "A:min");
    EXPECT_EQ(pResult->getKeyResult().getKey().getName(), second[0].getKey().getName());
    EXPECT_EQ(pResult->getKeyResult().getProbability(), second[0].getProbability());

    KeyResult keyResult = makeResult(Key::Eb, Key::minor, 0.5f);
    const Key key = keyResult.getKey();
    keyResult = KeyResult();
    EXPECT_EQ(key.getName(), "Eb:min");
}

TEST(KeyraResult, SelfAssignmentAndEmptyObjects)
{
    auto pResult = makeEngineResult();
    KeyraResultIf& self = *pResult;
    *pResult = self;
    EXPECT_EQ(pResult->getAllKeyResults().size(), 2u);

    const KeyraResultIf empty;
    KeyraResultIf copyOfEmpty(empty);
    EXPECT_EQ(copyOfEmpty.getAllKeyResults().size(), 0u);
    EXPECT_EQ(copyOfEmpty.getKeyResult().getKey().getName(), "");
    EXPECT_EQ(empty.getTuningFrequencyInHz(), 440.f);
    EXPECT_EQ(KeyResult().getProbability(), 0.f);
    EXPECT_EQ(KeyResult::Impl().m_key.getName(), "C:maj");
}
