#pragma once

#include "FileResult.h"

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

/// Analyses a list of files on a number of worker threads, each with its own engine,
/// and hands the results to the calling thread strictly in list order. Workers run at
/// most a bounded number of files ahead of the oldest unfinished one, so that a long
/// file does not make the waiting results pile up without end.
class BatchRunner
{
public:
    using ResultHandler = std::function<void(const FileResult& result)>;
    /// Called now and then while waiting: files delivered so far, a file in work.
    using TickHandler = std::function<void(size_t iDone, const std::string& sCurrent)>;

    BatchRunner(const std::vector<std::string>& files, int iNumberOfWorkers);

    /// Returns once every file has been delivered; an exception from a handler stops
    /// the workers and comes out of run().
    void run(const ResultHandler& onResult, const TickHandler& onTick);

private:
    void work();
    bool claim(size_t& iIndex);
    void stop();

    const std::vector<std::string>& m_files;
    int m_iNumberOfWorkers;
    size_t m_iWindow;

    std::mutex m_mutex;
    std::condition_variable m_resultReady;
    std::condition_variable m_roomAhead;
    size_t m_iNextToClaim = 0;
    size_t m_iNextToDeliver = 0;
    bool m_bStopping = false;
    std::string m_sCurrent;
    std::map<size_t, FileResult> m_finished;
};
