#include "Key.h"

#include <utility>

namespace vantor
{
namespace MusicTheory
{
Key::Key(PitchClass root, const KeyType& keyType) : m_root(std::move(root)), m_keyType(keyType) {}

PitchClass Key::getRoot() const
{
    return m_root;
}

const KeyType& Key::getKeyType() const
{
    return m_keyType;
}

int Key::getNumPitches() const
{
    return m_keyType.getScale().getNumNumerals();
}

std::string Key::getName() const
{
    return m_root.getName() + ":" + m_keyType.getShorthand();
}

PitchClass Key::getPitchClassAt(const ScaleDegree& degree) const
{
    return m_root + static_cast<Interval>(m_keyType.getScale().getNumeralAt(degree));
}

ScaleDegree Key::getScaleDegreeFor(const PitchClass& pitchClass) const
{
    return ScaleDegree((pitchClass - m_root).getNumber());
}

Numeral Key::getNumeral(const PitchClass& pitchClass) const
{
    return Numeral(pitchClass - m_root);
}

Chord Key::getTriadAt(const ScaleDegree& degree) const
{
    return getChord(m_keyType.getScale().getTriadAt(degree));
}

Chord Key::getTetradAt(const ScaleDegree& degree) const
{
    return getChord(m_keyType.getScale().getTetradAt(degree));
}

Chord Key::getChord(const NumeralChord& numeralChord) const
{
    return Chord(m_root + static_cast<Interval>(numeralChord.getRoot()), numeralChord.getChordType());
}

Key Key::getRelativeKey() const
{
    if (m_keyType == KeyType::major)
        return Key(m_root - Interval::minorThird, KeyType::minor);
    return Key(m_root + Interval::minorThird, KeyType::major);
}

Key Key::getParallelKey() const
{
    return Key(m_root, m_keyType == KeyType::major ? KeyType::minor : KeyType::major);
}

bool Key::operator==(const Key& other) const
{
    return m_root == other.m_root && m_keyType == other.m_keyType;
}

bool Key::operator!=(const Key& other) const
{
    return !(*this == other);
}
}
}
