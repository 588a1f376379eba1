#include "ProgressBar.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>

namespace
{
constexpr size_t kBarWidth = 24;
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
}

ProgressBar::ProgressBar(std::FILE* pTerminal, bool bEnabled, size_t iTotal)
    : m_pTerminal(pTerminal), m_bEnabled(bEnabled && iTotal > 0), m_iTotal(iTotal),
      m_start(std::chrono::steady_clock::now()), m_lastDraw(m_start - kRedrawInterval)
{
}

std::string ProgressBar::formatDuration(double dSeconds)
{
    const auto iSeconds = static_cast<long long>(std::max(dSeconds, 0.0) + 0.5);
    char acText[32];
    if (iSeconds >= 3600)
        std::snprintf(acText, sizeof acText, "%lld:%02lld:%02lld", iSeconds / 3600, iSeconds / 60 % 60, iSeconds % 60);
    else
        std::snprintf(acText, sizeof acText, "%lld:%02lld", iSeconds / 60, iSeconds % 60);
    return acText;
}

size_t ProgressBar::terminalWidth() const
{
    winsize size{};
    if (ioctl(fileno(m_pTerminal), TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
    return 80;
}

void ProgressBar::update(size_t iDone, const std::string& sCurrent, bool bForce)
{
    if (!m_bEnabled)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (!bForce && now - m_lastDraw < kRedrawInterval)
        return;
    m_lastDraw = now;

    const double dElapsed = std::chrono::duration<double>(now - m_start).count();
    const std::string sRemaining =
        iDone > 0 ? formatDuration(dElapsed / static_cast<double>(iDone) * static_cast<double>(m_iTotal - iDone)) : "?";
    const size_t iFilled = kBarWidth * iDone / m_iTotal;
    std::string sLine = "[" + std::string(iFilled, '#') + std::string(kBarWidth - iFilled, '-') + "] " +
                        std::to_string(iDone) + "/" + std::to_string(m_iTotal) + "  " + formatDuration(dElapsed) +
                        " elapsed, " + sRemaining + " left  ";

    // The file name gets what is left of the line, losing its start if it must.
    const size_t iWidth = terminalWidth() - 1;
    if (sLine.size() < iWidth)
    {
        const size_t iRoom = iWidth - sLine.size();
        if (sCurrent.size() <= iRoom)
            sLine += sCurrent;
        else if (iRoom > 3)
        {
            size_t iStart = sCurrent.size() - (iRoom - 3);
            while (iStart < sCurrent.size() && (static_cast<unsigned char>(sCurrent[iStart]) & 0xc0) == 0x80)
                ++iStart; // not inside a UTF-8 sequence
            sLine += "..." + sCurrent.substr(iStart);
        }
    }
    else
        sLine.resize(iWidth);
    std::fprintf(m_pTerminal, "\r\033[K%s", sLine.c_str());
    std::fflush(m_pTerminal);
    m_bVisible = true;
}

void ProgressBar::clear()
{
    if (!m_bVisible)
        return;
    std::fprintf(m_pTerminal, "\r\033[K");
    std::fflush(m_pTerminal);
    m_bVisible = false;
}
