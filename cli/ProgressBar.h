#pragma once

#include <chrono>
#include <cstdio>
#include <string>

/// One self-rewriting line on a terminal: files done of the total, elapsed and
/// remaining time, and the file being analysed. Does nothing when disabled.
class ProgressBar
{
public:
    ProgressBar(std::FILE* pTerminal, bool bEnabled, size_t iTotal);

    /// Redraws, at most a few times a second unless bForce.
    void update(size_t iDone, const std::string& sCurrent, bool bForce = false);
    /// Erases the line, so that other output can go to the terminal.
    void clear();

    /// "1:05" or "2:03:07".
    static std::string formatDuration(double dSeconds);

private:
    size_t terminalWidth() const;

    std::FILE* m_pTerminal;
    bool m_bEnabled;
    size_t m_iTotal;
    bool m_bVisible = false;
    std::chrono::steady_clock::time_point m_start;
    std::chrono::steady_clock::time_point m_lastDraw;
};
