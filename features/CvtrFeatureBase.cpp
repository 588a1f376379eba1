#include "CvtrFeatureBase.h"

int CvtrFeatureBase::process(const float*, int)
{
    return kNotImplemented;
}

int CvtrFeatureBase::process(const float*, float*, int)
{
    return kNotImplemented;
}

int CvtrFeatureBase::process(const Vector<float>&, Vector<float>&)
{
    return kNotImplemented;
}

int CvtrFeatureBase::getResultLength() const
{
    return 0;
}

int CvtrFeatureBase::getResult(float*) const
{
    return 0;
}
