#pragma once

#include "CatalogueInitializer.h"
#include "Scale.h"

#include <string>

namespace vantor
{
namespace MusicTheory
{
/// A five-degree scale on the degrees I, II, III, V, VI.
class PentatonicScale : public Scale
{
public:
    static const PentatonicScale& major;
    static const PentatonicScale& minor;

    PentatonicScale(const std::string& shorthand, Numeral n1, Numeral n2, Numeral n3, Numeral n4, Numeral n5);
};
}
}
