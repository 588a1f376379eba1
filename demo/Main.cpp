#include "KeyraDemoApplication.h"

START_JUCE_APPLICATION(KeyraDemoApplication)
