#include "InputCollector.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>
#include <system_error>

namespace fs = std::filesystem;

namespace
{
// What libavformat reads that is worth calling music; video containers stay out, so
// that a folder of films is not decoded for nothing.
const std::set<std::string> kAudioExtensions = {
    "aac", "ac3", "aif", "aifc", "aiff", "alac", "amr", "ape", "au",  "caf",  "dsf", "dff",
    "dts", "eac3", "flac", "m4a", "m4b", "mka", "mp2", "mp3", "mpc", "oga", "ogg", "opus",
    "ra",  "shn", "snd", "spx", "tta", "w64", "wav", "wave", "wma", "wv"};

bool isHidden(const fs::path& path)
{
    const std::string sName = path.filename().string();
    return !sName.empty() && sName.front() == '.';
}
}

InputCollector::InputCollector(std::ostream& messages) : m_messages(messages) {}

bool InputCollector::hasAudioExtension(const std::string& sPath)
{
    std::string sExtension = fs::path(sPath).extension().string();
    if (sExtension.size() < 2)
        return false;
    sExtension.erase(0, 1);
    std::transform(sExtension.begin(), sExtension.end(), sExtension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return kAudioExtensions.count(sExtension) != 0;
}

void InputCollector::addPath(const std::string& sPath)
{
    std::error_code error;
    if (fs::is_directory(sPath, error))
        addFolder(sPath);
    else
        m_files.push_back(sPath);
}

void InputCollector::addList(std::istream& list)
{
    std::string sLine;
    while (std::getline(list, sLine))
    {
        if (!sLine.empty() && sLine.back() == '\r')
            sLine.pop_back();
        if (!sLine.empty())
            addPath(sLine);
    }
}

void InputCollector::addFolder(const std::string& sFolder)
{
    std::vector<std::string> found;
    const size_t iFailuresBefore = m_iFailures;
    scanFolder(sFolder, found);
    if (found.empty() && m_iFailures == iFailuresBefore)
        m_messages << "keyra: warning: " << sFolder << ": no audio files found\n";
    std::sort(found.begin(), found.end());
    m_files.insert(m_files.end(), found.begin(), found.end());
}

void InputCollector::scanFolder(const fs::path& folder, std::vector<std::string>& found)
{
    std::error_code error;
    fs::directory_iterator it(folder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error))
    {
        if (isHidden(it->path()))
            continue;
        std::error_code typeError;
        // Links to folders are not followed: they can form cycles.
        if (it->is_directory(typeError) && !it->is_symlink(typeError))
            scanFolder(it->path(), found);
        else if (hasAudioExtension(it->path().string()) &&
                 (it->is_regular_file(typeError) || (it->is_symlink(typeError) && !fs::exists(it->status(typeError)))))
            found.push_back(it->path().string());
    }
    if (error)
    {
        ++m_iFailures;
        m_messages << "keyra: error: " << folder.string() << ": " << error.message() << '\n';
    }
}
