#pragma once

#include "CatalogueInitializer.h"
#include "Pitch.h"

namespace vantor
{
namespace MusicTheory
{
/// A clef symbol, identified by the pitch it marks.
class ClefType
{
public:
    static const ClefType& G;
    static const ClefType& C;
    static const ClefType& F;

    explicit ClefType(const Pitch& reference);

    Pitch getReference() const;

    bool operator==(const ClefType& other) const;
    bool operator!=(const ClefType& other) const;

private:
    Pitch m_reference;
};
}
}
