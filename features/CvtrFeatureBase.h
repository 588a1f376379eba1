#pragma once

#include "Vector.h"

/// Common interface of the feature stages. Operations a stage does not implement
/// answer kNotImplemented and do nothing.
class CvtrFeatureBase
{
public:
    enum ResultCode : int
    {
        kNoError = 0,
        kInvalidArgument = 3,
        kNotImplemented = 6
    };

    virtual ~CvtrFeatureBase() = default;

    virtual int process(const float* pfInput, int iNumOfElements);
    virtual int process(const Vector<float>& input) = 0;
    virtual int process(const float* pfInput, float* pfOutput, int iNumOfElements);
    virtual int process(const Vector<float>& input, Vector<float>& output);

    virtual int getResultLength() const;
    virtual int getResult(float* pfResult) const;
    virtual int getResult(Vector<float>& result) const = 0;

protected:
    CvtrFeatureBase() = default;
};
