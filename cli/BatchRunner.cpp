#include "BatchRunner.h"

#include "FileAnalyser.h"

#include <algorithm>
#include <chrono>
#include <thread>

BatchRunner::BatchRunner(const std::vector<std::string>& files, int iNumberOfWorkers)
    : m_files(files),
      m_iNumberOfWorkers(std::clamp<int>(iNumberOfWorkers, 1, static_cast<int>(std::max<size_t>(files.size(), 1)))),
      m_iWindow(std::max<size_t>(64, 16 * static_cast<size_t>(m_iNumberOfWorkers)))
{
}

void BatchRunner::run(const ResultHandler& onResult, const TickHandler& onTick)
{
    std::vector<std::thread> workers;
    for (int i = 0; i < m_iNumberOfWorkers; ++i)
        workers.emplace_back([this] { work(); });
    try
    {
        while (m_iNextToDeliver < m_files.size())
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            const bool bReady = m_resultReady.wait_for(lock, std::chrono::milliseconds(200),
                                                       [this] { return m_finished.count(m_iNextToDeliver) != 0; });
            if (!bReady)
            {
                const std::string sCurrent = m_sCurrent;
                lock.unlock();
                onTick(m_iNextToDeliver, sCurrent);
                continue;
            }
            auto node = m_finished.extract(m_iNextToDeliver);
            ++m_iNextToDeliver;
            const std::string sCurrent = m_sCurrent;
            lock.unlock();
            m_roomAhead.notify_all();
            onResult(node.mapped());
            onTick(m_iNextToDeliver, sCurrent);
        }
    }
    catch (...)
    {
        stop();
        for (auto& worker : workers)
            worker.join();
        throw;
    }
    for (auto& worker : workers)
        worker.join();
}

void BatchRunner::stop()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bStopping = true;
    }
    m_roomAhead.notify_all();
}

bool BatchRunner::claim(size_t& iIndex)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_roomAhead.wait(lock, [this] {
        return m_bStopping || m_iNextToClaim >= m_files.size() || m_iNextToClaim < m_iNextToDeliver + m_iWindow;
    });
    if (m_bStopping || m_iNextToClaim >= m_files.size())
        return false;
    iIndex = m_iNextToClaim++;
    m_sCurrent = m_files[iIndex];
    return true;
}

void BatchRunner::work()
{
    FileAnalyser analyser;
    size_t iIndex = 0;
    while (claim(iIndex))
    {
        FileResult result = analyser.analyse(m_files[iIndex]);
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_finished.emplace(iIndex, std::move(result));
        }
        m_resultReady.notify_one();
    }
}
