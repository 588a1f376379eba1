#pragma once

#include "CatalogueInitializer.h"

namespace vantor
{
namespace MusicTheory
{
/// An interval: its number decides the letter of a result, its semitones the accidental.
class Interval
{
public:
    /// An interval number: 1 unison, 2 second, ..., negative downward, 0 none.
    class Number
    {
    public:
        static const Number& none;
        static const Number& unison;
        static const Number& second;
        static const Number& third;
        static const Number& fourth;
        static const Number& fifth;
        static const Number& sixth;
        static const Number& seventh;
        static const Number& octave;
        static const Number& ninth;
        static const Number& tenth;
        static const Number& eleventh;
        static const Number& twelfth;
        static const Number& thirteenth;

        Number();
        explicit Number(int iNumStaffPositions);
        virtual ~Number() = default;
        Number(const Number&) = default;
        Number& operator=(const Number&) = default;

        int getNumStaffPositions() const;
        /// Staff steps: n - 1 above, n + 1 below, 0 for none.
        int getDifferenceInStaffPositions() const;

        /// Folds into 1..7; throws InvalidOperationException on none.
        void mapToBaseOctave();
        Number mappedToBaseOctave() const;

        /// Arithmetic on staff steps; a result beyond the int range throws OutOfRangeException.
        Number operator+(const Number& other) const;
        Number operator-(const Number& other) const;
        Number operator-() const;
        Number operator*(int iFactor) const;

        bool operator==(const Number& other) const;
        bool operator!=(const Number& other) const;
        bool operator<(const Number& other) const;
        bool operator>(const Number& other) const;
        bool operator<=(const Number& other) const;
        bool operator>=(const Number& other) const;

        /// The number of a staff-step count: d + 1 upward, d - 1 downward.
        static Number fromDifferenceInStaffPositions(long long lNumSteps);

    private:
        int m_iNumStaffPositions;
    };

    static const Interval& unison;
    static const Interval& minorSecond;
    static const Interval& majorSecond;
    static const Interval& minorThird;
    static const Interval& majorThird;
    static const Interval& diminishedFourth;
    static const Interval& perfectFourth;
    static const Interval& augmentedFourth;
    static const Interval& diminishedFifth;
    static const Interval& perfectFifth;
    static const Interval& augmentedFifth;
    static const Interval& minorSixth;
    static const Interval& majorSixth;
    static const Interval& diminishedSeventh;
    static const Interval& minorSeventh;
    static const Interval& majorSeventh;
    static const Interval& octave;
    static const Interval& minorNinth;
    static const Interval& majorNinth;
    static const Interval& perfectEleventh;
    static const Interval& augmentedEleventh;
    static const Interval& minorThirteenth;
    static const Interval& majorThirteenth;

    Interval();
    /// Unchecked: any number and semitone count are carried along.
    Interval(const Number& number, int iNumSemitones);
    virtual ~Interval() = default;
    Interval(const Interval&) = default;
    Interval& operator=(const Interval&) = default;

    Number getNumber() const;
    int getNumSemitones() const;

    /// Folds the number into 1..7 and the semitones into 0..11; throws on a none number.
    void mapToBaseOctave();
    Interval mappedToBaseOctave() const;

    Interval operator+(const Interval& other) const;
    Interval operator-(const Interval& other) const;
    Interval operator-() const;
    Interval operator*(int iFactor) const;

    bool operator==(const Interval& other) const;
    bool operator!=(const Interval& other) const;
    /// Semitones alone: a diminished fourth is neither below nor above a major third.
    bool operator<(const Interval& other) const;
    bool operator>(const Interval& other) const;
    bool operator<=(const Interval& other) const;
    bool operator>=(const Interval& other) const;

private:
    Number m_number;
    int m_iNumSemitones;
};
}
}
