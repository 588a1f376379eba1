#include "ProcessingStateRef.h"

ProcessingStateRef::ProcessingStateRef() = default;
