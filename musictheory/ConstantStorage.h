#pragma once

namespace vantor
{
namespace MusicTheory
{
/// Static storage for one named constant. The constexpr constructor makes every
/// storage object constant-initialised, so a reference bound to m_value is valid from
/// the very start of the program; the value itself is built and destroyed explicitly
/// by CatalogueInitializer, in a fixed order, whatever the order of the translation
/// units.
template <typename T>
union ConstantStorage
{
    constexpr ConstantStorage() noexcept : m_cUnbuilt(0) {}
    ~ConstantStorage() {}
    ConstantStorage(const ConstantStorage&) = delete;
    ConstantStorage& operator=(const ConstantStorage&) = delete;

    char m_cUnbuilt;
    T m_value;
};
}
}
