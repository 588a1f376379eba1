#pragma once

#include <cstdint>
#include <string>
#include <vector>

/// The engine's answer: the tuning frequency of A4 and all 24 keys ranked by
/// probability, most probable first. Every copy is deep; a result stays valid after
/// the engine that made it is reset or destroyed.
class KeyraResultIf
{
public:
    class Key
    {
    public:
        /// The tonic in semitones above C; black keys are named by their flat.
        enum RootPitchClass : int32_t
        {
            C = 0,
            Db = 1,
            D = 2,
            Eb = 3,
            E = 4,
            F = 5,
            Gb = 6,
            G = 7,
            Ab = 8,
            A = 9,
            Bb = 10,
            B = 11
        };

        enum Type : int32_t
        {
            major = 0,
            minor = 1
        };

        class Impl;

        Key();
        explicit Key(Impl* pImpl);
        Key(const Key& other);
        Key(Key&& other) noexcept;
        Key& operator=(const Key& other);
        Key& operator=(Key&& other) noexcept;
        ~Key();

        RootPitchClass getRootPitchClass() const;
        Type getType() const;
        /// "C:maj" ... "B:min"; empty for a default-built key.
        std::string getName() const;

    private:
        Impl* m_pImpl;
    };

    class KeyResult
    {
    public:
        class Impl;

        KeyResult();
        explicit KeyResult(Impl* pImpl);
        KeyResult(const KeyResult& other);
        KeyResult(KeyResult&& other) noexcept;
        KeyResult& operator=(const KeyResult& other);
        KeyResult& operator=(KeyResult&& other) noexcept;
        ~KeyResult();

        Key getKey() const;
        float getProbability() const;

    private:
        Impl* m_pImpl;
    };

    class Impl;

    KeyraResultIf();
    explicit KeyraResultIf(Impl* pImpl);
    KeyraResultIf(const KeyraResultIf& other);
    KeyraResultIf(KeyraResultIf&& other) noexcept;
    KeyraResultIf& operator=(const KeyraResultIf& other);
    KeyraResultIf& operator=(KeyraResultIf&& other) noexcept;
    virtual ~KeyraResultIf();

    /// Estimated frequency of A4 in Hz (440 when nothing could be analysed).
    float getTuningFrequencyInHz() const;
    /// Every key, most probable first.
    std::vector<KeyResult> getAllKeyResults() const;
    /// The most probable key; an empty key result if there is none.
    KeyResult getKeyResult() const;

private:
    Impl* m_pImpl;
};
