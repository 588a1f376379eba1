#pragma once

#include <atomic>
#include <functional>

/// What an analysis and its watcher share: the analysis writes the progress and calls
/// the callback after every block; the watcher sets shouldExit to stop it.
struct ProcessingState
{
    std::atomic<float> progress { 0.0f };
    std::atomic<bool> shouldExit { false };
    std::function<void()> callback;
};
