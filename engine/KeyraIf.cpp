#include "KeyraIf.h"

#include "Keyra.h"

#include <new>
#include <stdexcept>

namespace
{
// __DATE__ has exactly the form "Nov 24 2023", the day padded with a space.
// Constant-initialised, so it is valid even during other files' static initialisation.
constexpr char KeyraBuildDate[] = __DATE__;
}

const char* KeyraIf::getVersion()
{
    return "3.1.6+9b9803a";
}

std::string KeyraIf::getBuildDate()
{
    return KeyraBuildDate;
}

int32_t KeyraIf::createInstance(KeyraIf*& pInstance, float fSampleRate, int32_t iNumberOfChannels)
{
    try
    {
        pInstance = new Keyra(fSampleRate, iNumberOfChannels);
        return noError;
    }
    catch (const std::bad_alloc&)
    {
        return memoryError;
    }
    catch (const std::invalid_argument&)
    {
        return invalidArgumentError;
    }
}

void KeyraIf::destroyInstance(KeyraIf*& pInstance)
{
    delete pInstance;
    pInstance = nullptr;
}
