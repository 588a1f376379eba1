// The music-theory name parsers and the interval, pitch-class, pitch, chord and key
// arithmetic with any values. The library's own exceptions are its answer to misuse;
// any other exception, a crash or a sanitizer report is a finding.
#include "FuzzSupport.h"
#include "MusicTheory.h"

#include <cmath>
#include <string>
#include <vector>

using namespace vantor::MusicTheory;

namespace
{
// getName() spells every accidental: a modifier in the millions is a string of that size.
constexpr int kMaxSpelledModifier = 4096;

std::string pickName(FuzzedDataProvider& in)
{
    static const char* const kNames[] = {"", "C", "c", "Cb", "C#", "Cbb", "C##", "H", "#", "b", "B#b", "Bb#",
                                         "g######", "abbbbbbbbbbbbbbbbbbbbbbbbbb", "C\0b", "\xff", "CC"};
    constexpr size_t kCount = sizeof kNames / sizeof kNames[0];
    switch (in.ConsumeIntegralInRange<int>(0, 3))
    {
    case 0:
        return kNames[in.ConsumeIntegralInRange<size_t>(0, kCount - 1)];
    case 1:
    {
        // A letter and a long run of one accidental.
        std::string name(1, "ABCDEFGabcdefgH"[in.ConsumeIntegralInRange<int>(0, 14)]);
        name.append(in.ConsumeIntegralInRange<size_t>(0, 100000), in.ConsumeBool() ? '#' : 'b');
        return name;
    }
    default:
        return in.ConsumeRandomLengthString(32);
    }
}

PitchClass pickPitchClass(FuzzedDataProvider& in)
{
    if (in.ConsumeBool())
        return PitchClass(AlphabeticPitchClass(in.ConsumeIntegralInRange<int>(-1, 6)), fuzz::hostileInt(in));
    return PitchClass(AlphabeticPitchClass(in.ConsumeIntegralInRange<int>(0, 6)), in.ConsumeIntegralInRange<int>(-3, 3));
}

Interval pickInterval(FuzzedDataProvider& in)
{
    if (in.ConsumeBool())
        return Interval(Interval::Number(fuzz::hostileInt(in)), fuzz::hostileInt(in));
    return Interval(Interval::Number(in.ConsumeIntegralInRange<int>(-15, 15)), in.ConsumeIntegralInRange<int>(-25, 25));
}

bool spellable(const PitchClass& pc)
{
    return pc.getModifier() >= -kMaxSpelledModifier && pc.getModifier() <= kMaxSpelledModifier;
}

void parse(FuzzedDataProvider& in)
{
    const std::string name = pickName(in);
    if (in.ConsumeBool())
    {
        const AlphabeticPitchClass letter(name);
        fuzz::check(AlphabeticPitchClass(letter.getName()) == letter, "letter names round-trip");
        return;
    }
    const PitchClass pc(name);
    fuzz::check(pc.getChromaIndex() >= 0 && pc.getChromaIndex() <= 11, "chroma index within 0..11");
    if (spellable(pc))
        fuzz::check(PitchClass(pc.getName()) == pc, "pitch-class names round-trip");
}

void pitchClassArithmetic(FuzzedDataProvider& in)
{
    const PitchClass pc = pickPitchClass(in);
    const Interval interval = pickInterval(in);
    fuzz::check(pc.getChromaIndex() >= 0 && pc.getChromaIndex() <= 11, "chroma index within 0..11");
    switch (in.ConsumeIntegralInRange<int>(0, 3))
    {
    case 0:
    {
        const PitchClass up = pc + interval;
        fuzz::check(up.getModifier() >= -5 && up.getModifier() <= 6, "a moved pitch class is spelled near its letter");
        if (spellable(up))
            (void)up.getName();
        break;
    }
    case 1:
        (void)(pc - interval).getName();
        break;
    case 2:
    {
        const Interval between = pc - pickPitchClass(in);
        fuzz::check(between.getNumSemitones() >= 0 && between.getNumSemitones() <= 11, "within one octave");
        break;
    }
    default:
        (void)pc.isEnharmonicEquivalentOf(pickPitchClass(in));
        if (spellable(pc))
            (void)pc.getName();
    }
}

void intervalArithmetic(FuzzedDataProvider& in)
{
    Interval a = pickInterval(in);
    const Interval b = pickInterval(in);
    switch (in.ConsumeIntegralInRange<int>(0, 6))
    {
    case 0:
        (void)(a + b);
        break;
    case 1:
        (void)(a - b);
        break;
    case 2:
        (void)(-a);
        break;
    case 3:
        (void)(a * fuzz::hostileInt(in));
        break;
    case 4:
        a.mapToBaseOctave();
        fuzz::check(a.getNumber().getNumStaffPositions() >= 1 && a.getNumber().getNumStaffPositions() <= 7,
                    "folded number within 1..7");
        fuzz::check(a.getNumSemitones() >= 0 && a.getNumSemitones() <= 11, "folded semitones within 0..11");
        break;
    case 5:
        (void)(a < b || a > b || a <= b || a >= b || a == b);
        (void)(a.getNumber() < b.getNumber());
        break;
    default:
        (void)Interval::Number::fromDifferenceInStaffPositions(in.ConsumeIntegral<long long>());
    }
}

void pitchArithmetic(FuzzedDataProvider& in)
{
    const Pitch pitch(pickPitchClass(in), in.ConsumeBool() ? in.ConsumeIntegralInRange<int>(-2, 10) : fuzz::hostileInt(in));
    switch (in.ConsumeIntegralInRange<int>(0, 5))
    {
    case 0:
        (void)pitch.getMIDINumber();
        break;
    case 1:
    {
        const float fTuning = fuzz::hostileFloat(in);
        const float f = pitch.getFrequencyInHz(fTuning);
        (void)f;
        (void)pitch.getFrequency(Frequency(static_cast<double>(fTuning)));
        break;
    }
    case 2:
        (void)pitch.getAbsoluteStaffPosition();
        break;
    case 3:
        (void)(pitch + pickInterval(in));
        break;
    case 4:
        (void)(pitch - pickInterval(in));
        break;
    default:
    {
        const Pitch other(pickPitchClass(in), fuzz::hostileInt(in));
        (void)(pitch - other);
        (void)pitch.isEnharmonicEquivalentOf(other);
        if (spellable(pitch.getPitchClass()))
            (void)pitch.getName();
    }
    }
}

void chordsAndKeys(FuzzedDataProvider& in)
{
    const PitchClass root = pickPitchClass(in);
    const int iType = in.ConsumeIntegralInRange<int>(-1, AllChordTypes::getNumChordTypes());
    const ChordType* pType = AllChordTypes::getChordType(iType);
    if (pType != nullptr && in.ConsumeBool())
    {
        const Chord chord(root, *pType);
        (void)chord.getPitchClass(in.ConsumeIntegralInRange<int>(-1, 8));
        (void)chord.contains(pickPitchClass(in));
        if (spellable(root))
            (void)chord.getName();
        return;
    }
    const Key key(root, in.ConsumeBool() ? KeyType::major : KeyType::minor);
    switch (in.ConsumeIntegralInRange<int>(0, 4))
    {
    case 0:
        (void)key.getPitchClassAt(ScaleDegree(fuzz::hostileInt(in)));
        break;
    case 1:
        (void)key.getScaleDegreeFor(pickPitchClass(in));
        break;
    case 2:
        (void)key.getTriadAt(ScaleDegree(in.ConsumeIntegralInRange<int>(-1, 8)));
        break;
    case 3:
        (void)key.getNumeral(pickPitchClass(in));
        break;
    default:
        (void)key.getRelativeKey().getParallelKey();
        if (spellable(root))
            (void)key.getName();
    }
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t iSize)
{
    FuzzedDataProvider in(pData, iSize);
    for (int iOp = 0; iOp < 16 && in.remaining_bytes() > 0; ++iOp)
    {
        try
        {
            switch (in.ConsumeIntegralInRange<int>(0, 4))
            {
            case 0:
                parse(in);
                break;
            case 1:
                pitchClassArithmetic(in);
                break;
            case 2:
                intervalArithmetic(in);
                break;
            case 3:
                pitchArithmetic(in);
                break;
            default:
                chordsAndKeys(in);
            }
        }
        catch (const Exception& e)
        {
            fuzz::check(e.what() != nullptr, "an exception says what went wrong");
        }
    }
    return 0;
}
