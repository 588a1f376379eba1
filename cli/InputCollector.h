#pragma once

#include <filesystem>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

/// Turns the paths of the command line and of --files-from into the list of files to
/// analyse, in input order. A folder stands for the audio files below it (by
/// extension, hidden entries skipped, sorted); anything else is taken as given, so
/// that a missing or odd file is reported rather than dropped. So is a link in a folder
/// whose target is gone: it stood for a track.
class InputCollector
{
public:
    /// Folders that cannot be read (errors) and folders without audio (warnings) are
    /// reported on messages.
    explicit InputCollector(std::ostream& messages);

    void addPath(const std::string& sPath);
    /// One path a line; empty lines are skipped, a trailing carriage return dropped.
    void addList(std::istream& list);

    const std::vector<std::string>& getFiles() const { return m_files; }
    /// Folders, or parts of them, that could not be read: their files are missing.
    size_t getNumberOfFailures() const { return m_iFailures; }

    static bool hasAudioExtension(const std::string& sPath);

private:
    void addFolder(const std::string& sFolder);
    void scanFolder(const std::filesystem::path& folder, std::vector<std::string>& found);

    std::ostream& m_messages;
    std::vector<std::string> m_files;
    size_t m_iFailures = 0;
};
