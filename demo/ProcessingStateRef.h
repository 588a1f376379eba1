#pragma once

#include "ProcessingState.h"

/// A handle on the state of one analysis. It holds its own record, so a watcher can
/// make one on its stack and hand it to the analysis by reference.
class ProcessingStateRef
{
public:
    ProcessingStateRef();

    ProcessingState* operator->() { return &record; }
    const ProcessingState* operator->() const { return &record; }
    ProcessingState& get() { return record; }

    ProcessingStateRef(const ProcessingStateRef&) = delete;
    ProcessingStateRef& operator=(const ProcessingStateRef&) = delete;

private:
    ProcessingState record;
};
