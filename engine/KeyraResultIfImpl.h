#pragma once

// The hidden halves of the result objects; key recognition and the engine frame
// build results from these.

#include "KeyraResultIf.h"
#include "vtrAllocatedObject.h"

#include <string>
#include <vector>

class KeyraResultIf::Key::Impl : public vtrAllocatedObject
{
public:
    Impl() = default;
    Impl(RootPitchClass eRoot, Type eType) : m_eRootPitchClass(eRoot), m_eType(eType) {}

    std::string getName() const;

    static std::string convertRootPitchClassToString(RootPitchClass eRoot);
    static std::string convertTypeToString(Type eType);

    RootPitchClass m_eRootPitchClass = C;
    Type m_eType = major;
};

class KeyraResultIf::KeyResult::Impl : public vtrAllocatedObject
{
public:
    Impl();
    Impl(const Key& key, float fProbability) : m_key(key), m_fProbability(fProbability) {}

    Key m_key;
    float m_fProbability = 0.f;
};

class KeyraResultIf::Impl : public vtrAllocatedObject
{
public:
    Impl() = default;
    Impl(float fTuningFrequencyInHz, const std::vector<KeyResult>& keyResults)
        : m_fTuningFrequencyInHz(fTuningFrequencyInHz), m_keyResults(keyResults)
    {
    }

    float m_fTuningFrequencyInHz = 440.f;
    std::vector<KeyResult> m_keyResults;
};
