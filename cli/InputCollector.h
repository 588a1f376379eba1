#pragma once

#include <filesystem>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

/// Turns the paths of the command line and of --files-from into the list of files to
/// analyse, in input order. A folder stands for the audio files below it (by
/// extension, hidden entries skipped, sorted); anything else is taken as given, so
/// that a missing or odd file is reported rather than dropped.
class InputCollector
{
public:
    /// Notes on folders that cannot be read or hold no audio go to warnings.
    explicit InputCollector(std::ostream& warnings);

    void addPath(const std::string& sPath);
    /// One path a line; empty lines are skipped, a trailing carriage return dropped.
    void addList(std::istream& list);

    const std::vector<std::string>& getFiles() const { return m_files; }

    static bool hasAudioExtension(const std::string& sPath);

private:
    void addFolder(const std::string& sFolder);
    void scanFolder(const std::filesystem::path& folder, std::vector<std::string>& found);

    std::ostream& m_warnings;
    std::vector<std::string> m_files;
};
