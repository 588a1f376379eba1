#pragma once

#include "Key.h"
#include "KeyraIf.h"
#include "Vector.h"
#include "vtrAllocatedObject.h"

#include <array>
#include <vector>

/// The 24 key templates, index = 12 * (0 major, 1 minor) + root chroma index, and the
/// probabilities of a chroma vector over them.
class KeyDictionary : public vtrAllocatedObject
{
public:
    /// The argument is kept for the interface; every key uses the fixed profiles.
    explicit KeyDictionary(const Key::ChromaTemplateType& chromaTemplateType);
    virtual ~KeyDictionary() = default;

    int size() const { return static_cast<int>(keys.size()); }
    vantor::MusicTheory::Key getKey(int iIndex) const;
    int getIndex(const vantor::MusicTheory::Key& key) const;

    /// probabilities holds size() entries and receives values that sum to 1. A chroma
    /// vector with non-finite values counts as silence. Throws std::invalid_argument
    /// for an unknown genre.
    void computeProbabilities(const Vector<float>& chroma, KeyraIf::GenreType eGenre,
                              Vector<float>& probabilities) const;
    /// Mixes every score with those of the keys a fifth above and below and the relative key.
    void smoothOutRelatedKeys(Vector<float>& scores) const;

    static constexpr int kNumKeys = 24;

private:
    std::vector<Key> keys;
    // The related keys never change: their indices are found once, not per result.
    std::array<int, kNumKeys> m_aiFifthAbove{};
    std::array<int, kNumKeys> m_aiFifthBelow{};
    std::array<int, kNumKeys> m_aiRelative{};
};
