#include <KeyraIf.h>

#include <cmath>
#include <cstdio>
#include <vector>

// Three seconds of an A-minor chord with overtones; prints the top key and tuning.
int main()
{
    const float fRate = 44100.f;
    std::vector<float> samples(static_cast<size_t>(3 * fRate));
    const float afNotes[] = {220.f, 261.63f, 329.63f};
    for (size_t i = 0; i < samples.size(); ++i)
        for (float f : afNotes)
            for (int h = 1; h <= 4; ++h)
                samples[i] += 0.05f / static_cast<float>(h) *
                              std::sin(6.2831853f * f * static_cast<float>(h) * static_cast<float>(i) / fRate);

    KeyraIf* pEngine = nullptr;
    if (KeyraIf::createInstance(pEngine, fRate, 1) != KeyraIf::noError)
        return 1;
    for (size_t pos = 0; pos + 1024 <= samples.size(); pos += 1024)
    {
        const float* channels[] = {samples.data() + pos};
        pEngine->process(channels, 1024);
    }
    const KeyraResultIf result = pEngine->computeResult(KeyraIf::general);
    KeyraIf::destroyInstance(pEngine);
    std::printf("%s %.1f\n", result.getKeyResult().getKey().getName().c_str(), result.getTuningFrequencyInHz());
    return 0;
}
