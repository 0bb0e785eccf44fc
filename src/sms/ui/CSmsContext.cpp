#include "CSmsContext.h"

#include "IFrameServices.h"

CVelmoraDoc* CSmsContext::Fleet() const
{
    return services ? services->ActiveDocument() : nullptr;
}
