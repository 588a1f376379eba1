#include "KeyraResultIfImpl.h"

#include <utility>

namespace
{
template <typename ImplT>
ImplT* cloneImpl(const ImplT* pImpl)
{
    return pImpl != nullptr ? new ImplT(*pImpl) : nullptr;
}
}

// ---- Key::Impl

std::string KeyraResultIf::Key::Impl::convertRootPitchClassToString(RootPitchClass eRoot)
{
    static const char* const kNames[] = {"C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb"};
    const auto iIndex = static_cast<uint32_t>(eRoot);
    return iIndex < 11 ? kNames[iIndex] : "B";
}

std::string KeyraResultIf::Key::Impl::convertTypeToString(Type eType)
{
    return eType == major ? "maj" : "min";
}

std::string KeyraResultIf::Key::Impl::getName() const
{
    return convertRootPitchClassToString(m_eRootPitchClass) + ":" + convertTypeToString(m_eType);
}

// ---- Key

KeyraResultIf::Key::Key() : m_pImpl(nullptr) {}
KeyraResultIf::Key::Key(Impl* pImpl) : m_pImpl(pImpl) {}
KeyraResultIf::Key::Key(const Key& other) : m_pImpl(cloneImpl(other.m_pImpl)) {}
KeyraResultIf::Key::Key(Key&& other) noexcept : m_pImpl(std::exchange(other.m_pImpl, nullptr)) {}

KeyraResultIf::Key& KeyraResultIf::Key::operator=(const Key& other)
{
    if (this != &other)
    {
        delete m_pImpl;
        m_pImpl = nullptr;
        m_pImpl = cloneImpl(other.m_pImpl);
    }
    return *this;
}

KeyraResultIf::Key& KeyraResultIf::Key::operator=(Key&& other) noexcept
{
    std::swap(m_pImpl, other.m_pImpl);
    return *this;
}

KeyraResultIf::Key::~Key() { delete m_pImpl; }

KeyraResultIf::Key::RootPitchClass KeyraResultIf::Key::getRootPitchClass() const
{
    return m_pImpl != nullptr ? m_pImpl->m_eRootPitchClass : C;
}

KeyraResultIf::Key::Type KeyraResultIf::Key::getType() const
{
    return m_pImpl != nullptr ? m_pImpl->m_eType : major;
}

std::string KeyraResultIf::Key::getName() const
{
    return m_pImpl != nullptr ? m_pImpl->getName() : std::string();
}

// ---- KeyResult

KeyraResultIf::KeyResult::Impl::Impl() : m_key(new Key::Impl()) {}

KeyraResultIf::KeyResult::KeyResult() : m_pImpl(nullptr) {}
KeyraResultIf::KeyResult::KeyResult(Impl* pImpl) : m_pImpl(pImpl) {}
KeyraResultIf::KeyResult::KeyResult(const KeyResult& other) : m_pImpl(cloneImpl(other.m_pImpl)) {}
KeyraResultIf::KeyResult::KeyResult(KeyResult&& other) noexcept : m_pImpl(std::exchange(other.m_pImpl, nullptr)) {}

KeyraResultIf::KeyResult& KeyraResultIf::KeyResult::operator=(const KeyResult& other)
{
    if (this != &other)
    {
        delete m_pImpl;
        m_pImpl = nullptr;
        m_pImpl = cloneImpl(other.m_pImpl);
    }
    return *this;
}

KeyraResultIf::KeyResult& KeyraResultIf::KeyResult::operator=(KeyResult&& other) noexcept
{
    std::swap(m_pImpl, other.m_pImpl);
    return *this;
}

KeyraResultIf::KeyResult::~KeyResult() { delete m_pImpl; }

KeyraResultIf::Key KeyraResultIf::KeyResult::getKey() const
{
    return m_pImpl != nullptr ? m_pImpl->m_key : Key();
}

float KeyraResultIf::KeyResult::getProbability() const
{
    return m_pImpl != nullptr ? m_pImpl->m_fProbability : 0.f;
}

// ---- KeyraResultIf

KeyraResultIf::KeyraResultIf() : m_pImpl(nullptr) {}
KeyraResultIf::KeyraResultIf(Impl* pImpl) : m_pImpl(pImpl) {}
KeyraResultIf::KeyraResultIf(const KeyraResultIf& other) : m_pImpl(cloneImpl(other.m_pImpl)) {}
KeyraResultIf::KeyraResultIf(KeyraResultIf&& other) noexcept : m_pImpl(std::exchange(other.m_pImpl, nullptr)) {}

KeyraResultIf& KeyraResultIf::operator=(const KeyraResultIf& other)
{
    if (this != &other)
    {
        delete m_pImpl;
        m_pImpl = nullptr;
        m_pImpl = cloneImpl(other.m_pImpl);
    }
    return *this;
}

KeyraResultIf& KeyraResultIf::operator=(KeyraResultIf&& other) noexcept
{
    std::swap(m_pImpl, other.m_pImpl);
    return *this;
}

KeyraResultIf::~KeyraResultIf() { delete m_pImpl; }

float KeyraResultIf::getTuningFrequencyInHz() const
{
    return m_pImpl != nullptr ? m_pImpl->m_fTuningFrequencyInHz : 440.f;
}

std::vector<KeyraResultIf::KeyResult> KeyraResultIf::getAllKeyResults() const
{
    return m_pImpl != nullptr ? m_pImpl->m_keyResults : std::vector<KeyResult>();
}

KeyraResultIf::KeyResult KeyraResultIf::getKeyResult() const
{
    if (m_pImpl == nullptr || m_pImpl->m_keyResults.empty())
        return KeyResult();
    return m_pImpl->m_keyResults.front();
}
