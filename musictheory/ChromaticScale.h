#pragma once

#include "CatalogueInitializer.h"
#include "Scale.h"

namespace vantor
{
namespace MusicTheory
{
/// The twelve numerals of the octave.
class ChromaticScale : public Scale
{
public:
    static const ChromaticScale& chromatic;

    ChromaticScale();
};
}
}
