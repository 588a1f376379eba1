#include "KeyType.h"

namespace vantor
{
namespace MusicTheory
{
KeyType::KeyType(const std::string& shorthand, const DiatonicScale& scale) : m_sShorthand(shorthand), m_scale(scale) {}

const std::string& KeyType::getShorthand() const
{
    return m_sShorthand;
}

const DiatonicScale& KeyType::getScale() const
{
    return m_scale;
}

bool KeyType::operator==(const KeyType& other) const
{
    return m_sShorthand == other.m_sShorthand && m_scale == other.m_scale;
}

bool KeyType::operator!=(const KeyType& other) const
{
    return !(*this == other);
}
}
}
