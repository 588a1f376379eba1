#pragma once

#include <string>

/// A fresh folder for one test beside the test recordings, removed with all it holds
/// when the test ends. Both vector tables' runs of a test go at once, so the name
/// carries the process id.
class ScratchFolder
{
public:
    explicit ScratchFolder(const std::string& sName);
    ~ScratchFolder();

    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string path(const std::string& sRelative) const { return m_sPath + "/" + sRelative; }
    /// Writes sBytes to the file sRelative and returns its path.
    std::string write(const std::string& sRelative, const std::string& sBytes) const;

private:
    std::string m_sPath;
};
