#include "DemoFormatManager.h"

#if KEYRA_DEMO_FFMPEG
#include "FfmpegAudioFormat.h"
#endif

DemoFormatManager::DemoFormatManager()
{
    registerBasicFormats();
#if KEYRA_DEMO_FFMPEG
    // Last, so that it only takes the files no basic format claims: WMA, and MP3 as
    // long as JUCE's own MP3 decoder is left out of the build.
    registerFormat(new FfmpegAudioFormat(), false);
#endif
}
