#include "app/GraphicsLimits.h"

#include <algorithm>
#include <ostream>

bool lowerAnisotropy(int& anisotropicFiltering, float maxAnisotropy, std::ostream& err)
{
    if (float(anisotropicFiltering) <= maxAnisotropy)
        return false;
    err << "Set Anisotropic Filtering Level to max supported Level: " << maxAnisotropy
        << " instead of config setting: " << anisotropicFiltering << std::endl;
    anisotropicFiltering = int(maxAnisotropy);
    return true;
}

bool lowerSampleCount(int& antiAliasingFactor, int maxSamples, std::ostream& err)
{
    // Every GL 3 implementation supports at least one sample.
    const int limit = std::max(maxSamples, 1);
    if (antiAliasingFactor <= limit)
        return false;
    err << "Set Anti-Aliasing Factor to max supported Level: " << limit
        << " instead of config setting: " << antiAliasingFactor << std::endl;
    antiAliasingFactor = limit;
    return true;
}

bool isSoftwareRenderer(const std::string& rendererName)
{
    for (const char* name : { "llvmpipe", "softpipe", "swrast" }) {
        if (rendererName.find(name) != std::string::npos)
            return true;
    }
    return false;
}

bool lowerAnisotropyForSoftware(int& anisotropicFiltering, const std::string& rendererName, std::ostream& err)
{
    if (anisotropicFiltering <= 1 || !isSoftwareRenderer(rendererName))
        return false;
    err << "Software renderer (" << rendererName << "): Anisotropic Filtering lowered from "
        << anisotropicFiltering << " to 1 to keep the frame rate playable" << std::endl;
    anisotropicFiltering = 1;
    return true;
}
