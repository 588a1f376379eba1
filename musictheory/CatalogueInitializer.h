#pragma once

namespace vantor
{
namespace MusicTheory
{
/// Builds the named constants and registries of the library when the first instance is
/// constructed and destroys them when the last one is destroyed. Every header that
/// declares named constants includes this one, and so every translation unit that can
/// name a constant holds an instance that is constructed before its own static objects:
/// no constant can be read before it is built, whatever the order of static
/// initialisation across translation units.
class CatalogueInitializer
{
public:
    CatalogueInitializer();
    ~CatalogueInitializer();
    CatalogueInitializer(const CatalogueInitializer&) = delete;
    CatalogueInitializer& operator=(const CatalogueInitializer&) = delete;
};

static const CatalogueInitializer s_catalogueInitializer;
}
}
