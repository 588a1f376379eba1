#include "ScratchFolder.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder(const std::string& sName)
    : m_sPath(std::string(KEYRA_TEST_AUDIO_DIR) + "-scratch-" + sName + "-" + std::to_string(getpid()))
{
    std::error_code error;
    fs::remove_all(m_sPath, error);
    fs::create_directories(m_sPath);
}

ScratchFolder::~ScratchFolder()
{
    std::error_code error;
    fs::remove_all(m_sPath, error);
}

std::string ScratchFolder::write(const std::string& sRelative, const std::string& sBytes) const
{
    const std::string sFile = path(sRelative);
    std::ofstream(sFile, std::ios::binary) << sBytes;
    return sFile;
}
