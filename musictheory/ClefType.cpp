#include "ClefType.h"

namespace vantor
{
namespace MusicTheory
{
ClefType::ClefType(const Pitch& reference) : m_reference(reference) {}

Pitch ClefType::getReference() const
{
    return m_reference;
}

bool ClefType::operator==(const ClefType& other) const
{
    return m_reference == other.m_reference;
}

bool ClefType::operator!=(const ClefType& other) const
{
    return !(*this == other);
}
}
}
