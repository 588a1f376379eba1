#include "KeyraOutput.h"

#include <sstream>

std::vector<std::string> KeyraOutput::lines(const std::string& sText)
{
    std::vector<std::string> result;
    std::istringstream stream(sText);
    for (std::string sLine; std::getline(stream, sLine);)
        result.push_back(sLine);
    return result;
}

std::vector<nlohmann::json> KeyraOutput::parseJsonLines(const std::string& sText)
{
    std::vector<nlohmann::json> objects;
    for (const auto& sLine : lines(sText))
        objects.push_back(nlohmann::json::parse(sLine));
    return objects;
}

size_t KeyraOutput::countLinesWith(const std::string& sText, const std::string& sNeedle)
{
    size_t iCount = 0;
    for (const auto& sLine : lines(sText))
        iCount += sLine.find(sNeedle) != std::string::npos ? 1 : 0;
    return iCount;
}
